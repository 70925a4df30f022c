#pragma once

#include "settings/settings.h"
#include "tools/harmonica_options.h"
#include "view/tab_text.h"

namespace tavrino::tool {

// The score's tablature for the chosen harmonica; `harmonica` must outlive it.
TabSource TabSourceFor(const Harmonica& harmonica, const Settings& settings);

}  // namespace tavrino::tool
