#include "app/about_box.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace tavrino {

namespace {

constexpr const char* kVersionText = "Version " TAVRINO_VERSION;

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Tavrino!");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::asprintf("Tavrino! %s", kVersionText), this));
    // The compiler's date, so every build tells when it was made.
    layout->addWidget(new QLabel(QString::asprintf("Release Built on %s", __DATE__), this));
    auto* webPage = new QPushButton(kProductWebPage, this);
    connect(webPage, &QPushButton::clicked, this,
            [] { QDesktopServices::openUrl(QUrl(kProductWebPage)); });
    layout->addWidget(webPage);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

}  // namespace tavrino
