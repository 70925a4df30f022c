#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "document/document_host.h"
#include "document/note_selection.h"
#include "document/song_edits.h"
#include "document/tab_text_track.h"
#include "document/transpose_undo.h"
#include "player/player_control.h"
#include "song/midi_song.h"

namespace tavrino {

// Why the document counts as modified; one flag each.
enum ModificationKind : int {
    kUnmodified = 0,
    kTransposition = 1,
    kTrackProperties = 2,
    kOtherEdit = 3,
};

// What a note written in edit mode stands for.
enum NoteWriteType : int {
    kStepEntry = 0,  // a whole note of the chosen value, then the cursor moves on
    kKeyDown = 1,    // a note-on that waits for its key to be released
    kKeyUp = 2,
};

enum NoteValueField : int { kNotePitch = 0, kNoteVelocity = 1 };

// A key of a note written by a key press that is still held.
struct HeldKey {
    int channel = 0;
    int key = 0;
};

struct MenuItemState {
    std::string text;
    bool enabled = false;
};

// The application's one document: the song, the selection marks, the
// modification flags, the undo of transpositions and the edit-mode values.
// Every change to the song goes through it, so that the player is stopped
// (or paused) around the change and the windows are refreshed consistently.
class CTavrinoDoc {
public:
    CTavrinoDoc(DocumentHost& host, PlayerControl& player);
    CTavrinoDoc(const CTavrinoDoc&) = delete;
    CTavrinoDoc& operator=(const CTavrinoDoc&) = delete;

    // The view's selected notes; none until a view exists.
    void AttachSelection(NoteSelection* selection) { selection_ = selection; }

    // Document life cycle.
    void DeleteContents();
    void OnNewDocument();
    // Reads the file into the song; returns the reader's result, 0 on success.
    int OnOpenDocument(const std::string& path);
    bool OnSaveDocument(const std::string& path);
    // Whether the document may be replaced or closed, after offering to save
    // its changes.
    bool SaveModified();

    void SetModified(int value, ModificationKind kind);
    bool IsModified() const;

    // Commands.
    bool HasTracks() const { return !song.tracks.empty(); }
    void OnEditUndo();
    MenuItemState UndoMenuItem() const;
    void OnReload();
    void SetBeginMark(const BarBeat& position);
    void SetEndMark(const BarBeat& position);
    bool CanCrop() const;
    void OnCrop();
    bool CanCreateTabTextTrack() const;
    // Adds a track with the notation of every note starting inside the marks,
    // once the user agrees. Returns the new track's index, or kRefused.
    int OnTabTextTrack(const TabTrackNotation& notation);

    // Song changes of the views, the main frame and the dialogs. Those that
    // return a result refuse with kRefused and leave the song unchanged.
    // Transposes the whole song or the visible tracks, within the marks.
    int Transpose(int semitones, bool wholeSong);
    int DeleteNoteEvent(MidiEvent& event);
    int DeleteTrack(int trackIndex);
    int AddEvent(std::int32_t time, int trackIndex, std::unique_ptr<MidiEvent> event);
    void SetNoteValue(MidiEvent& note, int value, NoteValueField field);
    // Takes over the new payload: `length` bytes and a terminating 0.
    void SetEventText(MidiEvent& event, std::unique_ptr<std::uint8_t[]> terminatedText,
                      std::uint32_t length);
    int ScaleTrackVelocities(int trackIndex);

    // Tempo changes in beats per minute, refused outside
    // kSlowestBeatsPerMinute..kFastestBeatsPerMinute. Afterwards the player
    // keeps the tempo in force at the play position.
    int SetTempoChange(TempoEvent& tempo, double beatsPerMinute);
    int AddTempoChange(std::int32_t time, double beatsPerMinute);
    int DeleteTempoChange(TempoEvent& tempo);
    // Puts a time signature at `time` into track 0, or changes the one that
    // is there, and rebuilds the bars. Refuses numerators outside
    // 1..kLargestNumerator and denominators that are not powers of two up to
    // kLargestDenominator.
    static constexpr int kLargestNumerator = 99;
    static constexpr int kLargestDenominator = 64;
    int SetTimeSignature(std::int32_t time, int numerator, int denominator);
    // Deletes a time signature other than the song's first.
    int DeleteTimeSignature(TimeSignatureEvent& signature);
    // The track's name: its first track-name event, added at tick 0 when
    // there is none, gets the bytes and a terminating 0. Unchanged bytes
    // leave the song untouched.
    int RenameTrack(int trackIndex, std::string_view name);
    // Takes the track out and puts it back at `newIndex`; track 0, which
    // holds the song-wide events, stays first.
    int MoveTrack(int trackIndex, int newIndex);
    int ApplyTempoPercent();
    int WriteNote(int pitch, NoteWriteType type);
    // Applies the drag of the selected note `index` to every selected note,
    // keeping the group within the song and the MIDI keys.
    int ApplyTrackerDrag(std::size_t index);

    // Edit mode.
    // An empty song gets its conductor track, and the player its division and
    // tempo.
    void SetUpEmptySong();
    // Appends an empty track playing on `channel` (0-15), named unless `name`
    // is empty, and makes it the edit track.
    int AddNewTrack(const std::string& name, int channel);
    // The edit track within the tracks that take notes (1 on), after tracks
    // went or moved.
    void KeepEditTrackInSong();
    // Ends every note whose key is still held at the edit cursor, or just
    // after its start, and returns the keys to silence.
    std::vector<HeldKey> ReleasePendingNotes();

    MidiSong song;
    std::string pathName;  // the file the document was read from or saved to
    std::int32_t beginMark = kNoMark;
    std::int32_t endMark = kNoMark;  // exclusive
    std::int32_t loadCount = 0;
    std::vector<MidiEvent*> pendingNotes;  // note-ons whose key is still held
    std::int32_t editCursor = 0;
    std::int16_t editTrack = 1;
    std::int16_t editChannel = 0;
    std::int16_t editVelocity = 127;
    std::int32_t noteDuration = 0;
    std::int32_t noteGap = 0;
    bool mouseWrite = false;  // clicks on the staff write notes in edit mode
    // Notes shown with another way to play them than the preferred one: the
    // alternate's number (1 on) by note-on.
    std::unordered_map<const MidiEvent*, int> shownAlternates;
    std::int32_t lastKind = kUnmodified;
    std::array<std::int32_t, 4> ModifiedKinds{};
    TransposeUndoRecord TransposeUndo;

private:
    bool StopPlayer();
    void RestartPlayer(bool wasPlaying);
    bool DoFileSave();
    std::string DisplayName() const;
    // After a load or a crop: every window starts over on the song.
    void RefreshForNewSong();
    void PlaceMark(std::int32_t& mark, std::int32_t& other, const BarBeat& position);
    // Drops every reference the selection and the held keys keep to notes
    // that are about to go.
    void ForgetNotes(const std::function<bool(const MidiEvent&)>& doomed);
    void ChangeNoteValue(MidiEvent& note, int value, NoteValueField field);
    // The player's tempo after a tempo change: the one in force where it
    // plays.
    void FollowTempoChange();
    int WriteNoteOn(int pitch, NoteWriteType type);
    int WriteKeyUp(int pitch);
    // Ends the held note with a note-off at the edit cursor, never before
    // the note's first tick is over.
    void EndHeldNote(MidiEvent& on);

    DocumentHost& host_;
    PlayerControl& player_;
    NoteSelection* selection_ = nullptr;
};

}  // namespace tavrino
