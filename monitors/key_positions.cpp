#include "monitors/key_positions.h"

#include <QGuiApplication>
#include <array>
#include <utility>

namespace tavrino {

namespace {

// The typing block of a US keyboard and its scan codes.
constexpr std::array<std::pair<int, int>, 47> kUsKeys = {{
    {Qt::Key_1, 2},
    {Qt::Key_2, 3},
    {Qt::Key_3, 4},
    {Qt::Key_4, 5},
    {Qt::Key_5, 6},
    {Qt::Key_6, 7},
    {Qt::Key_7, 8},
    {Qt::Key_8, 9},
    {Qt::Key_9, 10},
    {Qt::Key_0, 11},
    {Qt::Key_Minus, 12},
    {Qt::Key_Equal, 13},
    {Qt::Key_Q, 16},
    {Qt::Key_W, 17},
    {Qt::Key_E, 18},
    {Qt::Key_R, 19},
    {Qt::Key_T, 20},
    {Qt::Key_Y, 21},
    {Qt::Key_U, 22},
    {Qt::Key_I, 23},
    {Qt::Key_O, 24},
    {Qt::Key_P, 25},
    {Qt::Key_BracketLeft, 26},
    {Qt::Key_BracketRight, 27},
    {Qt::Key_A, 30},
    {Qt::Key_S, 31},
    {Qt::Key_D, 32},
    {Qt::Key_F, 33},
    {Qt::Key_G, 34},
    {Qt::Key_H, 35},
    {Qt::Key_J, 36},
    {Qt::Key_K, 37},
    {Qt::Key_L, 38},
    {Qt::Key_Semicolon, 39},
    {Qt::Key_Apostrophe, 40},
    {Qt::Key_QuoteLeft, 41},
    {Qt::Key_Backslash, 43},
    {Qt::Key_Z, 44},
    {Qt::Key_X, 45},
    {Qt::Key_C, 46},
    {Qt::Key_V, 47},
    {Qt::Key_B, 48},
    {Qt::Key_N, 49},
    {Qt::Key_M, 50},
    {Qt::Key_Comma, 51},
    {Qt::Key_Period, 52},
    {Qt::Key_Slash, 53},
}};

constexpr int kFirstScanCode = 2;
constexpr int kLastScanCode = 53;

// X11 numbers its keys as the kernel does, plus 8; the kernel's numbers are
// the scan codes of the typing block.
constexpr int kX11KeycodeOffset = 8;

std::optional<int> PlatformScanCode(const QKeyEvent& event) {
    const int native = static_cast<int>(event.nativeScanCode());
    if (native == 0) {
        return std::nullopt;
    }
    const QString platform = QGuiApplication::platformName();
    if (platform == "xcb") {
        return native - kX11KeycodeOffset;
    }
    if (platform == "windows") {
        return native;
    }
    return std::nullopt;
}

}  // namespace

std::optional<int> KeyPosition(const QKeyEvent& event) {
    if (const auto code = PlatformScanCode(event)) {
        if (*code >= kFirstScanCode && *code <= kLastScanCode) {
            return code;
        }
        return std::nullopt;
    }
    for (const auto& [key, code] : kUsKeys) {
        if (key == event.key()) {
            return code;
        }
    }
    return std::nullopt;
}

}  // namespace tavrino
