// devices, play, render and trace: what the output receives and when, and
// how failures are told.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "document/test_songs.h"
#include "platform/soundfont_locator.h"
#include "song/file_bytes.h"
#include "song/midi_writer.h"
#include "tools/tool_test_support.h"

namespace tavrino {
namespace {

using test::AddNote;
using test::AddTempo;
using test::AddTrack;
using test::Lines;
using test::RunToolWith;
using test::TemporaryFolder;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kDemoSong = std::string(TAVRINO_SOURCE_DIR) + "/examples/oh-susanna.mid";

std::string SaveSong(MidiSong& song, const TemporaryFolder& folder) {
    const std::string path = folder.File("song.mid");
    EXPECT_EQ(WriteMidiFile(song, path), 0);
    return path;
}

// 120 bpm, then 240 bpm from tick 240; C4 for a quarter, then D4.
std::string TwoNoteSong(const TemporaryFolder& folder, int numerator = 4) {
    MidiSong song;
    MidiTrack& track = AddTrack(song);
    test::AddEvent(track, 0, std::make_unique<TimeSignatureEvent>(numerator, 4, 24, 8));
    AddTempo(track, 0, 500000);
    AddTempo(track, 240, 250000);
    AddNote(track, 0, 0x3C, 0, 480, 100);
    AddNote(track, 0, 0x3E, 480, 960, 90);
    test::FinishSong(song, 480);
    return SaveSong(song, folder);
}

TEST(TraceCommand, PrintsEachMessageWithItsTimeOnTheTempoMap) {
    TemporaryFolder folder;
    const test::ToolRun run = RunToolWith({"trace", TwoNoteSong(folder)});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_GT(lines.size(), 16u * 14);
    // The channel reset of a loaded song comes first, before play begins.
    EXPECT_EQ(lines[0], "0\tC0 00");
    EXPECT_EQ(lines[1], "0\tB0 07 7F");
    EXPECT_EQ(lines[5], "0\tE0 00 40");
    EXPECT_THAT(lines, Contains("0\t90 3C 64"));
    // 240 ticks at 120 bpm and 240 at 240 bpm: 250 ms + 125 ms.
    EXPECT_THAT(lines, Contains("375000\t80 3C 40"));
    EXPECT_THAT(lines, Contains("375000\t90 3E 5A"));
    EXPECT_THAT(lines, Contains("625000\t80 3E 40"));
    // All notes off once the stream has played the step after the last note.
    EXPECT_EQ(lines.back(), "656250\tBF 7B 00");
}

TEST(TraceCommand, FollowsTheTempoPercentAndTheCountIn) {
    TemporaryFolder folder;
    const std::string song = TwoNoteSong(folder, 3);
    const test::ToolRun faster = RunToolWith({"trace", song, "--tempo", "200"});
    ASSERT_EQ(faster.status, 0) << faster.err;
    EXPECT_THAT(Lines(faster.out), Contains("187500\t90 3E 5A"));

    // From the second beat, in 3/4, at the 240 bpm in force there: three
    // clicks on the beats before it, then the song four beats after play
    // begins.
    const test::ToolRun counted = RunToolWith({"trace", song, "--from", "480", "--count-in"});
    ASSERT_EQ(counted.status, 0) << counted.err;
    const std::vector<std::string> lines = Lines(counted.out);
    std::vector<std::string> clicks;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(clicks),
                 [](const std::string& line) { return line.find("\t99 ") != std::string::npos; });
    EXPECT_THAT(clicks,
                ::testing::ElementsAre("250000\t99 3C 60", "500000\t99 3C 60", "750000\t99 3C 60"));
    EXPECT_THAT(lines, Contains("1000000\t90 3E 5A"));
    EXPECT_THAT(lines, Contains("1250000\t80 3E 40"));
}

// Ten minutes of music with hundreds of tempo changes: every note still
// sounds within a microsecond of where the tempo map puts it.
TEST(TraceCommand, KeepsExactTimeThroughHundredsOfTempoChanges) {
    MidiSong song;
    MidiTrack& conductor = AddTrack(song);
    MidiTrack& melody = AddTrack(song);
    std::mt19937 random(3);
    std::uniform_int_distribution<std::int32_t> tempos(350000, 650000);
    std::vector<std::pair<std::int32_t, std::int64_t>> notes;  // tick, expected µs
    std::int64_t micros = 0;
    std::int32_t tick = 0;
    for (int change = 0; change < 640; ++change) {
        const std::int32_t tempo = tempos(random);
        AddTempo(conductor, tick, tempo);
        // Two quarters of 480 ticks: each note's time from whole numbers.
        for (int note = 0; note < 2; ++note) {
            AddNote(melody, 1, 50 + change % 30, tick, tick + 400);
            notes.emplace_back(tick, micros);
            tick += 480;
            micros += tempo;
        }
    }
    test::FinishSong(song, 480);
    ASSERT_GT(micros, 600'000'000) << "ten minutes";
    TemporaryFolder folder;
    const test::ToolRun run = RunToolWith({"trace", SaveSong(song, folder)});
    ASSERT_EQ(run.status, 0) << run.err;

    std::vector<std::int64_t> noteOns;
    for (const std::string& line : Lines(run.out)) {
        if (line.find("\t91 ") != std::string::npos) {
            noteOns.push_back(std::stoll(line));
        }
    }
    ASSERT_EQ(noteOns.size(), notes.size());
    for (std::size_t i = 0; i < notes.size(); ++i) {
        ASSERT_EQ(noteOns[i], notes[i].second) << "note " << i << " at tick " << notes[i].first;
    }
}

TEST(TraceCommand, RefusesASpeedOfZero) {
    TemporaryFolder folder;
    const test::ToolRun run = RunToolWith({"trace", TwoNoteSong(folder), "--tempo", "0"});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("--tempo needs a number from 1 to 1000"));
}

