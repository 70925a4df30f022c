#include "song/midi_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "song/smf_bytes.h"
#include "song/song_invariants.h"

namespace tavrino {
namespace {

using test::Bytes;
using test::Concat;
using test::EndOfTrack;
using test::Ev;
using test::File;
using test::Header;
using test::Meta;

class RecordingListener : public ReadListener {
public:
    void OnProgress(int percent) override { percents.push_back(percent); }
    void OnTruncated() override { ++truncations; }
    std::vector<int> percents;
    int truncations = 0;
};

int Read(MidiSong& song, const Bytes& bytes, ReadListener* listener = nullptr) {
    return ReadMidiData(song, bytes, "test.mid", listener);
}

std::vector<EventKind> KindsOf(const MidiTrack& track) {
    std::vector<EventKind> kinds;
    for (const auto& event : track.events) {
        kinds.push_back(event->kind());
    }
    return kinds;
}

TEST(MidiReader, ReadsEventsOfEveryKindWithAbsoluteTimes) {
    MidiSong song;
    const Bytes bytes =
        File(Header(1, 1, 96),
             {Concat({Meta(0, 0x03, "Lead"), Meta(0, 0x59, "\xFD\x01"),
                      Meta(0, 0x51, std::string("\x07\xA1\x20", 3)), Ev(0, {0xC2, 5}),
                      Ev(10, {0x92, 60, 100}), Ev(0, {0xB2, 7, 90}), Ev(20, {0xE2, 0x00, 0x40}),
                      Ev(5, {0xD2, 33}), Ev(5, {0xA2, 60, 20}), Ev(10, {0x82, 60, 64}),
                      Ev(0, {0xF0, 3, 0x7E, 0x7F, 0xF7}), Meta(0, 0x05, "la"), Meta(0, 0x01, "hi"),
                      Meta(0, 0x02, "(c)"), Meta(0, 0x7F, "xyz"), EndOfTrack()})});
    ASSERT_EQ(Read(song, bytes), kReadOk);
    ASSERT_EQ(song.tracks.size(), 1u);
    const MidiTrack& track = *song.tracks[0];
    using K = EventKind;
    EXPECT_THAT(KindsOf(track),
                ::testing::ElementsAre(K::TrackName, K::TimeSignature, K::KeySignature, K::Tempo,
                                       K::Program, K::NoteOn, K::Controller, K::PitchWheel,
                                       K::ChannelPressure, K::Aftertouch, K::NoteOff, K::SysEx,
                                       K::Lyric, K::Text, K::Copyright, K::Meta, K::EndOfTrack));
    EXPECT_EQ(track.name, "Lead");
    EXPECT_EQ(track.channels, std::vector<std::uint8_t>{2});
    EXPECT_EQ(track.textCount, 1);
    EXPECT_EQ(track.lyricCount, 1);
    EXPECT_EQ(track[5]->time, 10);
    EXPECT_EQ(track[10]->time, 50);
    EXPECT_EQ(track[7]->value(), 0);  // pitch wheel centre
    EXPECT_EQ(track[3]->value(), 500000);
    EXPECT_EQ(song.keyText, "Cm");
    EXPECT_EQ(song.songLength, 50);
    EXPECT_EQ(song.tempos.size(), 1u);
    EXPECT_EQ(track[11]->length, 3u);
    EXPECT_EQ(track[15]->metaType, 0x7F);
    EXPECT_EQ(song.format, 1);
    EXPECT_EQ(song.division, 96);
    EXPECT_EQ(song.loading, 0);
    EXPECT_TRUE(test::SongIsConsistent(song));
}

TEST(MidiReader, RunningStatusSurvivesMetaEventsAndLoneDataBytesAreDropped) {
    MidiSong song;
    const Bytes bytes =
        File(Header(1, 1, 96), {Concat({Ev(0, {0x40}),  // data byte before any status: dropped
                                        Ev(0, {0x90, 60, 100}), Meta(0, 0x01, "x"),
                                        Ev(10, {60, 0}),  // running status 0x90 still applies
                                        Ev(0, {62, 90}), Ev(10, {62, 0}), EndOfTrack()})});
    ASSERT_EQ(Read(song, bytes), kReadOk);
    const MidiTrack& track = *song.tracks[0];
    ASSERT_EQ(track.count(), 7u);  // with the 4/4 put in at tick 0
    EXPECT_EQ(track[3]->kind(), EventKind::NoteOn);
    EXPECT_EQ(track[3]->data1, 60);
    EXPECT_EQ(track[3]->data2, 0);
    EXPECT_EQ(track[4]->data1, 62);
    EXPECT_EQ(track[1]->duration, 10);
}

TEST(MidiReader, DataBytesAboveSevenBitsAreKeptAsRead) {
    MidiSong song;
    const Bytes bytes =
        File(Header(1, 1, 96),
             {Concat({Ev(0, {0x90, 0xC8, 100}), Ev(10, {0x80, 0xC8, 0xFF}), EndOfTrack()})});
    ASSERT_EQ(Read(song, bytes), kReadOk);
    const MidiTrack& track = *song.tracks[0];
    EXPECT_EQ(track[1]->data1, 0xC8);
    EXPECT_EQ(track[2]->data2, 0xFF);
    EXPECT_EQ(track[1]->buddy, track[2]);  // paired on the full value
}

TEST(MidiReader, SplitsFormat0IntoOneTrackPerChannelInOrderOfAppearance) {
    MidiSong song;
    const Bytes bytes =
        File(Header(0, 1, 96),
             {Concat({Meta(0, 0x03, "Song"), Ev(0, {0x90, 60, 100}), Ev(0, {0x99, 36, 100}),
                      Ev(0, {0x92, 64, 100}), Ev(48, {0x80, 60, 0}), Ev(0, {0x82, 64, 0}),
                      Ev(12, {0x89, 36, 0}), EndOfTrack(30)})});
    ASSERT_EQ(Read(song, bytes), kReadOk);
    EXPECT_EQ(song.format, 1);
    ASSERT_EQ(song.tracks.size(), 4u);
    EXPECT_EQ(song.tracks[0]->name, "Song");
    EXPECT_EQ(song.tracks[1]->channels, std::vector<std::uint8_t>{0});
    EXPECT_EQ(song.tracks[2]->channels, std::vector<std::uint8_t>{9});
    EXPECT_EQ(song.tracks[3]->channels, std::vector<std::uint8_t>{2});
    // The meta track keeps the file's end of track; channel tracks get their
    // own at their last event.
    EXPECT_EQ(song.tracks[0]->events.back()->time, 90);
    EXPECT_EQ(song.tracks[1]->events.back()->kind(), EventKind::EndOfTrack);
    EXPECT_EQ(song.tracks[1]->events.back()->time, 48);
    EXPECT_EQ(song.tracks[2]->events.back()->time, 60);
    EXPECT_EQ(song.tracks[3]->events.back()->time, 48);
    EXPECT_TRUE(test::SongIsConsistent(song));
}

TEST(MidiReader, Format0WithTwoOrMoreTracksIsReadAsFormat1) {
    MidiSong song;
    const Bytes bytes =
        File(Header(0, 2, 96), {Concat({Ev(0, {0x90, 60, 1}), Ev(5, {0x80, 60, 0})}),
                                Concat({Ev(0, {0x91, 60, 1}), Ev(5, {0x81, 60, 0})})});
    ASSERT_EQ(Read(song, bytes), kReadOk);
    EXPECT_EQ(song.tracks.size(), 2u);
    EXPECT_EQ(song.tracks[1]->channels, std::vector<std::uint8_t>{1});
}

TEST(MidiReader, RefusesBadHeaders) {
    const std::pair<const char*, Bytes> cases[] = {
        {"format 2", File(Header(2, 1, 96), {EndOfTrack()})},
        {"SMPTE division", File(Header(1, 1, 0xE250), {EndOfTrack()})},
        {"division 0", File(Header(1, 1, 0), {EndOfTrack()})},
        {"wrong tag", Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 6, 0, 1, 0, 1, 0, 96}},
        {"short header", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1}},
        {"three bytes", Bytes{'M', 'T', 'h'}},
        {"empty file", Bytes{}},
        {"length 0xFFFFFFFF", Bytes{'M', 'T', 'h', 'd', 0xFF, 0xFF, 0xFF, 0xFF, 0, 1, 0, 1, 0, 96}},
    };
    for (const auto& [name, bytes] : cases) {
        MidiSong song;
        EXPECT_EQ(Read(song, bytes), kReadBadHeader) << name;
        EXPECT_TRUE(song.tracks.empty()) << name;
        EXPECT_EQ(song.loading, 0) << name;
    }
}

