#pragma once

#include <QDialog>

namespace tavrino {

// The product's web page, opened from the About box.
inline constexpr const char* kProductWebPage = "https://tavrino.example/";

// "About Tavrino!": the version, the day this program was built, and a button
// that opens the product's web page in the browser.
class AboutBox : public QDialog {
public:
    explicit AboutBox(QWidget* parent);
};

}  // namespace tavrino
