#pragma once

#include <string>
#include <string_view>

namespace tavrino {

inline constexpr int kProgramCount = 128;

// The General MIDI name of a program 0-127; empty outside that range.
std::string_view GmProgramName(int program);

// A program as a choice in a list: on the percussion channel the programs
// are drum sets ("Drumset 0"), elsewhere General MIDI instruments.
std::string ProgramChoiceName(int program, int channel);

// A program change as the track's program list shows it: "Drumset 0" on the
// percussion channel, else the number right-aligned and the name (" 22 Harmonica").
std::string ProgramChangeText(int program, int channel);

}  // namespace tavrino
