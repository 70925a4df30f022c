#include "document/tavrino_doc.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "document/document_fakes.h"
#include "document/test_songs.h"
#include "song/file_bytes.h"
#include "song/midi_reader.h"
#include "song/midi_writer.h"
#include "song/note_pairing.h"
#include "song/song_invariants.h"
#include "support/temporary_folder.h"

namespace tavrino {
namespace {

using test::AddNote;
using test::AddTrack;
using test::FinishSong;
using test::SongIsConsistent;
using ::testing::ElementsAre;

// A song file with a conductor track (120 bpm) and two melody tracks: track 1
// plays 60, 62, 64 a quarter note each from tick 0; track 2, named "Bass",
// plays 48 from 0 to 1440 and a drum hit.
std::string WriteSongFile(const std::string& path) {
    MidiSong song;
    test::AddTempo(AddTrack(song), 0, 500000);
    MidiTrack& melody = AddTrack(song);
    for (int i = 0; i < 3; ++i) {
        AddNote(melody, 0, 60 + 2 * i, 480 * i, 480 * (i + 1));
    }
    MidiTrack& bass = AddTrack(song);
    const std::string name = "Bass";
    test::AddEvent(
        bass, 0,
        CreateMetaEvent(
            0, 0x03, std::span(reinterpret_cast<const std::uint8_t*>(name.data()), name.size())));
    AddNote(bass, 1, 48, 0, 1440);
    AddNote(bass, 9, 36, 0, 100);
    FinishSong(song);
    EXPECT_EQ(WriteMidiFile(song, path), kWriteOk);
    return path;
}

std::vector<int> PitchesOf(const MidiTrack& track) {
    std::vector<int> pitches;
    for (const auto& event : track.events) {
        if (event->isSoundingNoteOn() && !event->isPercussion()) {
            pitches.push_back(event->data1);
        }
    }
    return pitches;
}

MidiEvent& FirstNote(MidiTrack& track) {
    for (const auto& event : track.events) {
        if (event->isSoundingNoteOn()) {
            return *event;
        }
    }
    throw std::logic_error("no note");
}

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override { doc.AttachSelection(&selection); }

    // Selects the melody's first two notes (60 at 0, 62 at 480).
    std::pair<MidiEvent*, MidiEvent*> SelectTwoNotes() {
        MidiTrack& melody = *doc.song.tracks[1];
        selection.notes = {melody[0], melody[2]};
        return {melody[0], melody[2]};
    }

    void Load(const std::string& name = "song.mid") {
        ASSERT_EQ(doc.OnOpenDocument(WriteSongFile(TempPath(name))), kReadOk);
        host.calls.clear();
        player.calls.clear();
    }

    std::string TempPath(const std::string& name) const { return folder.File(name); }

