// The lyrics window on songs built in code: which track it shows, how it
// reads their bytes, the highlight that follows playback, saving and the
// look taken from the settings.

#include <gtest/gtest.h>

#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

#include "document/test_songs.h"
#include "monitors/mon_lyrics.h"
#include "settings/memory_settings_store.h"

namespace tavrino::test {
namespace {

MidiEvent& AddWords(MidiTrack& track, std::int32_t time, std::string_view bytes, int type = 0x05) {
    ++(type == 0x05 ? track.lyricCount : track.textCount);
    return AddEvent(track, time,
                    CreateMetaEvent(time, type,
                                    std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                              bytes.size())));
}

std::string ToUtf8(const QString& text) {
    return text.toStdString();
}

class LyricsWindowTest : public ::testing::Test {
protected:
    // Track 3, "Voice", sings "Hel", "lo/", "world" at ticks 0, 480, 960.
    LyricsWindowTest() {
        for (int i = 0; i < 3; ++i) {
            AddTrack(song);
        }
        MidiTrack& voice = AddTrack(song);
        voice.name = "Voice";
        hel = &AddWords(voice, 0, "Hel");
        AddWords(voice, 480, "lo/");
        world = &AddWords(voice, 960, "world");
    }

    CMonLyrics& Open() {
        FinishSong(song);
        window = std::make_unique<CMonLyrics>(store, settings, song, path);
        EXPECT_EQ(window->CreateMonitor(nullptr), 0);
        return *window;
    }

    int IndexOf(const MidiEvent* event) const {
        return static_cast<int>(song.messages.IndexOf(event));
    }

    std::pair<int, int> Highlight() const {
        const QTextCursor cursor = window->textBox()->textCursor();
        return {cursor.selectionStart(), cursor.selectionEnd()};
    }

    MemorySettingsStore store;
    Settings settings;
    MidiSong song;
    std::string path = "/songs/lorelei.kar";
    MidiEvent* hel = nullptr;
    MidiEvent* world = nullptr;
    std::unique_ptr<CMonLyrics> window;
};

TEST_F(LyricsWindowTest, ShowsTheTrackWithWordsAndHighlightsEachSyllable) {
    CMonLyrics& lyrics = Open();
    EXPECT_EQ(lyrics.windowTitle(), "Tavrino! Lyrics");
    ASSERT_EQ(lyrics.trackSelector()->count(), 1);
    EXPECT_EQ(lyrics.trackSelector()->currentText(), "03 Voice");
    EXPECT_EQ(lyrics.textBox()->toPlainText(), "Hello\nworld");

    lyrics.ShowTextEvent(IndexOf(world));
    EXPECT_EQ(Highlight(), std::pair(6, 11)) << "after the line break";
    lyrics.ShowTextEvent(-1);
    lyrics.ShowTextEvent(static_cast<int>(song.messages.size()));
    lyrics.ResetDisplay(false);
    EXPECT_EQ(Highlight(), std::pair(6, 11)) << "stop and rewind keep the highlight";
    lyrics.ShowTextEvent(IndexOf(hel));
    EXPECT_EQ(Highlight(), std::pair(0, 3));
}

TEST_F(LyricsWindowTest, ANewTrackIsShownAtOnceAndOtherTracksAreNotHighlighted) {
    MidiTrack& chorus = *song.tracks[1];
    chorus.name = "Chorus";
    MidiEvent& shout = AddWords(chorus, 0, "Hey!", 0x01);
    CMonLyrics& lyrics = Open();
    EXPECT_EQ(lyrics.shownTrack(), 3) << "the track with the most words";
    lyrics.ShowTextEvent(IndexOf(&shout));
    EXPECT_EQ(Highlight(), std::pair(0, 0));

    lyrics.ShowTrack(1);
    EXPECT_EQ(lyrics.trackSelector()->currentText(), "01 Chorus");
    EXPECT_EQ(lyrics.textBox()->toPlainText(), "Hey!");
}

TEST_F(LyricsWindowTest, WordsAreReadInTheirEncodingAndTheChoiceIsKeptPerFile) {
    AddWords(*song.tracks[3], 1440, "/wei\xDF");  // Latin-1
    CMonLyrics& lyrics = Open();
    EXPECT_TRUE(lyrics.encodingSelector()->isEnabled());
    EXPECT_EQ(ToUtf8(lyrics.textBox()->toPlainText()), "Hello\nworld\nwei\xC3\x9F");

    const int greek = lyrics.encodingSelector()->findData("windows-1253");
    ASSERT_GE(greek, 0);
    lyrics.encodingSelector()->setCurrentIndex(greek);
    emit lyrics.encodingSelector()->activated(greek);
    EXPECT_EQ(ToUtf8(lyrics.textBox()->toPlainText()), "Hello\nworld\nwei\xCE\xAF");
    EXPECT_EQ(EncodingChoices::Session().For(path), "windows-1253");
    EXPECT_EQ(EncodingChoices::Session().For("/songs/other.kar"), "windows-1252");
    lyrics.ResetDisplay(true);
    EXPECT_EQ(lyrics.encodingSelector()->currentData().toString(), "windows-1253");
}

TEST_F(LyricsWindowTest, Utf8WordsLoseTheirByteOrderMarkAndOfferNoChoice) {
    AddWords(*song.tracks[3], 1440, "\xEF\xBB\xBF/Fr\xC3\xA8re");
    CMonLyrics& lyrics = Open();
    EXPECT_FALSE(lyrics.encodingSelector()->isEnabled());
    EXPECT_EQ(lyrics.encodingSelector()->currentText(), "UTF-8");
    EXPECT_EQ(ToUtf8(lyrics.textBox()->toPlainText()), "Hello\nworld\nFr\xC3\xA8re");
}

TEST_F(LyricsWindowTest, SavingWritesTheTextsOwnLinesNotTheWrappedOnes) {
    AddWords(*song.tracks[3], 1440, " and a line far too long to fit in a narrow window at all");
    CMonLyrics& lyrics = Open();
    lyrics.resize(120, 300);
    QTemporaryDir folder;
    const QString file = folder.filePath("words.txt");
    ASSERT_TRUE(lyrics.SaveLyrics(file));
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(),
              "Hello\nworld and a line far too long to fit in a narrow window at all\n\n\n"
              "https://tavrino.example/");
    EXPECT_FALSE(lyrics.SaveLyrics(folder.filePath("missing/words.txt")));
}

TEST_F(LyricsWindowTest, FontAndColoursFollowTheSettings) {
    CMonLyrics& lyrics = Open();
    lyrics.resize(300, 200);
    const auto background = [&lyrics] {
        const QImage image = lyrics.textBox()->viewport()->grab().toImage();
        return image.pixelColor(image.width() - 3, image.height() - 3);
    };
    EXPECT_EQ(background(), QColor(0x80, 0xFF, 0xFF));
    EXPECT_EQ(lyrics.textBox()->font().pixelSize(), 16);

    settings.fontLyricsBg = Colour{0x203040};  // stored blue, green, red
    settings.fontLyricsHeight = -30;
    lyrics.ApplySettings();
    EXPECT_EQ(background(), QColor(0x40, 0x30, 0x20));
    EXPECT_EQ(lyrics.textBox()->font().pixelSize(), 30);
}

}  // namespace
}  // namespace tavrino::test
