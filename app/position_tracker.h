#pragma once

#include <QObject>
#include <cstdint>

#include "app/frame_view.h"
#include "app/position_display.h"
#include "app/transport.h"
#include "document/tavrino_doc.h"
#include "monitors/monitor_list.h"
#include "player/player.h"
#include "settings/settings.h"

namespace tavrino {

// Follows the player's position messages on the user-interface thread: paints
// the notes the player has passed, hands them to the monitors, turns the
// view's pages, shows the position and loops between the marks.
class PositionTracker {
public:
    struct Parts {
        Player& player;
        const CTavrinoDoc& doc;
        MonitorList& monitors;
        FrameView& view;
        PositionDisplay& display;
        Transport& transport;
        const Settings& settings;
        QObject& window;  // receives the tempo changes met on the way
    };

    explicit PositionTracker(const Parts& parts) : p_(parts) {}

    // One WM_PLAYER_POSITION with the marker's parameter.
    void OnPosition(std::uint32_t parameter);

private:
    // The tick the marker stands for; 0 for a message posted before a stop.
    std::int32_t ShownTick(std::uint32_t parameter);
    // Whether the view must turn its page to show the tick.
    bool PageEnds(std::int32_t tick) const;
    void ShowEventsUpTo(std::int32_t tick);
    void ShowEvent(const MidiEvent& event, int index);

    Parts p_;
};

}  // namespace tavrino
