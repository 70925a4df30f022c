#include "song/midi_listing.h"

#include <cstdio>

#include "song/file_bytes.h"

namespace tavrino {

namespace {

constexpr std::size_t kDescriptionWidth = 65;

void AppendEventLine(const MidiEvent& event, std::size_t index, std::string& out) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "%c%04zu ", event.overlapped != 0 ? '*' : ' ', index);
    out += prefix;
    const std::size_t descriptionStart = out.size();
    event.describe(out);
    const std::size_t width = out.size() - descriptionStart;
    if (width < kDescriptionWidth) {
        out.append(kDescriptionWidth - width, ' ');
    }
    if (event.buddy != nullptr) {
        char buddy[32];
        std::snprintf(buddy, sizeof buddy, " (buddy %5ld)\n", static_cast<long>(event.buddy->time));
        out += buddy;
    } else {
        out += '\n';
    }
}

}  // namespace

std::string FormatListing(const MidiSong& song) {
    std::string out;
    if (song.tracks.empty()) {
        return out;
    }
    char line[160];
    std::snprintf(line, sizeof line, "Format %d, division %d, %d tracks\n", song.format,
                  song.division, static_cast<int>(song.tracks.size()));
    out += line;
    std::snprintf(line, sizeof line, "(%d corrected %d overlapped (*) %d unfinished)\n",
                  song.correctedCount, song.overlappedCount, song.unfinishedCount);
    out += line;
    for (std::size_t i = 0; i < song.tracks.size(); ++i) {
        std::snprintf(line, sizeof line, "\nTrack %zu:\n", i);
        out += line;
        const MidiTrack& track = *song.tracks[i];
        for (std::size_t j = 0; j < track.count(); ++j) {
            AppendEventLine(*track[j], j, out);
        }
    }
    std::snprintf(line, sizeof line, "\nMessages Count : %ld\n",
                  static_cast<long>(song.messages.size()));
    out += line;
    return out;
}

int WriteListing(const MidiSong& song, const std::string& path) {
    if (song.loading != 0) {
        return -1;
    }
    const std::string listing = FormatListing(song);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(listing.data());
    return WriteFileReplacing(path, {bytes, listing.size()}) ? 0 : -1;
}

}  // namespace tavrino