    test::TemporaryFolder folder;
    test::FakeHost host;
    test::FakePlayer player;
    test::StubSelection selection;
    CTavrinoDoc doc{host, player};
};

TEST_F(DocumentTest, LoadingHandsTheSongToThePlayerAndMarksTheSoundingNotes) {
    doc.beginMark = 100;
    player.playing = true;
    ASSERT_EQ(doc.OnOpenDocument(WriteSongFile(TempPath("load.mid"))), kReadOk);

    EXPECT_THAT(player.calls,
                ElementsAre("stop", "seek 0", "division 480", "tempo 500000", "play 0"));
    EXPECT_THAT(host.calls,
                ElementsAre("progress", "leave edit mode", "tempo", "repaint", "position -1",
                            "reset monitors new", "scroll range 3", "end progress"));
    EXPECT_EQ(host.lastProgress, 100);
    EXPECT_EQ(doc.loadCount, 1);
    EXPECT_EQ(doc.beginMark, kNoMark);
    int playable = 0;
    for (const MidiEvent* event : doc.song.messages) {
        const bool sounding = event->isSoundingNoteOn() && !event->isPercussion();
        EXPECT_EQ(event->playable, sounding ? 1 : 0);
        playable += event->playable;
    }
    EXPECT_EQ(playable, 4) << "three melody notes and the bass note, not the drum";
    EXPECT_TRUE(doc.HasTracks());
}

TEST_F(DocumentTest, AFailedLoadSaysSoAndKeepsTheOpenSong) {
    EXPECT_EQ(doc.OnOpenDocument(TempPath("missing.mid")), kReadCannotOpen);
    EXPECT_TRUE(host.Said(
        "message Error reading file\nCannot open the file (No such file or directory) | Tavrino! "
        "Error | !"));
    EXPECT_FALSE(doc.HasTracks());
    doc.endMark = 10;
    EXPECT_FALSE(doc.CanCrop());

    Load();
    const std::string openPath = doc.pathName;
    doc.beginMark = 480;
    doc.SetModified(1, kOtherEdit);
    const std::vector<std::uint8_t> notMidi{'R', 'I', 'F', 'F', 0, 0, 0, 4, 'W', 'A', 'V', 'E'};
    for (const std::string& bad : {TempPath("missing.mid"), folder.Write("sound.wav", notMidi)}) {
        EXPECT_NE(doc.OnOpenDocument(bad), kReadOk);
        EXPECT_EQ(doc.song.tracks.size(), 3u);
        EXPECT_THAT(PitchesOf(*doc.song.tracks[1]), ElementsAre(60, 62, 64));
        EXPECT_EQ(doc.pathName, openPath);
        EXPECT_EQ(doc.beginMark, 480);
        EXPECT_TRUE(doc.IsModified());
    }
    EXPECT_EQ(doc.loadCount, 1);
    EXPECT_TRUE(SongIsConsistent(doc.song));
}

TEST_F(DocumentTest, ErrorMessagesSayWhy) {
    ASSERT_TRUE(WriteFileReplacing(TempPath("notes.txt"), std::vector<std::uint8_t>{'h', 'i'}));
    std::vector<std::uint8_t> damaged;
    ASSERT_TRUE(ReadFileBytes(WriteSongFile(TempPath("whole.mid")), damaged));
    damaged[14] = 'X';  // the first track chunk's tag
    ASSERT_TRUE(WriteFileReplacing(TempPath("damaged.mid"), damaged));
    const struct {
        const char* file;
        const char* reason;
    } unreadable[] = {
        {"notes.txt", "Not a Standard MIDI File (bad header)"},
        {"damaged.mid", "Read error: damaged at byte 14"},
    };
    for (const auto& [file, reason] : unreadable) {
        doc.OnOpenDocument(TempPath(file));
        EXPECT_TRUE(host.Said(std::string("message Error reading file\n") + reason +
                              " | Tavrino! Error | !"))
            << file;
    }
    EXPECT_FALSE(doc.OnSaveDocument(TempPath("empty.mid")));
    EXPECT_TRUE(host.Said(
        "message Error writing file\nA song with no tracks cannot be saved | Tavrino! Error | !"));
}

TEST_F(DocumentTest, ATruncatedFileLoadsWithAWarning) {
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes(WriteSongFile(TempPath("whole.mid")), bytes));
    bytes.resize(bytes.size() - 4);  // cuts the last end of track
    ASSERT_TRUE(WriteFileReplacing(TempPath("cut.mid"), bytes));
    EXPECT_EQ(doc.OnOpenDocument(TempPath("cut.mid")), kReadOk);
    EXPECT_TRUE(
        host.Said("message Warning:\nMidi file looks truncated\nLoading as much as possible | File "
                  "Warning! | !"));
}

