// The built-in synthesizer offline: a rendered song is heard, and a missing
// or damaged SoundFont is reported, never played.

#include "platform/synthesizer.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <algorithm>
#include <fstream>

#include "document/test_songs.h"
#include "platform/soundfont_locator.h"
#include "platform/synth_outputs.h"
#include "platform/virtual_playback.h"
#include "platform/wav_writer.h"
#include "song/file_bytes.h"
#include "support/temporary_folder.h"

namespace tavrino {
namespace {

std::uint32_t LittleEndian(const std::vector<std::uint8_t>& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | bytes[at + i];
    }
    return value;
}

TEST(WavWriter, WritesAPcmHeaderWithTheDataSize) {
    const test::TemporaryFolder folder;
    const std::string path = folder.File("three-frames.wav");
    WavWriter writer;
    ASSERT_TRUE(writer.Open(path, 22050, 2));
    const std::vector<std::int16_t> samples = {1, -1, 2, -2, 0x1234, -0x1234};
    ASSERT_TRUE(writer.Write(samples));
    ASSERT_TRUE(writer.Close());

    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    ASSERT_EQ(bytes.size(), 44u + 12);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(LittleEndian(bytes, 4, 4), 36u + 12);
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(LittleEndian(bytes, 22, 2), 2u);
    EXPECT_EQ(LittleEndian(bytes, 24, 4), 22050u);
    EXPECT_EQ(LittleEndian(bytes, 28, 4), 22050u * 4);
    EXPECT_EQ(LittleEndian(bytes, 34, 2), 16u);
    EXPECT_EQ(LittleEndian(bytes, 40, 4), 12u);
    EXPECT_EQ(static_cast<std::int16_t>(LittleEndian(bytes, 54, 2)), -0x1234);
    // Samples after the close, or before any file, are refused, never written.
    EXPECT_FALSE(writer.Write(samples));
    EXPECT_FALSE(WavWriter().Write(samples));
}

TEST(Synthesizer, ReportsAMissingOrDamagedSoundFont) {
    std::string problem;
    EXPECT_EQ(Synthesizer::Create("/no/such/file.sf2", problem), nullptr);
    EXPECT_EQ(problem, "no SoundFont at /no/such/file.sf2");

    const test::TemporaryFolder folder;
    const std::string damaged = folder.File("damaged.sf2");
    std::ofstream(damaged) << "RIFF this is no SoundFont at all";
    problem.clear();
    EXPECT_EQ(Synthesizer::Create(damaged, problem), nullptr);
    EXPECT_EQ(problem.rfind("cannot read the SoundFont " + damaged, 0), 0u) << problem;
}

TEST(SoundFontPlaces, TheUsersFoldersCountAndCompressedFontsComeAfterEveryOther) {
    const test::TemporaryFolder data;
    std::filesystem::create_directories(data.Path() / "soundfonts");
    for (const char* name : {"a.sf3", "b.sf2", "c.txt"}) {
        std::ofstream(data.Path() / "soundfonts" / name) << "font";
    }
    const bool wasSet = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data.Path().string()));
    const std::vector<std::filesystem::path> places = StandardSoundFontPlaces();
    wasSet ? qputenv("XDG_DATA_HOME", saved) : qunsetenv("XDG_DATA_HOME");

    const auto at = [&places](const std::filesystem::path& path) {
        return std::find(places.begin(), places.end(), path) - places.begin();
    };
    const auto sf2 = at(data.Path() / "soundfonts" / "b.sf2");
    const auto sf3 = at(data.Path() / "soundfonts" / "a.sf3");
    ASSERT_LT(sf3, std::ssize(places));
    EXPECT_LT(sf2, sf3);
    for (std::ptrdiff_t index = sf3 + 1; index < std::ssize(places); ++index) {
        EXPECT_EQ(places[static_cast<std::size_t>(index)].extension(), ".sf3");
    }
    EXPECT_EQ(at(data.Path() / "soundfonts" / "c.txt"), std::ssize(places));
}

// Two seconds of chords, rendered as fast as the machine allows.
TEST(WavRenderOutput, RendersTheSongAudiblyAndAsLongAsItLasts) {
    const std::optional<std::filesystem::path> soundFont = FindSoundFont();
    if (!soundFont) {
        GTEST_SKIP() << "no General MIDI SoundFont installed";
    }
    MidiSong song;
    MidiTrack& track = test::AddTrack(song);
    for (int beat = 0; beat < 4; ++beat) {
        for (const int pitch : {60, 64, 67}) {
            test::AddNote(track, 0, pitch + beat, beat * 480, beat * 480 + 400, 110);
        }
    }
    test::FinishSong(song, 480);
    const test::TemporaryFolder folder;
    const std::string path = folder.File("chords.wav");
    std::string problem;
    const auto renderer = WavRenderOutput::Open(*soundFont, path, problem);
    ASSERT_NE(renderer, nullptr) << problem;
    VirtualStreamClock clock;
    SingleOutput outputs("renderer", renderer);

    const PlaybackResult played = PlayInVirtualTime(song, outputs, clock, {});
    ASSERT_EQ(played.result, 0);
    ASSERT_TRUE(renderer->Finish(played.end));

    // Four beats at 120 bpm end at 2 s, the last buffer's step after it.
    EXPECT_GE(played.end, 1'700'000'000);
    EXPECT_LE(played.end, 2'000'000'000);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    const std::size_t frames = (bytes.size() - 44) / 4;
    const std::int64_t expectedFrames =
        (played.end + WavRenderOutput::kReleaseTail) * Synthesizer::kSampleRate / 1'000'000'000;
    EXPECT_EQ(static_cast<std::int64_t>(frames), expectedFrames);
    int loudest = 0;
    for (std::size_t at = 44; at + 1 < bytes.size(); at += 2) {
        loudest =
            std::max(loudest, std::abs(static_cast<std::int16_t>(LittleEndian(bytes, at, 2))));
    }
    EXPECT_GT(loudest, 1000) << "the chords are heard";
}

}  // namespace
}  // namespace tavrino
