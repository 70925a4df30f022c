#pragma once

#include <string_view>

#include "harmonica/tunings.h"

namespace tavrino::test {

// Puts the process's "Custom..." records back as they were, for tests that
// load tuning files into them while other tests expect them untouched.
class CustomTuningsGuard {
public:
    CustomTuningsGuard() = default;
    CustomTuningsGuard(const CustomTuningsGuard&) = delete;
    CustomTuningsGuard& operator=(const CustomTuningsGuard&) = delete;
    ~CustomTuningsGuard() {
        CustomDiatonicTuning() = diatonic_;
        CustomChromaticTuning() = chromatic_;
    }

private:
    DiatonicTuning diatonic_ = CustomDiatonicTuning();
    ChromaticTuning chromatic_ = CustomChromaticTuning();
};

// Sample tuning files: the Richter layout, and a 12-hole chromatic written
// with CR LF line ends.
inline constexpr std::string_view kRichterFile =
    "DIATONIC\n"
    "NAME My Richter\n"
    "BLOW C E G C E G C E G C\n"
    "DRAW D G B D F A B D F A\n";

inline constexpr std::string_view kChromaticFile =
    "CHROMATIC\r\n"
    "NAME My Chromatic\r\n"
    "BLOW_SLIDE_OUT C E G C C E G C C E G C\r\n"
    "BLOW_SLIDE_IN C# F G# C# C# F G# C# C# F G# C#\r\n"
    "DRAW_SLIDE_OUT D F A B D F A B D F A B\r\n"
    "DRAW_SLIDE_IN D# F# A# C D# F# A# C D# F# A# C\r\n";

}  // namespace tavrino::test
