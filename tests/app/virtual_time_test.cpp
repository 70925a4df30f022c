// The main window following a whole song played on the real stream in
// virtual time: the stream's thread posts positions as fast as it can while
// the window handles them.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

#include "app/frame_rig.h"
#include "platform/recording_output.h"
#include "platform/scheduled_midi_stream.h"
#include "tools/demo_song.h"

namespace tavrino::test {
namespace {

TEST(VirtualTime, AWholeSongPlaysToItsEndAndTheWindowRewinds) {
    VirtualStreamClock clock;
    auto recorder = std::make_shared<RecordingOutput>(clock);
    SingleOutput outputs("recorder", recorder);
    ScheduledMidiStream stream(outputs, clock);
    FrameRig rig({kPianoMonitor}, &stream);
    MidiSong demo;
    BuildDemoSong(demo);
    ASSERT_TRUE(rig.Open(demo));
    rig.frame->actions()[ID_VIEW_PIANO]->trigger();

    rig.frame->actions()[ID_PLAYER_PLAY]->trigger();
    const QDeadlineTimer deadline(10'000);
    while (rig.player.IsPlaying() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QCoreApplication::processEvents();
    ASSERT_FALSE(rig.player.IsPlaying());
    EXPECT_EQ(rig.player.position.current, 0) << "rewound at the end";
    EXPECT_EQ(rig.frame->panes().positionText(), QString::asprintf("%10d", 0));

    const MessageList& messages = rig.frame->doc().song.messages;
    const auto sounding = std::count_if(messages.begin(), messages.end(),
                                        [](const MidiEvent* e) { return e->isSoundingNoteOn(); });
    const std::vector<RecordedMessage> heard = recorder->Messages();
    const auto noteOns = std::count_if(heard.begin(), heard.end(), [](const RecordedMessage& m) {
        return (m.bytes[0] & 0xF0) == 0x90 && m.bytes[2] > 0;
    });
    EXPECT_EQ(noteOns, sounding) << "every note was heard, once";

    // Whatever the window caught up with, it painted notes in order, once each.
    const std::vector<int>& painted = rig.view->playedNotes;
    EXPECT_TRUE(std::is_sorted(painted.begin(), painted.end()));
    EXPECT_EQ(std::adjacent_find(painted.begin(), painted.end()), painted.end());
    for (const int index : painted) {
        EXPECT_NE(messages[static_cast<std::size_t>(index)]->playable, 0);
    }
}

}  // namespace
}  // namespace tavrino::test
