#include "document/tavrino_doc.h"

#include <algorithm>
#include <cctype>
#include <cerrno>

#include "document/song_crop.h"
#include "song/file_errors.h"
#include "song/midi_reader.h"
#include "song/midi_writer.h"
#include "song/system_path.h"

namespace tavrino {

namespace {

constexpr const char* kErrorCaption = "Tavrino! Error";
constexpr std::int32_t kPlayerPosition = -1;
constexpr std::int32_t kLargestTempo = 0xFFFFFF;  // what three payload bytes hold

class WaitCursor {
public:
    explicit WaitCursor(DocumentHost& host) : host_(host) { host_.BeginWaitCursor(); }
    ~WaitCursor() { host_.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    DocumentHost& host_;
};

// The status-bar progress bar for as long as a file is read; the reader's
// truncation warning becomes a message box.
class LoadFeedback : public ReadListener {
public:
    explicit LoadFeedback(DocumentHost& host) : host_(host) { host_.BeginProgress(); }
    ~LoadFeedback() override { host_.EndProgress(); }
    LoadFeedback(const LoadFeedback&) = delete;
    LoadFeedback& operator=(const LoadFeedback&) = delete;

    void OnProgress(int percent) override { host_.SetProgress(percent); }
    void OnTruncated() override {
        host_.ShowMessage(kTruncatedWarningText, kTruncatedWarningCaption,
                          MessageIcon::kExclamation);
    }

private:
    DocumentHost& host_;
};

// The message, and on a second line the reason, starting with a capital.
std::string WithReason(const std::string& message, std::string reason) {
    if (!reason.empty()) {
        reason[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(reason[0])));
    }
    return message + "\n" + reason;
}

}  // namespace

CTavrinoDoc::CTavrinoDoc(DocumentHost& host, PlayerControl& player)
    : host_(host), player_(player) {}

// --- Document life cycle -----------------------------------------------------

void CTavrinoDoc::DeleteContents() {
    // Leaving edit mode first lets keys still held be silenced.
    host_.LeaveEditMode();
    ForgetNotes([](const MidiEvent&) { return true; });
    song.Reset();
    beginMark = kNoMark;
    endMark = kNoMark;
    editCursor = 0;
    editVelocity = 127;
    editTrack = 1;
    TransposeUndo = {};
    ModifiedKinds.fill(0);
    lastKind = kUnmodified;
    host_.ShowModified(false);
}

void CTavrinoDoc::OnNewDocument() {
    StopPlayer();
    DeleteContents();
    pathName.clear();
    if (loadCount > 0) {
        player_.Seek(0);
        host_.ResetMonitors(true);
        host_.ShowPosition(kPlayerPosition);
    }
}

int CTavrinoDoc::OnOpenDocument(const std::string& path) {
    const bool wasPlaying = StopPlayer();
    LoadFeedback feedback(host_);
    // The file is read aside: a file that fails to load must not cost the
    // user the song that is open.
    MidiSong loaded;
    errno = 0;
    const int result = ReadMidiFile(loaded, path, &feedback);
    const int savedErrno = errno;
    if (result != kReadOk) {
        host_.ShowMessage(
            WithReason("Error reading file", ReadFailureReason(result, loaded, savedErrno)),
            kErrorCaption, MessageIcon::kExclamation);
        return result;
    }
    DeleteContents();
    song = std::move(loaded);
    player_.Seek(0);
    pathName = path;
    ++loadCount;
    player_.SetDivision(song.division);
    player_.SetTempo(song.TempoAt(0));
    host_.ShowTempo();
    MarkPlayable(song);
    if (wasPlaying) {
        player_.Play(0, false);
    }
    RefreshForNewSong();
    return result;
}

bool CTavrinoDoc::OnSaveDocument(const std::string& path) {
    StopPlayer();
    errno = 0;
    if (const int result = WriteMidiFile(song, path); result != kWriteOk) {
        host_.ShowMessage(WithReason("Error writing file", WriteFailureReason(result, errno)),
                          kErrorCaption, MessageIcon::kExclamation);
        return false;
    }
    pathName = path;
    SetModified(0, kOtherEdit);
    return true;
}

bool CTavrinoDoc::SaveModified() {
    if (!IsModified()) {
        return true;
    }
    const bool wasPlaying = StopPlayer();
    switch (host_.AskSaveChanges("Save changes to " + DisplayName() + "?")) {
        case SaveChangesAnswer::kCancel:
            return false;
        case SaveChangesAnswer::kYes:
            if (!DoFileSave()) {
                return false;
            }
            break;
        case SaveChangesAnswer::kNo:
            break;
    }
    RestartPlayer(wasPlaying);
    return true;
}

bool CTavrinoDoc::DoFileSave() {
    if (!pathName.empty()) {
        return OnSaveDocument(pathName);
    }
    const std::optional<std::string> chosen = host_.AskSavePath();
    return chosen && OnSaveDocument(*chosen);
}

std::string CTavrinoDoc::DisplayName() const {
    const std::string name = Utf8FromPath(PathFromUtf8(pathName).filename());
    return name.empty() ? "Untitled" : name;
}

// --- Modification flags ------------------------------------------------------

void CTavrinoDoc::SetModified(int value, ModificationKind kind) {
    if (kind != kOtherEdit || value != 0) {
        ModifiedKinds[kind] = value;
        // Other edits may remove or move the notes the undo record refers
        // to; undo is offered only right after transpositions anyway.
        if (kind != kTransposition && value != 0) {
            TransposeUndo = {};
        }
    } else {
        // Saving: nothing is modified any more and nothing can be undone.
        ModifiedKinds.fill(0);
        TransposeUndo = {};
    }
    if (value != 0) {
        lastKind = kind;
    }
    if (!IsModified()) {
        lastKind = kUnmodified;
    }
    host_.ShowModified(IsModified());
}

bool CTavrinoDoc::IsModified() const {
    return std::any_of(ModifiedKinds.begin(), ModifiedKinds.end(),
                       [](std::int32_t flag) { return flag != 0; });
}

// --- Commands ----------------------------------------------------------------

void CTavrinoDoc::OnEditUndo() {
    const bool wasPlaying = StopPlayer();
    {
        WaitCursor wait(host_);
        if (lastKind == kTransposition && TransposeUndo.CanRevert()) {
            if (TransposeUndo.RevertLastGroup(song)) {
                SetModified(0, kTransposition);
            }
            host_.ResetMonitors(false);
            host_.RepaintView();
        } else {
            host_.ShowMessage("Sorry, can't undo more", "Undo", MessageIcon::kNone);
        }
    }
    RestartPlayer(wasPlaying);
}

MenuItemState CTavrinoDoc::UndoMenuItem() const {
    if (lastKind == kTransposition) {
        return {"Undo Transpose\tCtrl+Z", true};
    }
    return {"Can't Undo\tCtrl+Z", false};
}

void CTavrinoDoc::OnReload() {
    if (HasTracks()) {
        host_.ReloadCurrentFile();
    }
}

void CTavrinoDoc::SetBeginMark(const BarBeat& position) {
    PlaceMark(beginMark, endMark, position);
}

void CTavrinoDoc::SetEndMark(const BarBeat& position) {
    PlaceMark(endMark, beginMark, position);
}

// The marks always enclose a selection: a mark placed at or beyond the other
// one clears it.
void CTavrinoDoc::PlaceMark(std::int32_t& mark, std::int32_t& other, const BarBeat& position) {
    if (!HasTracks()) {
        return;
    }
    mark = song.BarBeatToTick(position.bar, position.beat, position.tick);
    if (beginMark >= endMark) {
        other = kNoMark;
    }
    host_.RepaintView();
    host_.ResetMonitors(false);
}

bool CTavrinoDoc::CanCrop() const {
    const bool bothSet = IsMarkSet(beginMark) && IsMarkSet(endMark);
    return HasTracks() && (IsMarkSet(beginMark) || IsMarkSet(endMark)) &&
           (!bothSet || beginMark < endMark);
}

void CTavrinoDoc::OnCrop() {
    if (!CanCrop()) {
        return;
    }
    StopPlayer();
    {
        WaitCursor wait(host_);
        // Every note moves or goes: the selection and the held keys would
        // point at stale or destroyed notes.
        ForgetNotes([](const MidiEvent&) { return true; });
        CropSong(song, beginMark, endMark);
    }
    player_.Seek(0);
    beginMark = kNoMark;
    endMark = kNoMark;
    SetModified(1, kOtherEdit);
    RefreshForNewSong();
}

bool CTavrinoDoc::CanCreateTabTextTrack() const {
    return HasTracks() && !player_.IsPlaying();
}

int CTavrinoDoc::OnTabTextTrack(const TabTrackNotation& notation) {
    if (!CanCreateTabTextTrack()) {
        return kRefused;
    }
    if (song.tracks.size() >= kMostTracks) {
        host_.ShowMessage("Maximun number of tracks reached", "Cannot create track",
                          MessageIcon::kExclamation);
        return kRefused;
    }
    if (!host_.AskYesNo("This command will create a new track with a text event for every "
                        "displayed note\nDo you want to continue?",
                        "Tablature to Text Track")) {
        return kRefused;
    }
    int track = kRefused;
    {
        WaitCursor wait(host_);
        track = AppendTabTextTrack(song, notation, beginMark, endMark);
    }
    host_.ResetMonitors(true);
    host_.RepaintView();
    SetModified(1, kOtherEdit);
    return track;
}

// --- Song changes ------------------------------------------------------------

int CTavrinoDoc::Transpose(int semitones, bool wholeSong) {
    if (semitones == 0) {
        return 0;
    }
    if (song.tracks.empty() || song.loading != 0) {
        host_.Beep();
        return kRefused;
    }
    std::vector<bool> transposed(song.tracks.size(), wholeSong);
    for (std::size_t i = 0; i < song.tracks.size(); ++i) {
        transposed[i] = wholeSong || song.tracks[i]->visible();
    }
    // The key signatures move only with the whole song over its whole length.
    const bool movesKeys = wholeSong && !IsMarkSet(beginMark) && !IsMarkSet(endMark);
    if (!TransposeUndo.Continues(beginMark, endMark, transposed, movesKeys)) {
        TransposeUndo.StartGroup(song, beginMark, endMark, transposed, movesKeys);
    }
    std::vector<MidiEvent*> unmoved;
    for (std::size_t i = 0; i < song.tracks.size(); ++i) {
        if (transposed[i]) {
            TransposeSong(song, semitones, static_cast<int>(i), beginMark, endMark, &unmoved);
        }
    }
    const bool changed = TransposeUndo.Add(song, semitones, unmoved);
    SetModified(changed ? 1 : 0, kTransposition);
    return 0;
}

int CTavrinoDoc::DeleteNoteEvent(MidiEvent& event) {
    if (event.track == nullptr) {
        return kRefused;
    }
    const bool wasPlaying = StopPlayer();
    const MidiEvent* partner = event.buddy;
    ForgetNotes([&](const MidiEvent& note) { return &note == &event || &note == partner; });
    DeleteEvent(song, event);
    SetModified(1, kOtherEdit);
    RestartPlayer(wasPlaying);
    return 0;
}

int CTavrinoDoc::DeleteTrack(int trackIndex) {
    if (!CanDeleteTrack(song, trackIndex)) {
        return kRefused;
    }
    const bool wasPlaying = StopPlayer();
    const MidiTrack* doomed = song.tracks[static_cast<std::size_t>(trackIndex)].get();
    ForgetNotes([doomed](const MidiEvent& note) { return note.track == doomed; });
    tavrino::DeleteTrack(song, trackIndex);
    KeepEditTrackInSong();
    SetModified(1, kOtherEdit);
    RestartPlayer(wasPlaying);
    return 0;
}

int CTavrinoDoc::AddEvent(std::int32_t time, int trackIndex, std::unique_ptr<MidiEvent> event) {
    // The player reads the song while it plays; paused, it reads nothing.
    const bool playing = player_.IsPlaying();
    if (playing) {
        player_.Pause();
    }
    const int result = InsertEvent(song, time, trackIndex, std::move(event));
    if (playing) {
        player_.Resume();
    }
    if (result == 0) {
        SetModified(1, kOtherEdit);
    }
    return result;
}

void CTavrinoDoc::SetNoteValue(MidiEvent& note, int value, NoteValueField field) {
    const bool wasPlaying = StopPlayer();
    ChangeNoteValue(note, value, field);
    SetModified(1, kOtherEdit);
    RestartPlayer(wasPlaying);
}

void CTavrinoDoc::ChangeNoteValue(MidiEvent& note, int value, NoteValueField field) {
    const auto byte = static_cast<std::int16_t>(value & 0x7F);
    if (field == kNoteVelocity) {
        note.data2 = byte;
        return;
    }
    note.data1 = byte;
    if (note.buddy != nullptr) {
        note.buddy->data1 = byte;
    }
}

void CTavrinoDoc::SetEventText(MidiEvent& event, std::unique_ptr<std::uint8_t[]> terminatedText,
                               std::uint32_t length) {
    StopPlayer();
    event.setPayload(std::move(terminatedText), length);
    SetModified(1, kOtherEdit);
}

int CTavrinoDoc::ScaleTrackVelocities(int trackIndex) {
    StopPlayer();
    const int result = ScaleVelocities(song, trackIndex, beginMark, endMark);
    if (result == 0) {
        SetModified(1, kOtherEdit);
    }
    return result;
}

int CTavrinoDoc::ApplyTempoPercent() {
    const int percent = player_.TempoPercent();
    if (percent <= 0) {
        return kRefused;
    }
    StopPlayer();
    for (TempoEvent* tempo : song.tempos) {
        const std::int64_t scaled = std::int64_t{tempo->value()} * 100 / percent;
        tempo->setValue(static_cast<std::int32_t>(std::min<std::int64_t>(scaled, kLargestTempo)));
    }
    SetModified(1, kOtherEdit);
    return 0;
}

// --- Helpers -----------------------------------------------------------------

bool CTavrinoDoc::StopPlayer() {
    if (!player_.IsPlaying()) {
        return false;
    }
    player_.Stop();
    return true;
}

void CTavrinoDoc::RestartPlayer(bool wasPlaying) {
    if (wasPlaying) {
        // Continue from where the music stands.
        host_.Play(false, true);
    }
}

void CTavrinoDoc::RefreshForNewSong() {
    host_.RepaintView();
    host_.ShowPosition(kPlayerPosition);
    host_.ResetMonitors(true);
    if (song.division != 0) {
        host_.SetScrollRange(song.songLength / song.division);
    }
}

void CTavrinoDoc::ForgetNotes(const std::function<bool(const MidiEvent&)>& doomed) {
    std::erase_if(pendingNotes, [&doomed](const MidiEvent* note) { return doomed(*note); });
    std::erase_if(shownAlternates, [&doomed](const auto& shown) { return doomed(*shown.first); });
    if (selection_ == nullptr) {
        return;
    }
    for (std::size_t i = selection_->Count(); i-- > 0;) {
        const MidiEvent* note = selection_->NoteAt(i);
        if (note == nullptr || doomed(*note)) {
            selection_->Remove(i);
        }
    }
}

}  // namespace tavrino
