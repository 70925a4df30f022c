#pragma once

#include <QGuiApplication>
#include <memory>

namespace tavrino::tool {

// Qt draws text and windows only within a GUI application: makes one when
// there is none yet (null otherwise), a QApplication when `widgets` are
// drawn. Widgets are always rendered offscreen, anything else when there is
// no display, unless QT_QPA_PLATFORM asks otherwise.
std::unique_ptr<QGuiApplication> EnsureGuiApplication(bool widgets);

}  // namespace tavrino::tool
