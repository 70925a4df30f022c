#pragma once

#include <QKeyEvent>
#include <optional>

namespace tavrino {

// Where a key sits on the keyboard, as the PC keyboard's scan code (set 1):
// 16 is the key right of Tab ("Q" on a US keyboard), 44 the key right of
// the left Shift ("Z"). The monitors play notes by key position, so that
// their keyboard layout stays the same shape on any national keyboard.
//
// Taken from the platform's scan code where it reports one; otherwise
// (offscreen, forwarded or synthetic keys) from the key's meaning on a US
// keyboard. None for keys off the typing block.
std::optional<int> KeyPosition(const QKeyEvent& event);

}  // namespace tavrino
