#include "dialogs/file_properties.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/entry_dialogs.h"
#include "dialogs/event_lines.h"
#include "dialogs/meter_entry.h"

namespace tavrino {

namespace {

template <typename Event>
void Fill(QComboBox& list, const std::vector<Event*>& events, const MidiEvent* selected,
          auto line) {
    list.clear();
    int selectedIndex = 0;
    for (std::size_t i = 0; i < events.size(); ++i) {
        list.addItem(QString::fromStdString(line(*events[i])));
        if (events[i] == selected) {
            selectedIndex = static_cast<int>(i);
        }
    }
    list.setCurrentIndex(events.empty() ? -1 : selectedIndex);
}

template <typename Event>
Event* Selected(const QComboBox& list, const std::vector<Event*>& events) {
    const int index = list.currentIndex();
    return index >= 0 && static_cast<std::size_t>(index) < events.size()
               ? events[static_cast<std::size_t>(index)]
               : nullptr;
}

// The change the document placed last at the tick: a new one goes after
// those already there.
template <typename Event>
const MidiEvent* LastAt(const std::vector<Event*>& events, std::int32_t tick) {
    const MidiEvent* found = nullptr;
    for (const Event* event : events) {
        if (event->time == tick) {
            found = event;
        }
    }
    return found;
}

QString Summary(const MidiSong& song) {
    return QString("Format %1, %2 tracks, %3 ticks per quarter note, %4 bars")
        .arg(song.format)
        .arg(song.tracks.size())
        .arg(song.division)
        .arg(static_cast<qlonglong>(song.bars.size()));
}

}  // namespace

CFileProperties::CFileProperties(CTavrinoDoc& doc, std::int32_t playTick, UserPrompts prompts,
                                 QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      playTick_(playTick),
      prompts_(std::move(prompts)),
      summary_(new QLabel(this)) {
    setWindowTitle("MIDI File Properties");
    auto* grid = new QGridLayout;
    grid->addWidget(summary_, 0, 0, 1, 5);
    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    signatures_ = AddRow("Time Signature", "timeSignature", &CFileProperties::EditTimeSignature,
                         &CFileProperties::AddTimeSignature, &CFileProperties::DeleteTimeSignature);
    tempos_ = AddRow("Tempo", "tempo", &CFileProperties::EditTempo, &CFileProperties::AddTempo,
                     &CFileProperties::DeleteTempo);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
    column->addWidget(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
    Refill(nullptr, nullptr);
}

QComboBox* CFileProperties::AddRow(const QString& label, const QString& name,
                                   void (CFileProperties::*edit)(), void (CFileProperties::*add)(),
                                   void (CFileProperties::*remove)()) {
    auto* grid = static_cast<QGridLayout*>(layout()->itemAt(0)->layout());
    const int row = grid->rowCount();
    auto* list = new QComboBox(this);
    list->setMinimumWidth(fontMetrics().horizontalAdvance("000:00:000  000000.00") + 40);
    list->setMaxVisibleItems(16);
    list->setObjectName(name);
    grid->addWidget(new QLabel(label, this), row, 0);
    grid->addWidget(list, row, 1);
    int column = 2;
    for (const auto& [text, handler] :
         {std::pair{"Edit", edit}, std::pair{"Add", add}, std::pair{"Del", remove}}) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(name + text);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        grid->addWidget(button, row, column++);
    }
    return list;
}

void CFileProperties::Refill(const MidiEvent* tempo, const MidiEvent* signature) {
    const MidiSong& song = doc_.song;
    summary_->setText(Summary(song));
    Fill(*signatures_, song.timeSignatures, signature,
         [&song](const TimeSignatureEvent& event) { return TimeSignatureLine(song, event); });
    Fill(*tempos_, song.tempos, tempo,
         [&song](const TempoEvent& event) { return TempoLine(song, event); });
}

TempoEvent* CFileProperties::SelectedTempo() const {
    return Selected(*tempos_, doc_.song.tempos);
}

TimeSignatureEvent* CFileProperties::SelectedTimeSignature() const {
    return Selected(*signatures_, doc_.song.timeSignatures);
}

void CFileProperties::EditTempo() {
    TempoEvent* tempo = SelectedTempo();
    if (tempo == nullptr) {
        return;
    }
    const double shown = ShownBeatsPerMinute(tempo->value());
    CValueEntry entry(this);
    entry.setWindowTitle("Tempo");
    entry.SetValueLabel("Beats per minute");
    entry.SetValueRange(kTempoBeatsPerMinute);
    entry.SetValue(shown);
    if (prompts_.run(entry) && entry.Value() != shown) {
        doc_.SetTempoChange(*tempo, entry.Value());
        Refill(tempo, SelectedTimeSignature());
    }
}

void CFileProperties::AddTempo() {
    const MidiSong& song = doc_.song;
    CPosValueEntry entry(song, this);
    entry.setWindowTitle("Add Tempo Change");
    entry.SetValueLabel("Beats per minute");
    entry.SetValueRange(kTempoBeatsPerMinute);
    entry.SetPosition(song.TickToBarBeat(playTick_).value_or(BarBeat{1, 1, 0}));
    // A new change starts from the tempo it takes over from.
    entry.SetValue(ShownBeatsPerMinute(song.TempoAt(playTick_)));
    if (prompts_.run(entry) && doc_.AddTempoChange(entry.Tick(), entry.Value()) == 0) {
        Refill(LastAt(song.tempos, entry.Tick()), SelectedTimeSignature());
    }
}

void CFileProperties::DeleteTempo() {
    TempoEvent* tempo = SelectedTempo();
    if (tempo == nullptr ||
        !prompts_.confirm(this, "Tempo change delete", "Are you sure you want to delete it?")) {
        return;
    }
    doc_.DeleteTempoChange(*tempo);
    Refill(nullptr, SelectedTimeSignature());
}

void CFileProperties::EditTimeSignature() {
    TimeSignatureEvent* signature = SelectedTimeSignature();
    if (signature == nullptr) {
        return;
    }
    const MidiSong& song = doc_.song;
    CMeterEntry entry(song, this);
    entry.SetMeter(signature->numerator(), static_cast<int>(signature->denominator()), false,
                   song.TickToBarBeat(signature->time).value_or(BarBeat{1, 1, 0}));
    if (!prompts_.run(entry)) {
        return;
    }
    const std::int32_t time = signature->time;
    if (doc_.SetTimeSignature(time, entry.Numerator(), entry.Denominator()) == 0) {
        Refill(SelectedTempo(), LastAt(song.timeSignatures, time));
    }
}

void CFileProperties::AddTimeSignature() {
    const MidiSong& song = doc_.song;
    const Meter meter = song.TimeSignatureAt(playTick_);
    CMeterEntry entry(song, this);
    entry.SetMeter(meter.numerator, static_cast<int>(meter.denominator), true,
                   song.TickToBarBeat(playTick_).value_or(BarBeat{1, 1, 0}));
    if (prompts_.run(entry) &&
        doc_.SetTimeSignature(entry.Tick(), entry.Numerator(), entry.Denominator()) == 0) {
        Refill(SelectedTempo(), LastAt(song.timeSignatures, entry.Tick()));
    }
}

void CFileProperties::DeleteTimeSignature() {
    TimeSignatureEvent* signature = SelectedTimeSignature();
    if (signature == nullptr) {
        return;
    }
    if (signature == doc_.song.timeSignatures.front()) {
        prompts_.inform(this, "Time signature delete",
                        "The first time signature sets the meter of the song's start: edit it "
                        "instead.");
        return;
    }
    if (prompts_.confirm(this, "Time signature delete", "Are you sure you want to delete it?")) {
        doc_.DeleteTimeSignature(*signature);
        Refill(SelectedTempo(), nullptr);
    }
}

}  // namespace tavrino
