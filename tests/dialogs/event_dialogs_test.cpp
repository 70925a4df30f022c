// The file and track properties dialogs: what their lists show and what
// their buttons change in the song, through the document.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QPushButton>
#include <QSpinBox>

#include "dialogs/event_lines.h"
#include "dialogs/file_properties.h"
#include "dialogs/scripted_prompts.h"
#include "dialogs/track_properties.h"
#include "document/document_fakes.h"
#include "document/test_songs.h"
#include "song/song_invariants.h"

namespace tavrino::test {
namespace {

using ::testing::ElementsAre;

QStringList Lines(const QDialog& dialog, const char* list) {
    const auto* box = dialog.findChild<QComboBox*>(list);
    QStringList lines;
    for (int i = 0; i < box->count(); ++i) {
        lines << box->itemText(i);
    }
    return lines;
}

QString Current(const QDialog& dialog, const char* list) {
    return dialog.findChild<QComboBox*>(list)->currentText();
}

void Click(QDialog& dialog, const QString& button) {
    dialog.findChild<QPushButton*>(button)->click();
}

// Track 0: 120 bpm and 4/4 at 0, 100 bpm at bar 2. Track 1: notes on
// channel 1 with a program, volume and pan. Track 2: channels 2 and 10,
// named in Latin-1. Track 3: text only. Four bars of 4/4 at 480 ticks.
class EventDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        MidiSong& song = doc.song;
        MidiTrack& conductor = AddTrack(song);
        AddTempo(conductor, 0, 500000);
        AddTempo(conductor, 1920, 600000);
        MidiTrack& melody = AddTrack(song);
        AddEvent(melody, 0, CreateChannelEvent(0, 0xC0, 22, 0));
        AddController(melody, 0, 7, 90, 0);
        AddController(melody, 0, 10, 30, 960);
        AddNote(melody, 0, 60, 0, 4 * 1920);
        MidiTrack& band = AddTrack(song);
        AddEvent(band, 0, CreateMetaEvent(0, 0x03, std::span<const std::uint8_t>(kLatin1Name)));
        AddEvent(band, 0, CreateChannelEvent(0, 0xC9, 0, 0));
        AddEvent(band, 480, CreateChannelEvent(480, 0xC1, 33, 0));
        AddController(band, 9, 7, 127, 0);
        AddNote(band, 1, 40, 0, 1920);
        AddNote(band, 9, 36, 0, 100);
        AddTrack(song);
        AddEvent(*song.tracks[3], 0, CreateMetaEvent(0, 0x01, std::span<const std::uint8_t>()));
        FinishSong(song, 480);
        // What the reader keeps about each track.
        for (auto& track : song.tracks) {
            for (const auto& event : track->events) {
                if (event->kind() == EventKind::TrackName && track->name.empty()) {
                    track->name = event->text();
                } else if ((static_cast<int>(event->kind()) & kChannelKindBit) != 0) {
                    track->channels.push_back(static_cast<std::uint8_t>(event->channel()));
                }
            }
            std::sort(track->channels.begin(), track->channels.end());
            track->channels.erase(std::unique(track->channels.begin(), track->channels.end()),
                                  track->channels.end());
        }
    }

    static constexpr std::uint8_t kLatin1Name[] = {'B', 0xE4, 'n', 'd'};

    FakeHost host;
    FakePlayer player;
    CTavrinoDoc doc{host, player};
    ScriptedPrompts script;
};

TEST(EventLines, TempoAndEventLinesShowPositionsValuesAndChannels) {
    EXPECT_EQ(ShownBeatsPerMinute(500000), 120.00);
    EXPECT_EQ(ShownBeatsPerMinute(600000), 100.00);
    EXPECT_EQ(ShownBeatsPerMinute(666666), 90.00);
    EXPECT_EQ(ShownBeatsPerMinute(16759776), 3.58);
}

TEST_F(EventDialogsTest, FilePropertiesListTheSongsMetersAndTempos) {
    CFileProperties dialog(doc, 0, script.prompts());
    EXPECT_THAT(Lines(dialog, "timeSignature"), ElementsAre("001:01:000  4/4"));
    EXPECT_THAT(Lines(dialog, "tempo"), ElementsAre("001:01:000  120.00", "002:01:000  100.00"));
}

