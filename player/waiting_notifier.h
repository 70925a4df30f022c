#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

#include "player/player_notifier.h"

namespace tavrino {

// The player's messages for a program without windows: it keeps the last
// tick reached and lets a thread wait for the song to end.
class WaitingNotifier final : public PlayerNotifier {
public:
    void Post(int message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void ShowWarning(std::string_view text, std::string_view caption) override;
    void DebugOutput(std::string_view text) override;

    // True once WM_PLAYER_ENDED came, false when `timeout` ran out first.
    bool WaitForEnd(std::chrono::milliseconds timeout);
    bool Ended() const;
    // The song tick of the last tick marker reached; -1 before the first.
    std::int64_t LastTick() const { return lastTick_; }
    // The warnings and driver errors so far, one per line.
    std::string Complaints() const;

private:
    std::atomic<std::int64_t> lastTick_{-1};
    mutable std::mutex mutex_;
    std::condition_variable ended_;
    bool endedPosted_ = false;
    std::string complaints_;
};

}  // namespace tavrino
