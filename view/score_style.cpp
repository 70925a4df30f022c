#include "view/score_style.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "resources/images.h"

namespace tavrino {

namespace {

// Registers the images before the style's members load them.
const char* Image(const char* path) {
    RegisterImages();
    return path;
}

int Blend(int first, int last, int index) {
    return first * (kTrackBrushCount - index) / kTrackBrushCount + index * last / kTrackBrushCount;
}

QPen Pen(Qt::PenStyle style, int width, QColor colour) {
    QPen pen(colour, width, style);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// The relative luminance of an sRGB colour.
double Luminance(QColor colour) {
    const auto linear = [](int channel) {
        const double value = channel / 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) +
           0.0722 * linear(colour.blue());
}

}  // namespace

double ContrastRatio(QColor first, QColor second) {
    const double one = Luminance(first);
    const double other = Luminance(second);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

QColor ToQColor(Colour colour) {
    const Rgb rgb = colour.ToRgb();
    return QColor(rgb.red, rgb.green, rgb.blue);
}

Colour FromQColor(QColor colour) {
    return Colour{static_cast<std::uint32_t>(colour.red()) |
                  static_cast<std::uint32_t>(colour.green()) << 8 |
                  static_cast<std::uint32_t>(colour.blue()) << 16};
}

QFont SettingsFont(const std::string& face, int height, int weight, bool italic) {
    QFont font(QString::fromStdString(face));
    font.setPixelSize(std::max(1, std::abs(height)));
    if (height > 0) {
        // A cell height includes the leading above the letters; scale the
        // font until its line fits the cell.
        const int cell = QFontMetrics(font).height();
        font.setPixelSize(std::max(1, height * height / std::max(1, cell)));
    }
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight / 10 * 10, 100, 900)));
    font.setItalic(italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

ScoreStyle::ScoreStyle(const Settings& settings)
    : outlinePen(Pen(Qt::SolidLine, 1, QColor(0, 0, 0))),
      gridPen(Pen(Qt::SolidLine, 0, QColor(192, 192, 192))),
      markPen(Pen(Qt::DashLine, 1, QColor(192, 0, 0))),
      cursorPen(Pen(Qt::DotLine, 1, QColor(64, 0, 192))),
      trackerPen(Pen(Qt::SolidLine, 1, QColor(24, 24, 32))),
      bendPen(Pen(Qt::SolidLine, 2, QColor(255, 0, 0))),
      contrastLabels(settings.tabLabelContrast != 0),
      played(ToQColor(settings.colorPlayed)),
      highlight(ToQColor(settings.colorSelect)),
      symbolFont(SettingsFont("Arial", -11, 400, false)),
      tabFont(SettingsFont(settings.fontTabFaceName, settings.fontTabHeight, settings.fontTabWeight,
                           settings.fontTabItalic != 0)),
      underlinedTabFont(tabFont),
      textFont(SettingsFont(settings.fontTextFaceName, settings.fontTextHeight,
                            settings.fontTextWeight, settings.fontTextItalic != 0)),
      barNumberFont(SettingsFont("Arial", -14, 700, true)),
      trebleClef(Image(":/images/treble_clef.png")),
      bassClef(Image(":/images/bass_clef.png")),
      notesAboveArrow(Image(":/images/notes_above.png")),
      notesBelowArrow(Image(":/images/notes_below.png")) {
    if (contrastLabels) {
        for (QFont* font : {&symbolFont, &tabFont}) {
            font->setBold(true);
        }
    }
    underlinedTabFont = tabFont;
    underlinedTabFont.setUnderline(true);
    textAscent = QFontMetrics(textFont).ascent();
    textLineHeight = QFontMetrics(textFont).lineSpacing();
    barNumberAscent = QFontMetrics(barNumberFont).ascent();
    const Rgb first = settings.colorNormal1.ToRgb();
    const Rgb last = settings.colorNormal2.ToRgb();
    for (int index = 0; index < kTrackBrushCount; ++index) {
        trackColours[index] =
            QColor(Blend(first.red, last.red, index), Blend(first.green, last.green, index),
                   Blend(first.blue, last.blue, index));
    }
}

QColor ScoreStyle::LabelColour(QColor bar) const {
    if (!contrastLabels) {
        return Qt::black;
    }
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return ContrastRatio(bar, black) >= ContrastRatio(bar, white) ? black : white;
}

QColor ScoreStyle::TrackColour(int trackIndex) const {
    return trackColours[std::clamp(trackIndex, 0, kTrackBrushCount - 1)];
}

}  // namespace tavrino
