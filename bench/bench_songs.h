#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrino::bench {

// A Standard MIDI File made in code: `seconds` of music at 120 bpm in which
// each of `channels` channels plays `notesPerQuarter` notes per quarter, on
// a different program each.
std::vector<std::uint8_t> SteadySongFile(int seconds, int channels, int notesPerQuarter);

// The 5-minute benchmark song (six channels of eighth notes), written once
// into the temporary folder; its path.
const std::string& FiveMinuteSong();

}  // namespace tavrino::bench
