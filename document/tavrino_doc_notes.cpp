// CTavrinoDoc: writing notes in edit mode and applying note drags.

#include <algorithm>
#include <utility>

#include "document/note_drag.h"
#include "document/note_writing.h"
#include "document/tavrino_doc.h"

namespace tavrino {

namespace {

constexpr const char* kWarningCaption = "Tavrino! Warning";

}  // namespace

int CTavrinoDoc::WriteNote(int pitch, NoteWriteType type) {
    if (pitch < 0 || pitch > 127 || type < kStepEntry || type > kKeyUp) {
        return kRefused;
    }
    if (editTrack < 0 || static_cast<std::size_t>(editTrack) >= song.tracks.size()) {
        // The user heard the note: it must not vanish without a word.
        host_.ShowMessage("Cannot write the note: the song has no track " +
                              std::to_string(editTrack) + " to write into",
                          kWarningCaption, MessageIcon::kExclamation);
        return kRefused;
    }
    const int result = type == kKeyUp ? WriteKeyUp(pitch) : WriteNoteOn(pitch, type);
    if (result != 0) {
        return result;
    }
    if (song.division > 0 && song.songLength >= song.division) {
        host_.SetScrollRange(song.songLength / song.division);
        host_.ScrollToShow(editCursor);
    }
    if (!player_.IsPlaying()) {
        player_.Seek(editCursor);
    }
    host_.RepaintView();
    return 0;
}

int CTavrinoDoc::WriteNoteOn(int pitch, NoteWriteType type) {
    // A written note must sound: a note without length would be dropped by
    // the next note pairing.
    if (type == kStepEntry && noteDuration < 1) {
        return kRefused;
    }
    const int channel = editChannel & 0x0F;
    auto createdOn = std::make_unique<NoteOnEvent>(0, 0x90 | channel, pitch, editVelocity & 0x7F);
    MidiEvent& on = *createdOn;
    if (AddEvent(editCursor, editTrack, std::move(createdOn)) != 0) {
        return kRefused;
    }
    on.playable = on.isPercussion() ? 0 : 1;
    if (type == kKeyDown) {
        on.duration = 2;  // something to draw until the key is released
        pendingNotes.push_back(&on);
        return 0;
    }
    auto createdOff = std::make_unique<NoteOffEvent>(0, 0x80 | channel, pitch, 0);
    MidiEvent& off = *createdOff;
    AddEvent(editCursor + noteDuration, editTrack, std::move(createdOff));
    editCursor += noteDuration + std::max(0, noteGap);
    on.duration = noteDuration;
    on.buddy = &off;
    off.buddy = &on;
    return 0;
}

int CTavrinoDoc::WriteKeyUp(int pitch) {
    const int channel = editChannel & 0x0F;
    const MidiTrack* track = song.tracks[static_cast<std::size_t>(editTrack)].get();
    // The newest held note of the key.
    const auto held =
        std::find_if(pendingNotes.rbegin(), pendingNotes.rend(), [&](const MidiEvent* on) {
            return on->channel() == channel && on->data1 == pitch && on->track == track;
        });
    if (held == pendingNotes.rend()) {
        return AddEvent(editCursor, editTrack,
                        std::make_unique<NoteOffEvent>(0, 0x80 | channel, pitch, 0));
    }
    MidiEvent& on = **held;
    pendingNotes.erase(std::next(held).base());
    EndHeldNote(on);
    return 0;
}

void CTavrinoDoc::EndHeldNote(MidiEvent& on) {
    // The play position may have been moved back meanwhile, and a note must
    // not end before it starts.
    const auto time = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(editCursor, std::int64_t{on.time} + 1, INT32_MAX));
    auto created = std::make_unique<NoteOffEvent>(0, 0x80 | on.channel(), on.data1, 0);
    MidiEvent& off = *created;
    if (AddEvent(time, song.TrackIndexOf(on.track), std::move(created)) != 0) {
        return;
    }
    on.duration = off.time - on.time;
    on.buddy = &off;
    off.buddy = &on;
}

