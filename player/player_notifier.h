#pragma once

#include <cstdint>
#include <string_view>

namespace tavrino {

// The player's messages to the main frame, numbered from the application's
// first private message (the Qt shell adds them to QEvent::User).
inline constexpr int WM_PLAYER_ENDED = 100;
inline constexpr int WM_PLAYER_POSITION = 110;
inline constexpr int WM_PLAYER_TEMPO = 112;

// wParam of every WM_PLAYER_POSITION.
inline constexpr std::uintptr_t MOM_POSITIONCB = 970;

// Where the player's messages go. Called on the user-interface thread and on
// the stream's thread: an implementation posts and returns, it never waits
// for the receiver.
class PlayerNotifier {
public:
    virtual ~PlayerNotifier() = default;

    virtual void Post(int message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // A warning box with the stop icon.
    virtual void ShowWarning(std::string_view text, std::string_view caption) = 0;
    // A driver's error text, for developers only.
    virtual void DebugOutput(std::string_view text) = 0;
};

}  // namespace tavrino