TEST_F(DocumentTest, SavingClearsEveryFlagAndTheUndoRecordAndAFailedSaveKeepsThem) {
    Load();
    doc.Transpose(1, true);
    doc.SetModified(1, kTrackProperties);
    EXPECT_FALSE(doc.OnSaveDocument(TempPath("no-such-folder/out.mid")));
    EXPECT_TRUE(
        host.Said("message Error writing file\nCannot write the file (No such file or directory) | "
                  "Tavrino! Error | !"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(host.modifiedMark);

    EXPECT_TRUE(doc.OnSaveDocument(TempPath("out.mid")));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(host.modifiedMark);
    EXPECT_EQ(doc.lastKind, kUnmodified);
    EXPECT_EQ(doc.TransposeUndo.amount, 0);
    EXPECT_EQ(doc.TransposeUndo.groups, 0);
    EXPECT_EQ(doc.pathName, TempPath("out.mid"));
}

TEST_F(DocumentTest, SaveChangesPromptDecidesWhetherToProceed) {
    EXPECT_TRUE(doc.SaveModified());  // nothing to save: no question
    EXPECT_TRUE(host.calls.empty());

    doc.SetModified(1, kOtherEdit);
    host.saveAnswer = SaveChangesAnswer::kYes;
    EXPECT_FALSE(doc.SaveModified());  // a new document, and no file chosen
    EXPECT_THAT(host.calls, ElementsAre("ask Save changes to Untitled?", "ask path"));

    Load("tune.mid");
    doc.SetModified(1, kOtherEdit);
    host.saveAnswer = SaveChangesAnswer::kCancel;
    player.playing = true;
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_TRUE(host.Said("ask Save changes to tune.mid?"));
    EXPECT_FALSE(host.Said("play from here"));

    player.playing = true;
    host.saveAnswer = SaveChangesAnswer::kNo;
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_TRUE(host.Said("play from here"));
    EXPECT_TRUE(doc.IsModified());

    host.saveAnswer = SaveChangesAnswer::kYes;
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentTest, TranspositionsWithTheSameMarksFormOneUndoGroup) {
    Load();
    doc.Transpose(1, true);
    doc.Transpose(1, true);
    doc.Transpose(-1, true);
    EXPECT_EQ(doc.TransposeUndo.groups, 1);
    EXPECT_EQ(doc.TransposeUndo.amount, 1);
    EXPECT_THAT(PitchesOf(*doc.song.tracks[1]), ElementsAre(61, 63, 65));
    EXPECT_EQ(doc.UndoMenuItem().text, "Undo Transpose\tCtrl+Z");
    EXPECT_TRUE(doc.UndoMenuItem().enabled);

    player.playing = true;
    doc.OnEditUndo();
    EXPECT_THAT(PitchesOf(*doc.song.tracks[1]), ElementsAre(60, 62, 64));
    EXPECT_THAT(PitchesOf(*doc.song.tracks[2]), ElementsAre(48));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_THAT(host.calls,
                ElementsAre("wait", "reset monitors", "repaint", "end wait", "play from here"));
    EXPECT_EQ(doc.UndoMenuItem().text, "Can't Undo\tCtrl+Z");
    EXPECT_FALSE(doc.UndoMenuItem().enabled);

    doc.OnEditUndo();
    EXPECT_TRUE(host.Said("message Sorry, can't undo more | Undo"));
}

TEST_F(DocumentTest, UpAndDownAgainLeavesTheSongUnmodified) {
    Load();
    doc.Transpose(1, true);
    EXPECT_TRUE(host.modifiedMark);
    doc.Transpose(-1, true);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(host.modifiedMark);
    EXPECT_EQ(doc.TransposeUndo.groups, 0);
}

TEST_F(DocumentTest, HidingATrackBetweenTranspositionsStartsANewGroup) {
    Load();
    doc.Transpose(12, false);
    doc.song.tracks[2]->flags = 0;
    doc.Transpose(12, false);
    EXPECT_EQ(doc.TransposeUndo.groups, 2);
    EXPECT_THAT(PitchesOf(*doc.song.tracks[1]), ElementsAre(84, 86, 88));
    EXPECT_THAT(PitchesOf(*doc.song.tracks[2]), ElementsAre(60));

    doc.OnEditUndo();
    EXPECT_THAT(PitchesOf(*doc.song.tracks[1]), ElementsAre(72, 74, 76));
    EXPECT_THAT(PitchesOf(*doc.song.tracks[2]), ElementsAre(60));
    EXPECT_TRUE(doc.IsModified());  // the first group stays
}

TEST_F(DocumentTest, UndoUsesTheMarksOfItsGroupAndAnEditInBetweenDisablesIt) {
    Load();
    doc.beginMark = 480;
    doc.endMark = 960;
    doc.Transpose(2, true);
    EXPECT_THAT(PitchesOf(*doc.song.tracks[1]), ElementsAre(60, 64, 64));
    doc.beginMark = kNoMark;
    doc.Transpose(1, true);  // other marks: a new group
    EXPECT_THAT(PitchesOf(*doc.song.tracks[1]), ElementsAre(61, 65, 64));
    doc.OnEditUndo();
    EXPECT_THAT(PitchesOf(*doc.song.tracks[1]), ElementsAre(60, 64, 64));

    doc.Transpose(1, true);
    doc.SetNoteValue(FirstNote(*doc.song.tracks[2]), 50, kNotePitch);
    EXPECT_EQ(doc.UndoMenuItem().text, "Can't Undo\tCtrl+Z");
}

TEST_F(DocumentTest, UndoCoversTracksBeyondTheHundredAndTwentyEighth) {
    for (int t = 0; t < 130; ++t) {
        AddNote(AddTrack(doc.song), t % 9, 60, 0, 480);
    }
    FinishSong(doc.song);
    for (const auto& track : doc.song.tracks) {
        track->flags = 0;
    }
    doc.song.tracks[129]->flags = MidiTrack::kVisible;
    doc.Transpose(5, false);
    EXPECT_THAT(PitchesOf(*doc.song.tracks[128]), ElementsAre(60));
    EXPECT_THAT(PitchesOf(*doc.song.tracks[129]), ElementsAre(65));
    doc.OnEditUndo();
    EXPECT_THAT(PitchesOf(*doc.song.tracks[129]), ElementsAre(60));

    doc.Transpose(-3, true);
    EXPECT_THAT(PitchesOf(*doc.song.tracks[129]), ElementsAre(57));
    doc.OnEditUndo();
    for (const std::size_t track : {0, 128, 129}) {
        EXPECT_THAT(PitchesOf(*doc.song.tracks[track]), ElementsAre(60));
    }
}

TEST_F(DocumentTest, TracksAddedBetweenTranspositionsStartANewGroup) {
    Load();
    doc.Transpose(1, true);
    AddNote(AddTrack(doc.song), 2, 70, 0, 480);
    doc.song.messages.MergeTracks(doc.song.tracks);
    doc.Transpose(1, true);
    EXPECT_EQ(doc.TransposeUndo.groups, 2);
    EXPECT_EQ(doc.TransposeUndo.trackFlags.size(), 4u);
}

TEST_F(DocumentTest, ARefusedTranspositionBeepsAndChangesNothing) {
    EXPECT_EQ(doc.Transpose(1, true), kRefused);
    EXPECT_THAT(host.calls, ElementsAre("beep"));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.TransposeUndo.groups, 0);
    EXPECT_EQ(doc.Transpose(0, true), 0);
}

TEST_F(DocumentTest, AMarkSetBeyondTheOtherClearsIt) {
    Load();
    doc.SetEndMark({1, 2, 0});
    EXPECT_EQ(doc.endMark, 480);
    doc.SetBeginMark({1, 3, 0});
    EXPECT_EQ(doc.beginMark, 960);
    EXPECT_EQ(doc.endMark, kNoMark);
    doc.SetEndMark({1, 1, 100});
    EXPECT_EQ(doc.endMark, 100);
    EXPECT_EQ(doc.beginMark, kNoMark);
    EXPECT_THAT(host.calls, ::testing::Contains("reset monitors"));
}

TEST_F(DocumentTest, CropClearsTheMarksTheSelectionAndTheHeldNotes) {
    Load();
    selection.notes.push_back(&FirstNote(*doc.song.tracks[1]));
    doc.pendingNotes.push_back(&FirstNote(*doc.song.tracks[2]));
    EXPECT_FALSE(doc.CanCrop());
    doc.beginMark = 480;
    doc.endMark = 480;
    EXPECT_FALSE(doc.CanCrop());  // an empty selection
    doc.endMark = kNoMark;
    player.playing = true;
    doc.OnCrop();

    EXPECT_THAT(PitchesOf(*doc.song.tracks[1]), ElementsAre(62, 64));
    EXPECT_EQ(doc.beginMark, kNoMark);
    EXPECT_TRUE(selection.notes.empty());
    EXPECT_TRUE(doc.pendingNotes.empty());
    EXPECT_EQ(doc.lastKind, kOtherEdit);
    EXPECT_THAT(player.calls, ElementsAre("stop", "seek 0"));
    EXPECT_THAT(host.calls, ElementsAre("wait", "end wait", "repaint", "position -1",
                                        "reset monitors new", "scroll range 2"));
    EXPECT_TRUE(SongIsConsistent(doc.song));
}

TEST_F(DocumentTest, DeletingANoteOrATrackForgetsItsSelectionAndRestartsThePlayer) {
    Load();
    MidiEvent& note = FirstNote(*doc.song.tracks[1]);
    MidiEvent& bass = FirstNote(*doc.song.tracks[2]);
    selection.notes = {&bass, &note};
    player.playing = true;
    EXPECT_EQ(doc.DeleteNoteEvent(note), 0);
    EXPECT_THAT(selection.notes, ElementsAre(&bass));
    EXPECT_THAT(player.calls, ElementsAre("stop"));
    EXPECT_TRUE(host.Said("play from here"));
    EXPECT_THAT(PitchesOf(*doc.song.tracks[1]), ElementsAre(62, 64));

    EXPECT_EQ(doc.DeleteTrack(0), kRefused);
    EXPECT_EQ(doc.DeleteTrack(3), kRefused);
    doc.SetModified(0, kOtherEdit);
    EXPECT_EQ(doc.DeleteTrack(2), 0);
    EXPECT_TRUE(selection.notes.empty());
    EXPECT_EQ(doc.song.tracks.size(), 2u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(SongIsConsistent(doc.song));
}

TEST_F(DocumentTest, AddingAnEventPausesPlaybackInsteadOfStoppingIt) {
    Load();
    player.playing = true;
    EXPECT_EQ(doc.AddEvent(240, 1, std::make_unique<ControllerEvent>(0, 0xB0, 7, 90)), 0);
    EXPECT_THAT(player.calls, ElementsAre("pause", "resume"));
    EXPECT_TRUE(doc.IsModified());

    doc.SetModified(0, kOtherEdit);
    EXPECT_EQ(doc.AddEvent(240, 3, std::make_unique<ControllerEvent>(0, 0xB0, 7, 90)), kRefused);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(SongIsConsistent(doc.song));
}

TEST_F(DocumentTest, NoteValuesTextsVelocitiesAndTempoChangesMarkTheSongModified) {
    Load();
    MidiEvent& note = FirstNote(*doc.song.tracks[1]);
    doc.SetNoteValue(note, 0x80 + 67, kNotePitch);
    EXPECT_EQ(note.data1, 67);
    EXPECT_EQ(note.buddy->data1, 67);
    doc.SetNoteValue(note, 90, kNoteVelocity);
    EXPECT_EQ(note.data2, 90);
    EXPECT_EQ(note.buddy->data2, 64);

    auto text = std::make_unique<std::uint8_t[]>(4);
    std::copy_n("Bass", 4, text.get());
    text[3] = 0;
    MidiEvent& name = *doc.song.tracks[2]->events.front();
    doc.SetEventText(name, std::move(text), 3);
    EXPECT_EQ(name.text(), "Bas");

    doc.song.tracks[1]->velocityPercent = 50;
    doc.endMark = 480;
    EXPECT_EQ(doc.ScaleTrackVelocities(1), 0);
    EXPECT_EQ(note.data2, 45);
    EXPECT_EQ(doc.ScaleTrackVelocities(7), kRefused);

    player.tempoPercent = 50;
    EXPECT_EQ(doc.ApplyTempoPercent(), 0);
    EXPECT_EQ(doc.song.tempos.front()->value(), 1000000);
    player.tempoPercent = 5;
    doc.ApplyTempoPercent();
    EXPECT_EQ(doc.song.tempos.front()->value(), 0xFFFFFF);  // the most a tempo can hold
    player.tempoPercent = 0;
    EXPECT_EQ(doc.ApplyTempoPercent(), kRefused);
    EXPECT_EQ(doc.lastKind, kOtherEdit);
}

TEST_F(DocumentTest, StepEntryWritesNoteAfterNoteAndMovesThePlayPosition) {
    Load();
    doc.editTrack = 2;
    doc.editChannel = 1;
    doc.editCursor = 1440;
    doc.noteDuration = 432;
    doc.noteGap = 48;
    for (const int pitch : {50, 52, 53}) {
        ASSERT_EQ(doc.WriteNote(pitch, kStepEntry), 0);
    }
    EXPECT_EQ(doc.editCursor, 2880);
    const MidiTrack& bass = *doc.song.tracks[2];
    std::vector<std::int32_t> starts;
    for (const auto& event : bass.events) {
        if (event->isSoundingNoteOn() && event->data1 >= 50) {
            starts.push_back(event->time);
            EXPECT_EQ(event->duration, 432);
            EXPECT_EQ(event->playable, 1);
            EXPECT_EQ(event->channel(), 1);
        }
    }
    EXPECT_THAT(starts, ElementsAre(1440, 1920, 2400));
    EXPECT_EQ(bass.events.back()->time, 2832);  // the end of track followed
    EXPECT_EQ(player.calls.back(), "seek 2880");
    EXPECT_TRUE(host.Said("scroll range 5"));
    EXPECT_TRUE(host.Said("scroll to 2880"));
    EXPECT_TRUE(SongIsConsistent(doc.song));

    doc.noteDuration = 0;
    EXPECT_EQ(doc.WriteNote(50, kStepEntry), kRefused);
    doc.noteDuration = 100;
    EXPECT_EQ(doc.WriteNote(128, kStepEntry), kRefused);
    doc.editTrack = 9;
    EXPECT_EQ(doc.WriteNote(50, kStepEntry), kRefused);
}

TEST_F(DocumentTest, KeysPressedAndReleasedWhilePlayingWriteNotesOfTheirLength) {
    Load();
    doc.editTrack = 1;
    doc.editChannel = 9;
    player.playing = true;
    doc.editCursor = 100;
    doc.WriteNote(38, kKeyDown);
    doc.editChannel = 0;
    doc.WriteNote(70, kKeyDown);
    ASSERT_EQ(doc.pendingNotes.size(), 2u);
    EXPECT_EQ(doc.pendingNotes[0]->playable, 0);  // percussion
    EXPECT_EQ(doc.pendingNotes[1]->duration, 2);

    doc.editCursor = 300;
    doc.WriteNote(70, kKeyUp);
    ASSERT_EQ(doc.pendingNotes.size(), 1u);
    EXPECT_EQ(doc.pendingNotes[0]->data1, 38) << "only the released key is let go";
    EXPECT_TRUE(SongIsConsistent(doc.song));
    const auto held = std::find_if(
        doc.song.tracks[1]->events.begin(), doc.song.tracks[1]->events.end(),
        [](const auto& event) { return event->isSoundingNoteOn() && event->data1 == 70; });
    ASSERT_NE(held, doc.song.tracks[1]->events.end());
    EXPECT_EQ((*held)->duration, 200);
    EXPECT_EQ((*held)->buddy->time, 300);
    EXPECT_FALSE(std::find(player.calls.begin(), player.calls.end(), "stop") != player.calls.end());

    doc.WriteNote(71, kKeyUp);  // no such key held: an unpaired note-off
    const auto offsOf71 = [&] {
        return std::count_if(doc.song.tracks[1]->events.begin(), doc.song.tracks[1]->events.end(),
                             [](const auto& event) { return event->data1 == 71; });
    };
    EXPECT_EQ(offsOf71(), 1);
    PairNotes(doc.song);
    EXPECT_EQ(offsOf71(), 0);
    EXPECT_TRUE(SongIsConsistent(doc.song));
}

TEST_F(DocumentTest, ADragMovesStretchesAndTransposesTheSelectedNotes) {
    Load();
    auto [first, second] = SelectTwoNotes();
    ASSERT_EQ(second->time, 480);
    selection.target = NoteDragTarget{65, 960, 1200};
    player.playing = true;

    ASSERT_EQ(doc.ApplyTrackerDrag(1), 0);

    EXPECT_EQ(second->time, 960);
    EXPECT_EQ(second->buddy->time, 1200);
    EXPECT_EQ(second->duration, 240);
    EXPECT_EQ(second->data1, 65);
    EXPECT_EQ(first->time, 480);
    EXPECT_EQ(first->buddy->time, 960);
    EXPECT_EQ(first->data1, 63);
    EXPECT_EQ(first->buddy->data1, 63);
    EXPECT_THAT(selection.updated, ElementsAre(0, 1));
    EXPECT_TRUE(host.Said("play from here"));
    EXPECT_TRUE(SongIsConsistent(doc.song));
}

TEST_F(DocumentTest, ADragStopsAtTheSongsStartAndTheKeyRangeInsteadOfBreakingTheGroup) {
    Load();
    auto [first, second] = SelectTwoNotes();
    EXPECT_EQ(doc.ApplyTrackerDrag(0), kRefused);  // the view reports no target
    EXPECT_EQ(doc.ApplyTrackerDrag(2), kRefused);
    EXPECT_FALSE(doc.IsModified());

    // The first note would start at -380: the group stops at tick 0.
    selection.target = NoteDragTarget{62, 100, 300};
    ASSERT_EQ(doc.ApplyTrackerDrag(1), 0);
    EXPECT_EQ(first->time, 0);
    EXPECT_EQ(second->time, 480);
    EXPECT_EQ(second->duration, 200) << "the stretch still applies";

    // 62 would become 129: the group stops with it at 127, 2 semitones apart.
    selection.target = NoteDragTarget{127, 0, 480};
    ASSERT_EQ(doc.ApplyTrackerDrag(0), 0);
    EXPECT_EQ(first->data1, 125);
    EXPECT_EQ(second->data1, 127);
    EXPECT_EQ(second->buddy->data1, 127);

    // No length: the note keeps one tick.
    selection.target = NoteDragTarget{125, 0, 0};
    ASSERT_EQ(doc.ApplyTrackerDrag(0), 0);
    EXPECT_EQ(first->duration, 1);
    EXPECT_TRUE(SongIsConsistent(doc.song));
}

TEST_F(DocumentTest, ANewDocumentStartsEmptyAfterALoad) {
    Load();
    doc.SetModified(1, kTrackProperties);
    doc.OnNewDocument();
    EXPECT_FALSE(doc.HasTracks());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.pathName.empty());
    EXPECT_THAT(player.calls, ElementsAre("seek 0"));
    EXPECT_TRUE(host.Said("reset monitors new"));
    doc.OnReload();
    EXPECT_FALSE(host.Said("reload"));
}

}  // namespace
}  // namespace tavrino
