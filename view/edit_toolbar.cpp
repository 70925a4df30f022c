#include "view/edit_toolbar.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <array>

namespace tavrino {

namespace {

struct NoteValueButton {
    const char* image;
    const char* tip;
};
// In the order of kNoteValues.
constexpr std::array<NoteValueButton, kNoteValues.size()> kNoteValueButtons = {{
    {":/images/note_whole.png", "Whole note"},
    {":/images/note_half.png", "Half note"},
    {":/images/note_quarter.png", "Quarter note"},
    {":/images/note_eighth.png", "Eighth note"},
    {":/images/note_sixteenth.png", "Sixteenth note"},
    {":/images/note_thirty_second.png", "Thirty-second note"},
    {":/images/note_triplet.png", "Triplet eighth note"},
}};

}  // namespace

CEditToolbar::CEditToolbar(CTavrinoDoc& doc, const EditToolbarSettings& settings,
                           NewTrackAsker askNewTrack, QWidget* parent)
    : QDialog(parent, Qt::Tool),
      doc_(doc),
      askNewTrack_(std::move(askNewTrack)),
      noteValue_(settings.noteValue),
      noteValues_(new QToolBar(this)),
      noteValueGroup_(new QActionGroup(this)),
      track_(new QComboBox(this)),
      channel_(new QComboBox(this)),
      percent_(new QSpinBox(this)),
      addSilence_(new QPushButton("Add Silence", this)),
      mouseWrite_(new QCheckBox("Enable mouse write", this)),
      newTrack_(new QPushButton("New Track", this)) {
    setWindowTitle("Edit Toolbar");
    CreateNoteValueBar();
    percent_->setRange(1, 100);
    percent_->setValue(settings.notePercent);
    mouseWrite_->setChecked(settings.mouseWrite);
    auto* quit = new QPushButton("Quit Edit Mode", this);
    quit->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Track", this), 0, 0);
    grid->addWidget(track_, 0, 1, 1, 3);
    grid->addWidget(new QLabel("Chan", this), 1, 0);
    grid->addWidget(channel_, 1, 1);
    grid->addWidget(new QLabel("Note Duration %", this), 1, 2);
    grid->addWidget(percent_, 1, 3);
    grid->addWidget(addSilence_, 2, 0, 1, 2);
    grid->addWidget(newTrack_, 2, 2, 1, 2);
    grid->addWidget(mouseWrite_, 3, 0, 1, 4);
    grid->addWidget(quit, 4, 0, 1, 4);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(noteValues_);
    layout->addLayout(grid);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    track_->setMinimumContentsLength(18);

    connect(track_, &QComboBox::activated, this, [this](int position) {
        doc_.editTrack = static_cast<std::int16_t>(position + 1);
        FillChannels();
    });
    connect(channel_, &QComboBox::activated, this, &CEditToolbar::OnChannelChosen);
    connect(percent_, &QSpinBox::valueChanged, this, [this] { SelectNoteValue(-1); });
    connect(addSilence_, &QPushButton::clicked, this, &CEditToolbar::AddSilence);
    connect(mouseWrite_, &QCheckBox::toggled, this, [this](bool on) { doc_.mouseWrite = on; });
    connect(newTrack_, &QPushButton::clicked, this, &CEditToolbar::AddTrack);
    connect(quit, &QPushButton::clicked, this, &QDialog::accept);

    SelectNoteValue(-1);
    doc_.mouseWrite = settings.mouseWrite;
    FillTracks();
}

void CEditToolbar::CreateNoteValueBar() {
    noteValues_->setIconSize(QSize(20, 20));
    for (std::size_t i = 0; i < kNoteValueButtons.size(); ++i) {
        QAction* action =
            noteValues_->addAction(QIcon(kNoteValueButtons[i].image), kNoteValueButtons[i].tip);
        action->setCheckable(true);
        noteValueGroup_->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, i] { SelectNoteValue(static_cast<int>(i)); });
    }
}

QAction* CEditToolbar::noteValueAction(int index) const {
    return noteValueGroup_->actions().value(index);
}

EditToolbarSettings CEditToolbar::Settings() const {
    EditToolbarSettings settings;
    settings.notePercent = percent_->value();
    settings.noteValue = noteValue_;
    settings.mouseWrite = mouseWrite_->isChecked();
    return settings;
}

void CEditToolbar::SelectNoteValue(int index) {
    if (index >= 0 && index < static_cast<int>(kNoteValues.size())) {
        noteValue_ = index;
    }
    const NoteTiming timing = NoteValueTiming(noteValue_, percent_->value(), doc_.song.division);
    doc_.noteDuration = timing.duration;
    doc_.noteGap = timing.gap;
    if (QAction* action = noteValueAction(noteValue_)) {
        action->setChecked(true);
    }
}

void CEditToolbar::FillTracks() {
    doc_.KeepEditTrackInSong();
    track_->clear();
    const auto& tracks = doc_.song.tracks;
    for (std::size_t i = 1; i < tracks.size(); ++i) {
        track_->addItem(QString::asprintf("%02d ", static_cast<int>(i)) +
                        QString::fromStdString(tracks[i]->name));
    }
    track_->setCurrentIndex(doc_.editTrack - 1);
    FillChannels();
}

void CEditToolbar::FillChannels() {
    channel_->clear();
    const auto& tracks = doc_.song.tracks;
    const std::size_t index = static_cast<std::size_t>(std::max<int>(0, doc_.editTrack));
    if (index >= tracks.size() || tracks[index]->channels.empty()) {
        doc_.editChannel = 0;
        channel_->setEnabled(false);
        return;
    }
    const std::vector<std::uint8_t>& channels = tracks[index]->channels;
    doc_.editChannel = channels.front();
    for (const std::uint8_t channel : channels) {
        channel_->addItem(QString::asprintf("%02d", channel + 1));
    }
    channel_->setCurrentIndex(0);
    channel_->setEnabled(channels.size() > 1);
}

void CEditToolbar::OnChannelChosen(int position) {
    const auto& tracks = doc_.song.tracks;
    const std::size_t index = static_cast<std::size_t>(std::max<int>(0, doc_.editTrack));
    doc_.editChannel = 0;
    if (index < tracks.size() && position >= 0 &&
        static_cast<std::size_t>(position) < tracks[index]->channels.size()) {
        doc_.editChannel = tracks[index]->channels[static_cast<std::size_t>(position)];
    }
}

void CEditToolbar::AddSilence() {
    doc_.editCursor += doc_.noteDuration + doc_.noteGap;
    emit songChanged();
}

void CEditToolbar::AddTrack() {
    if (const std::optional<NewTrackChoice> choice = askNewTrack_()) {
        doc_.AddNewTrack(choice->name, choice->channel);
        FillTracks();
        emit songChanged();
    }
}

}  // namespace tavrino