std::vector<HeldKey> CTavrinoDoc::ReleasePendingNotes() {
    std::vector<HeldKey> keys;
    for (MidiEvent* on : std::exchange(pendingNotes, {})) {
        keys.push_back({on->channel(), on->data1});
        EndHeldNote(*on);
    }
    if (!keys.empty()) {
        host_.RepaintView();
    }
    return keys;
}

int CTavrinoDoc::ApplyTrackerDrag(std::size_t index) {
    if (selection_ == nullptr || index >= selection_->Count()) {
        return kRefused;
    }
    std::vector<MidiEvent*> notes;
    for (std::size_t j = 0; j < selection_->Count(); ++j) {
        MidiEvent* note = selection_->NoteAt(j);
        if (note == nullptr || note->track == nullptr) {
            return kRefused;
        }
        notes.push_back(note);
    }
    const std::optional<NoteDragTarget> wanted = selection_->DragTarget(index);
    if (!wanted) {
        return kRefused;
    }
    MidiEvent& dragged = *notes[index];
    const NoteDragTarget target = KeepDragInBounds(*wanted, dragged, BoundsOf(notes));
    const int oldPitch = dragged.data1;
    const std::int32_t shift = target.start - dragged.time;
    const bool wasPlaying = StopPlayer();

    dragged.duration = target.end - target.start;
    if (dragged.buddy != nullptr) {
        MoveEvent(song, *dragged.buddy, target.end);
    }
    for (std::size_t j = 0; j < notes.size(); ++j) {
        MidiEvent& note = *notes[j];
        if (shift != 0) {
            MoveEvent(song, note, note.time + shift);
            if (j != index && note.buddy != nullptr) {
                MoveEvent(song, *note.buddy, note.buddy->time + shift);
            }
        }
        ChangeNoteValue(note, target.pitch + (note.data1 - oldPitch), kNotePitch);
        selection_->Update(j);
    }
    SetModified(1, kOtherEdit);
    RestartPlayer(wasPlaying);
    return 0;
}

void CTavrinoDoc::SetUpEmptySong() {
    if (HasTracks()) {
        return;
    }
    StopPlayer();
    tavrino::SetUpEmptySong(song);
    player_.SetDivision(song.division);
    player_.SetTempo(song.TempoAt(0));
    host_.ShowTempo();
    RefreshForNewSong();
}

int CTavrinoDoc::AddNewTrack(const std::string& name, int channel) {
    if (channel < 0 || channel > 15 || !HasTracks()) {
        return kRefused;
    }
    // The player reads the track list while it plays.
    const bool playing = player_.IsPlaying();
    if (playing) {
        player_.Pause();
    }
    auto created = std::make_unique<MidiTrack>();
    created->channels.push_back(static_cast<std::uint8_t>(channel));
    MidiTrack& track = *created;
    song.tracks.push_back(std::move(created));
    const int index = static_cast<int>(song.tracks.size()) - 1;
    if (!name.empty()) {
        auto trackName = std::make_unique<TrackNameEvent>();
        trackName->metaType = 3;
        trackName->setPayload(
            std::span(reinterpret_cast<const std::uint8_t*>(name.data()), name.size()));
        AddEvent(0, index, std::move(trackName));
        track.name = name;
    }
    AddEvent(0, index, std::make_unique<EndOfTrackEvent>());
    if (playing) {
        player_.Resume();
    }
    editTrack = static_cast<std::int16_t>(index);
    host_.ResetMonitors(true);
    return index;
}

void CTavrinoDoc::KeepEditTrackInSong() {
    const int last = static_cast<int>(song.tracks.size()) - 1;
    editTrack = static_cast<std::int16_t>(std::clamp<int>(editTrack, 1, std::max(1, last)));
}

}  // namespace tavrino
