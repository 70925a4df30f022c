#include "view/score_print.h"

#include <QFontMetrics>
#include <algorithm>

namespace tavrino {

namespace {

constexpr int kLinesTop = 18;  // below the title
constexpr int kLinesHeight = 1070;
constexpr std::size_t kMostFooterHarmonica = 1024;

}  // namespace

std::optional<PrintPlan> PlanPrint(const MidiSong& song, const Settings& settings,
                                   std::int32_t beginMark, std::int32_t endMark, int screenCentre,
                                   std::string& problem) {
    if (song.tracks.empty()) {
        problem = "There is nothing to print: the song has no tracks.";
        return std::nullopt;
    }
    PrintPlan plan;
    plan.beatsPerLine = std::clamp<int>(settings.printBeatsPerLine, 1, kMostBeatsPerLine);
    plan.division = std::max<std::int32_t>(1, song.division);
    plan.centrePosition = screenCentre;
    const bool treble = settings.printTrebleClef != 0;
    const bool bass = settings.printBassClef != 0;
    if (!treble || !bass) {
        // One staff is narrower: a sixth line fits, centred on that staff.
        plan.linesPerPage = 6;
        plan.centrePosition = bass ? 31 : 41;
    }
    plan.lineHeight = kLinesHeight / plan.linesPerPage;
    plan.ticksPerPage = plan.TicksPerLine() * plan.linesPerPage;
    plan.rangeStart = beginMark != kNoMark ? beginMark : 0;
    plan.rangeEnd = endMark != kNoMark ? endMark : song.songLength;
    const bool marked = beginMark != kNoMark || endMark != kNoMark;
    if (marked && plan.rangeEnd <= plan.rangeStart) {
        problem = "The part between the marks is empty: there is nothing to print.";
        return std::nullopt;
    }
    const std::int64_t length = std::max<std::int64_t>(0, plan.rangeEnd - plan.rangeStart);
    const std::int64_t pages =
        std::max<std::int64_t>(1, (length + plan.ticksPerPage - 1) / plan.ticksPerPage);
    if (pages > kMostPrintPages) {
        problem = "The song would print on " + std::to_string(pages) +
                  " pages. Set the begin and end marks around the part to print, or print "
                  "more beats per line.";
        return std::nullopt;
    }
    plan.pageCount = static_cast<int>(pages);
    return plan;
}

std::string HarmonicaFooter(const TabSource& tabs) {
    std::string text;
    if (tabs.type == kTablatureDiatonic && tabs.diatonic != nullptr) {
        text = "Diatonic Tab: " + tabs.diatonic->GetTitle();
    } else if (tabs.type == kTablatureChromatic && tabs.chromatic != nullptr) {
        text = "Chromatic Tab: " + tabs.chromatic->GetTitle();
    }
    if (text.size() > kMostFooterHarmonica) {
        text.resize(kMostFooterHarmonica);
    }
    return text;
}

ScorePrinter::ScorePrinter(const ScoreScene& scene, const PrintPlan& plan, PrintFooter footer)
    : scene_(scene),
      plan_(plan),
      footer_(std::move(footer)),
      style_(scene.settings),
      footerFont_(SettingsFont("Arial", -11, 400, false)) {
    scene_.printing = true;
    // Nothing on paper is played, marked or being edited.
    scene_.play = PlayState{};
    scene_.beginMark = kNoMark;
    scene_.endMark = kNoMark;
    scene_.editCursor = kNoMark;
    scene_.editMode = false;
}

void ScorePrinter::PaintPage(QPainter& painter, int page) {
    const QPaintDevice* device = painter.device();
    painter.save();
    painter.setWindow(0, 0, kPrintPageWidth, kPrintPageHeight);
    painter.setViewport(0, 0, device->width(), device->height());
    const std::int64_t pageStart = plan_.rangeStart + std::int64_t{page - 1} * plan_.ticksPerPage;
    for (int line = 0; line < plan_.linesPerPage; ++line) {
        const std::int64_t lineStart = pageStart + line * plan_.TicksPerLine();
        // A page's first line prints even when empty, so that a song
        // without notes still shows its staff.
        if (line > 0 && lineStart >= plan_.rangeEnd) {
            break;
        }
        PaintLine(painter, line, lineStart);
    }
    PaintFooter(painter, page);
    painter.restore();
}

void ScorePrinter::PaintLine(QPainter& painter, int lineIndex, std::int64_t firstTick) {
    ScoreLayout layout;
    layout.tabStaffSpace = scene_.settings.printTabSpace;
    layout.showTreble = scene_.settings.printTrebleClef != 0;
    layout.showBass = scene_.settings.printBassClef != 0;
    SetLineHeight(layout, QFontMetrics(style_.tabFont).height());
    const int top = plan_.lineHeight * lineIndex + kLinesTop;
    SetLayoutEdges(layout, 0, top, kPrintPageWidth, top + plan_.lineHeight);

    ScoreWindow window;
    window.division = plan_.division;
    window.centrePosition = plan_.centrePosition;
    window.pixelsPerQuarter = std::max(1, (layout.right - layout.notesLeft) / plan_.beatsPerLine);
    // The staff ends on the line's last beat, so that no note shows both at
    // the end of one line and the start of the next.
    SetLayoutEdges(layout, std::nullopt, std::nullopt,
                   layout.notesLeft + window.pixelsPerQuarter * plan_.beatsPerLine, std::nullopt);
    window.firstTick = static_cast<std::int32_t>(std::min<std::int64_t>(firstTick, INT32_MAX));
    window.visibleTicks = static_cast<std::int32_t>(plan_.TicksPerLine());
    window.lastTick = static_cast<std::int32_t>(
        std::min<std::int64_t>(std::int64_t{window.firstTick} + window.visibleTicks, INT32_MAX));

    firstEventIndex_ = FirstEventIndex(scene_.song.messages, window, firstEventIndex_);
    ScorePainter(painter, style_, scene_, layout, window).PaintPage(firstEventIndex_);
}

void ScorePrinter::PaintFooter(QPainter& painter, int page) {
    painter.setClipping(false);
    painter.setFont(footerFont_);
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
    const int ascent = QFontMetrics(footerFont_).ascent();
    painter.drawText(QPoint(1, 1 + ascent), QString::fromStdString(footer_.title));
    painter.drawText(QPoint(1, 1087 + ascent), QString("Page %1").arg(page));
    if (!footer_.harmonica.empty()) {
        painter.drawText(QPoint(500, 1 + ascent), QString::fromStdString(footer_.harmonica));
    }
}

bool ScorePrinter::PrintPages(QPagedPaintDevice& device, int first, int last) {
    first = std::clamp(first, 1, plan_.pageCount);
    last = std::clamp(last, first, plan_.pageCount);
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage()) {
            return false;
        }
        PaintPage(painter, page);
    }
    return painter.end();
}

}  // namespace tavrino
