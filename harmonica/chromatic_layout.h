#pragma once

#include <cstdint>
#include <optional>

#include "harmonica/harmonica_layout.h"
#include "harmonica/tunings.h"

namespace tavrino {

// The four reeds of a chromatic hole, the columns of ChromaticTuning::notes.
enum class ChromaticKind : std::int16_t {
    BlowOut = 0,  // blow, slide out
    BlowIn = 1,   // blow, slide pushed in
    DrawOut = 2,
    DrawIn = 3,
};

struct ChromaticFirstTab {
    int hole = 0;  // 0-based physical hole
    ChromaticKind kind = ChromaticKind::BlowOut;
};

// The chromatic harmonica: four reeds per hole, no bends, no colours.
class ChromaticLayout : public HarmonicaLayout {
public:
    // Rebuilds the index for the tuning (none: the default tuning) in the
    // key. The tuning record must outlive the layout's use of it.
    void Build(int key, const ChromaticTuning* tuning = nullptr);
    int LoadTuningFile(const std::string& path) override;

    const ChromaticTuning& GetTuning() const { return *tuning_; }
    // The reed's note + key + 12, at most 128, for the monitor's labels (it
    // uses only the pitch class); -1 outside the holes or kinds.
    int GetHoleNote(int hole, int kind) const;

    std::string GetTitle() const override;
    std::optional<Tab> GetTab(int note, int index, const TabSymbols& symbols) const override;
    // Entry 0 of the note; none when no reed plays it.
    std::optional<ChromaticFirstTab> GetFirstTab(int note) const;

private:
    const ChromaticTuning* tuning_ = &DefaultChromaticTuning();
};

}  // namespace tavrino
