#pragma once

// Stand-ins for the user interface, the player and the view's selection: each
// records what the document asked of it, one line per call.

#include <optional>
#include <string>
#include <vector>

#include "document/document_host.h"
#include "document/note_selection.h"
#include "player/player_control.h"

namespace tavrino::test {

class FakeHost : public DocumentHost {
public:
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override {
        Log("message " + text + " | " + caption +
            (icon == MessageIcon::kExclamation ? " | !" : ""));
    }
    SaveChangesAnswer AskSaveChanges(const std::string& prompt) override {
        Log("ask " + prompt);
        return saveAnswer;
    }
    bool AskYesNo(const std::string& question, const std::string& caption) override {
        Log("ask " + question + " | " + caption);
        return yesAnswer;
    }
    std::optional<std::string> AskSavePath() override {
        Log("ask path");
        return savePath;
    }
    void Beep() override { Log("beep"); }
    void BeginWaitCursor() override { Log("wait"); }
    void EndWaitCursor() override { Log("end wait"); }
    void BeginProgress() override { Log("progress"); }
    void SetProgress(int percent) override { lastProgress = percent; }
    void EndProgress() override { Log("end progress"); }
    void RepaintView() override { Log("repaint"); }
    void SetScrollRange(std::int32_t quarters) override {
        Log("scroll range " + std::to_string(quarters));
    }
    void ScrollToShow(std::int32_t tick) override { Log("scroll to " + std::to_string(tick)); }
    void ResetMonitors(bool newSong) override {
        Log(newSong ? "reset monitors new" : "reset monitors");
    }
    void ShowPosition(std::int32_t tick) override { Log("position " + std::to_string(tick)); }
    void ShowTempo() override { Log("tempo"); }
    void Play(bool countIn, bool ignoreBeginMark) override {
        Log(std::string("play") + (countIn ? " count-in" : "") +
            (ignoreBeginMark ? " from here" : ""));
    }
    void ShowModified(bool modified) override { modifiedMark = modified; }
    void LeaveEditMode() override { Log("leave edit mode"); }
    void ReloadCurrentFile() override { Log("reload"); }

    bool Said(const std::string& call) const {
        for (const std::string& line : calls) {
            if (line == call) {
                return true;
            }
        }
        return false;
    }

    std::vector<std::string> calls;
    SaveChangesAnswer saveAnswer = SaveChangesAnswer::kNo;
    bool yesAnswer = true;
    std::optional<std::string> savePath;
    bool modifiedMark = false;
    int lastProgress = -1;

private:
    void Log(std::string line) { calls.push_back(std::move(line)); }
};

class FakePlayer : public PlayerControl {
public:
    bool IsPlaying() const override { return playing; }
    void Stop() override {
        playing = false;
        calls.push_back("stop");
    }
    void Pause() override {
        playing = false;
        calls.push_back("pause");
    }
    void Resume() override {
        playing = true;
        calls.push_back("resume");
    }
    void Seek(std::int32_t tick) override { calls.push_back("seek " + std::to_string(tick)); }
    int Play(std::int32_t startTick, bool countIn) override {
        playing = true;
        calls.push_back("play " + std::to_string(startTick) + (countIn ? " count-in" : ""));
        return 0;
    }
    void SetDivision(int ticksPerQuarter) override {
        calls.push_back("division " + std::to_string(ticksPerQuarter));
    }
    void SetTempo(std::int32_t microsecondsPerQuarter) override {
        calls.push_back("tempo " + std::to_string(microsecondsPerQuarter));
    }
    int TempoPercent() const override { return tempoPercent; }
    std::int32_t PlayTick() const override { return playTick; }

    bool playing = false;
    std::int32_t playTick = 0;
    int tempoPercent = 100;
    std::vector<std::string> calls;
};

class StubSelection : public NoteSelection {
public:
    std::size_t Count() const override { return notes.size(); }
    MidiEvent* NoteAt(std::size_t index) const override { return notes[index]; }
    std::optional<NoteDragTarget> DragTarget(std::size_t) const override { return target; }
    void Update(std::size_t index) override { updated.push_back(index); }
    void Remove(std::size_t index) override {
        notes.erase(notes.begin() + static_cast<std::ptrdiff_t>(index));
    }

    std::vector<MidiEvent*> notes;
    std::optional<NoteDragTarget> target;
    std::vector<std::size_t> updated;
};

}  // namespace tavrino::test