// Track 0 conducts; tracks 1, 2 and 3 play C4, E4 and G4 on channels 1 to 3.
std::string ThreeTrackSong(const TemporaryFolder& folder) {
    MidiSong song;
    AddTempo(AddTrack(song), 0, 500000);
    const int pitches[] = {60, 64, 67};
    for (int i = 0; i < 3; ++i) {
        AddNote(AddTrack(song), i, pitches[i], 0, 480, 100);
    }
    test::FinishSong(song, 480);
    return SaveSong(song, folder);
}

TEST(TraceCommand, MuteAndSoloSendWhatTheMixerWould) {
    TemporaryFolder folder;
    const std::string song = ThreeTrackSong(folder);
    struct Case {
        std::vector<std::string> options;
        std::vector<std::string> noteOns;  // the velocities the tracks' notes are sent with
    };
    const Case cases[] = {
        {{}, {"90 3C 64", "91 40 64", "92 43 64"}},
        {{"--mute", "1,3"}, {"90 3C 00", "91 40 64", "92 43 00"}},
        {{"--solo", "2"}, {"90 3C 00", "91 40 64", "92 43 00"}},
        {{"--solo", "1,2", "--mute", "2"}, {"90 3C 64", "91 40 00", "92 43 00"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"trace", song};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const test::ToolRun run = RunToolWith(args);
        ASSERT_EQ(run.status, 0) << run.err;
        for (const std::string& noteOn : c.noteOns) {
            EXPECT_THAT(Lines(run.out), Contains("0\t" + noteOn)) << args.back();
        }
    }
    for (const auto& [list, problem] :
         {std::pair{"1,x", "--mute needs track numbers separated by commas"},
          std::pair{"", "--mute needs track numbers separated by commas"},
          std::pair{"4", "there is no track 4; the song has tracks 0 to 3"}}) {
        const test::ToolRun run = RunToolWith({"trace", song, "--mute", list});
        EXPECT_EQ(run.status, 2) << list;
        EXPECT_THAT(run.err, HasSubstr(problem));
    }
}

TEST(RenderCommand, WritesTheDemoSongAsAudibleAudioOfItsLength) {
    if (!FindSoundFont()) {
        GTEST_SKIP() << "no General MIDI SoundFont installed";
    }
    TemporaryFolder folder;
    const std::string wav = folder.File("demo.wav");
    const test::ToolRun run = RunToolWith({"render", kDemoSong, wav});
    ASSERT_EQ(run.status, 0) << run.err;

    const test::ToolRun trace = RunToolWith({"trace", kDemoSong});
    const double songSeconds = std::stod(Lines(trace.out).back()) / 1e6;
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes(wav, bytes));
    ASSERT_GT(bytes.size(), 44u);
    const double seconds = static_cast<double>(bytes.size() - 44) / (44100 * 4);
    EXPECT_NEAR(seconds, songSeconds + 1.0, 0.001) << "the song and a second of release";
    int loudest = 0;
    for (std::size_t at = 44; at + 1 < bytes.size(); at += 2) {
        const auto sample = static_cast<std::int16_t>(bytes[at] | bytes[at + 1] << 8);
        loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
    }
    EXPECT_GT(loudest, 1000);
}

TEST(PlaybackCommands, SayWhyTheyCannotMakeSound) {
    TemporaryFolder folder;
    const test::ToolRun render =
        RunToolWith({"render", kDemoSong, folder.File("out.wav"), "--soundfont", "/no/such.sf2"});
    EXPECT_EQ(render.status, 1);
    EXPECT_EQ(render.err, "tavrino-tool: no SoundFont at /no/such.sf2\n");

    if (const auto soundFont = FindSoundFont()) {
        const test::ToolRun unwritable =
            RunToolWith({"render", kDemoSong, "/no/such/folder/out.wav"});
        EXPECT_EQ(unwritable.status, 1);
        EXPECT_EQ(unwritable.err, "tavrino-tool: cannot write /no/such/folder/out.wav\n");
    }

    const test::ToolRun play =
        RunToolWith({"play", kDemoSong, "--device", "0", "--soundfont", "/no/such.sf2"});
    EXPECT_EQ(play.status, 1);
    EXPECT_THAT(play.err, HasSubstr("cannot be opened: no SoundFont at /no/such.sf2"));

    const test::ToolRun devices = RunToolWith({"devices", "--soundfont", "/no/such.sf2"});
    EXPECT_THAT(devices.out, StartsWith(" 0  Built-in synthesizer (such.sf2)\n"));
}

}  // namespace
}  // namespace tavrino
