// The seed corpus of the tuning-file fuzzer, each seed checked here to load as
// its name says, and written to $TAVRINO_FUZZ_SEEDS/tuning_file/ when that is
// set (scripts/fuzz sets it).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "harmonica/tuning_file.h"
#include "harmonica/tuning_test_support.h"
#include "support/temporary_folder.h"

namespace tavrino {
namespace {

TEST(FuzzSeeds, TuningFiles) {
    const char* root = std::getenv("TAVRINO_FUZZ_SEEDS");
    const test::TemporaryFolder scratch;
    const std::filesystem::path folder =
        root != nullptr ? std::filesystem::path(root) / "tuning_file" : scratch.Path();
    std::filesystem::create_directories(folder);

    std::string longRow = "DIATONIC\nNAME Long\nBLOW" + std::string(80, ' ');
    for (int i = 0; i < 40; ++i) {
        longRow += " C# G";
    }
    longRow += "\nDRAW D\n";
    const std::pair<std::string, std::string> seeds[] = {
        {"richter.tun", std::string(test::kRichterFile)},
        {"chromatic.tun", std::string(test::kChromaticFile)},
        {"valved-rows-reordered.tun",
         "DIATONIC\nNAME  Reordered \nVALVED 1 1\nDRAW D G B\nBLOW C E G C\n"},
        {"falling-row.tun", "DIATONIC\nNAME Falling\nBLOW B# Bb7 A G F E D C Cb x\nDRAW C\n"},
        {"missing-row.tun", "CHROMATIC\nNAME Broken\nBLOW_SLIDE_OUT C\nDRAW_SLIDE_IN D\n"},
        {"long-row.tun", longRow},
    };
    for (const auto& [name, text] : seeds) {
        std::ofstream(folder / name, std::ios::binary) << text;
    }
    // The seeds must still mean what their names say.
    DiatonicTuning diatonic;
    EXPECT_EQ(ReadTuningFile((folder / "richter.tun").string(), diatonic), 0);
    ChromaticTuning chromatic;
    EXPECT_EQ(ReadTuningFile((folder / "chromatic.tun").string(), chromatic), 0);
    EXPECT_EQ(ReadTuningFile((folder / "missing-row.tun").string(), chromatic), -1);
}

}  // namespace
}  // namespace tavrino
