#include "dialogs/user_prompts.h"

#include <QMessageBox>

namespace tavrino {

UserPrompts UserPrompts::OnScreen() {
    return {
        [](QDialog& dialog) { return dialog.exec() == QDialog::Accepted; },
        [](QWidget* parent, const QString& caption, const QString& text) {
            return QMessageBox::question(parent, caption, text,
                                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
        },
        [](QWidget* parent, const QString& caption, const QString& text) {
            QMessageBox::information(parent, caption, text);
        },
    };
}

}  // namespace tavrino
