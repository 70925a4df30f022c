#pragma once

#include "document/tab_text_track.h"
#include "view/tab_text.h"

namespace tavrino {

// The notation the score shows, in the plain symbols of the tablature text
// track: "+"/"-" for blow and draw, "s" for the slide. The source's layouts
// must outlive the result.
TabTrackNotation MakeTabTrackNotation(const TabSource& source);

}  // namespace tavrino
