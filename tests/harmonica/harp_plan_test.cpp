// Choosing a harmonica for a song: the melody, the song's key and the
// position each harmonica plays it in.

#include "harmonica/harp_plan.h"

#include <gtest/gtest.h>

#include "document/test_songs.h"

namespace tavrino {
namespace {

using test::AddEvent;
using test::AddNote;
using test::AddTrack;
using test::FinishSong;

TEST(HarpPosition, CountsFifthsFromTheHarmonicasKeyToTheSongs) {
    struct Case {
        int tonic;
        int harp;
        int position;
        const char* name;
    };
    constexpr int C = 0, D = 2, E = 4, F = 5, G = 7, A = 9, Bb = 10;
    for (const Case& c :
         {Case{C, C, 1, "1st"}, Case{G, C, 2, "2nd"}, Case{D, C, 3, "3rd"}, Case{A, C, 4, "4th"},
          Case{E, C, 5, "5th"}, Case{F, C, 12, "12th"}, Case{D, G, 2, "2nd"}, Case{C, Bb, 3, "3rd"},
          Case{C, G + 12, 12, "12th"}}) {
        EXPECT_EQ(HarpPosition(c.tonic, c.harp), c.position) << c.tonic << " on " << c.harp;
        EXPECT_EQ(PositionName(c.position), c.name);
    }
}

TEST(SongKey, FromTheFirstKeySignatureElseFromTheNotes) {
    struct Case {
        int sharpsFlats;
        int minor;
        const char* name;
    };
    for (const Case& c : {Case{0, 0, "C major"}, Case{1, 0, "G major"}, Case{-1, 0, "F major"},
                          Case{-2, 1, "G minor"}, Case{3, 1, "F# minor"}, Case{0, 1, "A minor"}}) {
        MidiSong song;
        MidiTrack& track = AddTrack(song);
        AddEvent(track, 0, std::make_unique<KeySignatureEvent>(c.sharpsFlats, c.minor));
        AddEvent(track, 480, std::make_unique<KeySignatureEvent>(5, 0));  // a later change
        FinishSong(song);
        const auto key = KeyFromSignature(song);
        ASSERT_TRUE(key);
        EXPECT_EQ(key->Name(), c.name);
        EXPECT_EQ(key->source, SongKey::Source::kKeySignature);
    }
    MidiSong plain;
    AddNote(AddTrack(plain), 0, 60, 0, 480);
    FinishSong(plain);
    EXPECT_FALSE(KeyFromSignature(plain));

    // Notes: a tune in D major, and one in E minor that leans on its tonic.
    NoteHistogram dMajor{};
    for (const int note : {62, 64, 66, 67, 69, 71, 73, 74, 62, 66, 69, 74}) {
        ++dMajor[note];
    }
    EXPECT_EQ(KeyFromNotes(dMajor)->Name(), "D major");
    NoteHistogram eMinor{};
    for (const int note : {64, 66, 67, 69, 71, 72, 74, 76, 64, 67, 71, 64, 71, 76}) {
        ++eMinor[note];
    }
    EXPECT_EQ(KeyFromNotes(eMinor)->Name(), "E minor");
    EXPECT_FALSE(KeyFromNotes(NoteHistogram{}));
}

TEST(Melody, TheTrackWithLyricsElseTheHighestSingleLineElseAll) {
    MidiSong song;
    MidiTrack& chords = AddTrack(song);  // high, but plays three notes at once
    for (int bar = 0; bar < 4; ++bar) {
        for (const int note : {79, 83, 86}) {
            AddNote(chords, 1, note, bar * 480, bar * 480 + 480);
        }
    }
    MidiTrack& low = AddTrack(song);
    MidiTrack& high = AddTrack(song);
    for (int step = 0; step < 8; ++step) {
        AddNote(low, 2, 48 + step, step * 240, step * 240 + 250);  // legato overlaps
        AddNote(high, 3, 72 + step, step * 240, step * 240 + 240);
    }
    MidiTrack& drums = AddTrack(song);
    AddNote(drums, 9, 90, 0, 100);
    FinishSong(song);
    const auto all = [](const MidiTrack&) { return true; };

    auto survey = SurveyTracks(song, all);
    ASSERT_EQ(survey.size(), 3u) << "the drums have no playable notes";
    MelodyChoice melody = ChooseMelody(survey);
    EXPECT_EQ(melody.reason, MelodyReason::kHighestLine);
    ASSERT_EQ(melody.tracks.size(), 1u);
    EXPECT_EQ(survey[melody.tracks[0]].track, 2u);

    low.lyricCount = 3;
    survey = SurveyTracks(song, all);
    melody = ChooseMelody(survey);
    EXPECT_EQ(melody.reason, MelodyReason::kLyrics);
    EXPECT_EQ(survey[melody.tracks[0]].track, 1u);

    survey = SurveyTracks(song, [&](const MidiTrack& track) { return &track == &chords; });
    melody = ChooseMelody(survey);
    EXPECT_EQ(melody.reason, MelodyReason::kAllTracks);
    EXPECT_EQ(melody.tracks.size(), 1u);

    // Only notes starting within the range count.
    survey = SurveyTracks(song, all, TickRange{240, 720});
    EXPECT_EQ(survey[1].count, 2);
}

TEST(HarpPlan, RanksForTheMelodyAndNamesThePositions) {
    // A melody in G on a song with a G key signature, and a bass line that
    // would pull the ranking down if it were counted.
    MidiSong song;
    MidiTrack& melody = AddTrack(song);
    AddEvent(melody, 0, std::make_unique<KeySignatureEvent>(1, 0));
    int time = 0;
    for (const int note : {67, 71, 74, 72, 71, 69, 67, 66, 67}) {
        AddNote(melody, 0, note, time, time + 240);
        time += 240;
    }
    MidiTrack& bass = AddTrack(song);
    AddNote(bass, 1, 31, 0, 960);
    AddNote(bass, 1, 28, 960, 1920);
    FinishSong(song);
    const auto survey = SurveyTracks(song, [](const MidiTrack&) { return true; });
    const HarpPlan plan = PlanHarps(song, survey, DefaultDiatonicTuning());
    ASSERT_EQ(plan.counted.size(), 1u);
    EXPECT_EQ(plan.counted[0].track, 0u);
    EXPECT_EQ(plan.key->Name(), "G major");
    EXPECT_EQ(HarpName(plan.fits[0]), "G Std");
    EXPECT_EQ(plan.PositionOf(plan.fits[0]), 1);
    const auto c = std::find_if(plan.fits.begin(), plan.fits.end(),
                                [](const KeyFit& fit) { return fit.choice.keyPosition == 5; });
    EXPECT_EQ(plan.PositionOf(*c), 2) << "G on a C harmonica is 2nd position";

    const HarpPlan both =
        PlanHarps(song, survey, DefaultDiatonicTuning(), std::vector<std::size_t>{0, 1});
    EXPECT_EQ(both.counted.size(), 2u);
    EXPECT_FALSE(both.reason);
    EXPECT_GT(both.fits[0].cost, plan.fits[0].cost);
}

}  // namespace
}  // namespace tavrino
