// The print command: the printed pages of a song as a PDF file, through the
// program's own print code, with no display or printer.

#include <QPdfWriter>
#include <filesystem>

#include "document/song_edits.h"
#include "tools/gui_application.h"
#include "tools/harmonica_options.h"
#include "tools/tab_source.h"
#include "tools/tool_support.h"
#include "view/score_print.h"

namespace tavrino::tool {

namespace {

int RunPrint(const Command& self, const std::vector<std::string>& args, Io& io);

const Command kCommands[] = {
    {"print",
     "IN OUT.pdf [--from TICK] [--to TICK] [--beats-per-line N] "
     "[--harmonica diatonic|chromatic|notes] [--tuning T] [--key K] [--page A4|Letter] "
     "[--colours default|high-contrast]",
     "Print the score and tablature of a song into a PDF file, as the program prints it.",
     "  IN           a Standard MIDI File (.mid, .kar)\n"
     "  OUT.pdf      the file to write\n"
     "  --from, --to print only the part between these ticks, as between the\n"
     "               program's begin and end marks\n"
     "  --beats-per-line  quarter notes on each line, 1 to 48 (default 16)\n"
     "  --harmonica  the tablature on the notes (default diatonic); notes writes note names\n"
     "  --tuning, --key  as for tabmap\n"
     "  --page       the paper (default A4)\n"
     "  --colours    the harmonica's colours and labels: default or high-contrast\n"
     "\nThe print options are the program's defaults: treble clef only, coloured bars.\n",
     RunPrint},
};

std::optional<QPageSize> PaperNamed(const std::string& name) {
    if (name == "A4") {
        return QPageSize(QPageSize::A4);
    }
    if (name == "Letter") {
        return QPageSize(QPageSize::Letter);
    }
    return std::nullopt;
}

int RunPrint(const Command& self, const std::vector<std::string>& args, Io& io) {
    CommandLine line(args, {{"from", true},
                            {"to", true},
                            {"beats-per-line", true},
                            {"harmonica", true},
                            {"tuning", true},
                            {"key", true},
                            {"page", true},
                            {"colours", true}});
    int exitCode = kExitOk;
    if (!ParseArguments(self, line, 2, 2, io, exitCode)) {
        return exitCode;
    }
    HarmonicaOptions options(self, line, io);
    const auto from = options.Integer("from", 0, INT32_MAX, kNoMark);
    const auto to = options.Integer("to", 0, INT32_MAX, kNoMark);
    const auto beats = options.Integer("beats-per-line", 1, kMostBeatsPerLine, 16);
    Harmonica harmonica;
    Settings settings;
    if (!from || !to || !beats || !options.ChooseHarmonica(harmonica, true) ||
        !options.ChooseColours(settings)) {
        return options.exitCode();
    }
    const std::optional<QPageSize> paper = PaperNamed(line.value("page").value_or("A4"));
    if (!paper) {
        return UsageError(self, "--page needs A4 or Letter", io);
    }
    const std::string& in = line.positionals()[0];
    MidiSong song;
    if (const int result = LoadSong(song, in, io); result != kExitOk) {
        return result;
    }
    MarkPlayable(song);
    settings.printBeatsPerLine = static_cast<std::int16_t>(*beats);
    std::string problem;
    const std::optional<PrintPlan> plan =
        PlanPrint(song, settings, *from, *to, kDefaultCentrePosition, problem);
    if (!plan) {
        io.err << "tavrino-tool: " << in << ": " << problem << "\n";
        return kExitFailure;
    }
    const auto application = EnsureGuiApplication(false);
    harmonica.diatonic.CreateBrushes(settings);
    const ScoreScene scene{song, settings, TabSourceFor(harmonica, settings), PlayState{}};
    const std::string title = std::filesystem::path(in).filename().string();
    ScorePrinter printer(scene, *plan, {title, HarmonicaFooter(scene.tabs)});

    const std::string& out = line.positionals()[1];
    QPdfWriter pdf(QString::fromStdString(out));
    pdf.setTitle(QString::fromStdString(title));
    pdf.setCreator("Tavrino");
    pdf.setPageLayout(QPageLayout(*paper, QPageLayout::Portrait, QMarginsF(12, 12, 12, 12),
                                  QPageLayout::Millimeter));
    if (!printer.PrintPages(pdf, 1, plan->pageCount)) {
        return WriteError(out, io);
    }
    io.out << plan->pageCount << (plan->pageCount == 1 ? " page\n" : " pages\n");
    return kExitOk;
}

}  // namespace

std::span<const Command> PrintCommands() {
    return kCommands;
}

}  // namespace tavrino::tool
