#include "harmonica/diatonic_layout.h"

#include <algorithm>

#include "harmonica/key_list.h"
#include "harmonica/tuning_file.h"

namespace tavrino {

namespace {

// Entry layout: bits 0-7 the hole, bits 8-11 the kind, bits 12-15 the
// reversed flag.
TabEntry Encode(const HoleNote& cell) {
    return static_cast<TabEntry>(cell.hole + static_cast<int>(cell.kind) * 256 +
                                 cell.reversed * 4096);
}

int HoleOf(TabEntry entry) {
    return entry & 0xFF;
}
DiatonicKind KindOf(TabEntry entry) {
    return static_cast<DiatonicKind>((entry >> 8) & 0xF);
}
bool ReversedOf(TabEntry entry) {
    return ((entry >> 12) & 0xF) != 0;
}

bool IsBend(DiatonicKind kind) {
    return kind >= DiatonicKind::Bend1;
}

}  // namespace

void DiatonicLayout::Reset(int key, const DiatonicTuning* tuning, const Settings& settings) {
    brushes_.reset();
    Build(key, tuning);
    CreateBrushes(settings);
}

void DiatonicLayout::Build(int key, const DiatonicTuning* tuning) {
    tuning_ = tuning != nullptr ? tuning : &DefaultDiatonicTuning();
    key_ = key;
    holeCount_ = std::clamp<int>(tuning_->holes, 0, kMaxHoles);
    cells_ = {};
    for (int hole = 0; hole < holeCount_; ++hole) {
        DeriveCells(hole);
    }
    BuildIndex();
}

void DiatonicLayout::DeriveCells(int hole) {
    const int blow = tuning_->blow[hole];
    const int draw = tuning_->draw[hole];
    const bool reversed = draw <= blow;
    const int high = std::max(blow, draw);
    const int low = std::min(blow, draw);
    auto& slots = cells_[hole];
    const auto put = [&](DiatonicKind kind, int note) {
        slots[static_cast<int>(kind)] =
            HoleNote{static_cast<std::int16_t>(note), kind, static_cast<std::int16_t>(reversed),
                     static_cast<std::int16_t>(hole)};
    };
    put(DiatonicKind::Blow, blow);
    put(DiatonicKind::Draw, draw);
    put(DiatonicKind::Over, tuning_->valved[hole] != 0 ? low - 1 : high + 1);
    // The higher reed bends down toward the lower one, never onto it: a gap
    // of two semitones gives one bend, of four or more three.
    for (int step = 1; step <= 3 && step < high - low; ++step) {
        put(static_cast<DiatonicKind>(static_cast<int>(DiatonicKind::Bend1) + step - 1),
            high - step);
    }
}

void DiatonicLayout::BuildIndex() {
    index_.Clear();
    for (int hole = 0; hole < holeCount_; ++hole) {
        for (const auto& cell : cells_[hole]) {
            if (!cell) {
                continue;
            }
            // A new entry goes before the first entry of a later kind, and
            // before any Over: so the Over of a lower hole gives way to every
            // note of the holes above it.
            index_.File(cell->note + key_, Encode(*cell), [kind = cell->kind](TabEntry existing) {
                const DiatonicKind other = KindOf(existing);
                return other > kind || other == DiatonicKind::Over;
            });
        }
    }
}

void DiatonicLayout::Clear() {
    HarmonicaLayout::Clear();
    cells_ = {};
    brushes_.reset();
}

void DiatonicLayout::CreateBrushes(const Settings& settings) {
    brushes_ =
        Brushes{settings.colorBlow, settings.colorDraw, settings.colorBend, settings.colorOver};
}

int DiatonicLayout::LoadTuningFile(const std::string& path) {
    return ReadTuningFile(path, CustomDiatonicTuning());
}

const HoleNote* DiatonicLayout::GetHoleCell(int hole, int kind) const {
    if (hole < 0 || hole >= kMaxHoles || kind < 0 || kind >= kDiatonicKindCount) {
        return nullptr;
    }
    const auto& cell = cells_[hole][kind];
    return cell ? &*cell : nullptr;
}

std::string DiatonicLayout::GetTitle() const {
    return kDiatonicKeys.Title(tuning_->name.view(), key_, tuning_->keyOffset);
}

std::optional<Tab> DiatonicLayout::GetTab(int note, int index, const TabSymbols& symbols) const {
    const auto entry = EntryOf(note, index);
    if (!entry) {
        return std::nullopt;
    }
    const int hole = HoleOf(*entry);
    const DiatonicKind kind = KindOf(*entry);
    const bool reversed = ReversedOf(*entry);

    const bool blown = kind == DiatonicKind::Blow || (IsBend(kind) && reversed) ||
                       (kind == DiatonicKind::Over && !reversed);
    Tab tab;
    tab.symbol.assign(1, blown ? symbols.dblowSym : symbols.ddrawSym);
    tab.holeText = std::to_string(hole + 1);
    Colour Brushes::*brush = blown ? &Brushes::blow : &Brushes::draw;
    if (IsBend(kind)) {
        tab.holeText.append(static_cast<int>(kind) - static_cast<int>(DiatonicKind::Bend1) + 1,
                            symbols.dbendSym);
        brush = &Brushes::bend;
    } else if (kind == DiatonicKind::Over) {
        const bool valved = tuning_->valved[hole] != 0;
        tab.holeText.push_back(valved ? symbols.dbendSym : symbols.doverSym);
        brush = valved ? &Brushes::bend : &Brushes::over;
    }
    if (brushes_) {
        tab.brush = (*brushes_).*brush;
    }
    return tab;
}

std::optional<DiatonicFirstTab> DiatonicLayout::GetFirstTab(int note) const {
    const auto entry = EntryOf(note, 0);
    if (!entry) {
        return std::nullopt;
    }
    const int hole = HoleOf(*entry);
    return DiatonicFirstTab{hole, KindOf(*entry), ReversedOf(*entry), tuning_->valved[hole] != 0};
}

}  // namespace tavrino
