#include "dialogs/track_properties.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>

#include "dialogs/entry_dialogs.h"
#include "dialogs/event_lines.h"
#include "dialogs/program_entry.h"
#include "dialogs/song_words.h"

namespace tavrino {

namespace {

constexpr int kVolumeController = 7;
constexpr int kPanController = 10;
constexpr int kControllerStatus = 0xB0;
constexpr int kProgramStatus = 0xC0;

struct ListText {
    const char* label;
    const char* name;
    const char* deleteCaption;
    int controller;  // -1 for program changes
    int startValue;  // what a new setting starts from
};

constexpr ListText kLists[] = {
    {"GM Program", "program", "Program set delete", -1, 0},
    {"Volume", "volume", "Volume set delete", kVolumeController, 100},
    {"Pan", "pan", "Pan set delete", kPanController, 64},
};

const ListText& TextOf(CTrackPropDlg::EventList list) {
    return kLists[list];
}

}  // namespace

CTrackPropDlg::CTrackPropDlg(CTavrinoDoc& doc, int trackIndex, std::int32_t playTick,
                             UserPrompts prompts, QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      trackIndex_(trackIndex),
      playTick_(playTick),
      prompts_(std::move(prompts)),
      number_(new QSpinBox(this)),
      channels_(new QLabel(this)),
      name_(new QLineEdit(this)) {
    setWindowTitle(QString("Track %1 Properties").arg(trackIndex));
    const int trackCount = static_cast<int>(doc_.song.tracks.size());
    number_->setRange(trackIndex == 0 ? 0 : 1, trackIndex == 0 ? 0 : trackCount - 1);
    number_->setValue(trackIndex);
    // Track 0 holds the song-wide events and keeps its place.
    number_->setEnabled(trackIndex != 0);
    // Room for any track number, not only this song's highest.
    number_->setMinimumWidth(number_->sizeHint().width() +
                             number_->fontMetrics().horizontalAdvance("00"));
    channels_->setText(QString::fromStdString(ChannelsText(track())));
    name_->setObjectName("name");
    shownName_ = SongWords(track().name);
    name_->setText(shownName_);
    name_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(28, QLatin1Char('x'))));

    auto* form = new QFormLayout;
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(number_);
    numberRow->addSpacing(12);
    numberRow->addWidget(channels_);
    numberRow->addStretch();
    form->addRow("Track No", numberRow);
    form->addRow("Track Name", name_);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    for (const EventList list : {kPrograms, kVolumes, kPans}) {
        AddRow(list, TextOf(list).label);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTrackPropDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTrackPropDlg::reject);
    column->addWidget(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
    Refill(nullptr);
}

MidiTrack& CTrackPropDlg::track() const {
    return *doc_.song.tracks[static_cast<std::size_t>(trackIndex_)];
}

void CTrackPropDlg::AddRow(EventList list, const QString& label) {
    auto* form = static_cast<QFormLayout*>(layout()->itemAt(0)->layout());
    auto* box = new QComboBox(this);
    box->setObjectName(TextOf(list).name);
    box->setMinimumWidth(
        fontMetrics().horizontalAdvance("000:00:000 127 Guitar Harmonics (ch 16)") + 40);
    box->setMaxVisibleItems(16);
    auto* row = new QHBoxLayout;
    row->addWidget(box, 1);
    const std::pair<const char*, void (CTrackPropDlg::*)(EventList)> buttons[] = {
        {"Edit", &CTrackPropDlg::Edit},
        {"Add", &CTrackPropDlg::Add},
        {"Del", &CTrackPropDlg::Delete}};
    for (const auto& [text, handler] : buttons) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QString(TextOf(list).name) + text);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, list, handler = handler] { (this->*handler)(list); });
        row->addWidget(button);
        if (handler != &CTrackPropDlg::Add) {
            rows_[list].lineButtons.push_back(button);
        }
    }
    form->addRow(label, row);
    rows_[list].list = box;
}

bool CTrackPropDlg::Lists(const MidiEvent& event, EventList list) const {
    if (list == kPrograms) {
        return event.kind() == EventKind::Program;
    }
    return event.kind() == EventKind::Controller && event.data1 == TextOf(list).controller;
}

void CTrackPropDlg::Refill(const MidiEvent* select) {
    const MidiSong& song = doc_.song;
    const bool showChannel = track().channels.size() > 1;
    for (const EventList list : {kPrograms, kVolumes, kPans}) {
        Row& row = rows_[list];
        const MidiEvent* keep = Selected(list);
        row.list->clear();
        row.events.clear();
        int selected = -1;
        int kept = 0;
        for (const auto& event : track().events) {
            if (!Lists(*event, list)) {
                continue;
            }
            const int line = static_cast<int>(row.events.size());
            selected = event.get() == select ? line : selected;
            kept = event.get() == keep ? line : kept;
            row.events.push_back(event.get());
            const std::string text = list == kPrograms ? ProgramLine(song, *event, showChannel)
                                                       : ControllerLine(song, *event, showChannel);
            row.list->addItem(QString::fromStdString(text));
        }
        row.list->setCurrentIndex(row.events.empty() ? -1 : selected >= 0 ? selected : kept);
        for (QPushButton* button : row.lineButtons) {
            button->setEnabled(!row.events.empty());
        }
    }
}

