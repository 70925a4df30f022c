#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <array>

#include "settings/settings.h"

namespace tavrino {

inline constexpr int kTrackBrushCount = 128;

QColor ToQColor(Colour colour);
Colour FromQColor(QColor colour);

// The contrast ratio of two colours as accessibility guidelines measure it,
// from 1 (the same lightness) to 21 (black on white).
double ContrastRatio(QColor first, QColor second);

// Pens, brushes, fonts and images of the score, made from the settings.
struct ScoreStyle {
    explicit ScoreStyle(const Settings& settings);

    // The colour of a track's bars: a blend from "colorNormal1" for track 0
    // to "colorNormal2"; tracks from 128 on share the last colour.
    QColor TrackColour(int trackIndex) const;
    // The colour of a tablature label on a bar of that colour.
    QColor LabelColour(QColor bar) const;

    QPen outlinePen;
    QPen gridPen;
    QPen markPen;
    QPen cursorPen;
    QPen trackerPen;  // the frames of selected notes
    QPen bendPen;

    bool contrastLabels = false;  // labels black or white by the bar
    QColor played;
    QColor highlight;
    std::array<QColor, kTrackBrushCount> trackColours;

    QFont symbolFont;
    QFont tabFont;
    QFont underlinedTabFont;
    QFont textFont;
    QFont barNumberFont;
    int textAscent = 0;
    int textLineHeight = 0;  // from one line of the text row to the next
    int barNumberAscent = 0;

    QImage trebleClef;
    QImage bassClef;
    QImage notesAboveArrow;
    QImage notesBelowArrow;
};

// A font of the settings: a negative height is the character height, a
// positive one the cell height, both in pixels.
QFont SettingsFont(const std::string& face, int height, int weight, bool italic);

}  // namespace tavrino
