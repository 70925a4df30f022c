#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "song/midi_song.h"

namespace tavrino {

struct KeptController {
    int number;
    std::string_view name;
};

// Controllers whose setting at the begin mark a crop carries over: only the
// last change of each before the mark is kept, at the new tick 0.
inline constexpr std::array<KeptController, 8> KeptControllers = {{
    {1, "MOD Wheel"},
    {7, "Volume"},
    {10, "Pan"},
    {11, "Expression"},
    {65, "Portamento On/Off"},
    {91, "Effects Level"},
    {92, "Tremolo Level"},
    {93, "Chorus Level"},
}};

// Keeps only the selection [beginMark, endMark) (a negative mark is unset):
// what sets the scene before the begin (the tempo, meter and kept controller
// settings in force, programs, texts and other meta events) moves to tick 0,
// notes and pitch bends before it go, notes sounding at the end are cut there,
// and every track ends at the end mark. Pairs the notes again and rebuilds the
// bars. Refuses an end mark at or before the begin mark.
int CropSong(MidiSong& song, std::int32_t beginMark, std::int32_t endMark);

}  // namespace tavrino
