#pragma once

#include <functional>

#include "document/tavrino_doc.h"
#include "harmonica/chromatic_layout.h"
#include "harmonica/diatonic_layout.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

namespace tavrino {

// Which tablature a layout change touches, as the score's selector counts.
enum class LayoutFamily : int { kDiatonic = 1, kChromatic = 2 };

// What the monitor windows work with; all of it outlives every monitor.
struct MonitorServices {
    SettingsStore& store;
    const Settings& settings;
    // The song and its marks, for the statistics and the text events.
    const CTavrinoDoc& doc;
    // The process-wide layouts the score's tablature is drawn from.
    DiatonicLayout& diatonic;
    ChromaticLayout& chromatic;
    // A monitor rebuilt one of the layouts: the score redraws its tablature.
    std::function<void(LayoutFamily)> layoutChanged;
};

}  // namespace tavrino
