#include "document/tab_text_track.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document/document_fakes.h"
#include "document/tavrino_doc.h"
#include "document/test_songs.h"
#include "song/song_invariants.h"

namespace tavrino {
namespace {

using test::AddNote;
using test::AddTrack;
using ::testing::ElementsAre;
using ::testing::Pair;

const TabTrackNotation kNotation{"Diatonic Tab: C", [](int key) { return std::to_string(key); }};
const std::string kClosing = "/tavrino.example";

// (time, text) of the track's text events, and the time of its end.
std::vector<std::pair<std::int32_t, std::string>> Texts(const MidiTrack& track) {
    std::vector<std::pair<std::int32_t, std::string>> texts;
    for (const auto& event : track.events) {
        if (event->kind() == EventKind::Text) {
            texts.emplace_back(event->time, std::string(event->text()));
        }
    }
    return texts;
}

class TabTextTrackTest : public ::testing::Test {
protected:
    TabTextTrackTest() {
        test::AddTempo(AddTrack(song), 0, 500000);  // 4/4 bars of 1920 ticks
    }
    MidiTrack& Appended(std::int32_t begin = kNoMark, std::int32_t end = kNoMark) {
        const int index = AppendTabTextTrack(song, kNotation, begin, end);
        EXPECT_EQ(index, static_cast<int>(song.tracks.size()) - 1);
        EXPECT_TRUE(test::SongIsConsistent(song));
        return *song.tracks.back();
    }

    MidiSong song;
};

TEST_F(TabTextTrackTest, ChordsShareOneEventAndEachBarOpensWithASlash) {
    MidiTrack& melody = AddTrack(song);
    for (const int key : {60, 64, 67}) {
        AddNote(melody, 0, key, 0, 480);
    }
    AddNote(melody, 0, 62, 480, 960);
    AddNote(melody, 0, 65, 1920, 2400);
    AddNote(melody, 9, 36, 2400, 2500);  // percussion has no tablature
    test::AddEvent(melody, 2600, CreateChannelEvent(2600, 0x90, 70, 100));  // never released
    test::FinishSong(song);

    const MidiTrack& tabs = Appended();
    EXPECT_EQ(tabs.name, kTabTrackName);
    EXPECT_EQ(tabs.events.front()->kind(), EventKind::TrackName);
    EXPECT_EQ(tabs.textCount, 6);
    EXPECT_THAT(Texts(tabs),
                ElementsAre(Pair(0, "@TTablature Created by Tavrino!"),
                            Pair(0, "@TDiatonic Tab: C"), Pair(0, "/606467 "), Pair(480, "62 "),
                            Pair(1920, "/65 "), Pair(2400, kClosing)));
    EXPECT_EQ(tabs.events.back()->kind(), EventKind::EndOfTrack);
    EXPECT_EQ(tabs.events.back()->time, 2400) << "the end of the last note";
    // Saved texts keep their terminator.
    EXPECT_EQ(tabs.events[3]->length, std::string("/606467 ").size() + 1);
}

TEST_F(TabTextTrackTest, EveryVisibleTrackStartsItsOwnBarsAndEqualTimesKeepTheirOrder) {
    MidiTrack& first = AddTrack(song);
    AddNote(first, 0, 60, 0, 480);
    AddNote(first, 0, 62, 480, 4000);
    MidiTrack& hidden = AddTrack(song);
    AddNote(hidden, 0, 40, 0, 9000);
    hidden.flags = 0;
    MidiTrack& second = AddTrack(song);
    AddNote(second, 1, 48, 480, 960);
    test::FinishSong(song);

    const MidiTrack& tabs = Appended();
    EXPECT_THAT(
        Texts(tabs),
        ElementsAre(Pair(0, "@TTablature Created by Tavrino!"), Pair(0, "@TDiatonic Tab: C"),
                    Pair(0, "/60 "), Pair(480, "62 "), Pair(480, "/48 "), Pair(4000, kClosing)));
    EXPECT_EQ(tabs.events.back()->time, 4000) << "the latest note end, not the last track's";
}

TEST_F(TabTextTrackTest, ASelectionWritesItsNotesAndEndsAtTheEndMark) {
    MidiTrack& melody = AddTrack(song);
    for (int i = 0; i < 6; ++i) {
        AddNote(melody, 0, 60 + i, 480 * i, 480 * (i + 1));
    }
    test::FinishSong(song);

    const MidiTrack& tabs = Appended(960, 1920);
    EXPECT_THAT(Texts(tabs), ElementsAre(Pair(0, "@TTablature Created by Tavrino!"),
                                         Pair(0, "@TDiatonic Tab: C"), Pair(960, "/62 "),
                                         Pair(1440, "63 "), Pair(1920, kClosing)));
    EXPECT_EQ(tabs.events.back()->time, 1920);
}

TEST_F(TabTextTrackTest, ASongWithoutNotesStillGetsAClosingTextAtTickZero) {
    AddNote(AddTrack(song), 9, 36, 0, 100);
    test::FinishSong(song);

    const MidiTrack& tabs = Appended();
    EXPECT_EQ(Texts(tabs).back(), std::pair(0, kClosing));
    EXPECT_EQ(tabs.events.back()->kind(), EventKind::EndOfTrack);
    EXPECT_EQ(tabs.events.back()->time, 0);
}

TEST_F(TabTextTrackTest, TheDocumentAsksFirstAndStopsAtTheTrackLimit) {
    test::FakeHost host;
    test::FakePlayer player;
    CTavrinoDoc doc{host, player};
    AddNote(AddTrack(doc.song), 0, 60, 0, 480);
    test::FinishSong(doc.song);
    const std::string question =
        "ask This command will create a new track with a text event for every displayed note\n"
        "Do you want to continue? | Tablature to Text Track";

    host.yesAnswer = false;
    EXPECT_EQ(doc.OnTabTextTrack(kNotation), kRefused);
    EXPECT_TRUE(host.Said(question));
    EXPECT_EQ(doc.song.tracks.size(), 1u);
    EXPECT_FALSE(doc.IsModified());

    host.yesAnswer = true;
    while (doc.song.tracks.size() < kMostTracks - 1) {
        AddTrack(doc.song);
    }
    EXPECT_EQ(doc.OnTabTextTrack(kNotation), 127) << "the 128th track can still be made";
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(host.Said("reset monitors new"));
    EXPECT_EQ(doc.OnTabTextTrack(kNotation), kRefused);
    EXPECT_TRUE(host.Said("message Maximun number of tracks reached | Cannot create track | !"));

    player.playing = true;
    EXPECT_FALSE(doc.CanCreateTabTextTrack());
}

}  // namespace
}  // namespace tavrino