TEST_F(EventDialogsTest, TempoEditsAddsAndDeletesGoThroughTheDocument) {
    player.playTick = 2000;
    CFileProperties dialog(doc, player.playTick, script.prompts());

    // OK without a change leaves the event alone.
    script.fills = {Type({""})};
    Click(dialog, "tempoEdit");
    EXPECT_EQ(doc.song.tempos[0]->value(), 500000);
    EXPECT_FALSE(doc.IsModified());

    script.fills = {Type({"90"})};
    Click(dialog, "tempoEdit");
    EXPECT_EQ(doc.song.tempos[0]->value(), 666666);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Current(dialog, "tempo"), "001:01:000  90.00");
    // The player follows the tempo where it plays: the second change's.
    EXPECT_EQ(player.calls.back(), "tempo 600000");

    // Add starts from the play position and the tempo in force there.
    QString startedWith;
    script.fills = {[&startedWith](QDialog& entry) {
        for (const QLineEdit* field : entry.findChildren<QLineEdit*>()) {
            startedWith += field->text() + " ";
        }
        Type({"3", "1", "0", "75,5"})(entry);
    }};
    Click(dialog, "tempoAdd");
    EXPECT_EQ(startedWith, "2 1 80 100.00 ");
    ASSERT_EQ(doc.song.tempos.size(), 3u);
    EXPECT_EQ(doc.song.tempos[2]->time, 3840);
    EXPECT_EQ(Current(dialog, "tempo"), "003:01:000  75.50");

    // A refused tempo changes nothing.
    script.fills = {Type({"", "", "", "0"})};
    Click(dialog, "tempoAdd");
    EXPECT_EQ(script.refusals, 1);
    EXPECT_EQ(doc.song.tempos.size(), 3u);

    script.answer = false;
    Click(dialog, "tempoDel");
    EXPECT_EQ(doc.song.tempos.size(), 3u);
    script.answer = true;
    Click(dialog, "tempoDel");
    EXPECT_EQ(script.asked.back(), "Tempo change delete | Are you sure you want to delete it?");
    EXPECT_THAT(Lines(dialog, "tempo"), ElementsAre("001:01:000  90.00", "002:01:000  100.00"));
    EXPECT_TRUE(SongIsConsistent(doc.song));
}

TEST_F(EventDialogsTest, TimeSignaturesAreAddedEditedAndDeletedAndTheBarsFollow) {
    CFileProperties dialog(doc, 0, script.prompts());
    script.fills = {Pick(2, Type({"2", "1", "0", "3"}))};  // 3/4 from bar 2
    Click(dialog, "timeSignatureAdd");
    EXPECT_THAT(Lines(dialog, "timeSignature"), ElementsAre("001:01:000  4/4", "002:01:000  3/4"));
    EXPECT_EQ(doc.song.bars[2].start, 1920 + 1440);

    script.fills = {Pick(3, Type({"", "", "", "6"}))};  // the 3/4 becomes 6/8
    Click(dialog, "timeSignatureEdit");
    EXPECT_THAT(Lines(dialog, "timeSignature"), ElementsAre("001:01:000  4/4", "002:01:000  6/8"));

    dialog.findChild<QComboBox*>("timeSignature")->setCurrentIndex(0);
    Click(dialog, "timeSignatureDel");
    EXPECT_EQ(doc.song.timeSignatures.size(), 2u) << "the first one stays";
    dialog.findChild<QComboBox*>("timeSignature")->setCurrentIndex(1);
    Click(dialog, "timeSignatureDel");
    EXPECT_THAT(Lines(dialog, "timeSignature"), ElementsAre("001:01:000  4/4"));
    EXPECT_EQ(doc.song.bars[2].start, 3840);
}

TEST_F(EventDialogsTest, TrackPropertiesListProgramsVolumesAndPansWithTheirChannels) {
    CTrackPropDlg melody(doc, 1, 0, script.prompts());
    EXPECT_THAT(Lines(melody, "program"), ElementsAre("001:01:000  22 Harmonica"));
    EXPECT_THAT(Lines(melody, "volume"), ElementsAre("001:01:000  90"));
    EXPECT_THAT(Lines(melody, "pan"), ElementsAre("001:03:000  30"));
    EXPECT_EQ(melody.findChild<QLabel*>()->text(), "Channel 1");

    CTrackPropDlg band(doc, 2, 0, script.prompts());
    EXPECT_THAT(Lines(band, "program"),
                ElementsAre("001:01:000 Drumset 0 (ch 10)", "001:02:000  33 Fingered Bass (ch 2)"));
    EXPECT_THAT(Lines(band, "volume"), ElementsAre("001:01:000  127  (ch 10)"));
    EXPECT_EQ(band.findChild<QLabel*>()->text(), "Channels 2 10");
    EXPECT_EQ(band.findChild<QLineEdit*>("name")->text(), QString::fromLatin1("B\xE4nd"));
}

