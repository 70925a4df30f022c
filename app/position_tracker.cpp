#include "app/position_tracker.h"

#include <QCoreApplication>
#include <algorithm>

#include "app/player_events.h"
#include "player/position_marker.h"

namespace tavrino {

void PositionTracker::OnPosition(std::uint32_t parameter) {
    PlayPosition& position = p_.player.position;
    position.current = static_cast<std::int32_t>(
        std::max<std::int64_t>(p_.player.Position() - position.offset, 0));
    const std::int32_t shown = ShownTick(parameter);
    position.lastShown = shown;
    p_.display.ShowPosition(shown);
    if (shown % p_.player.step() == 0) {
        p_.view.PaintPositionBand(shown);
    }
    if (p_.doc.endMark != kNoMark && shown >= p_.doc.endMark) {
        p_.transport.NextLoopPass();
    }
}

std::int32_t PositionTracker::ShownTick(std::uint32_t parameter) {
    if (!p_.player.TakeNotification() || !p_.player.IsPlaying()) {
        return 0;
    }
    const std::uint32_t value = PositionMarker::Value(parameter);
    if (PositionMarker::IsTick(parameter)) {
        const auto tick = static_cast<std::int32_t>(value);
        if (PageEnds(tick)) {
            p_.view.Invalidate();
        }
        return tick;
    }
    const MessageList& messages = p_.doc.song.messages;
    if (value >= messages.size()) {
        return p_.player.position.lastShown;
    }
    const std::int32_t tick = messages[value]->time;
    if (tick < p_.view.FirstTick() || PageEnds(tick)) {
        p_.view.Invalidate();
    } else {
        ShowEventsUpTo(tick);
    }
    return tick;
}

bool PositionTracker::PageEnds(std::int32_t tick) const {
    return tick > p_.view.LastTick() - 2 * p_.doc.song.division;
}

void PositionTracker::ShowEventsUpTo(std::int32_t tick) {
    const MessageList& messages = p_.doc.song.messages;
    std::atomic<std::int32_t>& displayIndex = p_.player.position.displayIndex;
    auto index = static_cast<std::size_t>(std::max(displayIndex.load(), 0));
    for (; index < messages.size() && messages[index]->time <= tick; ++index) {
        ShowEvent(*messages[index], static_cast<int>(index));
    }
    displayIndex = static_cast<std::int32_t>(index);
}

void PositionTracker::ShowEvent(const MidiEvent& event, int index) {
    if (event.kind() == EventKind::Tempo) {
        const std::int32_t tempo = event.value();
        p_.player.SetTempo(tempo);
        QCoreApplication::postEvent(&p_.window, new PlayerEvent(WM_PLAYER_TEMPO, 0, tempo));
    }
    if (event.track != nullptr && event.track->visible()) {
        if (event.kind() == EventKind::NoteOn && event.playable != 0) {
            p_.view.PaintPlayedNote(index);
        } else if (p_.settings.showPitchBends != 0 && event.kind() == EventKind::PitchWheel) {
            p_.view.PaintBendStep(index);
        }
    }
    p_.monitors.Feed(event, index);
}

}  // namespace tavrino
