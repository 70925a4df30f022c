#include "dialogs/options_sheet.h"

#include <QVBoxLayout>

namespace tavrino {

CProperties::CProperties(Settings& settings, SettingsStore& store, OptionsHost& host,
                         OptionsChoosers choosers, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      store_(store),
      host_(host),
      pages_(new QTabWidget(this)),
      general_(new CPropGeneral(settings, host, choosers, pages_)),
      print_(new CPrintOptions(settings, choosers, pages_)),
      lyrics_(new CPropLyrics(settings, choosers, pages_)),
      buttons_(new QDialogButtonBox(
          QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this)) {
    setWindowTitle("Tavrino! Options");
    pages_->addTab(general_, "General");
    pages_->addTab(print_, "Print");
    pages_->addTab(lyrics_, "Lyrics");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(buttons_);
    applyButton().setEnabled(false);
    for (OptionsPage* page : std::initializer_list<OptionsPage*>{general_, print_, lyrics_}) {
        page->OnChange([this] { applyButton().setEnabled(true); });
    }
    connect(buttons_, &QDialogButtonBox::accepted, this, &CProperties::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &CProperties::reject);
    connect(&applyButton(), &QPushButton::clicked, this, [this] { Apply(); });
}

bool CProperties::Apply() {
    for (OptionsPage* page : std::initializer_list<OptionsPage*>{general_, print_, lyrics_}) {
        if (!page->Apply(settings_, store_, host_)) {
            pages_->setCurrentWidget(page);
            return false;
        }
    }
    applyButton().setEnabled(false);
    return true;
}

void CProperties::accept() {
    if (Apply()) {
        QDialog::accept();
    }
}

}  // namespace tavrino
