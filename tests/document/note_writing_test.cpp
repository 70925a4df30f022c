// Edit mode in the document: note values, the set-up of an empty song, new
// tracks, the edit track, and keys still held when playing stops.

#include "document/note_writing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document/document_fakes.h"
#include "document/tavrino_doc.h"
#include "document/test_songs.h"
#include "song/song_invariants.h"

namespace tavrino {
namespace {

using ::testing::ElementsAre;

TEST(NoteValueTest, LengthsSplitIntoSoundAndSilenceAndNeverVanish) {
    struct Case {
        int index, percent, division;
        std::int32_t duration, gap;
    };
    for (const Case& c : {
             Case{2, 90, 192, 172, 20},   // a quarter at 90 %
             Case{2, 100, 192, 192, 0},   // no silence
             Case{2, 1, 192, 1, 191},     // the shortest sound
             Case{6, 100, 192, 64, 0},    // triplet
             Case{6, 100, 100, 33, 0},    // triplet, integer division
             Case{0, 50, 480, 960, 960},  // whole note
             Case{5, 90, 4, 1, 0},        // a thirty-second of 4 ticks is still a tick
             Case{2, 0, 192, 1, 191},     // percent below 1 counts as 1
             Case{9, 100, 192, 192, 0},   // an unknown value is the quarter
         }) {
        const NoteTiming timing = NoteValueTiming(c.index, c.percent, c.division);
        EXPECT_EQ(timing.duration, c.duration) << c.index << " " << c.percent << " " << c.division;
        EXPECT_EQ(timing.gap, c.gap) << c.index << " " << c.percent << " " << c.division;
    }
}

class EditModeDocumentTest : public ::testing::Test {
protected:
    EditModeDocumentTest() { doc.AttachSelection(&selection); }

    test::FakeHost host;
    test::FakePlayer player;
    test::StubSelection selection;
    CTavrinoDoc doc{host, player};
};

TEST_F(EditModeDocumentTest, AnEmptySongGetsAConductorTrackAndNewTracksFollow) {
    doc.SetUpEmptySong();
    ASSERT_EQ(doc.song.tracks.size(), 1u);
    EXPECT_EQ(doc.song.format, 1);
    EXPECT_EQ(doc.song.division, 192);
    EXPECT_EQ(doc.song.TempoAt(0), 500000);
    ASSERT_EQ(doc.song.timeSignatures.size(), 1u);
    EXPECT_EQ(doc.song.timeSignatures[0]->numerator(), 4);
    EXPECT_EQ(doc.song.keyText, "C");
    EXPECT_THAT(player.calls, ElementsAre("division 192", "tempo 500000"));
    EXPECT_TRUE(test::SongIsConsistent(doc.song));

    player.playing = true;
    player.calls.clear();
    EXPECT_EQ(doc.AddNewTrack("Harp", 3), 1);
    EXPECT_EQ(doc.AddNewTrack("", 0), 2);
    // Inserted like any other event: paused around it, never stopped.
    EXPECT_THAT(player.calls, ElementsAre("pause", "resume", "pause", "resume"));
    const MidiTrack& harp = *doc.song.tracks[1];
    EXPECT_EQ(harp.name, "Harp");
    EXPECT_THAT(harp.channels, ElementsAre(3));
    ASSERT_EQ(harp.count(), 2u);
    EXPECT_EQ(harp[0]->text(), "Harp");
    EXPECT_EQ(harp[0]->length, 4u);
    EXPECT_EQ(harp[1]->kind(), EventKind::EndOfTrack);
    EXPECT_EQ(doc.song.tracks[2]->count(), 1u);
    EXPECT_EQ(doc.editTrack, 2);
    EXPECT_TRUE(host.Said("reset monitors new"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(test::SongIsConsistent(doc.song));

    EXPECT_EQ(doc.AddNewTrack("Bad", 16), kRefused);
    doc.SetUpEmptySong();  // only ever for an empty song
    EXPECT_EQ(doc.song.tracks.size(), 3u);
}

TEST_F(EditModeDocumentTest, TheEditTrackStaysOnATrackThatTakesNotes) {
    doc.SetUpEmptySong();
    doc.AddNewTrack("One", 0);
    doc.AddNewTrack("Two", 1);
    EXPECT_EQ(doc.editTrack, 2);
    ASSERT_EQ(doc.DeleteTrack(2), 0);
    EXPECT_EQ(doc.editTrack, 1) << "the deleted track's notes go to the last one left";
    doc.editTrack = 0;
    doc.KeepEditTrackInSong();
    EXPECT_EQ(doc.editTrack, 1) << "the conductor track takes no notes";

    ASSERT_EQ(doc.DeleteTrack(1), 0);
    host.calls.clear();
    doc.noteDuration = 100;
    EXPECT_EQ(doc.WriteNote(60, kStepEntry), kRefused);
    EXPECT_TRUE(
        host.Said("message Cannot write the note: the song has no track 1 to write into | "
                  "Tavrino! Warning | !"));
}

TEST_F(EditModeDocumentTest, HeldKeysEndWhenReleasedAndNoWrittenNoteHasZeroLength) {
    doc.SetUpEmptySong();
    doc.AddNewTrack("Harp", 2);
    doc.editChannel = 2;
    player.playing = true;
    doc.editCursor = 400;
    doc.WriteNote(60, kKeyDown);
    doc.WriteNote(64, kKeyDown);
    // Released at once, or after the play position went back: one tick.
    doc.WriteNote(60, kKeyUp);
    doc.editCursor = 100;
    const std::vector<HeldKey> released = doc.ReleasePendingNotes();
    ASSERT_EQ(released.size(), 1u);
    EXPECT_EQ(released[0].channel, 2);
    EXPECT_EQ(released[0].key, 64);
    EXPECT_TRUE(doc.pendingNotes.empty());
    for (const MidiEvent* event : doc.song.messages) {
        if (event->isSoundingNoteOn()) {
            EXPECT_EQ(event->duration, 1) << event->data1;
            ASSERT_NE(event->buddy, nullptr);
            EXPECT_EQ(event->buddy->time, 401);
        }
    }
    EXPECT_TRUE(test::SongIsConsistent(doc.song));
    EXPECT_TRUE(doc.ReleasePendingNotes().empty());
}

}  // namespace
}  // namespace tavrino
