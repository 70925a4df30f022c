#include "app/menu_keys.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QProxyStyle>

namespace tavrino {

namespace {

// The application's style, with the menu bar taking Alt alone as every
// desktop's does; some styles leave that to the platform.
class AltKeyMenuStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_MenuBar_AltKeyNavigation) {
            return 1;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

void EnableMenuKeys(QMainWindow& window) {
    QMenuBar* bar = window.menuBar();
    auto* style = new AltKeyMenuStyle;
    style->setParent(bar);
    bar->setStyle(style);

    auto* openFirstMenu = new QAction(&window);
    openFirstMenu->setShortcut(Qt::Key_F10);
    QObject::connect(openFirstMenu, &QAction::triggered, bar, [bar] {
        if (!bar->actions().isEmpty()) {
            bar->setActiveAction(bar->actions().front());
        }
    });
    window.addAction(openFirstMenu);
}

}  // namespace tavrino
