// The score command: the view's picture of a song, rendered without a
// window, for sharing tabs and for looking at the painting in reviews.

#include <QImage>
#include <cstdint>
#include <memory>

#include "document/song_edits.h"
#include "tools/gui_application.h"
#include "tools/harmonica_options.h"
#include "tools/tab_source.h"
#include "tools/tool_support.h"
#include "view/score_page.h"

namespace tavrino::tool {

namespace {

int RunScore(const Command& self, const std::vector<std::string>& args, Io& io);

const Command kCommands[] = {
    {"score",
     "IN OUT.png [--harmonica diatonic|chromatic|notes] [--tuning T] [--key K] [--zoom 0-4] "
     "[--width W] [--height H] [--at TICK] [--colours default|high-contrast]",
     "Render the score and tablature of a song into a PNG image, as the program shows it.",
     "  IN           a Standard MIDI File (.mid, .kar)\n"
     "  OUT.png      the image to write\n"
     "  --harmonica  the tablature on the notes (default diatonic); notes writes note names\n"
     "  --tuning, --key  as for tabmap\n"
     "  --zoom       the time scale: 0 50 %, 1 75 %, 2 100 % (default), 3 150 %, 4 200 %\n"
     "  --width, --height  the image's size in pixels (default 1200 x 700)\n"
     "  --at         the play position; the page that shows it is drawn (default 0)\n"
     "  --colours    the harmonica's colours and labels: default or high-contrast\n",
     RunScore},
};

int RunScore(const Command& self, const std::vector<std::string>& args, Io& io) {
    CommandLine line(args, {{"harmonica", true},
                            {"tuning", true},
                            {"key", true},
                            {"zoom", true},
                            {"width", true},
                            {"height", true},
                            {"at", true},
                            {"colours", true}});
    int exitCode = kExitOk;
    if (!ParseArguments(self, line, 2, 2, io, exitCode)) {
        return exitCode;
    }
    HarmonicaOptions options(self, line, io);
    const auto zoom = options.Integer("zoom", 0, 4, 2);
    const auto width = options.Integer("width", 100, 10000, 1200);
    const auto height = options.Integer("height", 100, 10000, 700);
    const auto at = options.Integer("at", 0, INT32_MAX, 0);
    Harmonica harmonica;
    Settings settings;
    if (!zoom || !width || !height || !at || !options.ChooseHarmonica(harmonica, true) ||
        !options.ChooseColours(settings)) {
        return options.exitCode();
    }
    MidiSong song;
    if (const int result = LoadSong(song, line.positionals().front(), io); result != kExitOk) {
        return result;
    }
    MarkPlayable(song);
    const auto application = EnsureGuiApplication(false);
    harmonica.diatonic.CreateBrushes(settings);
    const ScoreScene scene{song, settings, TabSourceFor(harmonica, settings), PlayState{}};
    const QImage image = RenderScore(scene, *width, *height, *zoom, *at);
    const std::string& out = line.positionals()[1];
    if (!image.save(QString::fromStdString(out), "PNG")) {
        return WriteError(out, io);
    }
    return kExitOk;
}

}  // namespace

std::span<const Command> ScoreCommands() {
    return kCommands;
}

}  // namespace tavrino::tool
