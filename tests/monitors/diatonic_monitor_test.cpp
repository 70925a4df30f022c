// The diatonic harmonica monitor: its buttons, what playback and the keys
// press, the side panel's choices and the statistics.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <fstream>

#include "document/test_songs.h"
#include "monitors/diatonic_geometry.h"
#include "monitors/mon_chromatic.h"
#include "monitors/mon_diatonic.h"
#include "monitors/monitor_rig.h"

namespace tavrino::test {
namespace {

using Kind = DiatonicKind;

// Answers "Custom..." with a fixed file and keeps what the monitor said.
class ScriptedPrompt : public TuningFilePrompt {
public:
    ScriptedPrompt(QString path, QStringList& problems)
        : path_(std::move(path)), problems_(problems) {}
    QString AskPath(QWidget*) override { return path_; }
    void ShowProblem(QWidget*, const QString& text) override { problems_ << text; }

private:
    QString path_;
    QStringList& problems_;
};

std::vector<QString> Labels(const CMonDiatonic& monitor, Kind kind) {
    std::vector<QString> labels;
    for (int hole = 0; hole < kMaxHoles; ++hole) {
        const NoteButton* button = monitor.Button(hole, kind);
        labels.push_back(button != nullptr ? button->text() : QString());
    }
    return labels;
}

TEST(DiatonicMonitor, DrawsEveryNoteOfARichterHarmonicaWhereAPlayerFindsIt) {
    MonitorRig rig;
    CMonDiatonic* monitor = rig.Open<CMonDiatonic>();
    EXPECT_EQ(monitor->windowTitle(), "Tavrino! Diatonic Harmonica");
    EXPECT_EQ(monitor->size(), QSize(430, 218));
    monitor->SetExpanded(false);
    EXPECT_EQ(monitor->size(), QSize(290, 218));
    monitor->SetExpanded(true);

    const auto blow = Labels(*monitor, Kind::Blow);
    const auto draw = Labels(*monitor, Kind::Draw);
    EXPECT_EQ(blow[0], "C");
    EXPECT_EQ(draw[0], "D");
    EXPECT_EQ(draw[2], "B");
    EXPECT_EQ(blow[9], "C");
    EXPECT_TRUE(monitor->Button(10, Kind::Blow) == nullptr) << "ten holes";
    // Hole 1 bends once, hole 3 three times; hole 5 not at all.
    EXPECT_NE(monitor->Button(0, Kind::Bend1), nullptr);
    EXPECT_EQ(monitor->Button(0, Kind::Bend2), nullptr);
    EXPECT_EQ(monitor->Button(2, Kind::Bend3)->text(), "Ab");
    EXPECT_EQ(monitor->Button(4, Kind::Bend1), nullptr);
    // Draw bends hang below the draw row, blow bends stand above the blow row.
    const int drawTop = monitor->Button(0, Kind::Draw)->geometry().top();
    const int blowTop = monitor->Button(0, Kind::Blow)->geometry().top();
    EXPECT_GT(monitor->Button(0, Kind::Bend1)->geometry().top(), drawTop);
    EXPECT_LT(monitor->Button(7, Kind::Bend1)->geometry().top(), blowTop);
    // Bends show by default, overblows only when asked for.
    EXPECT_TRUE(monitor->Button(2, Kind::Bend3)->isVisible());
    EXPECT_FALSE(monitor->Button(3, Kind::Over)->isVisible());
}

TEST(DiatonicMonitor, NotesBeyondMidiGetNoButton) {
    MonitorRig rig;
    rig.diatonic.Build(120);  // hole 10 would blow 156
    CMonDiatonic* monitor = rig.Open<CMonDiatonic>();
    EXPECT_NE(monitor->Button(0, Kind::Blow), nullptr);
    EXPECT_EQ(monitor->Button(9, Kind::Blow), nullptr);
    monitor->NoteOn(130, 1, -1);
    monitor->NoteOn(-3, 1, -1);
    monitor->NoteOn(120, 1, CMonDiatonic::CellOf(9, Kind::Blow));  // a cell with no button

    rig.diatonic.Build(0, &DiatonicTunings()[10]);  // valved: hole 1 bends below its blow note
    CMonDiatonic* low = rig.Open<CMonDiatonic>();
    EXPECT_NE(low->Button(0, Kind::Blow), nullptr);
    EXPECT_EQ(low->Button(0, Kind::Over), nullptr);
}

TEST(DiatonicMonitor, PlaybackPressesThePreferredTabUntilEveryNoteOfItEnds) {
    MonitorRig rig;
    CMonDiatonic* monitor = rig.Open<CMonDiatonic>();
    NoteButton* g = monitor->Button(1, Kind::Draw);  // G: 2 draw before 3 blow
    monitor->NoteOn(67, 1, -1);
    monitor->NoteOn(67, 2, -1);
    EXPECT_TRUE(g->isLit());
    EXPECT_FALSE(monitor->Button(2, Kind::Blow)->isLit());
    monitor->NoteOff(67, 3, -1);
    EXPECT_TRUE(g->isLit()) << "the other G still sounds";
    monitor->NoteOff(67, 4, -1);
    monitor->NoteOff(67, 5, -1);  // one too many
    EXPECT_FALSE(g->isLit());
    monitor->NoteOn(67, 6, -1);
    EXPECT_TRUE(g->isLit()) << "an extra note-off does not drive the count below zero";

    // A bend lights even while the bends are hidden, so it shows when they are.
    monitor->NoteOn(69, 7, -1);  // A: 3 draw whole-step bend
    EXPECT_TRUE(monitor->Button(2, Kind::Bend2)->isLit());

    // Changing the key lays the buttons out afresh: nothing stays pressed.
    monitor->panel().ShowSelection(0, {0, 2});  // G Std
    emit monitor->panel().keyChosen({0, 2});
    EXPECT_EQ(rig.diatonic.GetKey(), 55);
    EXPECT_FALSE(monitor->Button(1, Kind::Draw)->isLit());
    monitor->NoteOff(67, 8, -1);
    monitor->NoteOn(67, 9, -1);  // G is now 4 blow
    EXPECT_TRUE(monitor->Button(3, Kind::Blow)->isLit());
    EXPECT_EQ(rig.layoutChanges, (std::vector<LayoutFamily>{LayoutFamily::kDiatonic}));
}

TEST(DiatonicMonitor, ComputerKeysBlowAndDrawHolesOneToTen) {
    MonitorRig rig;
    CMonDiatonic* monitor = rig.Open<CMonDiatonic>();
    PressKey(*monitor, Qt::Key_1);
    PressKey(*monitor, Qt::Key_Q);
    EXPECT_TRUE(monitor->Button(0, Kind::Blow)->isLit());
    EXPECT_TRUE(monitor->Button(0, Kind::Draw)->isLit());
    PressKey(*monitor, Qt::Key_1, false);
    PressKey(*monitor, Qt::Key_Q, false);
    PressKey(*monitor, Qt::Key_0);
    PressKey(*monitor, Qt::Key_A);  // not a hole
    EXPECT_EQ(rig.owner.notes, (std::vector<std::string>{"press 60", "press 62", "release 60",
                                                         "release 62", "press 96"}));
    EXPECT_EQ(rig.owner.programs.front(), 22);
}

TEST(DiatonicMonitor, TheKeyAndOctaveShownUseTheTuningsKeyOffset) {
    MonitorRig rig;
    const auto tunings = DiatonicTunings();
    const DiatonicTuning& melodyMaker = tunings[4];  // reeds on C, sold as G
    ASSERT_EQ(melodyMaker.keyOffset, 7);
    rig.diatonic.Build(60, &melodyMaker);
    CMonDiatonic* monitor = rig.Open<CMonDiatonic>();
    const KeyChoice shown = monitor->panel().keyChoice();
    EXPECT_EQ(kDiatonicKeys.Name(shown.keyPosition), "G");
    EXPECT_EQ(kDiatonicKeys.KeyOf(shown, melodyMaker.keyOffset), 60) << "reopens where it was";

    // Around the circle of fifths: C to G and F, F# to Db.
    rig.diatonic.Build(60);
    CMonDiatonic* richter = rig.Open<CMonDiatonic>();
    struct Step {
        const char* from;
        bool up;
        const char* to;
    };
    for (const Step& step : {Step{"C", true, "G"}, Step{"C", false, "F"}, Step{"F#", true, "Db"}}) {
        int position = 0;
        while (kDiatonicKeys.Name(position) != step.from) {
            ++position;
        }
        richter->panel().ShowSelection(0, {position, 2});
        const QString button = step.up ? "5th >" : "< 5th";
        for (QPushButton* push : richter->panel().findChildren<QPushButton*>()) {
            if (push->text() == button) {
                push->click();
            }
        }
        EXPECT_EQ(kDiatonicKeys.Name(richter->panel().keyChoice().keyPosition), step.to)
            << step.from;
    }
}

TEST(DiatonicMonitor, ATuningFileThatFailsLeavesTheHarmonicaAsItWasAndSaysWhy) {
    MonitorRig rig;
    CMonDiatonic* monitor = rig.Open<CMonDiatonic>();
    QTemporaryDir dir;
    const QString bad = dir.filePath("bad.tun");
    std::ofstream(bad.toStdString()) << "CHROMATIC\nNAME not mine\n";
    QStringList problems;
    monitor->SetTuningFilePrompt(std::make_unique<ScriptedPrompt>(bad, problems));
    const int custom = static_cast<int>(DiatonicTunings().size()) - 1;
    emit monitor->panel().tuningChosen(custom);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains("bad.tun is not a diatonic tuning file"))
        << problems[0].toStdString();
    EXPECT_EQ(&rig.diatonic.GetTuning(), &DefaultDiatonicTuning());
    EXPECT_EQ(monitor->panel().tuningPosition(), 0);
    EXPECT_TRUE(rig.layoutChanges.empty());

