#pragma once

#include <QWidget>
#include <functional>

#include "app/frame_view.h"
#include "app/position_display.h"
#include "document/tavrino_doc.h"
#include "monitors/monitor_list.h"
#include "player/player.h"
#include "settings/settings.h"

namespace tavrino {

// The main window's transport and transposition commands, and what it does
// when a song has played to its end.
class Transport {
public:
    struct Parts {
        Player& player;
        CTavrinoDoc& doc;
        MonitorList& monitors;
        FrameView& view;
        PositionDisplay& display;
        const Settings& settings;
        QWidget& window;  // owns the error boxes
        std::function<bool()> editMode;
    };

    explicit Transport(const Parts& parts) : p_(parts) {}

    // Starts at the begin mark, unless `ignoreBeginMark` or there is none,
    // else at the edit cursor in edit mode, else where the music stands. Nothing happens while
    // playing or when the song has no events.
    void Play(bool countIn, bool ignoreBeginMark);
    // The Play command: at the begin mark, with the count-in setting (or the
    // practice loop's, when both marks are set).
    void PlayCommand();
    // Plays the song from its start, whatever the marks.
    void PlayFromStart(bool countIn);
    void Stop();
    // Back to the begin mark, or to the start; playing goes on from there.
    // In edit mode the edit cursor goes there too.
    void Rewind();
    // The user moved the play position; playing goes on from there.
    void SeekTo(std::int32_t tick);
    // Space: stops, or plays on from where the music stands.
    void PlayOrStop();
    // Transposes the whole song, or the visible tracks, within the marks.
    void Transpose(int semitones, bool wholeSong);
    // The end mark or the song's end was reached while looping: the next pass
    // starts at the begin mark, with the practice loop's tempo step and
    // count-in when both marks are set.
    void NextLoopPass();
    // The song ran out: in edit mode the player waits at the edit cursor;
    // otherwise it goes back to the start. True when that settled what comes
    // next (edit mode, or a marked passage that plays again); false leaves the
    // choice to the repeat mode and the play list.
    bool OnPlayerEnded();

private:
    bool IsPracticeLoop() const;
    // Plays on at `percent` and has the window show it.
    void SetLoopTempo(int percent);

    Parts p_;
};

}  // namespace tavrino
