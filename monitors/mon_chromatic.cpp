#include "monitors/mon_chromatic.h"

#include "harmonica/note_naming.h"

namespace tavrino {

namespace {

constexpr int kFirstButtonId = 33678;
constexpr int kReedWidth = 24;
constexpr int kGridLeft = 10;
constexpr int kNarrowWindowWidth = 310;
constexpr int kWindowHeight = 149;
constexpr std::array<std::string_view, 5> kChromaticOctaveNames = {"-2", "Tenor", "Std", "+1",
                                                                   "+2"};

struct ReedRow {
    int top;
    int height;
    bool slideIn;  // the thin rows of the pushed slide, narrower at the ends
};
constexpr std::array<ReedRow, kChromaticKindCount> kRows = {{
    {56, 20, false},
    {40, 16, true},
    {78, 20, false},
    {98, 16, true},
}};

QRect ReedRect(int hole, int holeCount, ChromaticKind kind) {
    const ReedRow row = kRows[static_cast<int>(kind)];
    int left = kReedWidth * hole + kGridLeft;
    int width = kReedWidth;
    if (row.slideIn && hole == 0) {
        left += 4;
        width = 20;
    } else if (row.slideIn && hole == holeCount - 1) {
        width = 20;
    }
    return {left, row.top, width, row.height};
}

}  // namespace

CMonChromatic::CMonChromatic(const MonitorServices& services)
    : CMonitor(services.store), services_(services) {}

int CMonChromatic::PreCreate(MonitorCreateParameters& parameters) {
    parameters.title = "Tavrino! Chromatic Harmonica";
    return 0;
}

int CMonChromatic::CreateContents() {
    setFocusPolicy(Qt::StrongFocus);
    const auto selector = [this](const QRect& place) {
        auto* box = new QComboBox(this);
        box->setGeometry(place);
        box->setFont(ArialFont(12));
        box->setFocusPolicy(Qt::NoFocus);
        return box;
    };
    tuning_ = selector({2, 2, 193, 21});
    key_ = selector({200, 2, 40, 21});
    octave_ = selector({245, 2, 58, 21});
    RefreshTuningNames();
    for (int position = 0; position < 12; ++position) {
        key_->addItem(FromView(kChromaticKeys.Name(position)));
    }
    for (const std::string_view name : kChromaticOctaveNames) {
        octave_->addItem(FromView(name));
    }
    connect(tuning_, &QComboBox::activated, this, &CMonChromatic::ChooseTuning);
    connect(key_, &QComboBox::activated, this, &CMonChromatic::ChooseKey);
    connect(octave_, &QComboBox::activated, this, &CMonChromatic::ChooseKey);
    ShowSelection();
    RestorePlacement(-1, -1, true);
    LayOutReeds();
    ResetDisplay(false);
    return 0;
}

void CMonChromatic::RefreshTuningNames() {
    ShowTuningNames(*tuning_, ChromaticTunings());
}

void CMonChromatic::ShowSelection() {
    const ChromaticLayout& layout = services_.chromatic;
    tuning_->setCurrentIndex(TuningPosition(ChromaticTunings(), layout.GetTuning()));
    const KeyChoice key = kChromaticKeys.ChoiceOf(layout.GetKey());
    key_->setCurrentIndex(key.keyPosition);
    octave_->setCurrentIndex(key.octavePosition);
}

void CMonChromatic::LayOutReeds() {
    // A note sounding across the change must not leave a button stuck.
    buttons_.DeleteAll();
    const ChromaticLayout& layout = services_.chromatic;
    const int holeCount = layout.GetHoleCount();
    const int naming = services_.settings.musicNoteType;
    const Rgb blow = services_.settings.colorBlow.ToRgb();
    const Rgb draw = services_.settings.colorDraw.ToRgb();
    for (int hole = 0; hole < holeCount; ++hole) {
        for (int k = 0; k < kChromaticKindCount; ++k) {
            // The layout's hole note is an octave up, for naming only.
            const int note = layout.GetHoleNote(hole, k) - 12;
            if (note < 0 || note >= kNoteCount) {
                continue;
            }
            const auto kind = static_cast<ChromaticKind>(k);
            auto* button = new NoteButton(kFirstButtonId + kChromaticKindCount * hole + k,
                                          FromView(NoteName(note, naming)), this);
            button->setFont(ArialFont(kRows[k].height < 20 ? 10 : 12));
            button->setGeometry(ReedRect(hole, holeCount, kind));
            const Rgb accent =
                kind == ChromaticKind::BlowOut || kind == ChromaticKind::BlowIn ? blow : draw;
            button->setAccent(QColor(accent.red, accent.green, accent.blue));
            // Pressing only takes the focus: the chromatic monitor does not sound.
            connect(button, &NoteButton::notePressed, this, [this] { setFocus(); });
            button->show();
            buttons_.Put(static_cast<std::size_t>(hole * kChromaticKindCount + k), button);
        }
    }
    const int width = holeCount < 12 ? kNarrowWindowWidth : kReedWidth * holeCount + 30;
    setFixedSize(width, kWindowHeight);
    update();
}

NoteButton* CMonChromatic::Button(int hole, ChromaticKind kind) const {
    if (hole < 0 || hole >= kMaxHoles) {
        return nullptr;
    }
    return buttons_[static_cast<std::size_t>(hole * kChromaticKindCount + static_cast<int>(kind))];
}

void CMonChromatic::ApplySettings() {
    LayOutReeds();
}

int CMonChromatic::ResetDisplay(bool) {
    buttons_.ReleaseAll();
    return 0;
}

std::optional<int> CMonChromatic::SlotOf(int key) const {
    if (key < 0 || key >= kNoteCount) {
        return std::nullopt;
    }
    const auto tab = services_.chromatic.GetFirstTab(key);
    if (!tab || tab->hole < 0 || tab->hole >= kMaxHoles) {
        return std::nullopt;
    }
    return tab->hole * kChromaticKindCount + static_cast<int>(tab->kind);
}

void CMonChromatic::NoteOn(int key, int, int) {
    if (const auto slot = SlotOf(key)) {
        buttons_.Press(static_cast<std::size_t>(*slot));
    }
}

void CMonChromatic::NoteOff(int key, int, int) {
    if (const auto slot = SlotOf(key)) {
        buttons_.Release(static_cast<std::size_t>(*slot));
    }
}

void CMonChromatic::ChooseTuning(int position) {
    const auto tunings = ChromaticTunings();
    if (position < 0 || position >= static_cast<int>(tunings.size())) {
        return;
    }
    ChromaticLayout& layout = services_.chromatic;
    if (position == static_cast<int>(tunings.size()) - 1) {
        if (!LoadCustomTuning(layout, "chromatic",
                              "a CHROMATIC line, a NAME line and the four rows of note names",
                              *prompt_, this)) {
            ShowSelection();
            return;
        }
        RefreshTuningNames();
    }
    layout.Build(layout.GetKey(), &tunings[position]);
    LayoutRebuilt();
}

void CMonChromatic::ChooseKey() {
    if (key_->currentIndex() < 0 || octave_->currentIndex() < 0) {
        return;
    }
    ChromaticLayout& layout = services_.chromatic;
    layout.Build(kChromaticKeys.KeyOf({key_->currentIndex(), octave_->currentIndex()}),
                 &layout.GetTuning());
    LayoutRebuilt();
}

void CMonChromatic::LayoutRebuilt() {
    ShowSelection();
    LayOutReeds();
    setFocus();
    if (services_.layoutChanged) {
        services_.layoutChanged(LayoutFamily::kChromatic);
    }
}

void CMonChromatic::SetTuningFilePrompt(std::unique_ptr<TuningFilePrompt> prompt) {
    prompt_ = std::move(prompt);
}

}  // namespace tavrino
