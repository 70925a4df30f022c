#include "document/song_edits.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "document/test_songs.h"
#include "song/song_invariants.h"

namespace tavrino {
namespace {

using test::AddNote;
using test::AddTempo;
using test::AddTrack;
using test::FinishSong;
using test::SongIsConsistent;
using ::testing::ElementsAre;

std::vector<EventKind> KindsAt(const MidiTrack& track, std::int32_t time) {
    std::vector<EventKind> kinds;
    for (const auto& event : track.events) {
        if (event->time == time) {
            kinds.push_back(event->kind());
        }
    }
    return kinds;
}

std::vector<std::int32_t> TimesOf(const std::vector<TempoEvent*>& tempos) {
    std::vector<std::int32_t> times;
    for (const TempoEvent* tempo : tempos) {
        times.push_back(tempo->time);
    }
    return times;
}

std::size_t EventCount(const MidiSong& song) {
    std::size_t count = 0;
    for (const auto& track : song.tracks) {
        count += track->count();
    }
    return count;
}

// A conductor track with the tempo, and a melody of three notes: 60 at
// 0-480, 62 at 480-960, 64 at 960-1440.
void MakeMelody(MidiSong& song) {
    AddTempo(AddTrack(song), 0, 500000);
    MidiTrack& melody = AddTrack(song);
    for (int i = 0; i < 3; ++i) {
        AddNote(melody, 0, 60 + 2 * i, 480 * i, 480 * (i + 1));
    }
    FinishSong(song);
}

MidiEvent& NoteAt(MidiSong& song, std::size_t track, std::int32_t time) {
    for (const auto& event : song.tracks[track]->events) {
        if (event->isSoundingNoteOn() && event->time == time) {
            return *event;
        }
    }
    throw std::logic_error("no note there");
}

TEST(InsertEvent, OrdersEventsOfOneTimeByKindWithTheTrackNameFirst) {
    MidiSong song;
    MakeMelody(song);
    using K = EventKind;
    ASSERT_THAT(KindsAt(*song.tracks[1], 480), ElementsAre(K::NoteOff, K::NoteOn));

    EXPECT_EQ(InsertEvent(song, 480, 1, std::make_unique<TempoEvent>(100.0)), 0);
    EXPECT_EQ(InsertEvent(song, 480, 1, std::make_unique<NoteOffEvent>(0, 0x80, 62, 0)), 0);
    EXPECT_EQ(InsertEvent(song, 480, 1, std::make_unique<PitchWheelEvent>(0, 0xE0, 0, 64)), 0);
    EXPECT_EQ(InsertEvent(song, 480, 1, std::make_unique<TrackNameEvent>()), 0);
    EXPECT_EQ(InsertEvent(song, 480, 1, std::make_unique<NoteOffEvent>(0, 0x80, 61, 0)), 0);

    EXPECT_THAT(KindsAt(*song.tracks[1], 480),
                ElementsAre(K::TrackName, K::Tempo, K::PitchWheel, K::NoteOff, K::NoteOn,
                            K::NoteOff, K::NoteOff));
    EXPECT_THAT(TimesOf(song.tempos), ElementsAre(0, 480));
    EXPECT_TRUE(SongIsConsistent(song));
}

// The order a saved and reopened file lists the song's events in.
std::vector<const MidiEvent*> FileOrder(const MidiSong& song) {
    MessageList reopened;
    reopened.MergeTracks(song.tracks);
    return {reopened.begin(), reopened.end()};
}

TEST(InsertEvent, ListsEventsOfOneTickInTheOrderOfTheirTracks) {
    MidiSong song;
    AddTempo(AddTrack(song), 0, 500000);
    AddNote(AddTrack(song), 0, 60, 480, 960);
    AddNote(AddTrack(song), 1, 55, 480, 960);
    FinishSong(song);
    const auto listed = [&song] {
        return std::vector<const MidiEvent*>(song.messages.begin(), song.messages.end());
    };

    // A program change goes before the notes of its tick in the track, so the
    // player must send it first too.
    auto program = std::make_unique<ProgramEvent>(0, 0xC0, 40, 0);
    const MidiEvent* change = program.get();
    ASSERT_EQ(InsertEvent(song, 480, 1, std::move(program)), 0);
    EXPECT_EQ(listed(), FileOrder(song));
    EXPECT_LT(song.messages.IndexOf(change), song.messages.IndexOf(&NoteAt(song, 1, 480)));

    auto secondProgram = std::make_unique<ProgramEvent>(0, 0xC1, 41, 0);
    MidiEvent& moved = *secondProgram;
    InsertEvent(song, 480, 2, std::move(secondProgram));
    InsertEvent(song, 480, 0, std::make_unique<TempoEvent>(100.0));
    InsertEvent(song, 480, 1, std::make_unique<NoteOffEvent>(0, 0x80, 61, 0));
    EXPECT_EQ(listed(), FileOrder(song));

    MoveEvent(song, moved, 960);
    EXPECT_EQ(listed(), FileOrder(song));
    EXPECT_TRUE(SongIsConsistent(song));
}

TEST(InsertEvent, KeepsTempoChangesInTimeOrderWhateverTheirTrack) {
    MidiSong song;
    MakeMelody(song);
    InsertEvent(song, 960, 0, std::make_unique<TempoEvent>(90.0));
    InsertEvent(song, 480, 1, std::make_unique<TempoEvent>(100.0));
    InsertEvent(song, 480, 0, std::make_unique<TempoEvent>(110.0));
    EXPECT_THAT(TimesOf(song.tempos), ElementsAre(0, 480, 480, 960));
    EXPECT_EQ(song.TempoAt(481), 545454);  // 110 bpm, the later of the two at 480
    EXPECT_TRUE(SongIsConsistent(song));
}

TEST(InsertEvent, PastTheEndMovesTheEndOfTrackAndTheSongLength) {
    MidiSong song;
    MakeMelody(song);
    ASSERT_EQ(song.bars.size(), 1);
    MidiTrack& melody = *song.tracks[1];

    EXPECT_EQ(InsertEvent(song, 5000, 1, std::make_unique<ControllerEvent>(0, 0xB0, 7, 90)), 0);

    EXPECT_EQ(melody.events.back()->kind(), EventKind::EndOfTrack);
    EXPECT_EQ(melody.events.back()->time, 5000);
    EXPECT_EQ(melody[melody.count() - 2]->kind(), EventKind::Controller);
    EXPECT_EQ(song.songLength, 5000);
    EXPECT_EQ(song.bars.size(), 3);  // bars of 1920 ticks start at 0, 1920 and 3840
    EXPECT_TRUE(SongIsConsistent(song));
}

TEST(InsertEvent, RefusesABadTrackOrTimeAndLeavesTheSongAlone) {
    MidiSong song;
    MakeMelody(song);
    const std::size_t events = EventCount(song);
    const std::size_t messages = song.messages.size();
    EXPECT_EQ(InsertEvent(song, 0, 2, std::make_unique<ControllerEvent>(0, 0xB0, 7, 90)), kRefused);
    EXPECT_EQ(InsertEvent(song, 0, -1, std::make_unique<ControllerEvent>(0, 0xB0, 7, 90)),
              kRefused);
    EXPECT_EQ(InsertEvent(song, -5, 1, std::make_unique<ControllerEvent>(0, 0xB0, 7, 90)),
              kRefused);
    EXPECT_EQ(InsertEvent(song, 0, 1, nullptr), kRefused);
    EXPECT_EQ(EventCount(song), events);
    EXPECT_EQ(song.messages.size(), messages);
    EXPECT_EQ(song.songLength, 1440);
}

TEST(MoveEvent, ResortsTheEventInItsTrackAndInTheMessageList) {
    MidiSong song;
    MakeMelody(song);
    auto created = std::make_unique<ControllerEvent>(0, 0xB0, 7, 100);
    MidiEvent& controller = *created;
    InsertEvent(song, 100, 1, std::move(created));

    MoveEvent(song, controller, 1000);

    const MidiTrack& melody = *song.tracks[1];
    const auto at = std::find_if(melody.events.begin(), melody.events.end(),
                                 [&](const auto& event) { return event.get() == &controller; });
    ASSERT_NE(at, melody.events.end());
    EXPECT_EQ((*std::prev(at))->time, 960);
    EXPECT_EQ((*std::next(at))->time, 1440);
    const std::ptrdiff_t listed = song.messages.IndexOf(&controller);
    ASSERT_GT(listed, 0);
    EXPECT_LE(song.messages[static_cast<std::size_t>(listed) - 1]->time, 1000);
    EXPECT_TRUE(SongIsConsistent(song));
}

TEST(MoveEvent, TakesTheEndOfTrackAlongAndKeepsTempoChangesInOrder) {
    MidiSong song;
    MakeMelody(song);
    MidiEvent& last = NoteAt(song, 1, 960);
    MoveEvent(song, *last.buddy, 3000);
    last.duration = 2040;
    const MidiTrack& melody = *song.tracks[1];
    EXPECT_EQ(melody.events.back()->kind(), EventKind::EndOfTrack);
    EXPECT_EQ(melody.events.back()->time, 3000);
    EXPECT_EQ(melody[melody.count() - 2], last.buddy);
    EXPECT_EQ(song.songLength, 3000);

    InsertEvent(song, 480, 0, std::make_unique<TempoEvent>(100.0));
    MoveEvent(song, *song.tempos.front(), 960);
    EXPECT_THAT(TimesOf(song.tempos), ElementsAre(480, 960));
    EXPECT_EQ(song.TempoAt(700), 600000);
    EXPECT_TRUE(SongIsConsistent(song));
}

// Other programs stop reading a track at its end of track: events after it
// would be lost from the saved file.
TEST(MoveEvent, TheEndOfTrackMovedItselfStopsAtTheLastEventItEnds) {
    MidiSong song;
    MakeMelody(song);
    MidiTrack& melody = *song.tracks[1];
    MidiEvent& end = *melody.events.back();
    const MidiEvent* lastNoteOff = melody[melody.count() - 2];

    MoveEvent(song, end, 100);
    EXPECT_EQ(melody.events.back().get(), &end);
    EXPECT_EQ(end.time, 1440);
    EXPECT_EQ(melody[melody.count() - 2], lastNoteOff);

    MoveEvent(song, end, 2000);  // later stays possible
    EXPECT_EQ(end.time, 2000);
    EXPECT_EQ(melody.events.back().get(), &end);
    EXPECT_TRUE(SongIsConsistent(song));
}

TEST(DeleteEvent, RemovesANoteWithItsNoteOffFromEveryList) {
    MidiSong song;
    MakeMelody(song);
    const std::size_t messages = song.messages.size();
    EXPECT_EQ(DeleteEvent(song, NoteAt(song, 1, 480)), 0);
    EXPECT_EQ(song.messages.size(), messages - 2);
    EXPECT_THAT(KindsAt(*song.tracks[1], 480), ElementsAre(EventKind::NoteOff));
    EXPECT_TRUE(SongIsConsistent(song));

    EXPECT_EQ(DeleteEvent(song, *song.tempos.front()), 0);
    EXPECT_TRUE(song.tempos.empty());
    EXPECT_EQ(song.TempoAt(100), kDefaultTempo);

    NoteOnEvent stray(0, 0x90, 60, 100);
    EXPECT_EQ(DeleteEvent(song, stray), kRefused);
    EXPECT_TRUE(SongIsConsistent(song));
}

TEST(DeleteEvent, RebuildsTheBarsWhenATimeSignatureComesAndGoes) {
    MidiSong song;
    MakeMelody(song);
    InsertEvent(song, 5000, 1, std::make_unique<ControllerEvent>(0, 0xB0, 7, 90));
    auto waltz = std::make_unique<TimeSignatureEvent>(3, 4, 24, 8);
    TimeSignatureEvent* meter = waltz.get();
    // Inserted, it joins the song's list and the bars follow it.
    InsertEvent(song, 1920, 0, std::move(waltz));
    ASSERT_EQ(song.timeSignatures.size(), 2u);
    EXPECT_EQ(song.timeSignatures.back(), meter);
    ASSERT_EQ(song.bars.size(), 4);  // 0, then bars of 1440 from 1920

    DeleteEvent(song, *meter);
    EXPECT_EQ(song.timeSignatures.size(), 1u);
    EXPECT_EQ(song.bars.size(), 3);  // 0, 1920, 3840 in 4/4
    EXPECT_EQ(song.bars[2].start, 3840);
    EXPECT_TRUE(SongIsConsistent(song));
}

TEST(DeleteTrack, RefusesTheFirstAndTheOnlyTrackAndDropsTheTracksListedEvents) {
    MidiSong song;
    MakeMelody(song);
    EXPECT_EQ(DeleteTrack(song, 0), kRefused);
    EXPECT_EQ(DeleteTrack(song, 2), kRefused);
    EXPECT_EQ(DeleteTrack(song, -1), kRefused);
    ASSERT_EQ(song.tracks.size(), 2u);

    InsertEvent(song, 240, 1, std::make_unique<TempoEvent>(90.0));
    MidiTrack& extra = AddTrack(song);
    AddNote(extra, 1, 40, 0, 100);
    song.messages.MergeTracks(song.tracks);

    EXPECT_EQ(DeleteTrack(song, 1), 0);
    ASSERT_EQ(song.tracks.size(), 2u);
    EXPECT_EQ(song.tracks[1].get(), &extra);
    EXPECT_THAT(TimesOf(song.tempos), ElementsAre(0));
    EXPECT_EQ(song.messages.size(), 4u);  // tempo, end of track, and the extra note
    EXPECT_TRUE(SongIsConsistent(song));

    MidiSong single;
    AddTrack(single);
    FinishSong(single);
    EXPECT_EQ(DeleteTrack(single, 0), kRefused);
}

TEST(AddTextEvent, StoresTheTextWithItsTerminatorCounted) {
    MidiSong song;
    MakeMelody(song);
    EXPECT_EQ(AddTextEvent(song, 1, 480, "@TTitle"), 0);
    EXPECT_EQ(song.tracks[1]->textCount, 1);
    const MidiEvent& text = *song.tracks[1]->events[1];
    ASSERT_EQ(text.kind(), EventKind::Text);
    EXPECT_EQ(text.metaType, 0x01);
    EXPECT_EQ(text.length, 8u);
    EXPECT_EQ(text.text(), "@TTitle");
    EXPECT_EQ(text.payload().back(), 0);
    EXPECT_GE(song.messages.IndexOf(&text), 0);

    EXPECT_EQ(AddTextEvent(song, 5, 0, "lost"), kRefused);
    EXPECT_EQ(song.tracks[1]->textCount, 1);
    EXPECT_TRUE(SongIsConsistent(song));
}

TEST(TransposeSong, MovesOnlyPlayableNotesWhollyInsideTheMarks) {
    MidiSong song;
    AddTrack(song);
    MidiTrack& melody = AddTrack(song);
    AddNote(melody, 0, 60, 0, 480);
    AddNote(melody, 0, 127, 480, 960);
    AddNote(melody, 0, 62, 960, 1500, 100, true);  // ends past the end mark below
    AddNote(melody, 0, 64, 1500, 1600, 100, true);
    AddNote(melody, 9, 36, 0, 100);  // percussion
    FinishSong(song);

    EXPECT_EQ(TransposeSong(song, 1, kAllTracks, kNoMark, kNoMark), 0);
    EXPECT_EQ(NoteAt(song, 1, 0).data1, 61);
    EXPECT_EQ(NoteAt(song, 1, 0).buddy->data1, 61);
    EXPECT_EQ(NoteAt(song, 1, 480).data1, 127);        // cannot go higher
    EXPECT_EQ(NoteAt(song, 1, 960).buddy->data1, 63);  // a velocity-0 note-on follows too
    for (const auto& event : melody.events) {
        if (event->isPercussion()) {
            EXPECT_EQ(event->data1, 36);
        }
    }

    EXPECT_EQ(TransposeSong(song, -12, 1, 480, 1200), 0);
    EXPECT_EQ(NoteAt(song, 1, 0).data1, 61);     // starts before the begin mark
    EXPECT_EQ(NoteAt(song, 1, 480).data1, 115);  // ends exactly at 960, inside
    EXPECT_EQ(NoteAt(song, 1, 960).data1, 63);   // ends after the end mark
    EXPECT_EQ(NoteAt(song, 1, 1500).data1, 65);
    EXPECT_TRUE(SongIsConsistent(song));
}

TEST(TransposeSong, KeyZeroIsTheLowestANoteCanReach) {
    MidiSong song;
    AddTrack(song);
    MidiTrack& melody = AddTrack(song);
    AddNote(melody, 0, 0, 0, 480);
    AddNote(melody, 0, 1, 480, 960);
    FinishSong(song);

    EXPECT_EQ(TransposeSong(song, -1, kAllTracks, kNoMark, kNoMark), 0);
    EXPECT_EQ(NoteAt(song, 1, 0).data1, 0);  // would leave the keys: stays
    EXPECT_EQ(NoteAt(song, 1, 0).buddy->data1, 0);
    EXPECT_EQ(NoteAt(song, 1, 480).data1, 0);
    EXPECT_EQ(NoteAt(song, 1, 480).buddy->data1, 0);
    EXPECT_TRUE(SongIsConsistent(song));
}

TEST(TransposeSong, RefusesWhileLoadingWithoutTracksOrForAMissingTrack) {
    MidiSong song;
    MakeMelody(song);
    EXPECT_EQ(TransposeSong(song, 1, 2, kNoMark, kNoMark), kRefused);
    EXPECT_EQ(TransposeSong(song, 1, -2, kNoMark, kNoMark), kRefused);
    song.loading = 1;
    EXPECT_EQ(TransposeSong(song, 1, kAllTracks, kNoMark, kNoMark), kRefused);
    EXPECT_EQ(NoteAt(song, 1, 0).data1, 60);

    MidiSong empty;
    EXPECT_EQ(TransposeSong(empty, 1, kAllTracks, kNoMark, kNoMark), kRefused);
}

TEST(ScaleVelocities, MakesTheTracksPercentagePermanentInsideTheMarks) {
    MidiSong song;
    AddTrack(song);
    MidiTrack& melody = AddTrack(song);
    AddNote(melody, 0, 60, 0, 100, 100, true);
    AddNote(melody, 0, 62, 200, 300, 60);
    AddNote(melody, 0, 64, 400, 500, 90);
    FinishSong(song);

    melody.velocityPercent = 150;
    EXPECT_EQ(ScaleVelocities(song, 1, kNoMark, 400), 0);
    EXPECT_EQ(NoteAt(song, 1, 0).data2, 127);
    EXPECT_EQ(NoteAt(song, 1, 0).buddy->data2, 0);  // a note end stays one
    EXPECT_EQ(NoteAt(song, 1, 200).data2, 90);
    EXPECT_EQ(NoteAt(song, 1, 400).data2, 90);  // at the end mark: outside
    EXPECT_EQ(melody.velocityPercent, 100);

    melody.velocityPercent = 0;
    ScaleVelocities(song, 1, kNoMark, kNoMark);
    EXPECT_EQ(NoteAt(song, 1, 0).data2, 1);
    EXPECT_EQ(NoteAt(song, 1, 400).data2, 1);
    EXPECT_EQ(ScaleVelocities(song, 3, kNoMark, kNoMark), kRefused);
}

}  // namespace
}  // namespace tavrino
