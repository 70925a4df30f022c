#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tavrino {

enum class MessageIcon { kNone, kExclamation };
enum class SaveChangesAnswer { kYes, kNo, kCancel };

// What the document asks of the user interface: the main frame, the view and
// the dialogs. The desktop shell implements it; the tool and the tests bring
// their own.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // Talking to the user.
    virtual void ShowMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;
    // "Save changes to ...?" with Yes, No and Cancel.
    virtual SaveChangesAnswer AskSaveChanges(const std::string& prompt) = 0;
    // A question with Yes and No buttons; true for Yes.
    virtual bool AskYesNo(const std::string& question, const std::string& caption) = 0;
    // Where to save a document that has no file yet; empty when cancelled.
    virtual std::optional<std::string> AskSavePath() = 0;
    virtual void Beep() = 0;

    // Busy feedback while the song is read or changed at length.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // A progress bar in the status bar, 0 to 100.
    virtual void BeginProgress() = 0;
    virtual void SetProgress(int percent) = 0;
    virtual void EndProgress() = 0;

    // The score view.
    virtual void RepaintView() = 0;
    virtual void SetScrollRange(std::int32_t quarters) = 0;
    virtual void ScrollToShow(std::int32_t tick) = 0;

    // The main frame.
    virtual void ResetMonitors(bool newSong) = 0;
    // -1 shows the player's current position.
    virtual void ShowPosition(std::int32_t tick) = 0;
    virtual void ShowTempo() = 0;
    // The frame's Play command (it picks the start tick).
    virtual void Play(bool countIn, bool ignoreBeginMark) = 0;
    // The window title's mark of unsaved changes.
    virtual void ShowModified(bool modified) = 0;
    // Closes the edit-mode toolbar if it is open.
    virtual void LeaveEditMode() = 0;
    // Reopens the current play-list entry through the application.
    virtual void ReloadCurrentFile() = 0;
};

}  // namespace tavrino
