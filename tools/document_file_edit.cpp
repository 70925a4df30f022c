// Editing a file through the song document, so that a file edited by the
// tool changes exactly as in the desktop program.

#include "tools/document_file_edit.h"

#include <cerrno>

#include "song/midi_reader.h"
#include "tools/tool_support.h"

namespace tavrino::tool {

namespace {

// The document's user interface when there is none. The commands report
// failures themselves, naming the file and the reason; only the warning about
// a truncated file comes from here.
class ConsoleHost : public DocumentHost {
public:
    ConsoleHost(const std::string& path, Io& io) : path_(path), io_(io) {}

    void ShowMessage(const std::string& text, const std::string&, MessageIcon) override {
        if (text == kTruncatedWarningText) {
            WarnTruncated(path_, io_);
        }
    }
    SaveChangesAnswer AskSaveChanges(const std::string&) override { return SaveChangesAnswer::kNo; }
    // The command line already says what to do.
    bool AskYesNo(const std::string&, const std::string&) override { return true; }
    std::optional<std::string> AskSavePath() override { return std::nullopt; }
    void Beep() override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void BeginProgress() override {}
    void SetProgress(int) override {}
    void EndProgress() override {}
    void RepaintView() override {}
    void SetScrollRange(std::int32_t) override {}
    void ScrollToShow(std::int32_t) override {}
    void ResetMonitors(bool) override {}
    void ShowPosition(std::int32_t) override {}
    void ShowTempo() override {}
    void Play(bool, bool) override {}
    void ShowModified(bool) override {}
    void LeaveEditMode() override {}
    void ReloadCurrentFile() override {}

private:
    const std::string& path_;
    Io& io_;
};

class SilentPlayer : public PlayerControl {
public:
    bool IsPlaying() const override { return false; }
    void Stop() override {}
    void Pause() override {}
    void Resume() override {}
    void Seek(std::int32_t) override {}
    int Play(std::int32_t, bool) override { return 0; }
    void SetDivision(int) override {}
    void SetTempo(std::int32_t) override {}
    int TempoPercent() const override { return 100; }
    std::int32_t PlayTick() const override { return 0; }
};

}  // namespace

int EditFile(const Command& self, const CommandLine& line, const Marks& marks, Io& io,
             const std::function<int(CTavrinoDoc&)>& edit) {
    if (!line.ok()) {
        return UsageError(self, line.error(), io);
    }
    const std::string& in = line.positionals()[0];
    const std::string& out = line.positionals()[1];
    ConsoleHost host(in, io);
    SilentPlayer player;
    CTavrinoDoc doc(host, player);
    errno = 0;
    if (const int read = doc.OnOpenDocument(in); read != kReadOk) {
        return ReadError(in, read, doc.song, errno, io);
    }
    if (!doc.HasTracks()) {
        io.err << "tavrino-tool: " << in << ": the song has no tracks; nothing written\n";
        return kExitFailure;
    }
    doc.beginMark = marks.begin;
    doc.endMark = marks.end;
    if (const int edited = edit(doc); edited != kExitOk) {
        return edited;
    }
    return doc.OnSaveDocument(out) ? kExitOk : WriteError(out, io);
}

}  // namespace tavrino::tool
