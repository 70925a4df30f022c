#pragma once

#include <string>
#include <vector>

#include "harmonica/harmonica_layout.h"

namespace tavrino::test {

// Every tab of the note as symbol + hole text (+ "'" after a low hole),
// preferred first, the way the tool and the tests read them.
inline std::vector<std::string> TabWords(const HarmonicaLayout& layout, int note,
                                         const TabSymbols& symbols = {}) {
    std::vector<std::string> words;
    for (int index = 0; const auto tab = layout.GetTab(note, index, symbols); ++index) {
        words.push_back(tab->symbol + tab->holeText + (tab->lowHole ? "'" : ""));
    }
    return words;
}

}  // namespace tavrino::test
