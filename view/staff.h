#pragma once

namespace tavrino {

// Staff positions count diatonic steps from C of MIDI octave 0: seven to the
// octave, so middle C (key 60) is position 35. Odd positions carry lines.
inline constexpr int kMiddleCPosition = 35;
inline constexpr int kPositionsPerOctave = 7;
// Half positions split each step in two, fourteen to the octave, so that a
// pointer between two staff positions still names a key.
inline constexpr int kHalfPositionsPerOctave = 14;

// The staff position of a MIDI key; a sharp or flat shares the position of
// the natural it is drawn beside.
int StaffPosition(int key);

// The MIDI key drawn at a half position (any integer; below 0 counts down).
int KeyFromHalfPosition(int halfPosition);

// The five lines of the treble staff are 37..45, those of the bass staff
// 25..33; every other odd position is a ledger line when it is drawn.
bool IsStaffLine(int position);
bool IsLedgerLine(int position);

}  // namespace tavrino
