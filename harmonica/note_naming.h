#pragma once

#include <string_view>

namespace tavrino {

// The names of notes, keys and naming systems for the whole program. They
// live in their own namespace because the song model already names key
// signatures with a KeyName of its own.

// The name of the note's pitch class in a naming system (0-4; any other
// number names in system 0): "C#", "H", "SOL", "TIb" ...
std::string_view NoteName(int note, int system);

// The accidental drawn beside the note head: ' ' for a natural, '#' for C#
// and F#, 'b' for Eb, Ab and Bb.
char AccidentalMark(int note);

// The display name of naming system 0-4, "C D E F G A B" ...; empty for any
// other number.
std::string_view NamingSystemName(int system);

// The key name of a pitch class (taken mod 12), the same in every naming
// system: C Db D Eb E F F# G Ab A Bb B.
std::string_view KeyName(int pitchClass);

// The pitch class of a note word: a capital C D E F G A B, then an optional
// 'b' (flat) or '#' (sharp); the rest of the word is ignored. -1 (Cb) to 12
// (B#), or -1 for a word that names no note.
int ParseNoteName(std::string_view word);

}  // namespace tavrino