TEST(MidiReader, SkipsTheRestOfALongerHeader) {
    MidiSong song;
    Bytes bytes = File(Header(1, 1, 96, 8), {Concat({Ev(0, {0x90, 60, 1}), Ev(5, {0x80, 60, 0})})});
    ASSERT_EQ(Read(song, bytes), kReadOk);
    EXPECT_EQ(song.tracks[0]->count(), 3u);
}

TEST(MidiReader, ReadErrorsResetTheSong) {
    const std::pair<const char*, Bytes> cases[] = {
        {"cut inside a note-on", Concat({Header(1, 1, 96),
                                         {'M', 'T', 'r', 'k', 0, 0, 0, 9},
                                         Ev(0, {0x90, 60, 1}),
                                         Ev(5, {0x90, 60})})},
        {"cut inside a meta payload",
         Concat({Header(1, 1, 96), {'M', 'T', 'r', 'k', 0, 0, 0, 9}, Ev(0, {0xFF, 0x01, 5, 'a'})})},
        {"system real-time byte", File(Header(1, 1, 96), {Ev(0, {0xF8})})},
        {"system common byte", File(Header(1, 1, 96), {Ev(0, {0xF2, 1, 2})})},
        {"second chunk not a track",
         Concat({File(Header(1, 2, 96), {EndOfTrack()}), {'X', 'Y', 'Z', 'W', 0, 0, 0, 0}})},
        {"sysex continuation expected",
         File(Header(1, 1, 96), {Concat({Ev(0, {0xF0, 2, 1, 2}), Ev(0, {0x90, 60, 1})})})},
        {"ticks beyond 32 bits",
         File(Header(1, 1, 96), {Concat({Ev(0x0FFFFFFF, {0xFF, 1, 0}), Ev(0x0FFFFFFF, {0xFF, 1, 0}),
                                         Ev(0x0FFFFFFF, {0xFF, 1, 0}), Ev(0x0FFFFFFF, {0xFF, 1, 0}),
                                         Ev(0x0FFFFFFF, {0xFF, 1, 0}), Ev(0x0FFFFFFF, {0xFF, 1, 0}),
                                         Ev(0x0FFFFFFF, {0xFF, 1, 0}), Ev(0x0FFFFFFF, {0xFF, 1, 0}),
                                         Ev(0x0FFFFFFF, {0xFF, 1, 0})})})},
    };
    for (const auto& [name, bytes] : cases) {
        MidiSong song;
        EXPECT_EQ(Read(song, bytes), kReadError) << name;
        EXPECT_TRUE(song.tracks.empty()) << name;
        EXPECT_TRUE(song.messages.empty()) << name;
        EXPECT_EQ(song.loading, 0) << name;
    }
    MidiSong song;
    Read(song, File(Header(1, 1, 96), {Concat({Ev(0, {0xF0, 2, 1, 2}), Ev(0, {0x90, 60, 1})})}));
    EXPECT_EQ(song.lastError, "Bad file - expected continuation of system exclusive");
}

