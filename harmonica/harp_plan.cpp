#include "harmonica/harp_plan.h"

#include <algorithm>

namespace tavrino {

std::optional<int> HarpPlan::PositionOf(const KeyFit& fit) const {
    if (!key) {
        return std::nullopt;
    }
    return HarpPosition(key->tonic, fit.key + keyOffset);
}

HarpPlan PlanHarps(const MidiSong& song, const std::vector<TrackNotes>& survey,
                   const DiatonicTuning& tuning,
                   const std::optional<std::vector<std::size_t>>& asked) {
    HarpPlan plan;
    plan.keyOffset = tuning.keyOffset;
    if (asked) {
        for (const TrackNotes& track : survey) {
            if (std::find(asked->begin(), asked->end(), track.track) != asked->end()) {
                plan.counted.push_back(track);
            }
        }
    } else {
        const MelodyChoice melody = ChooseMelody(survey);
        for (const std::size_t index : melody.tracks) {
            plan.counted.push_back(survey[index]);
        }
        plan.reason = melody.reason;
    }
    // The key sounds in every track, the accompaniment's too.
    plan.key = KeyFromSignature(song);
    if (!plan.key) {
        plan.key = KeyFromNotes(SumHistograms(survey));
    }
    plan.fits = RankDiatonicKeys(SumHistograms(plan.counted), tuning);
    return plan;
}

std::string HarpName(const KeyFit& fit) {
    return std::string(kDiatonicKeys.Name(fit.choice.keyPosition)) + " " +
           std::string(kOctaveNames[fit.choice.octavePosition]);
}

int BendCount(const KeyFit& fit) {
    return fit.efforts[Effort::HalfBend] + fit.efforts[Effort::WholeBend] +
           fit.efforts[Effort::DeepBend];
}

}  // namespace tavrino
