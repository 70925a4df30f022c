#pragma once

class QMainWindow;

namespace tavrino {

// Reaches the window's menus from the keyboard without Alt+letter: Alt
// pressed and released alone selects the menu bar (arrows move, Enter opens),
// F10 opens the first menu.
void EnableMenuKeys(QMainWindow& window);

}  // namespace tavrino
