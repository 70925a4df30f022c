// Transpositions of the document and their undo: the song comes back exactly,
// key signatures move with the whole song, and the modified mark tells the
// truth.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document/document_fakes.h"
#include "document/tavrino_doc.h"
#include "document/test_songs.h"
#include "song/file_bytes.h"
#include "song/midi_reader.h"
#include "song/midi_writer.h"
#include "song/song_invariants.h"
#include "support/temporary_folder.h"

namespace tavrino {
namespace {

using test::AddEvent;
using test::AddNote;
using test::AddTrack;
using ::testing::ElementsAre;

std::vector<int> PitchesOf(const MidiTrack& track) {
    std::vector<int> pitches;
    for (const auto& event : track.events) {
        if (event->isSoundingNoteOn()) {
            pitches.push_back(event->data1);
        }
    }
    return pitches;
}

class TransposeUndoTest : public ::testing::Test {
protected:
    // A conductor track in G major, turning to C minor at bar 2, and a melody
    // whose notes reach the top of the key range after different numbers of
    // octaves.
    void SetUp() override {
        MidiSong song;
        MidiTrack& conductor = AddTrack(song);
        test::AddTempo(conductor, 0, 500000);
        AddEvent(conductor, 0, std::make_unique<KeySignatureEvent>(1, 0));
        AddEvent(conductor, 1920, std::make_unique<KeySignatureEvent>(-3, 1));
        MidiTrack& melody = AddTrack(song);
        const int pitches[] = {30, 60, 100, 120, 127, 64};
        for (int i = 0; i < 6; ++i) {
            AddNote(melody, 0, pitches[i], 480 * i, 480 * (i + 1));
        }
        test::FinishSong(song);
        ASSERT_EQ(WriteMidiFile(song, folder.File("song.mid")), kWriteOk);
        ASSERT_TRUE(ReadFileBytes(folder.File("song.mid"), original));
        ASSERT_EQ(doc.OnOpenDocument(folder.File("song.mid")), kReadOk);
    }

    std::vector<std::uint8_t> Saved() {
        std::vector<std::uint8_t> bytes;
        EXPECT_TRUE(doc.OnSaveDocument(folder.File("saved.mid")));
        EXPECT_TRUE(ReadFileBytes(folder.File("saved.mid"), bytes));
        return bytes;
    }

    const KeySignatureEvent& KeyAt(std::int32_t tick) { return *doc.song.KeySignatureAt(tick); }

    test::TemporaryFolder folder;
    test::FakeHost host;
    test::FakePlayer player;
    CTavrinoDoc doc{host, player};
    std::vector<std::uint8_t> original;
};

TEST_F(TransposeUndoTest, UndoAfterOctavesThatReachTheEdgeRestoresTheSongByteForByte) {
    for (int octaves = 1; octaves <= 6; ++octaves) {
        SCOPED_TRACE(octaves);
        ASSERT_EQ(doc.OnOpenDocument(folder.File("song.mid")), kReadOk);
        for (int step = 0; step < octaves; ++step) {
            doc.Transpose(12, true);
        }
        EXPECT_TRUE(doc.IsModified());
        EXPECT_TRUE(host.modifiedMark);
        doc.OnEditUndo();
        EXPECT_THAT(PitchesOf(*doc.song.tracks[1]), ElementsAre(30, 60, 100, 120, 127, 64));
        EXPECT_FALSE(doc.IsModified());
        EXPECT_TRUE(test::SongIsConsistent(doc.song));
        EXPECT_EQ(Saved(), original);
    }
}

TEST_F(TransposeUndoTest, UpAndDownWithANoteHeldAtTheEdgeStaysModifiedUntilUndone) {
    doc.Transpose(1, true);
    doc.Transpose(-1, true);
    // The note at 127 could not go up but came down: the song changed.
    EXPECT_THAT(PitchesOf(*doc.song.tracks[1]), ElementsAre(30, 60, 100, 120, 126, 64));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.UndoMenuItem().enabled);
    doc.OnEditUndo();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Saved(), original);
}

TEST_F(TransposeUndoTest, TheWholeSongTakesItsKeySignaturesAlongAndUndoRestoresThem) {
    EXPECT_EQ(doc.song.keyText, "Cm");
    doc.Transpose(2, true);
    EXPECT_EQ(KeyAt(0).keyName(), "A");
    EXPECT_EQ(KeyAt(1920).keyName(), "Dm");
    EXPECT_EQ(doc.song.keyText, "Dm");
    doc.Transpose(4, true);  // Db rather than C# with seven sharps
    EXPECT_EQ(KeyAt(0).sharpsFlats(), -5);
    EXPECT_EQ(KeyAt(1920).keyName(), "F#m");

    MidiSong saved;
    const std::vector<std::uint8_t> bytes = Saved();
    ASSERT_EQ(ReadMidiData(saved, bytes, "saved.mid"), kReadOk);
    EXPECT_EQ(saved.KeySignatureAt(0)->keyName(), "Db");
    EXPECT_EQ(saved.keyText, "F#m");

    doc.Transpose(-6, true);
    EXPECT_EQ(KeyAt(0).keyName(), "G");
    EXPECT_EQ(KeyAt(1920).keyName(), "Cm");
    doc.Transpose(5, true);
    doc.OnEditUndo();  // back to the song as saved
    EXPECT_EQ(KeyAt(0).keyName(), "Db");
    EXPECT_EQ(doc.song.keyText, "F#m");
}

TEST_F(TransposeUndoTest, PartialTranspositionsLeaveKeySignaturesAlone) {
    doc.Transpose(2, false);
    doc.endMark = 960;
    doc.Transpose(2, true);
    EXPECT_EQ(KeyAt(0).keyName(), "G");
    EXPECT_EQ(KeyAt(1920).keyName(), "Cm");
    EXPECT_EQ(doc.song.keyText, "Cm");
}

TEST_F(TransposeUndoTest, AnotherEditEndsTheGroupSoUndoNeverReachesPastIt) {
    doc.Transpose(12, true);
    MidiEvent& top = *doc.song.tracks[1]->events[8];  // the note at 127, held there
    ASSERT_EQ(top.data1, 127);
    doc.DeleteNoteEvent(top);
    doc.Transpose(-12, true);
    EXPECT_TRUE(doc.IsModified());
    doc.OnEditUndo();
    EXPECT_THAT(PitchesOf(*doc.song.tracks[1]), ElementsAre(42, 72, 112, 120, 76));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(test::SongIsConsistent(doc.song));
}

}  // namespace
}  // namespace tavrino
