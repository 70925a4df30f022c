#include "settings/colour_presets.h"

namespace tavrino {

void ApplyHighContrastPreset(Settings& settings) {
    settings.colorBlow = Colour{0xA0F2B6};  // (182, 242, 160)
    settings.colorDraw = Colour{0x9E3F1E};  // (30, 63, 158)
    settings.colorBend = Colour{0x4DD2FF};  // (255, 210, 77)
    settings.colorOver = Colour{0x1B1B8E};  // (142, 27, 27)
    settings.tabLabelContrast = 1;
    settings.symbols.doverSym = '^';
}

void ApplyDefaultPreset(Settings& settings) {
    CopyColourPreset(Settings{}, settings);
}

void CopyColourPreset(const Settings& from, Settings& to) {
    to.colorBlow = from.colorBlow;
    to.colorDraw = from.colorDraw;
    to.colorBend = from.colorBend;
    to.colorOver = from.colorOver;
    to.tabLabelContrast = from.tabLabelContrast;
    to.symbols.doverSym = from.symbols.doverSym;
}

}  // namespace tavrino
