#include "view/tab_text.h"

#include "harmonica/note_naming.h"

namespace tavrino {

namespace {

void TakeTab(const HarmonicaLayout* layout, int key, int alternate, const TabSymbols& symbols,
             NoteTabText& text) {
    if (layout == nullptr) {
        return;
    }
    if (auto tab = layout->GetTab(key, alternate, symbols)) {
        text.symbol = std::move(tab->symbol);
        text.holeText = std::move(tab->holeText);
        text.lowHole = tab->lowHole;
        text.brush = tab->brush;
        text.exists = true;
    }
}

}  // namespace

NoteTabText TabTextForNote(const TabSource& source, int key, int alternate, bool plain) {
    NoteTabText text;
    text.holeText = std::string(NoteName(key, source.namingSystem));
    text.accidental = AccidentalMark(key);
    TabSymbols symbols = source.symbols;
    switch (source.type) {
        case kTablatureDiatonic:
            if (plain) {
                symbols.dblowSym = '+';
                symbols.ddrawSym = '-';
            }
            TakeTab(source.diatonic, key, alternate, symbols, text);
            break;
        case kTablatureChromatic:
            if (plain) {
                symbols.cblowSym = '+';
                symbols.cdrawSym = '-';
            }
            TakeTab(source.chromatic, key, alternate, symbols, text);
            if (plain) {
                if (!text.holeText.empty() && text.holeText.back() == '<') {
                    text.holeText.back() = 's';
                }
                if (text.lowHole) {
                    text.holeText += '\'';
                }
            }
            break;
        case kTablatureNotes:
            text.exists = alternate == 0;
            break;
        default:
            text.holeText.assign(1, '?');
            text.exists = alternate == 0;
            break;
    }
    return text;
}

}  // namespace tavrino
