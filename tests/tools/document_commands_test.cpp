#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "song/midi_reader.h"
#include "song/midi_writer.h"
#include "tools/demo_song.h"
#include "tools/tool_test_support.h"

namespace tavrino {
namespace {

using test::RunToolWith;
using test::TemporaryFolder;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// (time, note) of the sounding notes of a track.
std::vector<std::pair<std::int32_t, int>> NotesOf(const MidiTrack& track) {
    std::vector<std::pair<std::int32_t, int>> notes;
    for (const auto& event : track.events) {
        if (event->isSoundingNoteOn()) {
            notes.emplace_back(event->time, event->data1);
        }
    }
    return notes;
}

std::vector<std::pair<std::int32_t, int>> Shifted(std::vector<std::pair<std::int32_t, int>> notes,
                                                  int semitones) {
    for (auto& note : notes) {
        note.second += semitones;
    }
    return notes;
}

// The demo song: melody on track 1, accompaniment on 2, drums on 3.
class DocumentCommands : public ::testing::Test {
protected:
    void SetUp() override {
        BuildDemoSong(demo);
        demoPath = folder.Write("demo.mid", EncodeMidiFile(demo));
    }

    MidiSong& Result() {
        EXPECT_EQ(ReadMidiFile(result, folder.File("out.mid")), kReadOk);
        return result;
    }

    TemporaryFolder folder;
    MidiSong demo;
    MidiSong result;
    std::string demoPath;
};

TEST_F(DocumentCommands, TransposeMovesEveryNoteButTheDrums) {
    const auto run =
        RunToolWith({"transpose", demoPath, folder.File("out.mid"), "--semitones", "-2"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const MidiSong& song = Result();
    EXPECT_THAT(NotesOf(*song.tracks[1]), ElementsAreArray(Shifted(NotesOf(*demo.tracks[1]), -2)));
    EXPECT_THAT(NotesOf(*song.tracks[2]), ElementsAreArray(Shifted(NotesOf(*demo.tracks[2]), -2)));
    EXPECT_THAT(NotesOf(*song.tracks[3]), ElementsAreArray(NotesOf(*demo.tracks[3])));
}

TEST_F(DocumentCommands, TransposeKeepsToTheChosenTracksAndTicks) {
    const std::int32_t from = demo.division * 4;
    const std::int32_t to = demo.division * 12;
    const auto run =
        RunToolWith({"transpose", demoPath, folder.File("out.mid"), "--semitones", "12", "--tracks",
                     "1", "--from", std::to_string(from), "--to", std::to_string(to)});
    ASSERT_EQ(run.status, 0) << run.err;
    const MidiSong& song = Result();
    int moved = 0;
    for (std::size_t i = 0; i < song.tracks[1]->count(); ++i) {
        const MidiEvent& before = *(*demo.tracks[1])[i];
        const MidiEvent& after = *(*song.tracks[1])[i];
        if (!before.isSoundingNoteOn()) {
            continue;
        }
        const bool inside = before.time >= from && before.time + before.duration <= to;
        EXPECT_EQ(after.data1, before.data1 + (inside ? 12 : 0)) << "note at " << before.time;
        moved += inside ? 1 : 0;
    }
    EXPECT_GT(moved, 5);
    EXPECT_THAT(NotesOf(*song.tracks[2]), ElementsAreArray(NotesOf(*demo.tracks[2])));
}

TEST_F(DocumentCommands, CropKeepsTheStretchFromTickZero) {
    const std::int32_t bar = demo.division * 4;
    const auto run = RunToolWith({"crop", demoPath, folder.File("out.mid"), "--from",
                                  std::to_string(2 * bar), "--to", std::to_string(6 * bar)});
    ASSERT_EQ(run.status, 0) << run.err;
    const MidiSong& song = Result();
    EXPECT_EQ(song.songLength, 4 * bar);
    EXPECT_EQ(song.tempos.size(), 1u);
    for (const auto& track : song.tracks) {
        EXPECT_EQ(track->events.back()->time, 4 * bar);
    }
    std::vector<std::pair<std::int32_t, int>> expected;
    for (const auto& [time, note] : NotesOf(*demo.tracks[1])) {
        if (time >= 2 * bar && time < 6 * bar) {
            expected.emplace_back(time - 2 * bar, note);
        }
    }
    EXPECT_THAT(NotesOf(*song.tracks[1]), ElementsAreArray(expected));
}

TEST_F(DocumentCommands, RefuseBadArgumentsWithTheirUsage) {
    const std::string out = folder.File("out.mid");
    const std::vector<std::vector<std::string>> wrong = {
        {"transpose", demoPath, out},
        {"transpose", demoPath, out, "--semitones", "up"},
        {"transpose", demoPath, out, "--semitones", "200"},
        {"transpose", demoPath, out, "--semitones", "1", "--tracks", "1;2"},
        {"transpose", demoPath, out, "--semitones", "1", "--tracks", "9"},
        {"transpose", demoPath, out, "--semitones", "1", "--from", "-4"},
        {"crop", demoPath, out, "--from", "10"},
        {"crop", demoPath, out, "--from", "100", "--to", "100"},
        {"crop", demoPath, "--from", "0", "--to", "100"},
    };
    for (const auto& args : wrong) {
        const auto run = RunToolWith(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_THAT(run.err, HasSubstr("usage: tavrino-tool " + args.front())) << args.back();
    }
    EXPECT_THAT(RunToolWith({"crop", demoPath, out, "--from", "10"}).err,
                StartsWith("tavrino-tool crop: --from and --to are both required"));
    EXPECT_THAT(
        RunToolWith({"transpose", demoPath, out, "--semitones", "up", "--from", "x"}).err,
        StartsWith("tavrino-tool transpose: --semitones needs a whole number, not \"up\"\n"))
        << "the first problem is the one told";
    EXPECT_THAT(RunToolWith({"crop", "--help"}).out, HasSubstr("MOD Wheel, Volume, Pan"));
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(DocumentCommands, ReportUnreadableInputAndUnwritableOutput) {
    const std::string missing = folder.File("missing.mid");
    const auto unread =
        RunToolWith({"crop", missing, folder.File("out.mid"), "--from", "0", "--to", "10"});
    EXPECT_EQ(unread.status, 1);
    EXPECT_THAT(unread.err, StartsWith("tavrino-tool: " + missing + ": cannot open the file"));

    const std::string text = folder.Write("notes.txt", {'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(RunToolWith({"transpose", text, folder.File("out.mid"), "--semitones", "1"}).status,
              4);

    const std::string nowhere = folder.File("no-such-folder/out.mid");
    const auto unwritten = RunToolWith({"transpose", demoPath, nowhere, "--semitones", "1"});
    EXPECT_EQ(unwritten.status, 1);
    EXPECT_EQ(unwritten.err, "tavrino-tool: " + nowhere + ": cannot write the file\n");

    MidiSong empty;
    empty.division = 96;
    std::vector<std::uint8_t> header = EncodeMidiFile(empty);
    const std::string trackless = folder.Write("empty.mid", header);
    const auto nothing =
        RunToolWith({"transpose", trackless, folder.File("out.mid"), "--semitones", "1"});
    EXPECT_EQ(nothing.status, 1);
    EXPECT_THAT(nothing.err, HasSubstr("the song has no tracks"));
}

}  // namespace
}  // namespace tavrino
