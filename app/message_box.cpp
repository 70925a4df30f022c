#include "app/message_box.h"

#include <QGridLayout>
#include <QSpacerItem>

namespace tavrino {

namespace {

// Room for the window's icon and buttons beside the caption in the title bar.
constexpr int kTitleBarExtra = 140;

}  // namespace

void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                    const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    // The box sizes itself to its text only; a short text would cut the
    // caption off.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int width = box.fontMetrics().horizontalAdvance(caption) + kTitleBarExtra;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
}

}  // namespace tavrino
