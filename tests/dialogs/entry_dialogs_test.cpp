// The entry dialogs: which positions, values and programs they take, and
// what the caller reads back.

#include "dialogs/entry_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "dialogs/gm_programs.h"
#include "dialogs/program_entry.h"
#include "document/test_songs.h"

namespace tavrino::test {
namespace {

constexpr std::int16_t kDivision = 192;

// Two bars of 4/4, then 7/8 bars (672 ticks) from tick 1536; the song ends
// early in bar 4 (tick 2300), which starts at 2208.
void MakeSong(MidiSong& song) {
    MidiTrack& track = AddTrack(song);
    AddEvent(track, 0, std::make_unique<TimeSignatureEvent>(4, 4, 24, 8));
    AddEvent(track, 1536, std::make_unique<TimeSignatureEvent>(7, 8, 24, 8));
    AddNote(track, 0, 60, 0, 2300);
    FinishSong(song, kDivision);
}

struct PositionCase {
    BarBeat position;
    std::optional<EntryField> refused;  // none: taken
    std::int32_t tick = 0;
};

TEST(EntryChecks, PositionsRunFromBarOneToTheLastBarWithinEachBarsMeter) {
    MidiSong song;
    MakeSong(song);
    ASSERT_EQ(song.bars.size(), 4);
    const PositionCase cases[] = {
        {{1, 1, 0}, std::nullopt, 0},
        {{0, 1, 0}, EntryField::kBar},
        {{2, 4, 191}, std::nullopt, 1535},
        {{2, 5, 0}, EntryField::kBeat},  // 4/4 has four beats
        {{2, 0, 0}, EntryField::kBeat},
        {{1, 1, kDivision}, EntryField::kTick},
        {{1, 1, -1}, EntryField::kTick},
        {{3, 4, 95}, std::nullopt, 1536 + 3 * 192 + 95},  // 7/8: half a last beat
        {{3, 4, 96}, EntryField::kTick},
        {{4, 1, 0}, std::nullopt, 2208},  // the last bar can be entered
        {{4, 2, 0}, EntryField::kBar},    // beyond the song's end
        {{5, 1, 0}, EntryField::kBar},
    };
    for (const PositionCase& c : cases) {
        const auto problem = CheckPosition(song, c.position);
        const std::string where = std::to_string(c.position.bar) + ":" +
                                  std::to_string(c.position.beat) + ":" +
                                  std::to_string(c.position.tick);
        if (c.refused) {
            ASSERT_TRUE(problem) << where;
            EXPECT_EQ(problem->field, *c.refused) << where;
            EXPECT_FALSE(problem->message.empty());
        } else {
            EXPECT_FALSE(problem) << where << ": " << problem->message;
            EXPECT_EQ(PositionTick(song, c.position), c.tick) << where;
        }
    }
}

TEST(EntryChecks, PositionsBeyondTheSongsEndAreRefusedAndAnEmptySongTakesBarOne) {
    MidiSong song;
    MakeSong(song);
    const BarBeat last = *song.TickToBarBeat(song.songLength);
    EXPECT_FALSE(CheckPosition(song, last));
    BarBeat beyond = last;
    ++beyond.tick;
    ASSERT_TRUE(CheckPosition(song, beyond));
    EXPECT_NE(CheckPosition(song, beyond)->message.find("ends at"), std::string::npos);

    MidiSong empty;
    EXPECT_FALSE(CheckPosition(empty, {1, 1, 0}));
    EXPECT_EQ(PositionTick(empty, {1, 1, 0}), 0);
    EXPECT_EQ(CheckPosition(empty, {2, 1, 0})->field, EntryField::kBar);
    EXPECT_EQ(CheckPosition(empty, {1, 2, 0})->field, EntryField::kBeat);
}

TEST(EntryChecks, ValuesAreTruncatedForControllersAndTemposMustFitATempoEvent) {
    struct ValueCase {
        double value;
        const ValueRange& range;
        bool taken;
    };
    const ValueCase cases[] = {
        {127.9, kControllerValues, true},        {128, kControllerValues, false},
        {-0.5, kControllerValues, true},         {-1, kControllerValues, false},
        {0, kTempoBeatsPerMinute, false},        {3.57, kTempoBeatsPerMinute, false},
        {3.58, kTempoBeatsPerMinute, true},      {60000000, kTempoBeatsPerMinute, true},
        {60000001, kTempoBeatsPerMinute, false},
    };
    for (const ValueCase& c : cases) {
        EXPECT_EQ(!CheckValue(c.value, c.range), c.taken) << c.value;
    }
    EXPECT_EQ(EnteredValue(127.9, kControllerValues), 127);
    EXPECT_EQ(EnteredValue(90.5, kTempoBeatsPerMinute), 90.5);
    // The smallest tempo taken still fits three bytes of microseconds.
    EXPECT_LE(60000000 / kTempoBeatsPerMinute.minimum, 0xFFFFFF);
}

TEST(EntryDialogs, FieldsAreParsedAndCheckedAndThePositionConvertsToItsTick) {
    MidiSong song;
    MakeSong(song);
    CPosValueEntry entry(song);
    entry.SetPosition({2, 3, 10});
    entry.SetValue(64);
    EXPECT_FALSE(entry.Check());
    EXPECT_EQ(entry.Tick(), 768 + 2 * 192 + 10);
    EXPECT_EQ(entry.Value(), 64);

    // Bar, beat, tick, value.
    const QList<QLineEdit*> fields = entry.findChildren<QLineEdit*>();
    ASSERT_EQ(fields.size(), 4);
    QLineEdit* bar = fields[0];
    QLineEdit* value = fields[3];
    bar->setText("");
    ASSERT_TRUE(entry.Check());
    EXPECT_EQ(entry.Check()->field, EntryField::kBar);
    bar->setText("x");
    EXPECT_EQ(entry.Check()->field, EntryField::kBar);
    bar->setText(" 2 ");
    EXPECT_FALSE(entry.Check());
    value->setText("127,9");
    EXPECT_FALSE(entry.Check());
    EXPECT_EQ(entry.Value(), 127);
    value->setText("nan");
    EXPECT_EQ(entry.Check()->field, EntryField::kValue);

    CValueEntry tempo;
    tempo.SetValueRange(kTempoBeatsPerMinute);
    tempo.SetValue(120);
    EXPECT_EQ(tempo.findChild<QLineEdit*>()->text(), "120.00");
    tempo.findChild<QLineEdit*>()->setText("0");
    EXPECT_EQ(tempo.Check()->field, EntryField::kValue);
}

TEST(EntryDialogs, ARefusedEntryKeepsTheDialogOpen) {
    MidiSong song;
    MakeSong(song);
    CPosEntry entry(song);
    entry.SetPosition({9, 1, 0});
    entry.show();
    // The refusal's message box is modal: close it as soon as it shows.
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            box->close();
        }
    });
    entry.accept();
    EXPECT_EQ(entry.result(), QDialog::Rejected);
    EXPECT_TRUE(entry.isVisible());
    entry.SetPosition({3, 2, 0});
    entry.accept();
    EXPECT_EQ(entry.result(), QDialog::Accepted);
    EXPECT_EQ(entry.Tick(), 1536 + 192);
}

