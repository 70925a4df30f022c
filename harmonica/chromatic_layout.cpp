#include "harmonica/chromatic_layout.h"

#include <algorithm>
#include <array>

#include "harmonica/key_list.h"
#include "harmonica/tuning_file.h"

namespace tavrino {

namespace {

// Entry layout: bits 0-7 the hole number + 64 (hole index plus the tuning's
// holeNumberOffset, so low holes stay positive), bits 8-11 the kind.
constexpr int kHoleBias = 64;

TabEntry Encode(int numberedHole, int kind) {
    return static_cast<TabEntry>(numberedHole + kHoleBias + kind * 256);
}

int NumberedHoleOf(TabEntry entry) {
    return (entry & 0xFF) - kHoleBias;
}
ChromaticKind KindOf(TabEntry entry) {
    return static_cast<ChromaticKind>((entry >> 8) & 0xF);
}

// A note reachable without the slide comes before one that needs it, and
// draw before blow at the same slide position.
constexpr std::array<int, kChromaticKindCount> kPriority = {1, 3, 0, 2};

int PriorityOf(ChromaticKind kind) {
    return kPriority[static_cast<int>(kind)];
}

bool IsBlown(ChromaticKind kind) {
    return kind == ChromaticKind::BlowOut || kind == ChromaticKind::BlowIn;
}
bool NeedsSlide(ChromaticKind kind) {
    return kind == ChromaticKind::BlowIn || kind == ChromaticKind::DrawIn;
}

}  // namespace

void ChromaticLayout::Build(int key, const ChromaticTuning* tuning) {
    tuning_ = tuning != nullptr ? tuning : &DefaultChromaticTuning();
    key_ = key;
    holeCount_ = std::clamp<int>(tuning_->holes, 0, kMaxHoles);
    index_.Clear();
    for (int hole = 0; hole < holeCount_; ++hole) {
        for (int kind = 0; kind < kChromaticKindCount; ++kind) {
            // Among reeds of equal priority the later, higher hole comes first.
            const int priority = kPriority[kind];
            index_.File(
                tuning_->notes[hole][kind] + key_, Encode(hole + tuning_->holeNumberOffset, kind),
                [priority](TabEntry existing) { return priority <= PriorityOf(KindOf(existing)); });
        }
    }
}

int ChromaticLayout::LoadTuningFile(const std::string& path) {
    return ReadTuningFile(path, CustomChromaticTuning());
}

int ChromaticLayout::GetHoleNote(int hole, int kind) const {
    if (hole < 0 || hole >= holeCount_ || kind < 0 || kind >= kChromaticKindCount) {
        return -1;
    }
    return std::min(tuning_->notes[hole][kind] + key_ + 12, kNoteCount);
}

std::string ChromaticLayout::GetTitle() const {
    return kChromaticKeys.Title(tuning_->name.view(), key_);
}

std::optional<Tab> ChromaticLayout::GetTab(int note, int index, const TabSymbols& symbols) const {
    const auto entry = EntryOf(note, index);
    if (!entry) {
        return std::nullopt;
    }
    const ChromaticKind kind = KindOf(*entry);
    const int numberedHole = NumberedHoleOf(*entry);

    Tab tab;
    tab.symbol.assign(1, IsBlown(kind) ? symbols.cblowSym : symbols.cdrawSym);
    // Low holes are numbered 1 to 4 again, counting up to the usual hole 1.
    tab.lowHole = numberedHole < 0;
    tab.holeText = std::to_string(tab.lowHole ? numberedHole + 5 : numberedHole + 1);
    if (NeedsSlide(kind)) {
        tab.holeText.push_back(symbols.cslideSym);
    }
    return tab;
}

std::optional<ChromaticFirstTab> ChromaticLayout::GetFirstTab(int note) const {
    const auto entry = EntryOf(note, 0);
    if (!entry) {
        return std::nullopt;
    }
    return ChromaticFirstTab{NumberedHoleOf(*entry) - tuning_->holeNumberOffset, KindOf(*entry)};
}

}  // namespace tavrino
