#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "harmonica/harmonica_layout.h"
#include "harmonica/tunings.h"

namespace tavrino {

// The notes a diatonic hole gives, in the order of its cell slots. The
// entries of a note index with equal notes are ordered by kind: plain draw
// before plain blow, plain notes before bends, small bends before large.
enum class DiatonicKind : std::int16_t {
    // One semitone above the higher reed: an overblow when the draw reed is
    // higher, an overdraw when the blow reed is. On a valved hole instead a
    // valved bend, one semitone below the lower reed.
    Over = 0,
    Draw = 1,
    Blow = 2,
    Bend1 = 3,  // the higher reed bent down one semitone
    Bend2 = 4,
    Bend3 = 5,
};

inline constexpr int kDiatonicKindCount = 6;

// One note of one hole.
struct HoleNote {
    std::int16_t note = 0;  // semitones relative to the key
    DiatonicKind kind = DiatonicKind::Blow;
    // 1 when the blow reed is higher than or equal to the draw reed (the top
    // holes of a Richter harmonica): its bends are blown, its Over is drawn.
    std::int16_t reversed = 0;
    std::int16_t hole = 0;  // 0-based
};

// The preferred way to play a note, as the diatonic monitor shows it.
struct DiatonicFirstTab {
    int hole = 0;  // 0-based
    DiatonicKind kind = DiatonicKind::Blow;
    bool reversed = false;
    bool valved = false;  // the tuning has valves on this hole
};

// The diatonic harmonica: blow and draw notes, bends of one to three
// semitones, overblows, overdraws and valved bends of a tuning in a key.
class DiatonicLayout : public HarmonicaLayout {
public:
    // Builds the layout and takes its colours from the settings; the colours
    // stay until the next Reset.
    void Reset(int key, const DiatonicTuning* tuning, const Settings& settings);
    // Rebuilds cells and index for the tuning (none: the default tuning) in
    // the key. The tuning record must outlive the layout's use of it.
    void Build(int key, const DiatonicTuning* tuning = nullptr);
    void Clear() override;
    void CreateBrushes(const Settings& settings);
    int LoadTuningFile(const std::string& path) override;

    const DiatonicTuning& GetTuning() const { return *tuning_; }
    // The cell of a hole (0-based) and kind, or none.
    const HoleNote* GetHoleCell(int hole, int kind) const;

    std::string GetTitle() const override;
    std::optional<Tab> GetTab(int note, int index, const TabSymbols& symbols) const override;
    // Entry 0 of the note; none when no hole plays it.
    std::optional<DiatonicFirstTab> GetFirstTab(int note) const;

private:
    struct Brushes {
        Colour blow;
        Colour draw;
        Colour bend;
        Colour over;
    };

    void DeriveCells(int hole);
    void BuildIndex();

    const DiatonicTuning* tuning_ = &DefaultDiatonicTuning();
    std::array<std::array<std::optional<HoleNote>, kDiatonicKindCount>, kMaxHoles> cells_{};
    std::optional<Brushes> brushes_;
};

}  // namespace tavrino
