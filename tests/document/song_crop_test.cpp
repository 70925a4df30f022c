#include "document/song_crop.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document/song_edits.h"
#include "document/test_songs.h"
#include "song/song_invariants.h"

namespace tavrino {
namespace {

using test::AddController;
using test::AddEvent;
using test::AddNote;
using test::AddTempo;
using test::AddTrack;
using test::FinishSong;
using test::SongIsConsistent;
using ::testing::ElementsAre;
using ::testing::Pair;

// (start, end) of every note of the track.
std::vector<std::pair<std::int32_t, std::int32_t>> NotesOf(const MidiTrack& track) {
    std::vector<std::pair<std::int32_t, std::int32_t>> notes;
    for (const auto& event : track.events) {
        if (event->isSoundingNoteOn() && event->buddy != nullptr) {
            notes.emplace_back(event->time, event->buddy->time);
        }
    }
    return notes;
}

// (time, value) of every controller change of the track.
std::vector<std::pair<std::int32_t, int>> ControllersOf(const MidiTrack& track, int number) {
    std::vector<std::pair<std::int32_t, int>> changes;
    for (const auto& event : track.events) {
        if (event->kind() == EventKind::Controller && event->data1 == number) {
            changes.emplace_back(event->time, event->data2);
        }
    }
    return changes;
}

class CropSongTest : public ::testing::Test {
protected:
    void SetUp() override {
        MidiTrack& conductor = AddTrack(song);
        AddTempo(conductor, 0, 500000);
        AddTempo(conductor, 480, 400000);
        AddEvent(conductor, 4000, std::make_unique<EndOfTrackEvent>());
        MidiTrack& melody = AddTrack(song);
        AddEvent(melody, 0, CreateChannelEvent(0, 0xC0, 22, 0));
        AddController(melody, 0, 7, 80, 100);
        AddController(melody, 1, 7, 90, 300);  // the same controller on another channel
        AddController(melody, 0, 64, 127, 100);
        AddController(melody, 0, 64, 0, 200);
        AddEvent(melody, 500, CreateChannelEvent(500, 0xE0, 0, 70));
        AddNote(melody, 0, 60, 900, 1000);   // straddles the begin mark
        AddNote(melody, 0, 62, 1000, 1100);  // inside
        AddNote(melody, 0, 64, 1900, 2000);  // straddles the end mark
        AddNote(melody, 0, 65, 2000, 2100);  // after
        AddController(melody, 0, 7, 100, 2500);
        FinishSong(song);
    }

    MidiSong song;
};

TEST_F(CropSongTest, KeepsTheSelectionWithTheSettingsInForceAtItsStart) {
    ASSERT_EQ(CropSong(song, 960, 1920), 0);

    ASSERT_EQ(song.tempos.size(), 1u);
    EXPECT_EQ(song.tempos[0]->time, 0);
    EXPECT_EQ(song.tempos[0]->value(), 400000);
    ASSERT_EQ(song.timeSignatures.size(), 1u);
    EXPECT_EQ(song.timeSignatures[0]->time, 0);

    const MidiTrack& melody = *song.tracks[1];
    EXPECT_THAT(NotesOf(melody), ElementsAre(Pair(40, 140), Pair(940, 960)));
    EXPECT_THAT(ControllersOf(melody, 7), ElementsAre(Pair(0, 90)));
    EXPECT_THAT(ControllersOf(melody, 64), ElementsAre(Pair(0, 127), Pair(0, 0)));
    EXPECT_EQ(melody.events.front()->kind(), EventKind::Program);
    for (const auto& event : melody.events) {
        EXPECT_NE(event->kind(), EventKind::PitchWheel);
    }
    for (const auto& track : song.tracks) {
        EXPECT_EQ(track->events.back()->kind(), EventKind::EndOfTrack);
        EXPECT_EQ(track->events.back()->time, 960);
    }
    EXPECT_EQ(song.songLength, 960);
    EXPECT_EQ(song.bars.size(), 1);
    EXPECT_TRUE(SongIsConsistent(song));
}

TEST_F(CropSongTest, WithOnlyAnEndMarkKeepsTheBeginningAndEndsEveryTrackThere) {
    ASSERT_EQ(CropSong(song, kNoMark, 1920), 0);
    const MidiTrack& melody = *song.tracks[1];
    EXPECT_THAT(NotesOf(melody), ElementsAre(Pair(900, 1000), Pair(1000, 1100), Pair(1900, 1920)));
    EXPECT_THAT(ControllersOf(melody, 7), ElementsAre(Pair(100, 80), Pair(300, 90)));
    EXPECT_EQ(song.tempos.size(), 2u);
    EXPECT_EQ(song.tracks[0]->events.back()->time, 1920);
    EXPECT_EQ(song.songLength, 1920);
    EXPECT_TRUE(SongIsConsistent(song));
}

TEST_F(CropSongTest, WithOnlyABeginMarkShiftsTheRestToTheStart) {
    ASSERT_EQ(CropSong(song, 960, kNoMark), 0);
    const MidiTrack& melody = *song.tracks[1];
    EXPECT_THAT(NotesOf(melody), ElementsAre(Pair(40, 140), Pair(940, 1040), Pair(1040, 1140)));
    EXPECT_THAT(ControllersOf(melody, 7), ElementsAre(Pair(0, 90), Pair(1540, 100)));
    EXPECT_EQ(song.tracks[0]->events.back()->time, 3040);
    EXPECT_EQ(song.songLength, 3040);
    EXPECT_TRUE(SongIsConsistent(song));
}

TEST(CropSong, AChangeAtTheBeginMarkReplacesTheOneBeforeAndTracksWithoutAnEndGetOne) {
    MidiSong song;
    MidiTrack& conductor = AddTrack(song);
    AddTempo(conductor, 0, 500000);
    AddTempo(conductor, 960, 300000);
    AddEvent(conductor, 0, std::make_unique<TimeSignatureEvent>(3, 4, 24, 8));
    AddEvent(conductor, 960, std::make_unique<TimeSignatureEvent>(4, 4, 24, 8));
    MidiTrack& melody = AddTrack(song);
    AddNote(melody, 0, 62, 1000, 1100);
    FinishSong(song);
    // A track as some files have it: no end of track.
    DeleteEvent(song, *melody.events.back());

    ASSERT_EQ(CropSong(song, 960, 1920), 0);
    ASSERT_EQ(song.tempos.size(), 1u);
    EXPECT_EQ(song.TempoAt(0), 300000);
    ASSERT_EQ(song.timeSignatures.size(), 1u);
    EXPECT_EQ(song.timeSignatures[0]->numerator(), 4);
    EXPECT_EQ(song.bars.size(), 1);
    EXPECT_THAT(NotesOf(melody), ElementsAre(Pair(40, 140)));
    EXPECT_EQ(melody.events.back()->kind(), EventKind::EndOfTrack);
    EXPECT_EQ(melody.events.back()->time, 960);
    EXPECT_TRUE(SongIsConsistent(song));
}

TEST_F(CropSongTest, RefusesAnEndMarkAtOrBeforeTheBeginMark) {
    const std::size_t messages = song.messages.size();
    EXPECT_EQ(CropSong(song, 960, 960), kRefused);
    EXPECT_EQ(CropSong(song, 960, 500), kRefused);
    EXPECT_EQ(song.messages.size(), messages);
    EXPECT_EQ(song.songLength, 4000);
}

}  // namespace
}  // namespace tavrino
