#include "song/midi_song.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

namespace tavrino {
namespace {

// A one-track song with the given division, length and meta events.
class SongFixture : public ::testing::Test {
protected:
    void SetUp() override {
        song.format = 1;
        song.division = 480;
        song.tracks.push_back(std::make_unique<MidiTrack>());
    }

    void AddTempo(std::int32_t time, std::int32_t microseconds) {
        auto tempo = std::make_unique<TempoEvent>(120.0);
        tempo->time = time;
        tempo->setValue(microseconds);
        song.tempos.push_back(static_cast<TempoEvent*>(song.tracks[0]->Add(std::move(tempo))));
    }

    void AddMeter(std::int32_t time, int numerator, int denominator) {
        auto meter = std::make_unique<TimeSignatureEvent>(numerator, denominator, 24, 8);
        meter->time = time;
        song.timeSignatures.push_back(
            static_cast<TimeSignatureEvent*>(song.tracks[0]->Add(std::move(meter))));
    }

    MidiSong song;
};

TEST_F(SongFixture, TempoAtFollowsTheLastChangeBeforeTheTick) {
    EXPECT_EQ(song.TempoAt(1000), 500000);  // no tempo: 120 bpm
    AddTempo(0, 600000);
    AddTempo(960, 400000);
    AddTempo(1920, 300000);
    EXPECT_EQ(song.TempoAt(0), 600000);
    EXPECT_EQ(song.TempoAt(960), 600000);  // a change at the tick is not yet in force
    EXPECT_EQ(song.TempoAt(961), 400000);
    EXPECT_EQ(song.TempoAt(5000), 300000);
    EXPECT_EQ(song.TempoAt(1500), 400000);  // going back works too
}

TEST_F(SongFixture, ASongStartsAtItsFirstTempoEvenWhenThatComesLater) {
    AddTempo(480, 600000);
    AddTempo(960, 400000);
    EXPECT_EQ(song.TempoAt(0), 600000);
    EXPECT_EQ(song.TempoAt(480), 600000);
    EXPECT_EQ(song.TempoAt(961), 400000);
}

TEST_F(SongFixture, BarsFollowTheTimeSignatures) {
    AddMeter(0, 3, 8);     // 720-tick bars
    AddMeter(1440, 6, 8);  // 1440-tick bars from bar 3
    song.songLength = 1440 + 3 * 1440;
    song.RebuildBars();
    ASSERT_EQ(song.bars.size(), 5);
    EXPECT_EQ(song.bars[1].start, 720);
    EXPECT_EQ(song.bars[2].start, 1440);
    EXPECT_EQ(song.bars[2].timeSignature, 1);
    EXPECT_EQ(song.bars[4].start, 1440 + 2 * 1440);

    // Beats are quarters whatever the meter: tick 600 of a 6/8 bar is beat 2.
    const auto position = song.TickToBarBeat(1440 + 600);
    ASSERT_TRUE(position);
    EXPECT_EQ(position->bar, 3);
    EXPECT_EQ(position->beat, 2);
    EXPECT_EQ(position->tick, 120);
}

TEST_F(SongFixture, ASignatureInMidBarRestartsBarCounting) {
    AddMeter(0, 4, 4);
    AddMeter(2000, 4, 4);  // 80 ticks into the second bar
    song.songLength = 5000;
    song.RebuildBars();
    ASSERT_EQ(song.bars.size(), 4);
    EXPECT_EQ(song.bars[1].start, 1920);
    EXPECT_EQ(song.bars[2].start, 2000);
    EXPECT_EQ(song.bars[3].start, 3920);
}

TEST_F(SongFixture, TheLastOfSeveralSignaturesAtOneTickHoldsAndMakesNoEmptyBar) {
    AddMeter(0, 3, 4);
    AddMeter(0, 4, 4);
    AddMeter(1920, 3, 4);
    AddMeter(1920, 4, 4);
    song.songLength = 3 * 1920;
    song.RebuildBars();
    ASSERT_EQ(song.bars.size(), 3);
    EXPECT_EQ(song.bars[0].timeSignature, 1);
    EXPECT_EQ(song.bars[1].start, 1920);
    EXPECT_EQ(song.bars[1].timeSignature, 3);
    EXPECT_EQ(song.bars[2].start, 2 * 1920);
    EXPECT_EQ(song.BarBeatToTick(2, 1, 0), 1920);
    EXPECT_EQ(song.TickToBarBeat(1920)->bar, 2);
}

TEST(KeyNames, MinorKeysAreNamedByTheirOwnTonicAndTranspositionsSpellWithSixAtMost) {
    const struct {
        int sharpsFlats;
        bool minor;
        const char* name;
    } names[] = {{0, false, "C"},  {0, true, "Am"},   {-3, true, "Cm"}, {-3, false, "Eb"},
                 {7, true, "A#m"}, {-7, true, "Abm"}, {6, true, "D#m"}, {8, true, "?"}};
    for (const auto& [sharpsFlats, minor, name] : names) {
        EXPECT_EQ(KeyName(sharpsFlats, minor), name) << sharpsFlats << (minor ? " minor" : "");
    }
    const struct {
        int sharpsFlats;
        int semitones;
        int moved;
    } moves[] = {{0, 2, 2},     {0, 1, -5}, {0, 6, -6}, {2, 4, 6},    {1, 6, -5},
                 {-3, -12, -3}, {7, 12, 7}, {7, 1, 2},  {-7, -1, -2}, {9, 3, 9}};
    for (const auto& [sharpsFlats, semitones, moved] : moves) {
        EXPECT_EQ(TransposedSharpsFlats(sharpsFlats, semitones), moved)
            << sharpsFlats << " by " << semitones;
    }
}

TEST_F(SongFixture, TheKeyInForceIsTheLastSignatureAtOrBeforeTheTickInAnyTrack) {
    EXPECT_EQ(song.KeySignatureAt(0), nullptr);
    song.tracks.push_back(std::make_unique<MidiTrack>());
    const auto addKey = [this](std::size_t track, std::int32_t time, int sharpsFlats) {
        auto key = std::make_unique<KeySignatureEvent>(sharpsFlats, 0);
        key->time = time;
        return static_cast<const KeySignatureEvent*>(song.tracks[track]->Add(std::move(key)));
    };
    const KeySignatureEvent* first = addKey(0, 100, 1);
    const KeySignatureEvent* second = addKey(1, 960, 2);
    const KeySignatureEvent* third = addKey(0, 1920, 3);
    EXPECT_EQ(song.KeySignatureAt(0), first) << "before any: the song's first";
    EXPECT_EQ(song.KeySignatureAt(959), first);
    EXPECT_EQ(song.KeySignatureAt(960), second);
    EXPECT_EQ(song.KeySignatureAt(5000), third);
}

TEST_F(SongFixture, BarTableStaysSmallAndEndsAtABarWithoutLength) {
    // A meter of 0/4 gives bars of no length: the walk ends instead of looping.
    AddMeter(0, 4, 4);
    AddMeter(3840, 0, 4);
    song.songLength = 100000;
    song.RebuildBars();
    EXPECT_EQ(song.bars.size(), 2);

    // A tiny file may claim a length of millions of bars.
    song.timeSignatures.pop_back();
    song.division = 1;
    song.songLength = 0x7FFFFFF0;
    song.RebuildBars();
    EXPECT_EQ(song.bars.size(), 0x7FFFFFF0 / 4);
    EXPECT_EQ(song.bars[song.bars.size() - 1].start, 0x7FFFFFF0 - 4);
    EXPECT_EQ(song.bars.IndexAt(0x7FFFFFF0 - 1), song.bars.size() - 1);
}

TEST_F(SongFixture, TickToBarBeatCoversExactlyTheSong) {
    AddMeter(0, 4, 4);
    song.songLength = 4000;
    song.RebuildBars();
    EXPECT_TRUE(song.TickToBarBeat(4000));
    EXPECT_FALSE(song.TickToBarBeat(4001));
    EXPECT_FALSE(song.TickToBarBeat(-1));
    const auto start = song.TickToBarBeat(0);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->bar, 1);
    EXPECT_EQ(start->beat, 1);
}

TEST_F(SongFixture, BarBeatToTickIsClampedToTheSong) {
    AddMeter(0, 4, 4);
    song.songLength = 4000;
    song.RebuildBars();
    EXPECT_EQ(song.BarBeatToTick(2, 3, 10), 1920 + 960 + 10);
    EXPECT_EQ(song.BarBeatToTick(3, 4, 400), 3999);  // beyond the end
    EXPECT_EQ(song.BarBeatToTick(9, 1, 0), 0);       // beyond the table
    EXPECT_EQ(song.BarBeatToTick(0, 0, 5), 5);       // bar and beat clamped at the first
}

TEST_F(SongFixture, TimeSignatureAtTakesTheLastOneAtOrBeforeTheTick) {
    EXPECT_EQ(song.TimeSignatureAt(0).numerator, 4);
    AddMeter(0, 3, 4);
    AddMeter(960, 6, 8);
    EXPECT_EQ(song.TimeSignatureAt(959).numerator, 3);
    EXPECT_EQ(song.TimeSignatureAt(960).numerator, 6);
    EXPECT_EQ(song.TimeSignatureAt(960).denominator, 8);
}

TEST(MessageList, KeepsTimeOrderAndInsertionOrderAmongEqualTimes) {
    MidiTrack track;
    const auto add = [&track](int time, int note) {
        return track.Add(CreateChannelEvent(time, 0x90, note, 1));
    };
    MidiEvent* a = add(10, 1);
    MidiEvent* b = add(5, 2);
    MidiEvent* c = add(10, 3);
    MidiEvent* d = add(0, 4);
    MessageList list;
    for (MidiEvent* event : {a, b, c, d}) {
        list.Insert(event);
    }
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0], d);
    EXPECT_EQ(list[1], b);
    EXPECT_EQ(list[2], a);
    EXPECT_EQ(list[3], c);
    EXPECT_EQ(list.IndexOf(c), 3);

    list.Remove(a);
    list.Remove(a);  // not there any more: nothing happens
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(list[2], c);

    // Only playable kinds belong to the list.
    MidiEvent* name = track.Add(std::make_unique<TrackNameEvent>());
    MidiEvent* meter = track.Add(std::make_unique<TimeSignatureEvent>(4, 4, 24, 8));
    list.Insert(name);
    list.Insert(meter);
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(list.IndexOf(name), -1);
}

