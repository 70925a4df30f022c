#pragma once

#include <QEvent>
#include <QObject>
#include <cstdint>

#include "monitors/message_event.h"
#include "player/player_notifier.h"

namespace tavrino {

// One of the player's messages on its way to the main window.
class PlayerEvent : public QEvent {
public:
    PlayerEvent(int message, std::uintptr_t wParam, std::intptr_t lParam)
        : QEvent(MessageEventType(message)), wParam(wParam), lParam(lParam) {}

    const std::uintptr_t wParam;
    const std::intptr_t lParam;
};

// Hands the player's messages to a window as posted events: safe from the
// stream's thread, which never waits for the window. The receiver outlives
// the player: the main window shuts the player down before it goes.
class PostingNotifier : public PlayerNotifier {
public:
    explicit PostingNotifier(QObject* receiver) : receiver_(receiver) {}

    void Post(int message, std::uintptr_t wParam, std::intptr_t lParam) override;
    // Shown on the receiver's thread.
    void ShowWarning(std::string_view text, std::string_view caption) override;
    void DebugOutput(std::string_view text) override;

private:
    QObject* receiver_;
};

}  // namespace tavrino
