#pragma once

#include <QMessageBox>

namespace tavrino {

// A message box with an OK button, wide enough to show its whole caption.
void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                    const QString& text);

}  // namespace tavrino
