#include "monitors/mon_diatonic.h"

#include <QPainter>

#include "harmonica/harp_plan.h"
#include "harmonica/note_naming.h"
#include "monitors/diatonic_geometry.h"
#include "monitors/harmonica_picture.h"
#include "monitors/key_positions.h"
#include "monitors/saved_placement.h"
#include "monitors/tuning_choice.h"

namespace tavrino {

namespace {

using namespace diatonic_geometry;

constexpr int kHarmonicaProgram = 22;
// The side panel lists the best few harmonicas; its tooltip all of them.
constexpr int kShownHarps = 3;
constexpr int kDiatonicKeyCount = 12;
constexpr int kHoleKeys = 10;
// Keyboard positions: the digit row blows holes 1-10, the row below draws.
constexpr int kFirstDigitKey = 2;
constexpr int kFirstLetterKey = 16;
constexpr const char* kHoleTip =
    "Available notes, press to make it sound or enter notes in edit mode";

QColor ToQColor(Colour colour) {
    const Rgb rgb = colour.ToRgb();
    return {rgb.red, rgb.green, rgb.blue};
}

QColor AccentOf(const Settings& settings, DiatonicKind kind, bool valved) {
    switch (kind) {
        case DiatonicKind::Blow:
            return ToQColor(settings.colorBlow);
        case DiatonicKind::Draw:
            return ToQColor(settings.colorDraw);
        case DiatonicKind::Over:
            return ToQColor(valved ? settings.colorBend : settings.colorOver);
        default:
            return ToQColor(settings.colorBend);
    }
}

}  // namespace

CMonDiatonic::CMonDiatonic(const MonitorServices& services)
    : PlayableMonitor(services.store, kHarmonicaProgram), services_(services) {}

CMonDiatonic::~CMonDiatonic() = default;

int CMonDiatonic::PreCreate(MonitorCreateParameters& parameters) {
    parameters.title = "Tavrino! Diatonic Harmonica";
    return 0;
}

int CMonDiatonic::CreateContents() {
    setFocusPolicy(Qt::StrongFocus);
    panel_ = new DiatonicPanel(this);
    connect(panel_, &DiatonicPanel::tuningChosen, this, &CMonDiatonic::ChooseTuning);
    connect(panel_, &DiatonicPanel::keyChosen, this, &CMonDiatonic::ChooseKey);
    connect(panel_, &DiatonicPanel::visibilityChanged, this, &CMonDiatonic::ApplyVisibility);
    connect(panel_, &DiatonicPanel::statisticsToggled, this, &CMonDiatonic::UpdateStatistics);
    expand_ = new QPushButton(this);
    expand_->setFont(ArialFont(12));
    expand_->setFocusPolicy(Qt::NoFocus);
    expand_->setToolTip("Expand/shrink dialog");
    connect(expand_, &QPushButton::clicked, this, [this] { SetExpanded(!expanded_); });
    ShowSelection();
    RestoreOwnPlacement();
    ApplyExpanded();
    ResetDisplay(false);
    return 0;
}

void CMonDiatonic::DestroyContents() {
    SilenceHeldKeys();
}

void CMonDiatonic::RestoreOwnPlacement() {
    const SettingsStore& store = services_.store;
    const auto x = store.ReadInteger(kStateSection, PlacementPrefix() + "x1");
    const auto y = store.ReadInteger(kStateSection, PlacementPrefix() + "y1");
    if (x && y) {
        const QRect kept = KeepOnScreen(QRect(static_cast<int>(*x), static_cast<int>(*y), 1, 1),
                                        PrimaryScreenSize(), StandardIconSize());
        move(kept.topLeft());
    }
    expanded_ = store.ReadInteger(kStateSection, PlacementPrefix() + "optVisible").value_or(1) != 0;
}

void CMonDiatonic::SavePlacement() {
    CMonitor::SavePlacement();
    services_.store.WriteInteger(kStateSection, PlacementPrefix() + "optVisible",
                                 expanded_ ? 1 : 0);
}

void CMonDiatonic::SetExpanded(bool expanded) {
    expanded_ = expanded;
    ApplyExpanded();
    UpdateStatistics();
}

void CMonDiatonic::ApplyExpanded() {
    margin_ = expanded_ ? kExpandedMargin : kCollapsedMargin;
    panel_->setVisible(expanded_);
    expand_->setText(expanded_ ? "<<<" : ">>>");
    expand_->setGeometry(QRect(ExpandButtonPosition(margin_), QSize(30, 18)));
    LayOutHarmonica();
    ApplyVisibility();
}

void CMonDiatonic::ShowSelection() {
    const DiatonicLayout& layout = services_.diatonic;
    panel_->ShowSelection(TuningPosition(DiatonicTunings(), layout.GetTuning()),
                          kDiatonicKeys.ChoiceOf(layout.GetKey(), layout.GetTuning().keyOffset));
}

void CMonDiatonic::LayOutHarmonica() {
    // A note sounding across the change must not leave a button stuck.
    buttons_.DeleteAll();
    const DiatonicLayout& layout = services_.diatonic;
    const int key = layout.GetKey();
    const int naming = services_.settings.musicNoteType;
    const QFont font = ArialFont(12);
    for (int hole = 0; hole < layout.GetHoleCount(); ++hole) {
        const bool valved = layout.GetTuning().valved[hole] != 0;
        for (int k = 0; k < kDiatonicKindCount; ++k) {
            const HoleNote* cell = layout.GetHoleCell(hole, k);
            const int note = cell == nullptr ? -1 : cell->note + key;
            if (note < 0 || note >= kNoteCount) {
                continue;
            }
            const auto kind = static_cast<DiatonicKind>(k);
            const std::string_view name = NoteName(note, naming);
            auto* button = new NoteButton(ButtonId(hole, kind),
                                          QString::fromUtf8(name.data(), name.size()), this);
            button->setFont(font);
            button->setGeometry(ButtonRect(margin_, hole, kind, cell->reversed != 0));
            button->setAccent(AccentOf(services_.settings, kind, valved));
            button->setToolTip(kHoleTip);
            button->hide();
            connect(button, &NoteButton::notePressed, this,
                    [this, hole, kind] { PressCell(hole, kind, true); });
            connect(button, &NoteButton::noteReleased, this,
                    [this, hole, kind] { PressCell(hole, kind, false); });
            buttons_.Put(static_cast<std::size_t>(hole * kDiatonicKindCount + k), button);
        }
    }
    FitWindow();
    update();
}

void CMonDiatonic::ApplyVisibility() {
    for (std::size_t slot = 0; slot < buttons_.size(); ++slot) {
        NoteButton* button = buttons_[slot];
        if (button == nullptr) {
            continue;
        }
        const auto kind = static_cast<DiatonicKind>(slot % kDiatonicKindCount);
        bool shown = true;
        if (kind == DiatonicKind::Over) {
            shown = panel_->showOvers();
        } else if (kind != DiatonicKind::Blow && kind != DiatonicKind::Draw) {
            shown = panel_->showBends();
        }
        button->setVisible(shown);
    }
}

NoteButton* CMonDiatonic::Button(int hole, DiatonicKind kind) const {
    if (hole < 0 || hole >= kMaxHoles) {
        return nullptr;
    }
    return buttons_[static_cast<std::size_t>(hole * kDiatonicKindCount + static_cast<int>(kind))];
}

void CMonDiatonic::ApplySettings() {
    LayOutHarmonica();
    ApplyVisibility();
    UpdateStatistics();
}

int CMonDiatonic::ResetDisplay(bool) {
    buttons_.ReleaseAll();
    UpdateStatistics();
    return 0;
}

void CMonDiatonic::UpdateStatistics() {
    if (panel_ == nullptr) {
        return;
    }
    if (!expanded_ || !panel_->showStats()) {
        panel_->HideStatistics();
        FitWindow();
        return;
    }
    // Edits may have changed the notes since the last change: each change
    // walks the song once, and only while the statistics show.
    setCursor(Qt::WaitCursor);
    const CTavrinoDoc& doc = services_.doc;
    TickRange range;
    if (doc.beginMark != kNoMark) {
        range.begin = doc.beginMark;
    }
    if (doc.endMark != kNoMark) {
        range.end = doc.endMark;
    }
    const std::vector<TrackNotes> survey = SurveyTracks(
        doc.song, [](const MidiTrack& track) { return track.visible(); }, range);
    unsetCursor();
    const DiatonicLayout& layout = services_.diatonic;
    const HarpPlan plan = PlanHarps(doc.song, survey, layout.GetTuning());
    panel_->ShowStatistics(CountTechniques(layout, SumHistograms(survey)),
                           RankingText(plan, kShownHarps), RankingText(plan, kDiatonicKeyCount));
    FitWindow();
}

QString CMonDiatonic::RankingText(const HarpPlan& plan, int harps) const {
    if (plan.counted.empty()) {
        return {};
    }
    QString part = "all tracks";
    if (plan.counted.size() == 1) {
        const std::size_t track = plan.counted.front().track;
        const std::string& name = services_.doc.song.tracks.at(track)->name;
        part = name.empty() ? QString("track %1").arg(track) : FromView(name).toHtmlEscaped();
    }
    QString text = QString("<b>Best harps</b> for %1:").arg(part);
    for (int i = 0; i < harps && i < static_cast<int>(plan.fits.size()); ++i) {
        const KeyFit& fit = plan.fits[i];
        const auto position = plan.PositionOf(fit);
        text += QString("<br>%1 %2 &nbsp;%3 bends%4")
                    .arg(FromView(HarpName(fit)))
                    .arg(position ? FromView(PositionName(*position)) : QString())
                    .arg(BendCount(fit))
                    .arg(fit.efforts[Effort::Unavailable] > 0
                             ? QString(", %1 missing").arg(fit.efforts[Effort::Unavailable])
                             : QString());
    }
    return text;
}

void CMonDiatonic::FitWindow() {
    const int holes = services_.diatonic.GetHoleCount();
    QSize size = WindowSize(holes, margin_);
    if (expanded_) {
        size.setHeight(std::max(size.height(), panel_->ContentBottom() + 4));
    }
    setFixedSize(size);
}

std::optional<int> CMonDiatonic::SlotOf(int key, int cell) const {
    if (key < 0 || key >= kNoteCount) {
        return std::nullopt;
    }
    const auto tab = services_.diatonic.GetFirstTab(key);
    if (!tab) {
        return std::nullopt;
    }
    int hole = tab->hole;
    int kind = static_cast<int>(tab->kind);
    if (cell != -1) {
        hole = cell & 0xFFFF;
        kind = cell >> 16;
    }
    if (hole < 0 || hole >= kMaxHoles || kind < 0 || kind >= kDiatonicKindCount) {
        return std::nullopt;
    }
    return hole * kDiatonicKindCount + kind;
}

void CMonDiatonic::NoteOn(int key, int, int cell) {
    if (const auto slot = SlotOf(key, cell)) {
        buttons_.Press(static_cast<std::size_t>(*slot));
    }
}

void CMonDiatonic::NoteOff(int key, int, int cell) {
    if (const auto slot = SlotOf(key, cell)) {
        buttons_.Release(static_cast<std::size_t>(*slot));
    }
}

void CMonDiatonic::PressCell(int hole, DiatonicKind kind, bool down) {
    const HoleNote* cell = services_.diatonic.GetHoleCell(hole, static_cast<int>(kind));
    if (cell == nullptr) {
        return;
    }
    PlayNote({cell->note + services_.diatonic.GetKey(), CellOf(hole, kind)}, down);
}

std::optional<KeyNote> CMonDiatonic::KeyNoteAt(int position) const {
    DiatonicKind kind = DiatonicKind::Blow;
    int hole = position - kFirstDigitKey;
    if (position >= kFirstLetterKey) {
        kind = DiatonicKind::Draw;
        hole = position - kFirstLetterKey;
    }
    if (hole < 0 || hole >= kHoleKeys) {
        return std::nullopt;
    }
    const HoleNote* cell = services_.diatonic.GetHoleCell(hole, static_cast<int>(kind));
    const int note = cell == nullptr ? -1 : cell->note + services_.diatonic.GetKey();
    if (note < 0 || note >= kNoteCount) {
        return std::nullopt;
    }
    return KeyNote{note, CellOf(hole, kind)};
}

void CMonDiatonic::ChooseTuning(int position) {
    const auto tunings = DiatonicTunings();
    if (position < 0 || position >= static_cast<int>(tunings.size())) {
        return;
    }
    DiatonicLayout& layout = services_.diatonic;
    if (position == static_cast<int>(tunings.size()) - 1) {
        if (!LoadCustomTuning(layout, "diatonic",
                              "a DIATONIC line, a NAME line and BLOW and DRAW rows of note names",
                              *prompt_, this)) {
            ShowSelection();
            return;
        }
        panel_->RefreshTuningNames();
    }
    layout.Build(layout.GetKey(), &tunings[position]);
    LayoutRebuilt();
}

void CMonDiatonic::ChooseKey(KeyChoice key) {
    DiatonicLayout& layout = services_.diatonic;
    const DiatonicTuning& tuning = layout.GetTuning();
    layout.Build(kDiatonicKeys.KeyOf(key, tuning.keyOffset), &tuning);
    LayoutRebuilt();
}

void CMonDiatonic::LayoutRebuilt() {
    ShowSelection();
    LayOutHarmonica();
    ApplyVisibility();
    UpdateStatistics();
    setFocus();
    if (services_.layoutChanged) {
        services_.layoutChanged(LayoutFamily::kDiatonic);
    }
}

void CMonDiatonic::SetTuningFilePrompt(std::unique_ptr<TuningFilePrompt> prompt) {
    prompt_ = std::move(prompt);
}

void CMonDiatonic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const DiatonicLayout& layout = services_.diatonic;
    const TabSymbols& symbols = services_.settings.symbols;
    painter.setFont(ArialFont(10));
    painter.setPen(QColor(40, 40, 40));
    painter.drawText(QRect(margin_, 52, 2 * kEndWidth - 2, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QString("BLOW %1").arg(QChar(symbols.dblowSym)));
    painter.drawText(QRect(margin_, 118, 2 * kEndWidth - 2, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QString("DRAW %1").arg(QChar(symbols.ddrawSym)));
    HarmonicaPicture picture;
    picture.left = margin_ + kEndWidth;
    picture.top = kBodyTop;
    picture.holeCount = layout.GetHoleCount();
    const std::string_view keyName = KeyName(layout.GetKey() + layout.GetTuning().keyOffset);
    picture.keyName = QString::fromUtf8(keyName.data(), keyName.size());
    for (int hole = 0; hole < picture.holeCount; ++hole) {
        picture.valved.push_back(layout.GetTuning().valved[hole] != 0);
    }
    PaintHarmonica(painter, picture);
}

}  // namespace tavrino
