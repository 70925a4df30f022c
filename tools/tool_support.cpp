#include "tools/tool_support.h"

#include <cerrno>

#include "song/file_errors.h"
#include "song/midi_reader.h"

namespace tavrino::tool {

namespace {

class StderrListener : public ReadListener {
public:
    StderrListener(const std::string& path, Io& io) : path_(path), io_(io) {}
    void OnTruncated() override { WarnTruncated(path_, io_); }

private:
    const std::string& path_;
    Io& io_;
};

}  // namespace

int LoadSong(MidiSong& song, const std::string& path, Io& io) {
    StderrListener listener(path, io);
    errno = 0;
    const int result = ReadMidiFile(song, path, &listener);
    const int savedErrno = errno;
    if (result == kReadOk) {
        return kExitOk;
    }
    return ReadError(path, result, song, savedErrno, io);
}

void WarnTruncated(const std::string& path, Io& io) {
    io.err << "tavrino-tool: " << path
           << ": warning: the file looks truncated; loading as much as possible\n";
}

int ReadError(const std::string& path, int result, const MidiSong& song, int savedErrno, Io& io) {
    io.err << "tavrino-tool: " << path << ": " << ReadFailureReason(result, song, savedErrno)
           << "\n";
    return result;
}

int UsageError(const Command& command, const std::string& problem, Io& io) {
    io.err << "tavrino-tool " << command.name << ": " << problem << "\n"
           << "usage: tavrino-tool " << command.name << " " << command.usage << "\n"
           << "Try 'tavrino-tool " << command.name << " --help'.\n";
    return kExitUsage;
}

int WriteError(const std::string& path, Io& io) {
    io.err << "tavrino-tool: " << path << ": cannot write the file\n";
    return kExitFailure;
}

bool ParseArguments(const Command& command, CommandLine& line, std::size_t leastPositionals,
                    std::size_t mostPositionals, Io& io, int& exitCode) {
    if (!line.expectPositionals(leastPositionals, mostPositionals)) {
        exitCode = UsageError(command, line.error(), io);
        return false;
    }
    return true;
}

}  // namespace tavrino::tool
