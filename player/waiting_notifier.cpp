#include "player/waiting_notifier.h"

#include "player/position_marker.h"

namespace tavrino {

void WaitingNotifier::Post(int message, std::uintptr_t, std::intptr_t lParam) {
    const auto parameter = static_cast<std::uint32_t>(lParam);
    if (message == WM_PLAYER_POSITION && PositionMarker::IsTick(parameter)) {
        lastTick_ = PositionMarker::Value(parameter);
    } else if (message == WM_PLAYER_ENDED) {
        {
            const std::lock_guard lock(mutex_);
            endedPosted_ = true;
        }
        ended_.notify_all();
    }
}

void WaitingNotifier::ShowWarning(std::string_view text, std::string_view caption) {
    const std::lock_guard lock(mutex_);
    complaints_.append(caption).append(": ").append(text).append("\n");
}

void WaitingNotifier::DebugOutput(std::string_view text) {
    const std::lock_guard lock(mutex_);
    complaints_.append(text).append("\n");
}

bool WaitingNotifier::WaitForEnd(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return ended_.wait_for(lock, timeout, [this] { return endedPosted_; });
}

bool WaitingNotifier::Ended() const {
    const std::lock_guard lock(mutex_);
    return endedPosted_;
}

std::string WaitingNotifier::Complaints() const {
    const std::lock_guard lock(mutex_);
    return complaints_;
}

}  // namespace tavrino
