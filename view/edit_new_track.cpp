#include "view/edit_new_track.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMessageBox>

namespace tavrino {

CEditNewTrack::CEditNewTrack(QWidget* parent)
    : QDialog(parent), name_(new QLineEdit(this)), channel_(new QComboBox(this)) {
    setWindowTitle("New Track");
    for (int channel = 1; channel <= 16; ++channel) {
        channel_->addItem(QString::asprintf("%02d", channel));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow("Name", name_);
    form->addRow("Channel", channel_);
    form->addRow(buttons);
    name_->setMinimumWidth(180);
}

NewTrackChoice CEditNewTrack::Choice() const {
    return {name_->text().trimmed().toStdString(), channel_->currentIndex()};
}

NewTrackAsker AskNewTrackWith(QWidget* parent) {
    return [parent]() -> std::optional<NewTrackChoice> {
        CEditNewTrack dialog(parent);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.Choice();
    };
}

bool MakeSongEditable(CTavrinoDoc& doc, const NewTrackAsker& ask, QWidget* parent) {
    doc.SetUpEmptySong();
    while (doc.song.tracks.size() < 2) {
        const std::optional<NewTrackChoice> choice = ask();
        if (!choice) {
            QMessageBox::information(
                parent, "Tavrino",
                "You need to create a new track in order to be able to edit an empty file");
            return false;
        }
        doc.AddNewTrack(choice->name, choice->channel);
    }
    return true;
}

}  // namespace tavrino
