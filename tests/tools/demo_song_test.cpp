#include "tools/demo_song.h"

#include <gtest/gtest.h>

#include "song/file_bytes.h"
#include "song/midi_reader.h"
#include "song/midi_writer.h"

namespace tavrino {
namespace {

const std::string kDemoPath = std::string(TAVRINO_SOURCE_DIR) + "/examples/oh-susanna.mid";

TEST(DemoSong, TheCommittedFileIsWhatTheGeneratorMakes) {
    MidiSong song;
    BuildDemoSong(song);
    std::vector<std::uint8_t> committed;
    ASSERT_TRUE(ReadFileBytes(kDemoPath, committed));
    EXPECT_TRUE(EncodeMidiFile(song) == committed)
        << "examples/oh-susanna.mid is stale: run build/tools/tavrino-make-demo on it";
}

TEST(DemoSong, LoadsCleanlyWithMelodyLyricsAccompanimentAndDrums) {
    MidiSong song;
    ASSERT_EQ(ReadMidiFile(song, kDemoPath), kReadOk);
    EXPECT_EQ(song.format, 1);
    EXPECT_EQ(song.correctedCount + song.overlappedCount + song.unfinishedCount, 0);
    ASSERT_EQ(song.tracks.size(), 4u);
    EXPECT_EQ(song.tempos.size(), 1u);
    EXPECT_EQ(song.keyText, "C");

    int melodyNotes = 0;
    int lyrics = 0;
    for (const auto& event : song.tracks[1]->events) {
        lyrics += event->kind() == EventKind::Lyric;
        if (event->isSoundingNoteOn()) {
            ++melodyNotes;
            // Inside a C diatonic harmonica's lowest holes, blow C4 to draw A4.
            EXPECT_GE(event->data1, 60);
            EXPECT_LE(event->data1, 69);
        }
    }
    EXPECT_GT(melodyNotes, 50);
    EXPECT_GT(lyrics, 50);
    EXPECT_EQ(song.tracks[3]->channels, std::vector<std::uint8_t>{9});
}

}  // namespace
}  // namespace tavrino