TEST(MidiReader, PayloadLengthsBeyondTheFileFailBeforeAllocating) {
    // A 30-byte file claiming a quarter-gigabyte meta event and sysex dump.
    for (const int status : {0xF0, 0xF7}) {
        Bytes events = Ev(0, {status});
        test::Append(events, test::VarLen(0x0FFFFFFF));
        MidiSong song;
        EXPECT_EQ(Read(song, File(Header(1, 1, 96), {events})), kReadError);
    }
    Bytes meta = Ev(0, {0xFF, 0x01});
    test::Append(meta, test::VarLen(0x0FFFFFFF));
    MidiSong song;
    EXPECT_EQ(Read(song, File(Header(1, 1, 96), {meta})), kReadError);
}

TEST(MidiReader, TruncatedFilesLoadWhatWasReadAndWarnOnce) {
    // Cut right before a delta time: the chunk claims more than the file holds.
    const Bytes events = Concat({Ev(0, {0x90, 60, 100}), Ev(10, {0x80, 60, 0})});
    Bytes bytes = Concat({Header(1, 2, 96), {'M', 'T', 'r', 'k', 0, 0, 1, 0}, events});
    MidiSong song;
    RecordingListener listener;
    ASSERT_EQ(Read(song, bytes, &listener), kReadOk);
    EXPECT_EQ(listener.truncations, 1);
    ASSERT_EQ(song.tracks.size(), 1u);
    EXPECT_EQ(song.tracks[0]->count(), 3u);
    EXPECT_EQ(listener.percents.back(), 100);
    EXPECT_TRUE(std::is_sorted(listener.percents.begin(), listener.percents.end()));

    // A missing second chunk is a truncation too.
    MidiSong shorter;
    RecordingListener second;
    ASSERT_EQ(Read(shorter, File(Header(1, 2, 96), {events}), &second), kReadOk);
    EXPECT_EQ(second.truncations, 1);
}

