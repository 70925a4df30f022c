#pragma once

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QToolBar>

#include "app/command_ids.h"

class QMainWindow;

namespace tavrino {

// The main window's commands as actions, with the menu bar and the toolbar
// built from them. Handlers are connected by the parts that carry them out;
// an action nobody connects stays disabled.
class FrameActions {
public:
    // Builds the actions, the menus of `window` and its toolbar. The toolbar
    // keeps an empty slot for the tempo slider and the tablature-type box,
    // which the caller fills with SetToolbarWidget.
    explicit FrameActions(QMainWindow& window);

    QAction* operator[](CommandId id) const { return actions_.value(id); }
    QMenu* fileMenu() const { return fileMenu_; }
    // The separator before "Exit", where the recent files are listed.
    QAction* exitSeparator() const { return exitSeparator_; }
    // Every menu is about to show: the place to update enabled and checked
    // states.
    template <typename Receiver>
    void OnMenuShown(Receiver* receiver, void (Receiver::*update)()) const {
        for (QMenu* menu : menus_) {
            QObject::connect(menu, &QMenu::aboutToShow, receiver, update);
        }
    }
    void SetToolbarWidget(CommandId slot, QWidget* widget);

private:
    void CreateActions(QMainWindow& window);
    QMenu* AddMenu(QMenu* parent, QMainWindow& window, const QString& title,
                   std::initializer_list<int> ids);
    void CreateToolbar(QMainWindow& window);

    QHash<int, QAction*> actions_;
    QList<QMenu*> menus_;
    QMenu* fileMenu_ = nullptr;
    QAction* exitSeparator_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QHash<int, QAction*> toolbarSlots_;
};

}  // namespace tavrino