// Merging tracks must equal a stable sort by time of every listed event, taken
// track after track: ties go to the earlier track, and within a track to the
// earlier event. Times include negative ones and the ends of the range.
TEST(MessageList, MergingTracksIsAStableSortByTimeOfTheListedEvents) {
    std::mt19937 random(7);
    for (const int trackCount : {1, 2, 3, 16, 17}) {
        std::vector<std::unique_ptr<MidiTrack>> tracks;
        std::vector<MidiEvent*> expected;
        for (int t = 0; t < trackCount; ++t) {
            auto& track = *tracks.emplace_back(std::make_unique<MidiTrack>());
            std::int32_t time = std::numeric_limits<std::int32_t>::min();
            for (int i = static_cast<int>(random() % 40); i > 0; --i) {
                time += static_cast<std::int32_t>(random() % 3) * (1 << 25);
                MidiEvent* event = random() % 4 == 0
                                       ? track.Add(std::make_unique<TrackNameEvent>())
                                       : track.Add(CreateChannelEvent(time, 0x90, t, 1));
                event->time = time;
                if (MessageList::Accepts(*event)) {
                    expected.push_back(event);
                }
            }
        }
        std::stable_sort(expected.begin(), expected.end(),
                         [](const MidiEvent* a, const MidiEvent* b) { return a->time < b->time; });
        MessageList list;
        list.MergeTracks(tracks);
        ASSERT_EQ(list.size(), expected.size()) << trackCount << " tracks";
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(list[i], expected[i]) << trackCount << " tracks, event " << i;
        }
    }
}