TEST(ProgramEntry, ListsDrumSetsOnThePercussionChannelAndFixesAnEditedPosition) {
    MidiSong song;
    MakeSong(song);
    CProgramEntry entry(song);
    auto* list = entry.findChild<QComboBox*>();
    entry.SetProgram(-1, kPercussionChannel);
    ASSERT_EQ(list->count(), 128);
    EXPECT_EQ(list->itemText(0), "Drumset 0");
    EXPECT_EQ(list->itemText(127), "Drumset 127");
    EXPECT_EQ(entry.Program(), 0);

    entry.SetProgram(22, 0, {9, 9, 9});  // editing: the stored position stays
    EXPECT_EQ(list->currentText(), "Harmonica");
    EXPECT_FALSE(entry.findChild<QLineEdit*>()->isEnabled());
    EXPECT_FALSE(entry.Check());
    list->setCurrentIndex(40);
    EXPECT_EQ(entry.Program(), 40);

    entry.SetProgram(-1, 0, {0, 1, 0});  // adding: bar 0 is no bar
    EXPECT_TRUE(entry.findChild<QLineEdit*>()->isEnabled());
    EXPECT_EQ(entry.Check()->field, EntryField::kBar);
}

TEST(GmPrograms, NamesAndProgramChangeTexts) {
    EXPECT_EQ(GmProgramName(0), "Piano 1");
    EXPECT_EQ(GmProgramName(127), "Gunshot");
    EXPECT_EQ(GmProgramName(128), "");
    EXPECT_EQ(ProgramChangeText(22, 0), " 22 Harmonica");
    EXPECT_EQ(ProgramChangeText(0, kPercussionChannel), "Drumset 0");
    EXPECT_EQ(ProgramChoiceName(5, kPercussionChannel), "Drumset 5");
}

}  // namespace
}  // namespace tavrino::test
