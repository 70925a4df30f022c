#pragma once

#include <QString>
#include <QStringList>

namespace tavrino {

// What the program was asked to do when started.
struct CommandLineRequest {
    QStringList files;  // the play list to open; none: an empty document
    bool play = false;  // play the first file at once
    // Set when the program only prints (help, version, a usage error) and
    // ends with `exitCode`.
    bool exitAtOnce = false;
    int exitCode = 0;
    QString output;  // what to print, on standard output when exitCode is 0
};

// Reads `tavrino [--play] [FILE...]`, `--help` and `--version`.
CommandLineRequest ParseCommandLine(const QStringList& arguments);

}  // namespace tavrino
