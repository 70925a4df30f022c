#include "song/lyric_text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "song/text_encoding.h"

namespace tavrino {
namespace {

// Bytes widened one to one: enough for the ASCII marks the tests use.
std::u16string Widen(std::string_view bytes) {
    return std::u16string(bytes.begin(), bytes.end());
}

MidiEvent* AddWords(MidiTrack& track, int type, std::string_view words) {
    MidiEvent* event = track.Add(CreateMetaEvent(
        0, type, std::span(reinterpret_cast<const std::uint8_t*>(words.data()), words.size())));
    ++(type == 0x05 ? track.lyricCount : track.textCount);
    return event;
}

std::u16string TextOf(const std::vector<std::string>& words) {
    MidiTrack track;
    for (const std::string& word : words) {
        AddWords(track, 0x05, word);
    }
    return BuildLyricText(track, Widen).text();
}

TEST(LyricTextTest, KaraokeMarksBecomeLineBreaksTabsAndBlanks) {
    struct Case {
        std::vector<std::string> words;
        std::u16string shown;
    };
    const Case cases[] = {
        {{"Hel", "lo/", "world"}, u"Hello\nworld"},
        {{"\\one", "%two", "<three"}, u"\none\ntwo\n\nthree"},
        {{"a>b", "c^d"}, u"a\tbc d"},
        {{"@TMy Song", "words"}, u"My Song\nwords"},
        {{"@LENG", "@Lrest"}, u""},
        {{"@KKaraoke file", "sing"}, u"Karaoke file\nsing"},
        {{"x\r", "\n", "y"}, u"x\n\ny"},
        // An "@" at the very end has no header letter to skip.
        {{"end@"}, u"end\n"},
        // The text stops at its first 0 byte.
        {{std::string("ab\0cd", 5), "e"}, u"abe"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextOf(c.words), c.shown) << ::testing::PrintToString(c.words);
    }
}

TEST(LyricTextTest, RangesCoverEachPieceExceptLoneBreaksAndLeadingBlanks) {
    MidiTrack track;
    MidiEvent* hel = AddWords(track, 0x05, "Hel");
    MidiEvent* lo = AddWords(track, 0x05, "lo/");
    MidiEvent* lineFeed = AddWords(track, 0x05, "\n");
    MidiEvent* world = AddWords(track, 0x01, " world");
    MidiEvent* language = AddWords(track, 0x01, "@LENG");
    track.Add(std::make_unique<EndOfTrackEvent>());
    const LyricText lyrics = BuildLyricText(track, Widen);

    ASSERT_EQ(lyrics.text(), u"Hello\n\n world");
    const auto range = [&lyrics](const MidiEvent* event) {
        const LyricRange* found = lyrics.RangeOf(event);
        return found == nullptr ? std::pair(-1, -1) : std::pair(found->start, found->end);
    };
    EXPECT_EQ(range(hel), std::pair(0, 3));
    EXPECT_EQ(range(lo), std::pair(3, 6));
    EXPECT_EQ(range(lineFeed), std::pair(-1, -1));
    EXPECT_EQ(range(world), std::pair(8, 13)) << "the blank before the word is not highlighted";
    EXPECT_EQ(range(language), std::pair(-1, -1));
}

TEST(LyricTextTest, HostileTextStaysBoundedAndFast) {
    MidiTrack track;
    AddWords(track, 0x05, std::string(64 * 1024, '<'));  // 128 Ki line breaks
    for (int i = 0; i < 300'000; ++i) {
        AddWords(track, 0x05, "la ");
    }
    AddWords(track, 0x05, "never shown");
    const auto start = std::chrono::steady_clock::now();
    const LyricText lyrics = BuildLyricText(track, Widen);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(lyrics.text().size(), LyricText::kMostCharacters);
    EXPECT_EQ(lyrics.RangeOf(track.events.back().get()), nullptr);
    EXPECT_LE(lyrics.rangeCount(), LyricText::kMostCharacters / 3 + 1);
}

TEST(LyricTextTest, PreferredTrackIsTheFirstWithTheMostWords) {
    MidiSong song;
    const auto addTrack = [&song](int lyrics, int texts) {
        auto& track = *song.tracks.emplace_back(std::make_unique<MidiTrack>());
        track.lyricCount = lyrics;
        track.textCount = texts;
    };
    EXPECT_EQ(PreferredLyricTrack(song), -1);
    addTrack(0, 0);
    addTrack(6, 4);
    addTrack(0, 0);
    addTrack(10, 0);
    addTrack(3, 0);
    EXPECT_EQ(LyricTracks(song), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(PreferredLyricTrack(song), 1) << "equal counts keep the lower track";
    song.tracks[4]->lyricCount = 11;
    EXPECT_EQ(PreferredLyricTrack(song), 4);
}

TEST(TextEncodingTest, RecognisesWellFormedUtf8Only) {
    struct Case {
        std::string bytes;
        bool valid;
    };
    const Case cases[] = {
        {"plain ASCII", true},
        {"\xEF\xBB\xBFwith BOM", true},
        {"Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x98\x80 \xF0\x9F\x8E\xB5",
         true},
        {"wei\xDF", false},                   // Latin-1 sharp s
        {"\x82\xB3\x82\xAD\x82\xE7", false},  // Shift-JIS
        {"\xC0\xAF", false},                  // overlong "/"
        {"\xED\xA0\x80", false},              // a surrogate
        {"\xF4\x90\x80\x80", false},          // above U+10FFFF
        {"cut \xE2\x98", false},              // truncated at the end
        {"\xE2\x28\xA1", false},              // bad continuation
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << ::testing::PrintToString(c.bytes);
    }
}

}  // namespace
}  // namespace tavrino
