#pragma once

#include <QPainter>
#include <QString>
#include <vector>

namespace tavrino {

// The drawn diatonic harmonica: chrome cover plates over a comb with one
// opening per hole, numbered, the key engraved on the left end. Valved holes
// carry a white mark above and below.
struct HarmonicaPicture {
    int left = 0;  // the left end's left edge
    int top = 0;
    int holeCount = 10;
    QString keyName;
    std::vector<bool> valved;  // by hole; missing entries are not valved
};

void PaintHarmonica(QPainter& painter, const HarmonicaPicture& picture);

}  // namespace tavrino
