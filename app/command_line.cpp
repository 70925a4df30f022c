#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace tavrino {

CommandLineRequest ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Tavrino: plays MIDI files and shows their harmonica tablature.");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption play("play", "Start playing the file at once.");
    parser.addOption(play);
    parser.addPositionalArgument(
        "files", "The MIDI files (.mid, .kar) or play lists (.lst, .m3u) to play in turn.",
        "[FILE...]");

    CommandLineRequest request;
    if (!parser.parse(arguments)) {
        request.exitAtOnce = true;
        request.exitCode = 2;
        request.output = parser.errorText() + "\n\n" + parser.helpText();
        return request;
    }
    if (parser.isSet(help) || parser.isSet("help-all")) {
        request.exitAtOnce = true;
        request.output = parser.helpText();
        return request;
    }
    if (parser.isSet(version)) {
        request.exitAtOnce = true;
        request.output = QCoreApplication::applicationName() + " " +
                         QCoreApplication::applicationVersion() + "\n";
        return request;
    }
    request.files = parser.positionalArguments();
    request.play = parser.isSet(play) && !request.files.isEmpty();
    return request;
}

}  // namespace tavrino
