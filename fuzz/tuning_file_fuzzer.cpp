// Any text given to the tuning-file reader must end in 0 or -1: no crash, no
// hang, no write beyond a record's fields. A tuning that loads must stay
// within the record's limits and give layouts that answer every lookup.

#include <cstdlib>
#include <string_view>

#include "harmonica/chromatic_layout.h"
#include "harmonica/diatonic_layout.h"
#include "harmonica/tuning_file.h"

namespace {

template <class Layout, class Tuning>
void CheckLoaded(const Tuning& tuning) {
    const std::string_view name = tuning.name.view();
    if (tuning.holes < 1 || tuning.holes > tavrino::kMaxHoles ||
        name.size() > decltype(tuning.name)::kLimit || !name.ends_with(" ...")) {
        std::abort();
    }
    Layout layout;
    for (const int key : {0, 60, 127}) {
        layout.Build(key, &tuning);
        (void)layout.GetTitle();
        for (int note = 0; note < tavrino::kNoteCount; ++note) {
            for (int index = 0; layout.GetTab(note, index, {}); ++index) {
            }
            (void)layout.GetFirstTab(note);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tavrino::DiatonicTuning diatonic;
    if (tavrino::ParseTuningText(text, diatonic) == 0) {
        CheckLoaded<tavrino::DiatonicLayout>(diatonic);
    }
    tavrino::ChromaticTuning chromatic;
    if (tavrino::ParseTuningText(text, chromatic) == 0) {
        CheckLoaded<tavrino::ChromaticLayout>(chromatic);
    }
    return 0;
}
