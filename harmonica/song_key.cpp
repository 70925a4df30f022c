#include "harmonica/song_key.h"

#include <array>
#include <cmath>

#include "harmonica/note_naming.h"
#include "song/floor_division.h"

namespace tavrino {

namespace {

// How strongly each degree of the scale belongs to a major and to a minor
// key, from listening experiments on tonal music (Krumhansl and Kessler).
constexpr std::array<double, 12> kMajorProfile = {6.35, 2.23, 3.48, 2.33, 4.38, 4.09,
                                                  2.52, 5.19, 2.39, 3.66, 2.29, 2.88};
constexpr std::array<double, 12> kMinorProfile = {6.33, 2.68, 3.52, 5.38, 2.60, 3.53,
                                                  2.54, 4.75, 3.98, 2.69, 3.34, 3.17};

constexpr int kFifth = 7;

double Correlation(const std::array<double, 12>& classes, const std::array<double, 12>& profile,
                   int tonic) {
    double meanA = 0;
    double meanB = 0;
    for (int i = 0; i < 12; ++i) {
        meanA += classes[i] / 12;
        meanB += profile[i] / 12;
    }
    double product = 0;
    double squareA = 0;
    double squareB = 0;
    for (int i = 0; i < 12; ++i) {
        const double a = classes[(tonic + i) % 12] - meanA;
        const double b = profile[i] - meanB;
        product += a * b;
        squareA += a * a;
        squareB += b * b;
    }
    return squareA == 0 ? 0 : product / std::sqrt(squareA * squareB);
}

}  // namespace

std::string SongKey::Name() const {
    return std::string(KeyName(tonic)) + (minor ? " minor" : " major");
}

std::optional<SongKey> KeyFromSignature(const MidiSong& song) {
    const KeySignatureEvent* first = nullptr;
    for (const auto& track : song.tracks) {
        for (const auto& event : track->events) {
            if (event->kind() == EventKind::KeySignature &&
                (first == nullptr || event->time < first->time)) {
                first = static_cast<const KeySignatureEvent*>(event.get());
                break;
            }
        }
    }
    if (first == nullptr) {
        return std::nullopt;
    }
    // Each sharp moves the major tonic a fifth up, each flat a fifth down;
    // the minor tonic is a minor third below the major one.
    const int major = FloorMod(first->sharpsFlats() * kFifth, 12);
    const bool minor = first->minorText()[0] != '\0';
    return SongKey{minor ? (major + 9) % 12 : major, minor, SongKey::Source::kKeySignature};
}

std::optional<SongKey> KeyFromNotes(const NoteHistogram& notes) {
    std::array<double, 12> classes{};
    int total = 0;
    for (int note = 0; note < kNoteCount; ++note) {
        classes[note % 12] += notes[note];
        total += notes[note];
    }
    if (total == 0) {
        return std::nullopt;
    }
    SongKey best;
    double bestScore = -2;
    for (int tonic = 0; tonic < 12; ++tonic) {
        for (const bool minor : {false, true}) {
            const double score = Correlation(classes, minor ? kMinorProfile : kMajorProfile, tonic);
            if (score > bestScore) {
                bestScore = score;
                best = {tonic, minor, SongKey::Source::kNotes};
            }
        }
    }
    return best;
}

int HarpPosition(int tonic, int harpKey) {
    return FloorMod((tonic - harpKey) * kFifth, 12) + 1;
}

std::string PositionName(int position) {
    const char* suffix = "th";
    if (position == 1) {
        suffix = "st";
    } else if (position == 2) {
        suffix = "nd";
    } else if (position == 3) {
        suffix = "rd";
    }
    return std::to_string(position) + suffix;
}

}  // namespace tavrino
