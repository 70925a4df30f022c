#include "tools/tab_source.h"

namespace tavrino::tool {

TabSource TabSourceFor(const Harmonica& harmonica, const Settings& settings) {
    int type = kTablatureNotes;
    if (harmonica.layout == &harmonica.diatonic) {
        type = kTablatureDiatonic;
    } else if (harmonica.layout == &harmonica.chromatic) {
        type = kTablatureChromatic;
    }
    return TabSource{type, &harmonica.diatonic, &harmonica.chromatic, settings.symbols, 0};
}

}  // namespace tavrino::tool
