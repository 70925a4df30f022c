#include "view/score_painter.h"

#include <QFontMetrics>
#include <QString>

#include "view/note_tracker.h"
#include "view/staff.h"
#include "view/text_row.h"

namespace tavrino {

namespace {

constexpr int kBandBottom = 6;

// Text at a top-left corner, as the score lays it out, in the painter's
// font whose ascent is given (measuring it for each text would cost more
// than drawing).
void DrawTextAt(QPainter& painter, int ascent, int x, int top, const QString& text) {
    painter.drawText(QPoint(x, top + ascent), text);
}

// Song texts are bytes: UTF-8 when they read as such, else Latin-1.
QString SongText(std::string_view bytes) {
    QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (text.contains(QChar::ReplacementCharacter)) {
        text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    return text;
}

// Karaoke files start lines and paragraphs with "\" and "/" and keep
// information in texts starting with "@"; neither belongs on the score.
QString ShownText(std::string_view text) {
    while (!text.empty() && (text.front() == '\\' || text.front() == '/')) {
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() == '@' || text.front() == '\r' || text.front() == '\n') {
        return {};
    }
    return SongText(text);
}

}  // namespace

QRect ToQRect(const PixelRect& rect) {
    return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

ScorePainter::ScorePainter(QPainter& painter, const ScoreStyle& style, const ScoreScene& scene,
                           const ScoreLayout& layout, const ScoreWindow& window)
    : painter_(painter), style_(style), scene_(scene), layout_(layout), window_(window) {}

void ScorePainter::PaintPage(std::int32_t firstEventIndex) {
    if (layout_.right == 0 || layout_.staffBottom == 0) {
        return;
    }
    painter_.save();
    PaintFrame();
    const BarGrid grid = BarGridInView(scene_.song, layout_, window_);
    PaintGrid(grid);
    const auto [above, below] = PaintNotes(firstEventIndex);
    PaintBarNumbers(grid);
    PaintTextRow(firstEventIndex);
    PaintClefs(above, below);
    PaintKeyAndMeter(grid);
    painter_.restore();
}

void ScorePainter::ClipTo(int left, int top, int right, int bottom) {
    painter_.setClipRect(QRect(left, top, right - left, bottom - top));
}

void ScorePainter::PaintFrame() {
    painter_.setClipping(false);
    painter_.setPen(style_.gridPen);
    for (const int x : {layout_.left, layout_.notesLeft - 1, layout_.right}) {
        painter_.drawLine(x, layout_.staffTop, x, layout_.staffBottom);
    }
    for (const int y : {layout_.staffTop, layout_.staffBottom}) {
        painter_.drawLine(0, y, layout_.right, y);
    }
}

void ScorePainter::PaintGrid(const BarGrid& grid) {
    ClipTo(layout_.left, layout_.top, layout_.right, layout_.staffBottom);
    const StaffLines lines = StaffLinesInView(layout_, window_);
    painter_.setPen(style_.gridPen);
    for (const int y : lines.ledger) {
        painter_.drawLine(layout_.left, y, layout_.right, y);
    }
    for (const BeatLine& line : grid.lines) {
        painter_.setPen(line.barStart ? style_.outlinePen : style_.gridPen);
        painter_.drawLine(line.x, layout_.staffTop, line.x, layout_.staffBottom);
    }
    painter_.setPen(style_.outlinePen);
    for (const int y : lines.staff) {
        painter_.drawLine(layout_.left, y, layout_.right, y);
    }
}

bool ScorePainter::ShowsTrack(const MidiTrack* track) const {
    return TrackShownOnScore(track, scene_.printing);
}

QColor ScorePainter::TrackFill(const MidiTrack& track) const {
    if ((track.flags & MidiTrack::kHighlighted) != 0) {
        return style_.highlight;
    }
    return style_.TrackColour(scene_.song.TrackIndexOf(&track));
}

std::pair<bool, bool> ScorePainter::PaintNotes(std::int32_t firstEventIndex) {
    bool above = false;
    bool below = false;
    if (firstEventIndex < 0) {
        return {above, below};
    }
    ClipTo(layout_.notesLeft, layout_.staffTop, layout_.right, layout_.staffBottom);
    const MessageList& messages = scene_.song.messages;
    const PlayState& play = scene_.play;
    // Events the player has passed keep the played colour; the first one it
    // has not reached ends the run.
    QColor fill = style_.played;
    bool stillPlayed = true;
    SoundingNotes sounding;
    BendTrail bends;
    for (std::size_t index = firstEventIndex;
         index < messages.size() && messages[index]->time < window_.lastTick; ++index) {
        const MidiEvent& event = *messages[index];
        // Bends draw on the notes of hidden tracks too.
        sounding.Pass(messages, static_cast<std::int32_t>(index));
        if (!ShowsTrack(event.track)) {
            continue;
        }
        const bool unplayed =
            !play.playing ||
            (play.displayIndex != -1 && static_cast<std::int64_t>(index) >= play.displayIndex) ||
            (play.displayIndex == -1 && event.time >= play.tick);
        if (unplayed) {
            fill = TrackFill(*event.track);
            stillPlayed = false;
        }
        if (event.playable != 0) {
            const bool highlighted = (event.track->flags & MidiTrack::kHighlighted) != 0;
            const PixelRect bar = PaintNote(event, {fill, stillPlayed || highlighted});
            above = above || bar.bottom - 4 < layout_.staffTop;
            below = below || layout_.staffBottom < bar.top + 4;
        } else if (scene_.settings.showPitchBends != 0 && event.kind() == EventKind::PitchWheel) {
            DrawBend(
                event.channel(),
                sounding.PointsOf(messages, static_cast<std::int32_t>(index), layout_, window_),
                bends);
        }
    }
    return {above, below};
}

const ScorePainter::NoteLabel& ScorePainter::LabelOf(int key) {
    std::optional<NoteLabel>& label = labels_[std::clamp(key, 0, 127)];
    if (!label) {
        label = MakeLabel(key, 0);
    }
    return *label;
}

ScorePainter::NoteLabel ScorePainter::MakeLabel(int key, int alternate) const {
    const NoteTabText tab = TabTextForNote(scene_.tabs, key, alternate, false);
    const auto prepared = [](const std::string& text, const QFont& font) {
        QStaticText staticText(QString::fromStdString(text));
        staticText.setTextFormat(Qt::PlainText);
        staticText.prepare(QTransform(), font);
        return staticText;
    };
    const QFont& holeFont = tab.lowHole ? style_.underlinedTabFont : style_.tabFont;
    // A hyphen is a short, faint draw mark; the minus sign is as wide as "+".
    const std::string symbol =
        style_.contrastLabels && tab.symbol == "-" ? std::string("\u2212") : tab.symbol;
    return NoteLabel{
        prepared(symbol, style_.symbolFont),
        prepared(tab.holeText, holeFont),
        prepared(tab.accidental == ' ' ? std::string() : std::string(1, tab.accidental),
                 style_.tabFont),
        static_cast<int>(tab.symbol.size()),
        tab.lowHole,
        tab.brush ? std::optional<QColor>(ToQColor(*tab.brush)) : std::nullopt};
}

std::optional<ScorePainter::NoteLabel> ScorePainter::AlternateLabelOf(const MidiEvent& note) const {
    if (scene_.alternates == nullptr || scene_.alternates->empty()) {
        return std::nullopt;
    }
    const auto chosen = scene_.alternates->find(&note);
    // After a transposition the key may have no such alternate any more.
    if (chosen == scene_.alternates->end() ||
        !TabTextForNote(scene_.tabs, note.data1, chosen->second, false).exists) {
        return std::nullopt;
    }
    return MakeLabel(note.data1, chosen->second);
}

PixelRect ScorePainter::PaintNote(const MidiEvent& event, NoteFill fill) {
    const std::optional<NoteLabel> alternate = AlternateLabelOf(event);
    const NoteLabel& label = alternate ? *alternate : LabelOf(event.data1);
    QColor colour = fill.colour;
    if (!fill.keep && label.brush) {
        colour = *label.brush;
    }
    if (scene_.printing && scene_.settings.printNoColorBars != 0) {
        colour = Qt::white;
    }
    const bool offset = scene_.settings.offsetsharpsflats != 0 || scene_.editMode;
    const PixelRect bar =
        NoteRect(layout_, window_, event.data1, event.time, event.duration, offset);
    // A plain fill is the painter's fastest path; the outline goes over it.
    painter_.fillRect(ToQRect(bar), colour);
    painter_.setPen(style_.outlinePen);
    painter_.drawRect(QRect(bar.left, bar.top, bar.right - bar.left - 1, bar.bottom - bar.top - 1));
    if (bar.left >= layout_.notesLeft) {
        painter_.setPen(style_.LabelColour(colour));
        if (label.symbolLength > 0) {
            painter_.setFont(style_.symbolFont);
            painter_.drawStaticText(bar.left + 2, bar.top + 1, label.symbol);
        }
        painter_.setFont(label.lowHole ? style_.underlinedTabFont : style_.tabFont);
        painter_.drawStaticText(bar.left + 7 * label.symbolLength + 2, bar.top - 1, label.hole);
        if (!label.accidental.text().isEmpty()) {
            painter_.drawStaticText(bar.left + 1, bar.top - layout_.lineHeight + 1,
                                    label.accidental);
        }
    }
    return bar;
}

std::optional<PixelRect> ScorePainter::PaintPlayedNote(std::int32_t eventIndex) {
    const MessageList& messages = scene_.song.messages;
    if (eventIndex < 0 || static_cast<std::size_t>(eventIndex) >= messages.size() ||
        messages[eventIndex]->playable == 0) {
        return std::nullopt;
    }
    painter_.save();
    ClipTo(layout_.notesLeft, layout_.staffTop, layout_.right, layout_.staffBottom);
    const PixelRect bar = PaintNote(*messages[eventIndex], {style_.played, true});
    painter_.restore();
    return bar;
}

void ScorePainter::PaintBendStep(std::int32_t firstEventIndex, std::int32_t eventIndex,
                                 BendTrail& trail) {
    const MessageList& messages = scene_.song.messages;
    if (eventIndex < 0 || static_cast<std::size_t>(eventIndex) >= messages.size()) {
        return;
    }
    DrawBend(messages[eventIndex]->channel(),
             BendPointsOf(messages, firstEventIndex, eventIndex, layout_, window_), trail);
}

void ScorePainter::DrawBend(int channel, const std::vector<BendPoint>& points, BendTrail& trail) {
    if (points.empty()) {
        return;
    }
    painter_.save();
    ClipTo(layout_.notesLeft, layout_.staffTop, layout_.right, layout_.staffBottom);
    painter_.setPen(style_.bendPen);
    for (const BendPoint& point : points) {
        if (const auto segment = trail.Step(channel, point)) {
            painter_.drawLine(segment->x1, segment->y1, segment->x2, segment->y2);
        }
    }
    painter_.restore();
}

void ScorePainter::PaintBarNumbers(const BarGrid& grid) {
    if (scene_.song.bars.empty()) {
        return;
    }
    ClipTo(layout_.left, layout_.top, layout_.right, layout_.staffBottom);
    painter_.setFont(style_.barNumberFont);
    painter_.setPen(scene_.printing ? QColor(64, 64, 64) : QColor(128, 128, 128));
    const int row = BarNumberRowY(layout_);
    const int metreRow = row + 2 * layout_.stepSpacing;
    const int ascent = style_.barNumberAscent;
    for (const BarLabel& label : grid.labels) {
        DrawTextAt(painter_, ascent, label.x, row, QString::number(label.number));
        if (!label.timeSignature.empty()) {
            DrawTextAt(painter_, ascent, label.x, metreRow,
                       QString::fromStdString(label.timeSignature));
        }
    }
}

// At the left edge the staff and the clefs move under the labels when the
// pitch range scrolls: the key and the meter sit on the paper's white over
// them, so that they stay legible.
void ScorePainter::PaintKeyAndMeter(const BarGrid& grid) {
    if (scene_.song.bars.empty()) {
        return;
    }
    ClipTo(layout_.left, layout_.top, layout_.right, layout_.staffBottom);
    painter_.setFont(style_.barNumberFont);
    painter_.setPen(scene_.printing ? QColor(64, 64, 64) : QColor(128, 128, 128));
    const QFontMetrics metrics(style_.barNumberFont);
    const int row = BarNumberRowY(layout_);
    const KeySignatureEvent* key = scene_.song.KeySignatureAt(window_.firstTick);
    const std::string keyName = key != nullptr ? key->keyName() : scene_.song.keyText;
    for (const auto& [top, text] : {std::pair{row, QString::fromStdString(keyName)},
                                    std::pair{row + 2 * layout_.stepSpacing,
                                              QString::fromStdString(grid.openingTimeSignature)}}) {
        if (text.isEmpty()) {
            continue;
        }
        painter_.fillRect(QRect(2, top, metrics.horizontalAdvance(text), metrics.height()),
                          Qt::white);
        DrawTextAt(painter_, style_.barNumberAscent, 2, top, text);
    }
}

void ScorePainter::PaintTextRow(std::int32_t firstEventIndex) {
    if (firstEventIndex < 0) {
        return;
    }
    ClipTo(layout_.notesLeft, layout_.staffBottom, layout_.right, layout_.bottom);
    painter_.setFont(style_.textFont);
    painter_.setPen(Qt::black);
    const QFontMetrics metrics(style_.textFont);
    const MessageList& messages = scene_.song.messages;
    std::vector<QString> texts;
    std::vector<TextRowSpan> spans;
    for (std::size_t index = firstEventIndex;
         index < messages.size() && messages[index]->time < window_.lastTick; ++index) {
        const MidiEvent& event = *messages[index];
        if (!event.isTextOrLyric() || event.track == nullptr || !event.track->visible()) {
            continue;
        }
        if (QString text = ShownText(event.text()); !text.isEmpty()) {
            spans.push_back(
                {TickToX(layout_, window_, event.time), metrics.horizontalAdvance(text)});
            texts.push_back(std::move(text));
        }
    }
    const std::vector<int> lines = PlaceTextRowLines(spans, ScoreLayout::kTextRowLines);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        DrawTextAt(painter_, style_.textAscent, spans[i].left,
                   layout_.staffBottom + 1 + lines[i] * style_.textLineHeight, texts[i]);
    }
}

void ScorePainter::PaintClefs(bool notesAbove, bool notesBelow) {
    ClipTo(layout_.left, layout_.top, layout_.right, layout_.staffBottom);
    if (layout_.showTreble) {
        painter_.drawImage(ToQRect(TrebleClefRect(layout_, window_)), style_.trebleClef);
    }
    if (layout_.showBass) {
        painter_.drawImage(ToQRect(BassClefRect(layout_, window_)), style_.bassClef);
    }
    if (notesAbove) {
        painter_.drawImage(ToQRect(NotesAboveArrowRect(layout_)), style_.notesAboveArrow);
    }
    if (notesBelow) {
        painter_.drawImage(ToQRect(NotesBelowArrowRect(layout_)), style_.notesBelowArrow);
    }
}

void ScorePainter::PaintPositionBand(std::int32_t tick) {
    painter_.save();
    painter_.setClipping(false);
    const int x = std::clamp(TickToX(layout_, window_, tick), 0, layout_.right);
    painter_.setPen(style_.outlinePen);
    painter_.setBrush(style_.played);
    painter_.drawRect(QRect(0, 0, x, kBandBottom));
    painter_.setBrush(style_.TrackColour(0));
    painter_.drawRect(QRect(x, 0, layout_.right - x, kBandBottom));
    painter_.setBrush(Qt::NoBrush);

    const SelectionRun run = SelectionRunInView(layout_, window_, scene_.beginMark, scene_.endMark);
    painter_.setPen(style_.markPen);
    if (run.beginX) {
        painter_.drawLine(*run.beginX, kBandBottom, *run.beginX, layout_.staffBottom);
    }
    if (run.endX) {
        painter_.drawLine(*run.endX, kBandBottom, *run.endX, layout_.staffBottom);
    }
    if (run.from && run.to) {
        painter_.drawLine(*run.from, kBandBottom, *run.to, kBandBottom);
        painter_.drawLine(*run.from, layout_.staffBottom, *run.to, layout_.staffBottom);
    }
    painter_.restore();
}

void ScorePainter::PaintEditCursor() {
    if (scene_.play.playing || scene_.editCursor == kNoMark) {
        return;
    }
    const int x = TickToX(layout_, window_, scene_.editCursor);
    painter_.save();
    painter_.setPen(style_.cursorPen);
    painter_.drawLine(x, kBandBottom, x, layout_.staffBottom);
    painter_.restore();
}

void ScorePainter::PaintTrackerFrame(const PixelRect& frame) {
    painter_.save();
    ClipTo(layout_.notesLeft, layout_.staffTop, layout_.right2, layout_.staffBottom);
    painter_.setPen(style_.trackerPen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRect(frame.left - 1, frame.top - 1, frame.right - frame.left + 1,
                            frame.bottom - frame.top + 1));
    painter_.fillRect(ToQRect(ResizeHandleRect(frame)), style_.trackerPen.color());
    painter_.restore();
}

}  // namespace tavrino
