// The options and printing in a running session: a new output opens at once
// and the song plays on, a failed opening is always reported, and printing
// leaves the score as it was.

#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QScrollBar>

#include "app/fake_output_choice.h"
#include "app/frame_rig.h"
#include "app/tavrino_session.h"
#include "document/test_songs.h"
#include "song/midi_writer.h"

namespace tavrino::test {
namespace {

struct SessionRig {
    SessionRig() {
        MidiSong song;
        MidiTrack& track = AddTrack(song);
        for (int quarter = 0; quarter < 64; ++quarter) {
            AddNote(track, 0, 60 + quarter % 12, quarter * 480, quarter * 480 + 400);
        }
        FinishSong(song, 480);
        WriteMidiFile(song, songPath.toStdString());
        CommandLineRequest request;
        request.files = {songPath};
        EXPECT_TRUE(session.Start(request));
    }

    // Chooses the output in a new options sheet and presses OK.
    void ChooseOutput(int item) {
        auto sheet = session.options().MakeSheet({});
        sheet->general().ChooseDevice(item);
        sheet->accept();
    }

    QTemporaryDir dir;
    QString songPath = dir.filePath("tune.mid");
    QtSettingsStore store{dir.filePath("settings.ini")};
    FakeMidiStream stream;
    FakeOutputChoice outputs;
    MonitorFactory factory;
    TavrinoSession session{store, stream, outputs, factory};
};

TEST(OptionsCommands, ANewOutputOpensAtOnceAndTheSongPlaysOnFromItsPosition) {
    SessionRig rig;
    rig.session.frame().transport().Play(false, false);
    rig.stream.PlayBuffer();
    ASSERT_TRUE(rig.session.player().IsPlaying());
    rig.ChooseOutput(2);
    EXPECT_EQ(rig.stream.openedDevice, 1);
    EXPECT_EQ(rig.session.settings().midiDevice, 1);
    EXPECT_EQ(rig.outputs.soundFonts.size(), 1u);
    EXPECT_TRUE(rig.session.player().IsPlaying());
}

TEST(OptionsCommands, AnOutputThatCannotOpenIsReportedWhetherOrNotPlaying) {
    for (const bool playing : {false, true}) {
        SessionRig rig;
        if (playing) {
            rig.session.frame().transport().Play(false, false);
        }
        rig.stream.opens = false;
        QString caption;
        QString text;
        CloseModalBoxOnceShown(caption, text);
        rig.ChooseOutput(2);
        EXPECT_EQ(caption, "Tavrino! Warning") << playing;
        EXPECT_EQ(text, "Cannot open MIDI device") << playing;
        EXPECT_FALSE(rig.session.player().IsPlaying()) << playing;
    }
}

TEST(PrintCommands, PrintingLeavesTheScoreWhereItWasAndRefusesAnEmptySelection) {
    SessionRig rig;
    CTavrinoView& view = rig.session.view();
    view.resize(900, 500);
    view.SetZoomIndex(4);
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->value() + 5);
    emit view.playTickScrolled(4800);
    const auto where = [&view] {
        return std::tuple{view.FirstTick(), view.ZoomIndex(), view.CentrePosition()};
    };
    const auto before = where();

    const std::optional<PrintPlan> plan = rig.session.print().Prepare();
    ASSERT_TRUE(plan);
    QPdfWriter pdf(rig.dir.filePath("song.pdf"));
    EXPECT_TRUE(rig.session.print().PrintTo(pdf, *plan, 1, plan->pageCount));
    EXPECT_EQ(where(), before);

    rig.session.frame().doc().beginMark = 960;
    rig.session.frame().doc().endMark = 960;
    QString caption;
    QString text;
    CloseModalBoxOnceShown(caption, text);
    EXPECT_FALSE(rig.session.print().Prepare());
    EXPECT_EQ(caption, "Tavrino! Warning");
    EXPECT_TRUE(text.contains("empty"));
}

}  // namespace
}  // namespace tavrino::test
