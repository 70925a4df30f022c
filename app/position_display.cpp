#include "app/position_display.h"

namespace tavrino {

void PositionDisplay::ShowPosition(std::int32_t tick) {
    if (tick == -1) {
        tick = player_.position.current;
    }
    panes_.ShowTick(tick);
    if (song_.division != 0) {
        view_.SetScrollPosition(tick / song_.division);
    }
}

}  // namespace tavrino
