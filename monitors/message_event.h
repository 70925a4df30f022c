#pragma once

#include <QEvent>

namespace tavrino {

// The program's own window messages travel as Qt events whose type is
// QEvent::User plus the message number.
inline QEvent::Type MessageEventType(int message) {
    return static_cast<QEvent::Type>(QEvent::User + message);
}

}  // namespace tavrino
