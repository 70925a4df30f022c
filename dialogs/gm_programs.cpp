#include "dialogs/gm_programs.h"

#include <array>
#include <cstdio>

#include "song/midi_event.h"

namespace tavrino {

namespace {

constexpr std::array<std::string_view, kProgramCount> kGmProgramNames = {
    "Piano 1",
    "Piano 2",
    "Piano 3",
    "Honky-tonk Piano",
    "Rhodes Piano",
    "E Piano",
    "Harpsichord",
    "Clavinet",
    "Celesta",
    "Glockenspiel",
    "Musicbox",
    "Vibraphone",
    "Marimba",
    "Xylophone",
    "Tubular Bells",
    "Santur",
    "Organ 1",
    "Organ 2",
    "Organ 3",
    "Church Organ",
    "Reed Organ",
    "Accordion",
    "Harmonica",
    "Bandoneon",
    "Nylon Guitar",
    "Steel Guitar",
    "Jazz Guitar",
    "Clean Guitar",
    "Muted Guitar",
    "Overdrive Guitar",
    "Distorton Guitar",
    "Guitar Harmonics",
    "Acoustic Bass",
    "Fingered Bass",
    "Picked Bass",
    "Fretless Bass",
    "Slap Bass1",
    "Slap Bass2",
    "Synth Bass1",
    "Synth Bass2",
    "Violin",
    "Viola",
    "Cello",
    "Contrabass",
    "Tremolo Strings",
    "Pizzicato String",
    "Orchestral Harp",
    "Timpani",
    "Strings",
    "Slow Strings",
    "Synth Strings1",
    "Synth Strings2",
    "Choir Aahs",
    "Voice Oohs",
    "Synth Vox",
    "Orchestra Hit",
    "Trumpet",
    "Trombone",
    "Tuba",
    "Muted Trumpet",
    "French Horn",
    "Brass Section",
    "Synth Brass1",
    "Synth Brass2",
    "Soprano Sax",
    "Alto Sax",
    "Tenor Sax",
    "Baritone Sax",
    "Oboe",
    "English Horn",
    "Bassoon",
    "Clarinet",
    "Piccolo",
    "Flute",
    "Recorder",
    "Pan Flute",
    "Bottle Blow",
    "Shakuhachi",
    "Whistle",
    "Ocarina",
    "Square Wave",
    "Saw Wave",
    "Syn Calliope",
    "Chiffer Lead",
    "Charang",
    "Solo Voice",
    "5th Saw Wave",
    "Bass & Lead",
    "Fantasia",
    "Warm Pad",
    "PolySynth",
    "Space Voice",
    "Bowed Glass",
    "Metal Pad",
    "Halo Pad",
    "Sweep Pad",
    "Ice Rain",
    "Soundtrack",
    "Crystal",
    "Atmosphere",
    "Brightness",
    "Goblins",
    "Echo Drops",
    "Star Theme",
    "Sitar",
    "Banjo",
    "Shamisen",
    "Koto",
    "Kalimba",
    "Bagpipe",
    "Fiddle",
    "Shanai",
    "Tinkle Bell",
    "Agogo Bells",
    "Steel Drums",
    "Woodblock",
    "Taiko Drum",
    "Melodic Tom 1",
    "Synth Drum",
    "Reverse Cymbal",
    "Guitar Fret Noise",
    "Breath Noise",
    "Seashore",
    "Bird Tweet",
    "Telephone Ring",
    "Helicopter Blade",
    "Applause/Noise",
    "Gunshot",
};

std::string DrumSetName(int program) {
    return "Drumset " + std::to_string(program);
}

}  // namespace

std::string_view GmProgramName(int program) {
    if (program < 0 || program >= kProgramCount) {
        return {};
    }
    return kGmProgramNames[static_cast<std::size_t>(program)];
}

std::string ProgramChoiceName(int program, int channel) {
    if (channel == kPercussionChannel) {
        return DrumSetName(program);
    }
    return std::string(GmProgramName(program));
}

std::string ProgramChangeText(int program, int channel) {
    if (channel == kPercussionChannel) {
        return DrumSetName(program);
    }
    char number[16];
    std::snprintf(number, sizeof number, "%3d ", program);
    return number + std::string(GmProgramName(program));
}

}  // namespace tavrino
