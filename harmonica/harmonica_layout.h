#pragma once

#include <optional>
#include <string>

#include "harmonica/note_index.h"
#include "settings/colour.h"
#include "settings/settings.h"

namespace tavrino {

// The tablature of one way to play a note.
struct Tab {
    std::string symbol;    // the action mark, one character
    std::string holeText;  // hole number and its marks: "4'", "1o", "12<"
    // A chromatic hole below the usual hole 1; its number repeats one of the
    // usual holes', so the caller marks it.
    bool lowHole = false;
    // The diatonic layout's colour for this kind of note; none from the
    // chromatic layout, or before the colours are made.
    std::optional<Colour> brush;
};

// A harmonica's map from MIDI notes to tablature, for one tuning in one key.
// The diatonic and chromatic layouts implement it; the score, the tablature
// text and the monitors ask through it.
class HarmonicaLayout {
public:
    virtual ~HarmonicaLayout() = default;

    // Empties the note index (and whatever else a layout built).
    virtual void Clear() { index_.Clear(); }
    // Reads a tuning file (*.tun) into the "Custom..." record of the layout's
    // list. 0 on success; -1 when the file cannot be read or is no tuning
    // of this kind, leaving the record as it was. The layout keeps its
    // tuning until built with the custom record.
    virtual int LoadTuningFile(const std::string& path) = 0;
    // "<tuning name> Key of <key name> (<octave name>)".
    virtual std::string GetTitle() const = 0;
    // The index-th way (0 = preferred) to play the MIDI note; none when the
    // note is outside 0-127 or has fewer ways.
    virtual std::optional<Tab> GetTab(int note, int index, const TabSymbols& symbols) const = 0;

    // The MIDI note that a tuning offset of 0 sounds.
    int GetKey() const { return key_; }
    int GetHoleCount() const { return holeCount_; }

protected:
    // The index-th entry of the note; none outside the index.
    std::optional<TabEntry> EntryOf(int note, int index) const {
        const auto entries = index_[note];
        if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) {
            return std::nullopt;
        }
        return entries[index];
    }

    int key_ = 60;
    int holeCount_ = 0;
    NoteIndex index_;
};

}  // namespace tavrino
