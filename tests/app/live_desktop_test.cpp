// The desktop program as a user runs it: on an X display, with a JACK server
// for its sound. The demo song plays through the built-in synthesizer with no
// device error, is heard on JACK, and the notes light up as they play.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <QImage>
#include <chrono>
#include <thread>

#include "settings/settings.h"
#include "support/child_process.h"
#include "support/jack_receiver.h"
#include "support/jack_server.h"
#include "support/temporary_folder.h"
#include "support/xvfb_display.h"

namespace tavrino::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Pixels of the screen in `colour`.
int PixelsOf(const QImage& screen, Rgb colour) {
    const QRgb wanted = qRgb(colour.red, colour.green, colour.blue);
    int count = 0;
    for (int y = 0; y < screen.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
        for (int x = 0; x < screen.width(); ++x) {
            count += (line[x] & 0xFFFFFF) == (wanted & 0xFFFFFF) ? 1 : 0;
        }
    }
    return count;
}

// Waits until `done` holds, at most `limit`; a loaded machine only delays it.
template <typename Done>
bool WaitUntil(Done done, std::chrono::seconds limit) {
    const auto end = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

TEST(LiveDesktop, TheDemoSongPlaysThroughJackWithItsNotesLit) {
    JackServer server;
    if (!server.Start()) {
        GTEST_SKIP() << "no JACK server can start here: " << server.Problem();
    }
    XvfbDisplay display;
    if (!display.Start()) {
        GTEST_SKIP() << "no X display can start here: " << display.Problem();
    }
    JackReceiver listener;
    std::string problem;
    ASSERT_TRUE(listener.Open("listener", problem)) << problem;
    const TemporaryFolder folder;
    const pid_t program = StartProgram(
        {TAVRINO_DESKTOP, std::string(TAVRINO_SOURCE_DIR) + "/examples/oh-susanna.mid", "--play"},
        false,
        {"DISPLAY=" + display.Name(), "QT_QPA_PLATFORM=xcb",
         // Settings of its own, never the user's.
         "XDG_CONFIG_HOME=" + folder.File("config"),
         // No desktop sound server here: JACK is the one that plays.
         "PULSE_SERVER=unix:" + folder.File("no-pulseaudio")});
    ASSERT_GT(program, 0);

    // The synthesizer's client appears once the song plays; then it is heard.
    EXPECT_TRUE(WaitUntil([&listener] { return listener.ListenTo("Tavrino"); }, 30s))
        << "the program made no JACK client";
    EXPECT_TRUE(WaitUntil([&listener] { return listener.LoudestSample() > 0.01F; }, 30s))
        << "nothing was heard";

    const Rgb played = Settings().colorPlayed.ToRgb();
    const std::string shot = folder.File("playing.png");
    int lit = 0;
    EXPECT_TRUE(WaitUntil(
        [&] {
            lit = display.Screenshot(shot) ? PixelsOf(QImage(QString::fromStdString(shot)), played)
                                           : 0;
            return lit > 200;
        },
        30s))
        << lit << " pixels in the played colour";
    EXPECT_EQ(display.WindowTitles().find("Tavrino! Warning"), std::string::npos)
        << display.WindowTitles();
    // Later in the song, more notes have been played.
    const int earlier = lit;
    EXPECT_TRUE(WaitUntil(
        [&] {
            lit = display.Screenshot(shot) ? PixelsOf(QImage(QString::fromStdString(shot)), played)
                                           : 0;
            return lit > earlier;
        },
        30s));

    kill(program, SIGTERM);
    waitpid(program, nullptr, 0);
}

}  // namespace
}  // namespace tavrino::test
