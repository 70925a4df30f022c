// The seed corpus of the MIDI reader's fuzz target: files of every shape the
// reader handles, each checked here to load as expected, and written to
// $TAVRINO_FUZZ_SEEDS/midi_reader/ when that is set (scripts/fuzz sets it).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "song/midi_reader.h"
#include "song/smf_bytes.h"

namespace tavrino {
namespace {

using test::Bytes;
using test::Concat;
using test::EndOfTrack;
using test::Ev;
using test::File;
using test::Header;
using test::Meta;

struct Seed {
    const char* name;
    Bytes bytes;
    int expected;
};

std::vector<Seed> Seeds() {
    const std::string tempo("\x07\xA1\x20", 3);
    const Bytes melody =
        Concat({Meta(0, 0x03, "Melody"), Ev(0, {0xC0, 22}), Ev(0, {0x90, 60, 100}), Ev(48, {60, 0}),
                Ev(0, {62, 90}), Meta(0, 0x05, "la"), Ev(48, {0x80, 62, 64}),
                Ev(0, {0xE0, 0, 0x40}), Ev(5, {0, 0x50}), Ev(0, {0xB0, 7, 100}), EndOfTrack(10)});
    return {
        {"format1",
         File(Header(1, 2, 96), {Concat({Meta(0, 0x58, "\x04\x02\x18\x08"), Meta(0, 0x51, tempo),
                                         Meta(0, 0x59, "\xFD\x01"), EndOfTrack()}),
                                 melody}),
         kReadOk},
        {"format0",
         File(Header(0, 1, 480),
              {Concat({Meta(0, 0x51, tempo), Ev(0, {0x90, 60, 100}), Ev(0, {0x99, 36, 90}),
                       Ev(0, {0x91, 64, 80}), Ev(240, {0x80, 60, 0}), Ev(0, {0x89, 36, 0}),
                       Ev(0, {0x81, 64, 0}), EndOfTrack()})}),
         kReadOk},
        {"sysex",
         File(Header(1, 1, 96), {Concat({Ev(0, {0xF0, 3, 0x7E, 0x7F, 0xF7}), Ev(0, {0xF0, 1, 0x41}),
                                         Ev(10, {0xF7, 2, 0x42, 0xF7}),
                                         Ev(0, {0xF7, 2, 0xF3, 0x01}), EndOfTrack()})}),
         kReadOk},
        {"pairing",
         File(Header(1, 1, 96),
              {Concat({Ev(0, {0x80, 60, 0}), Ev(5, {0x90, 60, 1}), Ev(0, {0x90, 61, 1}),
                       Ev(0, {0x80, 61, 0}), Ev(5, {0x90, 62, 1}), Ev(0, {0x90, 62, 1}),
                       Ev(5, {0x80, 62, 0}), Ev(5, {0x80, 62, 0}), Ev(0, {0x90, 63, 1})})}),
         kReadOk},
        {"truncated", Concat({Header(1, 1, 96), {'M', 'T', 'r', 'k', 0, 0, 1, 0}, melody}),
         kReadOk},
        {"cut-in-event",
         Concat({Header(1, 1, 96), {'M', 'T', 'r', 'k', 0, 0, 1, 0}, Ev(0, {0x90, 60})}),
         kReadError},
        {"bad-header", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 2, 0, 1, 0, 96}, kReadBadHeader},
        {"long-header", File(Header(1, 1, 96, 10), {melody}), kReadOk},
    };
}

TEST(FuzzSeeds, EachSeedLoadsAsExpected) {
    const char* folder = std::getenv("TAVRINO_FUZZ_SEEDS");
    const std::filesystem::path target =
        folder != nullptr ? std::filesystem::path(folder) / "midi_reader" : std::filesystem::path();
    if (!target.empty()) {
        std::filesystem::create_directories(target);
    }
    for (const Seed& seed : Seeds()) {
        MidiSong song;
        EXPECT_EQ(ReadMidiData(song, seed.bytes, seed.name), seed.expected) << seed.name;
        if (!target.empty()) {
            std::ofstream(target / (std::string(seed.name) + ".mid"), std::ios::binary)
                .write(reinterpret_cast<const char*>(seed.bytes.data()),
                       static_cast<std::streamsize>(seed.bytes.size()));
        }
    }
}

}  // namespace
}  // namespace tavrino