TEST(MidiReader, JoinsSysExContinuationPacketsAtTheLastPacketsTime) {
    MidiSong song;
    const Bytes bytes =
        File(Header(1, 1, 96),
             {Concat({Ev(0, {0xF0, 2, 0x41, 0x10}), Ev(30, {0xF7, 2, 0x42, 0x12}),
                      Ev(40, {0xF7, 2, 0x05, 0xF7}), Ev(0, {0xF7, 2, 0x01, 0x02}), EndOfTrack()})});
    ASSERT_EQ(Read(song, bytes), kReadOk);
    const MidiTrack& track = *song.tracks[0];
    ASSERT_EQ(track.count(), 4u);
    EXPECT_EQ(track[1]->kind(), EventKind::SysEx);
    EXPECT_EQ(track[1]->time, 70);
    EXPECT_THAT(std::vector<std::uint8_t>(track[1]->payload().begin(), track[1]->payload().end()),
                ::testing::ElementsAre(0x41, 0x10, 0x42, 0x12, 0x05, 0xF7));
    EXPECT_EQ(track[2]->kind(), EventKind::StrangeSysEx);
}

TEST(MidiReader, PutsA44TimeSignatureAfterLeadingNamesWhenThereIsNone) {
    MidiSong song;
    const Bytes bytes = File(Header(1, 1, 96),
                             {Concat({Meta(0, 0x03, "Name"), Meta(0, 0x01, "note"),
                                      Meta(0, 0x51, std::string("\x07\xA1\x20", 3)),
                                      Ev(0, {0x90, 60, 1}), Ev(5, {0x80, 60, 0}), EndOfTrack()})});
    ASSERT_EQ(Read(song, bytes), kReadOk);
    const MidiTrack& track = *song.tracks[0];
    ASSERT_EQ(track[2]->kind(), EventKind::TimeSignature);
    const auto& signature = static_cast<const TimeSignatureEvent&>(*track[2]);
    EXPECT_EQ(signature.numerator(), 4);
    EXPECT_EQ(signature.denominator(), 4);
    EXPECT_EQ(signature.clocks(), 24);
    EXPECT_EQ(signature.thirtySeconds(), 8);
    ASSERT_EQ(song.timeSignatures.size(), 1u);
    EXPECT_EQ(song.timeSignatures[0], &signature);
    EXPECT_EQ(song.bars.size(), 1);
}

TEST(MidiReader, TrackCountLimits) {
    // 200 announced, 130 present: only the first 128 are read.
    Bytes bytes = Header(1, 200, 96);
    for (int i = 0; i < 130; ++i) {
        test::Append(bytes, test::Chunk(EndOfTrack()));
    }
    MidiSong song;
    ASSERT_EQ(Read(song, bytes), kReadOk);
    EXPECT_EQ(song.tracks.size(), 128u);

    MidiSong empty;
    ASSERT_EQ(Read(empty, Header(1, 0, 96)), kReadOk);
    EXPECT_TRUE(empty.tracks.empty());
    EXPECT_TRUE(empty.timeSignatures.empty());
}

TEST(MidiReader, ShortTempoAndMeterPayloadsStayPlainMetaEvents) {
    MidiSong song;
    const Bytes bytes =
        File(Header(1, 1, 96), {Concat({Meta(0, 0x51, "\x07"), Meta(0, 0x58, "\x03"),
                                        Meta(0, 0x59, ""), EndOfTrack(10)})});
    ASSERT_EQ(Read(song, bytes), kReadOk);
    EXPECT_TRUE(song.tempos.empty());
    ASSERT_EQ(song.timeSignatures.size(), 1u);  // only the 4/4 put in
    EXPECT_EQ(song.keyText, "C");
}