    monitor->SetTuningFilePrompt(
        std::make_unique<ScriptedPrompt>(dir.filePath("missing.tun"), problems));
    emit monitor->panel().tuningChosen(custom);
    EXPECT_TRUE(problems.back().startsWith("Cannot read the tuning file"));

    const QString good = dir.filePath("low.tun");
    std::ofstream(good.toStdString()) << "DIATONIC\nNAME Mine\nBLOW C E G\nDRAW D G B\n";
    monitor->SetTuningFilePrompt(std::make_unique<ScriptedPrompt>(good, problems));
    emit monitor->panel().tuningChosen(custom);
    EXPECT_EQ(rig.diatonic.GetHoleCount(), 3);
    EXPECT_EQ(monitor->size(), QSize(20 * 3 + 85 + 145, 218));
    EXPECT_EQ(monitor->panel().findChild<QComboBox*>()->itemText(custom), "Mine ...");
}

TEST(DiatonicMonitor, StatisticsCountTheVisibleTracksNotesWithinTheMarks) {
    MonitorRig rig;
    MidiSong& song = rig.doc.song;
    MidiTrack& melody = AddTrack(song);
    AddNote(melody, 0, 60, 0, 100);      // blow
    AddNote(melody, 0, 62, 100, 200);    // draw
    AddNote(melody, 0, 61, 200, 300);    // bend
    AddNote(melody, 0, 63, 300, 400);    // overblow
    AddNote(melody, 0, 85, 400, 500);    // overdraw
    AddNote(melody, 0, 59, 500, 600);    // unavailable
    AddNote(melody, 0, 64, 2000, 2100);  // after the end mark
    MidiTrack& drums = AddTrack(song);
    AddNote(drums, 9, 60, 0, 100);
    MidiTrack& hidden = AddTrack(song);
    AddNote(hidden, 1, 60, 0, 100);
    FinishSong(song, 96);
    hidden.flags &= ~MidiTrack::kVisible;
    rig.doc.endMark = 1000;

    rig.store.WriteInteger(kStateSection, "Mon3.optVisible", 1);
    CMonDiatonic* monitor = rig.Open<CMonDiatonic>();
    auto* stats = monitor->panel().findChildren<QCheckBox*>().at(2);
    ASSERT_EQ(stats->text(), "show stats");
    stats->setChecked(true);
    QStringList texts;
    for (const QLabel* label : monitor->panel().findChildren<QLabel*>()) {
        if (label->isVisibleTo(monitor) && label->frameShape() == QFrame::Panel) {
            texts << label->text();
        }
    }
    EXPECT_EQ(texts, (QStringList{"Blow notes: 1", "Draw notes: 1", "Bend notes: 1",
                                  "Overblows : 1", "Overdraws : 1", "Unavailable: 1"}));
    EXPECT_GT(monitor->height(), 218) << "room for the best harps";

    monitor->close();
    EXPECT_EQ(rig.store.ReadInteger(kStateSection, "Mon3.optVisible"), 1);
}

TEST(DiatonicMonitor, ThePanelStateIsRemembered) {
    MonitorRig rig;
    CMonDiatonic* monitor = rig.Open<CMonDiatonic>();
    monitor->SetExpanded(false);
    monitor->move(200, 150);
    monitor->close();
    EXPECT_EQ(rig.store.ReadInteger(kStateSection, "Mon3.optVisible"), 0);
    CMonDiatonic* again = rig.Open<CMonDiatonic>();
    EXPECT_FALSE(again->expanded());
    EXPECT_EQ(again->size(), QSize(290, 218));
}

TEST(DiatonicMonitor, NewOptionsRenameAndRecolourTheOpenHarmonicas) {
    MonitorRig rig;
    CMonDiatonic* diatonic = rig.Open<CMonDiatonic>();
    CMonChromatic* chromatic = rig.Open<CMonChromatic>();
    rig.settings.musicNoteType = 2;  // DO RE MI
    rig.settings.colorDraw = Colour{0x9E3F1E};
    diatonic->ApplySettings();
    chromatic->ApplySettings();
    EXPECT_EQ(diatonic->Button(0, Kind::Blow)->text(), "DO");
    EXPECT_EQ(diatonic->Button(0, Kind::Draw)->text(), "RE");
    EXPECT_EQ(diatonic->Button(0, Kind::Draw)->accent(), QColor(30, 63, 158));
    EXPECT_EQ(chromatic->Button(0, ChromaticKind::BlowOut)->text(), "DO");
}

}  // namespace
}  // namespace tavrino::test
