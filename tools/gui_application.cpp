#include "tools/gui_application.h"

#include <QApplication>

namespace tavrino::tool {

std::unique_ptr<QGuiApplication> EnsureGuiApplication(bool widgets) {
    if (QCoreApplication::instance() != nullptr) {
        return nullptr;
    }
    // Windows are drawn offscreen even on a desktop, so that none flashes
    // up on the user's screen. qputenv, not the POSIX setenv, so that this
    // builds on Windows too.
    const bool display =
        qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && (widgets || !display)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "tavrino-tool";
    static char* argv[] = {name, nullptr};
    if (widgets) {
        return std::make_unique<QApplication>(argc, argv);
    }
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace tavrino::tool
