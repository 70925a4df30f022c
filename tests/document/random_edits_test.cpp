// Long random sequences of edits on generated songs: after every step the song
// must still be what the player, the views and the writer rely on.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "document/document_fakes.h"
#include "document/song_crop.h"
#include "document/tavrino_doc.h"
#include "document/test_songs.h"
#include "song/song_invariants.h"
#include "support/temporary_folder.h"

namespace tavrino {
namespace {

// Other programs stop reading a track at its end of track.
::testing::AssertionResult NothingFollowsAnEndOfTrack(const MidiSong& song) {
    for (std::size_t t = 0; t < song.tracks.size(); ++t) {
        const auto& events = song.tracks[t]->events;
        for (std::size_t i = 0; i + 1 < events.size(); ++i) {
            if (events[i]->kind() == EventKind::EndOfTrack) {
                return ::testing::AssertionFailure() << "track " << t << " goes on after its end";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

class RandomEditor {
public:
    explicit RandomEditor(unsigned seed) : random_(seed) {
        doc.AttachSelection(&selection_);
        test::MakeRandomSong(doc.song, random_, Pick(2, 6), 300, 20000);
    }

    // Applies one random edit and tells which.
    std::string Step() {
        player_.playing = Pick(0, 3) == 0;
        switch (Pick(0, 16)) {
            case 0:
                return Transpose();
            case 1:
                doc.OnEditUndo();
                return "undo";
            case 2:
                return DeleteSomeEvent();
            case 3:
                return Say("delete track", doc.DeleteTrack(Pick(-1, TrackCount())));
            case 4:
                return AddSomeEvent();
            case 5:
            case 6:
                return WriteSomeNote();
            case 7:
                return SetSomeNoteValue();
            case 8:
                return Say("scale velocities", ScaleSomeTrack());
            case 9:
            case 10:
                return DragSomeNotes();
            case 11:
                return Crop();
            case 12:
                return MoveSomeEvent();
            case 13:
                player_.tempoPercent = Pick(0, 200);
                return Say("tempo percent", doc.ApplyTempoPercent());
            case 14:
                return SetSomeMark();
            case 15:
                return AddTrack();
            default:
                return Say("text",
                           AddTextEvent(doc.song, Pick(0, TrackCount()), Pick(0, 30000), "la"));
        }
    }

    CTavrinoDoc doc{host_, player_};

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    int TrackCount() const { return static_cast<int>(doc.song.tracks.size()); }
    std::int32_t AnyTime() { return Pick(0, doc.song.songLength + 2000); }
    static std::string Say(const std::string& what, int result) {
        return what + (result == kRefused ? " (refused)" : "");
    }

    MidiEvent* AnyEvent() {
        if (doc.song.tracks.empty()) {
            return nullptr;
        }
        const MidiTrack& track =
            *doc.song.tracks[static_cast<std::size_t>(Pick(0, TrackCount() - 1))];
        return track.events.empty()
                   ? nullptr
                   : track[static_cast<std::size_t>(Pick(0, static_cast<int>(track.count()) - 1))];
    }

    MidiEvent* AnyNote() {
        for (int tries = 0; tries < 50; ++tries) {
            MidiEvent* event = AnyEvent();
            if (event != nullptr && event->isSoundingNoteOn()) {
                return event;
            }
        }
        return nullptr;
    }

    std::string Transpose() {
        const int semitones = std::array{-12, -1, 1, 12}[static_cast<std::size_t>(Pick(0, 3))];
        if (!doc.song.tracks.empty() && Pick(0, 2) == 0) {
            doc.song.tracks[static_cast<std::size_t>(Pick(0, TrackCount() - 1))]->flags ^=
                MidiTrack::kVisible;
        }
        return Say("transpose", doc.Transpose(semitones, Pick(0, 1) == 0));
    }

    // As the edit toolbar makes one: empty but for its end of track.
    std::string AddTrack() {
        test::AddTrack(doc.song);
        InsertEvent(doc.song, 0, TrackCount() - 1, std::make_unique<EndOfTrackEvent>());
        return "new track";
    }

    std::string DeleteSomeEvent() {
        const bool selected = !selection_.notes.empty() && Pick(0, 2) == 0;
        MidiEvent* event = selected ? selection_.notes.back() : AnyEvent();
        return event == nullptr ? "nothing to delete"
                                : Say("delete event", doc.DeleteNoteEvent(*event));
    }

    std::string AddSomeEvent() {
        std::unique_ptr<MidiEvent> event;
        switch (Pick(0, 4)) {
            case 0:
                event = std::make_unique<TempoEvent>(Pick(40, 200));
                break;
            case 1:
                event = std::make_unique<TrackNameEvent>();
                break;
            case 2:
                event = CreateChannelEvent(0, 0x80 | Pick(0, 15), Pick(0, 127), 0);
                break;
            case 3:
                event = CreateChannelEvent(0, 0xE0 | Pick(0, 15), Pick(0, 127), Pick(0, 127));
                break;
            default:
                event = CreateChannelEvent(0, 0xB0 | Pick(0, 15), 7, Pick(0, 127));
                break;
        }
        return Say("add event",
                   doc.AddEvent(AnyTime() - 10, Pick(0, TrackCount()), std::move(event)));
    }

    std::string WriteSomeNote() {
        doc.editTrack = static_cast<std::int16_t>(Pick(0, TrackCount()));
        doc.editChannel = static_cast<std::int16_t>(Pick(0, 15));
        doc.noteDuration = Pick(0, 500);
        doc.noteGap = Pick(0, 100);
        if (Pick(0, 3) == 0) {
            doc.editCursor = AnyTime();
        }
        const auto type = static_cast<NoteWriteType>(Pick(0, 2));
        return Say("write note", doc.WriteNote(Pick(40, 80), type));
    }

    std::string SetSomeNoteValue() {
        MidiEvent* note = AnyNote();
        if (note == nullptr) {
            return "no note";
        }
        doc.SetNoteValue(*note, Pick(1, 127), static_cast<NoteValueField>(Pick(0, 1)));
        return "note value";
    }

    int ScaleSomeTrack() {
        const int track = Pick(0, TrackCount());
        if (track < TrackCount()) {
            doc.song.tracks[static_cast<std::size_t>(track)]->velocityPercent =
                static_cast<std::uint8_t>(Pick(0, 200));
        }
        return doc.ScaleTrackVelocities(track);
    }

    // The selection persists between steps, so that edits which destroy
    // selected notes must take them out of it.
    std::string DragSomeNotes() {
        if (Pick(0, 2) == 0) {
            selection_.notes.clear();
            for (int n = Pick(1, 3); n > 0; --n) {
                MidiEvent* note = AnyNote();
                if (note != nullptr && std::find(selection_.notes.begin(), selection_.notes.end(),
                                                 note) == selection_.notes.end()) {
                    selection_.notes.push_back(note);
                }
            }
        }
        const std::int32_t start = AnyTime();
        selection_.target = NoteDragTarget{Pick(0, 130), start, start + Pick(-10, 500)};
        return Say("drag", doc.ApplyTrackerDrag(static_cast<std::size_t>(Pick(0, 3))));
    }

    std::string Crop() {
        if (Pick(0, 7) != 0) {
            return "no crop";
        }
        doc.beginMark = Pick(0, 1) == 0 ? kNoMark : Pick(0, doc.song.songLength / 4);
        doc.endMark = Pick(0, 1) == 0
                          ? kNoMark
                          : doc.song.songLength / 2 + Pick(1, doc.song.songLength / 2 + 1);
        doc.OnCrop();
        return "crop";
    }

    std::string MoveSomeEvent() {
        MidiEvent* event = AnyEvent();
        if (event == nullptr || event->kind() == EventKind::NoteOn ||
            event->kind() == EventKind::NoteOff) {
            return "nothing to move";
        }
        MoveEvent(doc.song, *event, AnyTime());
        return "move event";
    }

    std::string SetSomeMark() {
        const BarBeat position{Pick(0, 12), Pick(0, 5), Pick(0, 480)};
        if (Pick(0, 1) == 0) {
            doc.SetBeginMark(position);
        } else {
            doc.SetEndMark(position);
        }
        return "mark";
    }

    std::mt19937 random_;
    test::FakeHost host_;
    test::FakePlayer player_;
    test::StubSelection selection_;
};

TEST(RandomEdits, LeaveEverySongConsistentAndSavable) {
    for (unsigned seed = 1; seed <= 8; ++seed) {
        RandomEditor editor(seed);
        ASSERT_TRUE(test::SongIsConsistent(editor.doc.song)) << "seed " << seed;
        for (int step = 0; step < 400; ++step) {
            const std::string edit = editor.Step();
            ASSERT_TRUE(test::SongIsConsistent(editor.doc.song))
                << "seed " << seed << ", step " << step << ": " << edit;
            ASSERT_TRUE(NothingFollowsAnEndOfTrack(editor.doc.song))
                << "seed " << seed << ", step " << step << ": " << edit;
        }
        const test::TemporaryFolder folder;
        const std::string path = folder.File("random-edits.mid");
        const std::size_t tracks = editor.doc.song.tracks.size();
        ASSERT_TRUE(editor.doc.OnSaveDocument(path)) << "seed " << seed;
        ASSERT_EQ(editor.doc.OnOpenDocument(path), 0) << "seed " << seed;
        EXPECT_EQ(editor.doc.song.tracks.size(), tracks);
        EXPECT_TRUE(test::SongIsConsistent(editor.doc.song)) << "seed " << seed;
    }
}

}  // namespace
}  // namespace tavrino