TEST_F(EventDialogsTest, TrackEventEditsAddsAndDeletesKeepEveryListOnItsOwnEvents) {
    CTrackPropDlg dialog(doc, 1, 0, script.prompts());
    script.fills = {Type({"200"})};  // refused: above 127
    Click(dialog, "volumeEdit");
    EXPECT_EQ(script.refusals, 1);
    script.fills = {Type({"64.9"})};
    Click(dialog, "volumeEdit");
    EXPECT_THAT(Lines(dialog, "volume"), ElementsAre("001:01:000  64"));

    script.fills = {Type({"2", "1", "0", "110"})};
    Click(dialog, "volumeAdd");
    EXPECT_THAT(Lines(dialog, "volume"), ElementsAre("001:01:000  64", "002:01:000  110"));
    EXPECT_EQ(Current(dialog, "volume"), "002:01:000  110");

    script.fills = {Pick(40, Type({"1", "3", "0"}))};
    Click(dialog, "programAdd");
    EXPECT_THAT(Lines(dialog, "program"),
                ElementsAre("001:01:000  22 Harmonica", "001:03:000  40 Violin"));
    script.fills = {Pick(41)};  // the new program change becomes a viola
    Click(dialog, "programEdit");
    EXPECT_EQ(Current(dialog, "program"), "001:03:000  41 Viola");

    // Deleting the first volume: the next Del takes the remaining one, not a
    // stale line.
    dialog.findChild<QComboBox*>("volume")->setCurrentIndex(0);
    Click(dialog, "volumeDel");
    EXPECT_THAT(Lines(dialog, "volume"), ElementsAre("002:01:000  110"));
    EXPECT_EQ(Current(dialog, "program"), "001:03:000  41 Viola") << "other lists keep theirs";
    Click(dialog, "volumeDel");
    EXPECT_TRUE(Lines(dialog, "volume").isEmpty());
    Click(dialog, "volumeDel");  // nothing left: nothing asked
    EXPECT_EQ(script.asked.size(), 2u);
    EXPECT_FALSE(dialog.findChild<QPushButton*>("volumeEdit")->isEnabled());
    EXPECT_FALSE(dialog.findChild<QPushButton*>("volumeDel")->isEnabled());
    EXPECT_TRUE(dialog.findChild<QPushButton*>("volumeAdd")->isEnabled());
    EXPECT_TRUE(SongIsConsistent(doc.song));

    CTrackPropDlg textOnly(doc, 3, 0, script.prompts());
    Click(textOnly, "panAdd");
    EXPECT_EQ(script.asked.back(),
              "Event add error | Can't add event, no channel messages inside track");
}

TEST_F(EventDialogsTest, OkRenamesOnlyAChangedNameAndMovesTheTrack) {
    MidiTrack* band = doc.song.tracks[2].get();
    CTrackPropDlg unchanged(doc, 2, 0, script.prompts());
    unchanged.accept();
    EXPECT_FALSE(doc.IsModified()) << "a Latin-1 name is not rewritten as UTF-8";
    EXPECT_EQ(band->events.front()->length, 4u);

    CTrackPropDlg dialog(doc, 2, 0, script.prompts());
    dialog.findChild<QLineEdit*>("name")->setText("Rhythm");
    dialog.findChild<QSpinBox*>()->setValue(1);
    dialog.accept();
    EXPECT_EQ(doc.song.tracks[1].get(), band);
    EXPECT_EQ(band->name, "Rhythm");
    EXPECT_EQ(std::string(band->events.front()->text()), "Rhythm");

    CTrackPropDlg conductor(doc, 0, 0, script.prompts());
    EXPECT_FALSE(conductor.findChild<QSpinBox*>()->isEnabled());
}

}  // namespace
}  // namespace tavrino::test
