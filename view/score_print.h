#pragma once

#include <QPagedPaintDevice>
#include <QPainter>
#include <cstdint>
#include <optional>
#include <string>

#include "view/score_page.h"

namespace tavrino {

// A printed page is laid out in these logical units, stretched over the
// printable area whatever the paper.
inline constexpr int kPrintPageWidth = 1000;
inline constexpr int kPrintPageHeight = 1100;
// Beyond this a print job is surely a mistake (a stray event hours after the
// music); the user is asked to print a part between the marks instead.
inline constexpr int kMostPrintPages = 5000;

// How the song falls onto pages: every line covers the same beats, and
// every page the same lines.
struct PrintPlan {
    int linesPerPage = 5;
    int lineHeight = 214;  // logical units
    int centrePosition = kDefaultCentrePosition;
    int beatsPerLine = 16;
    std::int32_t division = 1;
    std::int32_t rangeStart = 0;
    std::int32_t rangeEnd = 0;
    std::int64_t ticksPerPage = 0;
    int pageCount = 1;

    std::int64_t TicksPerLine() const { return std::int64_t{beatsPerLine} * division; }
};

// The plan for the song, or the part between the marks (kNoMark: unset),
// with the print options of the settings. `screenCentre` is the pitch the
// view centres on, kept when both clefs print. Empty, with the reason for
// the user in `problem`, when there is nothing to print.
std::optional<PrintPlan> PlanPrint(const MidiSong& song, const Settings& settings,
                                   std::int32_t beginMark, std::int32_t endMark, int screenCentre,
                                   std::string& problem);

// The texts at the foot of every page.
struct PrintFooter {
    std::string title;      // the document's name
    std::string harmonica;  // "Diatonic Tab: ..." and the like; empty for notes
};

// The footer's harmonica text for the tablature the score shows.
std::string HarmonicaFooter(const TabSource& tabs);

// Paints printed pages with the screen's score painter: each line is the
// screen's grand staff with the notes of its own beats.
class ScorePrinter {
public:
    // `scene` is the printed song (its `printing` flag is set here); the
    // scene's references must outlive the printer.
    ScorePrinter(const ScoreScene& scene, const PrintPlan& plan, PrintFooter footer);

    // Page 1 to the plan's page count, mapped onto the painter's whole
    // device.
    void PaintPage(QPainter& painter, int page);
    // Pages `first` to `last` (1-based, within the plan) onto the device,
    // each on a new sheet. False when the device cannot be painted on.
    bool PrintPages(QPagedPaintDevice& device, int first, int last);

private:
    void PaintLine(QPainter& painter, int lineIndex, std::int64_t firstTick);
    void PaintFooter(QPainter& painter, int page);

    ScoreScene scene_;
    PrintPlan plan_;
    PrintFooter footer_;
    ScoreStyle style_;
    QFont footerFont_;
    std::int32_t firstEventIndex_ = -1;  // where the last line started
};

}  // namespace tavrino