TEST(MidiEvent, PayloadsAndValues) {
    KeySignatureEvent eightSharps(8, 0);
    EXPECT_EQ(eightSharps.sharpsFlats(), 0);
    EXPECT_STREQ(KeySignatureName(eightSharps.sharpsFlats()), "C");
    EXPECT_STREQ(KeySignatureName(-3), "Eb");
    EXPECT_STREQ(KeySignatureName(9), "?");

    TimeSignatureEvent sixEight(6, 8, 24, 8);
    EXPECT_EQ(sixEight.payload()[1], 3);
    EXPECT_EQ(sixEight.denominator(), 8);

    TempoEvent tempo(90.0);
    EXPECT_EQ(tempo.value(), 666666);
    EXPECT_EQ(tempo.length, 3u);

    PitchWheelEvent bend(0, 0xE0, 0x7F, 0x7F);
    EXPECT_EQ(bend.value(), 8191);
    PitchWheelEvent low(0, 0xE0, 0, 0);
    EXPECT_EQ(low.value(), -8192);

    ProgramEvent program(0, 0xC3, 10, 0);
    program.setValue(0x1FF);  // low 8 bits, sign-extended
    EXPECT_EQ(program.data1, -1);
    EXPECT_EQ(program.statusCode(), 0xC0);
    EXPECT_EQ(program.channel(), 3);
}

}  // namespace
}  // namespace tavrino
