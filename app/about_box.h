#pragma once

#include <QDialog>

#include "settings/product.h"

namespace tavrino {

// "About Tavrino!": the version, the day this program was built, and a button
// that opens the product's web page in the browser.
class AboutBox : public QDialog {
public:
    explicit AboutBox(QWidget* parent);
};

}  // namespace tavrino