MidiEvent* CTrackPropDlg::Selected(EventList list) const {
    const Row& row = rows_[list];
    const int index = row.list->currentIndex();
    return index >= 0 && static_cast<std::size_t>(index) < row.events.size()
               ? row.events[static_cast<std::size_t>(index)]
               : nullptr;
}

void CTrackPropDlg::Edit(EventList list) {
    MidiEvent* event = Selected(list);
    if (event == nullptr) {
        return;
    }
    if (list == kPrograms) {
        EditProgram(*event);
    } else {
        EditController(*event, list);
    }
}

void CTrackPropDlg::EditController(MidiEvent& event, EventList list) {
    CValueEntry entry(this);
    entry.setWindowTitle(TextOf(list).label);
    entry.SetValueLabel(TextOf(list).label);
    entry.SetValue(event.data2);
    if (prompts_.run(entry) && static_cast<int>(entry.Value()) != event.data2) {
        doc_.SetNoteValue(event, static_cast<int>(entry.Value()), kNoteVelocity);
        Refill(&event);
    }
}

void CTrackPropDlg::EditProgram(MidiEvent& event) {
    CProgramEntry entry(doc_.song, this);
    entry.SetProgram(event.data1, event.channel(),
                     doc_.song.TickToBarBeat(event.time).value_or(BarBeat{1, 1, 0}));
    if (prompts_.run(entry) && entry.Program() != event.data1) {
        doc_.SetNoteValue(event, entry.Program(), kNotePitch);
        Refill(&event);
    }
}

void CTrackPropDlg::Add(EventList list) {
    const MidiTrack& current = track();
    if (current.channels.empty()) {
        prompts_.inform(this, "Event add error",
                        "Can't add event, no channel messages inside track");
        return;
    }
    const int channel = current.channels.front();
    const BarBeat start = doc_.song.TickToBarBeat(playTick_).value_or(BarBeat{1, 1, 0});
    std::int32_t tick = 0;
    std::unique_ptr<MidiEvent> event;
    if (list == kPrograms) {
        CProgramEntry entry(doc_.song, this);
        // On the percussion channel the choice is among drum sets.
        entry.SetProgram(-1, current.channels.size() == 1 ? channel : -1, start);
        if (!prompts_.run(entry)) {
            return;
        }
        tick = entry.Tick();
        event = CreateChannelEvent(tick, kProgramStatus | channel, entry.Program(), 0);
    } else {
        CPosValueEntry entry(doc_.song, this);
        entry.setWindowTitle(QString("Add %1").arg(TextOf(list).label));
        entry.SetValueLabel(TextOf(list).label);
        entry.SetPosition(start);
        entry.SetValue(TextOf(list).startValue);
        if (!prompts_.run(entry)) {
            return;
        }
        tick = entry.Tick();
        event = CreateChannelEvent(tick, kControllerStatus | channel, TextOf(list).controller,
                                   static_cast<int>(entry.Value()));
    }
    if (doc_.AddEvent(tick, trackIndex_, std::move(event)) == 0) {
        Refill(AddedAt(list, tick));
    }
}

const MidiEvent* CTrackPropDlg::AddedAt(EventList list, std::int32_t tick) const {
    const MidiEvent* added = nullptr;
    for (const auto& event : track().events) {
        if (event->time == tick && Lists(*event, list)) {
            added = event.get();
        }
    }
    return added;
}

void CTrackPropDlg::Delete(EventList list) {
    MidiEvent* event = Selected(list);
    if (event == nullptr || !prompts_.confirm(this, TextOf(list).deleteCaption,
                                              "Are you sure you want to delete it?")) {
        return;
    }
    // The deleted line's list starts again from its first line.
    rows_[list].list->setCurrentIndex(-1);
    doc_.DeleteNoteEvent(*event);
    Refill(nullptr);
}

void CTrackPropDlg::accept() {
    // Only a name the user changed is written: one shown from another
    // encoding would not come back as the same bytes.
    if (name_->text() != shownName_) {
        doc_.RenameTrack(trackIndex_, name_->text().toStdString());
    }
    if (number_->value() != trackIndex_) {
        doc_.MoveTrack(trackIndex_, number_->value());
    }
    QDialog::accept();
}

}  // namespace tavrino
