#include "harmonica/key_ranking.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <tuple>

#include "harmonica/diatonic_layout.h"

namespace tavrino {

namespace {

// Lower is easier: the weighted cost, then the fewer missing notes.
auto Difficulty(const KeyFit& fit) {
    return std::make_tuple(fit.cost, fit.efforts[Effort::Unavailable]);
}

EffortCounts CountEfforts(const DiatonicLayout& layout, const NoteHistogram& notes) {
    EffortCounts counts;
    for (int note = 0; note < kNoteCount; ++note) {
        if (notes[note] > 0) {
            counts.Add(EffortOf(layout, note), notes[note]);
        }
    }
    return counts;
}

// Of two octaves that play the part equally well, the one nearer "Std".
bool PlaysBetter(const KeyFit& a, const KeyFit& b) {
    const auto distanceFromStd = [](const KeyFit& fit) {
        return std::abs(fit.choice.octavePosition - 2);
    };
    return std::make_tuple(Difficulty(a), distanceFromStd(a)) <
           std::make_tuple(Difficulty(b), distanceFromStd(b));
}

}  // namespace

TechniqueCounts CountTechniques(const DiatonicLayout& layout, const NoteHistogram& notes) {
    TechniqueCounts counts;
    for (int note = 0; note < kNoteCount; ++note) {
        if (notes[note] > 0) {
            counts.Add(ClassifyNote(layout, note), notes[note]);
        }
    }
    return counts;
}

std::vector<KeyFit> RankDiatonicKeys(const NoteHistogram& notes, const DiatonicTuning& tuning) {
    DiatonicLayout layout;
    std::vector<KeyFit> fits;
    for (int keyPosition = 0; keyPosition < 12; ++keyPosition) {
        std::optional<KeyFit> best;
        for (int octave = 0; octave < static_cast<int>(kOctaveNames.size()); ++octave) {
            KeyFit fit;
            fit.choice = {keyPosition, octave};
            fit.key = kDiatonicKeys.KeyOf(fit.choice, tuning.keyOffset);
            layout.Build(fit.key, &tuning);
            fit.counts = CountTechniques(layout, notes);
            fit.efforts = CountEfforts(layout, notes);
            fit.cost = PlayingCost(fit.efforts);
            if (!best || PlaysBetter(fit, *best)) {
                best = fit;
            }
        }
        fits.push_back(*best);
    }
    std::stable_sort(fits.begin(), fits.end(), [](const KeyFit& a, const KeyFit& b) {
        return Difficulty(a) < Difficulty(b);
    });
    return fits;
}

}  // namespace tavrino