TEST(MidiReader, TempoAndMeterListsAreInTimeOrderWhateverTheTrackOrder) {
    MidiSong song;
    const std::string tempo("\x07\xA1\x20", 3);
    const Bytes bytes = File(Header(1, 2, 96),
                             {Concat({Meta(0, 0x51, tempo), Meta(1000, 0x51, tempo)}),
                              Concat({Meta(500, 0x51, tempo), Meta(0, 0x58, "\x03\x02\x18\x08")})});
    ASSERT_EQ(Read(song, bytes), kReadOk);
    ASSERT_EQ(song.tempos.size(), 3u);
    EXPECT_EQ(song.tempos[1]->time, 500);
    ASSERT_EQ(song.timeSignatures.size(), 2u);
    EXPECT_EQ(song.timeSignatures[0]->time, 0);
    EXPECT_EQ(song.timeSignatures[1]->time, 500);
    EXPECT_TRUE(test::SongIsConsistent(song));
}

TEST(MidiReader, MissingFileCannotBeOpened) {
    MidiSong song;
    EXPECT_EQ(ReadMidiFile(song, "/nonexistent/folder/song.mid"), kReadCannotOpen);
    EXPECT_EQ(song.path, "/nonexistent/folder/song.mid");
    EXPECT_EQ(song.loading, 0);
}

TEST(MidiReader, MessagesEqualOneByOneInsertionInReadingOrder) {
    // Three tracks with events at shared times: ties keep reading order.
    MidiSong song;
    const Bytes bytes = File(
        Header(1, 3, 96), {Concat({Meta(0, 0x51, std::string("\x07\xA1\x20", 3)),
                                   Meta(10, 0x01, "t"), EndOfTrack(10)}),
                           Concat({Ev(0, {0x90, 60, 1}), Ev(10, {0x80, 60, 0}),
                                   Ev(0, {0x90, 62, 1}), Ev(10, {0x80, 62, 0}), EndOfTrack()}),
                           Concat({Ev(10, {0x91, 60, 1}), Ev(10, {0x81, 60, 0}), EndOfTrack()})});
    ASSERT_EQ(Read(song, bytes), kReadOk);
    MessageList expected;
    for (const auto& track : song.tracks) {
        for (const auto& event : track->events) {
            expected.Insert(event.get());
        }
    }
    ASSERT_EQ(song.messages.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(song.messages[i], expected[i]) << "at " << i;
    }
}

TEST(MidiReader, EventsLateInLongSongsAreListedInTimeOrder) {
    // Ticks far beyond 24 bits, interleaved over two tracks.
    MidiSong song;
    const Bytes bytes = File(
        Header(1, 2, 96), {Concat({Ev(0x0FFFFFFF, {0x90, 60, 1}), Ev(0x0FFFFFFF, {0x80, 60, 0})}),
                           Concat({Ev(0x0FFFFFF0, {0x91, 60, 1}), Ev(0x0FFFFFFF, {0x81, 60, 0})})});
    ASSERT_EQ(Read(song, bytes), kReadOk);
    ASSERT_EQ(song.messages.size(), 4u);
    EXPECT_EQ(song.messages[0]->time, 0x0FFFFFF0);
    EXPECT_EQ(song.messages[1]->time, 0x0FFFFFFF);
    EXPECT_TRUE(test::SongIsConsistent(song));
}

// Inputs the fuzzer found troublesome, kept so they stay harmless.
TEST(MidiReader, FuzzFoundInputsLoadOrFail) {
    const Bytes lateTimesHang = {
        0x4d, 0x54, 0x68, 0x64, 0x00, 0x00, 0x00, 0x06, 0x00, 0x01, 0x00, 0x01, 0x00, 0x60, 0x4d,
        0x54, 0x72, 0x6b, 0x00, 0x00, 0x00, 0x24, 0x00, 0x80, 0x3c, 0x00, 0x05, 0x90, 0x3c, 0x40,
        0x01, 0x00, 0x90, 0x3d, 0x01, 0x00, 0x80, 0x3d, 0x90, 0x3e, 0x05, 0x00, 0x01, 0x00, 0x90,
        0x3e, 0x01, 0x05, 0x80, 0xbc, 0xff, 0xfa, 0x7f, 0xc1, 0xff, 0xff, 0x6f, 0x3f, 0x01};
    MidiSong song;
    EXPECT_EQ(Read(song, lateTimesHang), kReadOk);
    EXPECT_TRUE(test::SongIsConsistent(song));
}

}  // namespace
}  // namespace tavrino
