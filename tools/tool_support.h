#pragma once

#include <string>

#include "song/midi_song.h"
#include "tools/command_line.h"
#include "tools/tool.h"

namespace tavrino::tool {

// Loads the song, telling the user about a truncated file. Returns kExitOk, or
// the reader's result code after a one-line message naming the file and the
// reason.
int LoadSong(MidiSong& song, const std::string& path, Io& io);

// The warning about a file that ended early.
void WarnTruncated(const std::string& path, Io& io);

// Reports a failed read in one line naming the file and the reason (`errno`
// as the reader left it); returns the reader's result.
int ReadError(const std::string& path, int result, const MidiSong& song, int savedErrno, Io& io);

// Reports a usage error of the command with its usage line; returns kExitUsage.
int UsageError(const Command& command, const std::string& problem, Io& io);

// Reports a file that could not be written; returns kExitFailure.
int WriteError(const std::string& path, Io& io);

// Parses the command's arguments and checks the positionals; on a usage error
// it has already been reported and `exitCode` holds kExitUsage.
bool ParseArguments(const Command& command, CommandLine& line, std::size_t leastPositionals,
                    std::size_t mostPositionals, Io& io, int& exitCode);

}  // namespace tavrino::tool
