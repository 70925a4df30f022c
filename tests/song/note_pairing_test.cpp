#include "song/note_pairing.h"

#include <gtest/gtest.h>

#include "song/song_builder.h"
#include "song/song_invariants.h"

namespace tavrino {
namespace {

using test::FillTrack;

const MidiTrack& Track(const MidiSong& song) {
    return *song.tracks.front();
}

TEST(NotePairing, OverlappingNotesOnOneKeyCloseInnermostFirst) {
    MidiSong song;
    FillTrack(song,
              {{0, 0x90, 60, 100}, {100, 0x90, 60, 100}, {200, 0x80, 60, 0}, {300, 0x80, 60, 0}});
    PairNotes(song);
    const MidiTrack& track = Track(song);
    ASSERT_EQ(track.count(), 4u);
    EXPECT_EQ(track[1]->buddy, track[2]);
    EXPECT_EQ(track[1]->duration, 100);
    EXPECT_EQ(track[0]->buddy, track[3]);
    EXPECT_EQ(track[0]->duration, 300);
    EXPECT_EQ(track[0]->overlapped, 1);
    EXPECT_EQ(track[1]->overlapped, 1);
    EXPECT_EQ(song.overlappedCount, 1);
    EXPECT_TRUE(test::SongIsConsistent(song));
}

// Legato on one key: each note restarts the key just before the previous
// note-off of the same tick. Every note keeps its own length.
TEST(NotePairing, ARepeatedNoteStartedBeforeTheNoteOffOfItsTickSurvives) {
    MidiSong song;
    FillTrack(song, {{0, 0x90, 60, 100},
                     {480, 0x90, 60, 100},
                     {480, 0x80, 60, 0},
                     {960, 0x90, 60, 100},
                     {960, 0x80, 60, 0},
                     {1440, 0x80, 60, 0}});
    PairNotes(song);
    const MidiTrack& track = Track(song);
    ASSERT_EQ(track.count(), 6u);
    for (const std::size_t on : {0u, 1u, 3u}) {
        EXPECT_EQ(track[on]->duration, 480) << "note-on " << on;
        EXPECT_EQ(track[on]->buddy->time, track[on]->time + 480) << "note-on " << on;
    }
    EXPECT_EQ(song.correctedCount, 0);
    EXPECT_EQ(song.overlappedCount, 2);
    EXPECT_TRUE(test::SongIsConsistent(song));
}

TEST(NotePairing, NoteOffAndVelocityZeroNoteOnEndNotesAlike) {
    MidiSong song;
    FillTrack(song,
              {{0, 0x90, 60, 100}, {10, 0x80, 60, 64}, {20, 0x91, 62, 90}, {30, 0x91, 62, 0}});
    PairNotes(song);
    const MidiTrack& track = Track(song);
    ASSERT_EQ(track.count(), 4u);
    EXPECT_EQ(track[0]->duration, 10);
    EXPECT_EQ(track[2]->duration, 10);
    EXPECT_EQ(track[3]->buddy, track[2]);
    EXPECT_EQ(song.correctedCount, 0);
}

TEST(NotePairing, AnOrphanNoteOffDiscardsTheNoteThatFollowsItOnItsKey) {
    MidiSong song;
    FillTrack(song, {{50, 0x80, 60, 0}, {60, 0x90, 60, 100}, {70, 0x80, 60, 0}});
    PairNotes(song);
    EXPECT_EQ(Track(song).count(), 0u);
    EXPECT_TRUE(song.messages.empty());
    EXPECT_EQ(song.pairingReport, " extra notes discarded chan 1 note 60 (60-50)");
    EXPECT_TRUE(test::SongIsConsistent(song));
}

TEST(NotePairing, ZeroLengthAndUnfinishedNotesAreRemovedAndReported) {
    MidiSong song;
    FillTrack(song, {{100, 0x90, 60, 100},
                     {100, 0x80, 60, 0},
                     {200, 0x90, 62, 100},
                     {300, 0x90, 64, 80},
                     {400, 0x80, 64, 0}});
    PairNotes(song);
    const MidiTrack& track = Track(song);
    ASSERT_EQ(track.count(), 2u);
    EXPECT_EQ(track[0]->data1, 64);
    EXPECT_EQ(song.correctedCount, 2);
    EXPECT_EQ(song.unfinishedCount, 1);
    EXPECT_EQ(song.pairingReport, "\n chan 1 note 62 (x1)");
    EXPECT_TRUE(test::SongIsConsistent(song));
}

TEST(NotePairing, PercussionIsLeftAsRead) {
    MidiSong song;
    FillTrack(song, {{0, 0x99, 36, 100}, {10, 0x99, 38, 100}, {20, 0x89, 42, 0}});
    PairNotes(song);
    const MidiTrack& track = Track(song);
    ASSERT_EQ(track.count(), 3u);
    EXPECT_EQ(track[0]->buddy, nullptr);
    EXPECT_EQ(track[0]->duration, 0);
    EXPECT_EQ(song.correctedCount + song.unfinishedCount, 0);
}

TEST(NotePairing, TheReportStopsGrowingButRemovalsGoOn) {
    // 400 unfinished keys: far more lines than the report holds.
    std::vector<test::NoteMessage> messages;
    for (int channel = 0; channel < 4; ++channel) {
        for (int note = 0; note < 100; ++note) {
            messages.push_back({note, 0x90 | channel, note, 100});
        }
    }
    MidiSong song;
    FillTrack(song, messages);
    PairNotes(song);
    EXPECT_EQ(song.unfinishedCount, 400);
    EXPECT_EQ(Track(song).count(), 0u);
    EXPECT_LT(song.pairingReport.size(), 4096u);
    EXPECT_GE(song.pairingReport.size(), 4046u - 30);
}

TEST(NotePairing, ASecondRunChangesNothing) {
    MidiSong song;
    FillTrack(song, {{0, 0x90, 60, 100},
                     {5, 0x90, 60, 100},
                     {7, 0x80, 60, 0},
                     {9, 0x80, 60, 0},
                     {9, 0x90, 61, 1},
                     {19, 0x90, 61, 0}});
    PairNotes(song);
    std::vector<std::pair<std::int32_t, std::int32_t>> first;
    for (const auto& event : Track(song).events) {
        first.push_back({event->time, event->duration});
    }
    PairNotes(song);
    std::vector<std::pair<std::int32_t, std::int32_t>> second;
    for (const auto& event : Track(song).events) {
        second.push_back({event->time, event->duration});
    }
    EXPECT_EQ(first, second);
    EXPECT_EQ(song.correctedCount, 0);
    EXPECT_TRUE(test::SongIsConsistent(song));
}

}  // namespace
}  // namespace tavrino
