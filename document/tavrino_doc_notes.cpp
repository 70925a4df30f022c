// CTavrinoDoc: writing notes in edit mode and applying note drags.

#include <algorithm>

#include "document/tavrino_doc.h"

namespace tavrino {

int CTavrinoDoc::WriteNote(int pitch, NoteWriteType type) {
    if (pitch < 0 || pitch > 127 || type < kStepEntry || type > kKeyUp) {
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
    editCursor += noteDuration + noteGap;
    on.duration = noteDuration;
    on.buddy = &off;
    off.buddy = &on;
    return 0;
}

int CTavrinoDoc::WriteKeyUp(int pitch) {
    auto created = std::make_unique<NoteOffEvent>(0, 0x80 | (editChannel & 0x0F), pitch, 0);
    MidiEvent& off = *created;
    if (AddEvent(editCursor, editTrack, std::move(created)) != 0) {
        return kRefused;
    }
    // The newest held note of the key; the play position may have been moved
    // back meanwhile, and a note must not end before it starts.
    const auto held =
        std::find_if(pendingNotes.rbegin(), pendingNotes.rend(), [&off](const MidiEvent* on) {
            return on->channel() == off.channel() && on->data1 == off.data1 &&
                   on->track == off.track && on->time <= off.time;
        });
    if (held != pendingNotes.rend()) {
        MidiEvent& on = **held;
        on.duration = off.time - on.time;
        on.buddy = &off;
        off.buddy = &on;
        pendingNotes.erase(std::next(held).base());
    }
    return 0;
}

int CTavrinoDoc::ApplyTrackerDrag(std::size_t index) {
    if (selection_ == nullptr || index >= selection_->Count()) {
        return kRefused;
    }
    const std::optional<NoteDragTarget> target = selection_->DragTarget(index);
    MidiEvent* dragged = selection_->NoteAt(index);
    if (!target || dragged == nullptr || !DragFits(*target, dragged->time)) {
        return kRefused;
    }
    const int oldPitch = dragged->data1;
    const std::int32_t shift = target->start - dragged->time;
    const bool wasPlaying = StopPlayer();

    dragged->duration = target->end - target->start;
    if (dragged->buddy != nullptr) {
        MoveEvent(song, *dragged->buddy, target->end);
    }
    for (std::size_t j = 0; j < selection_->Count(); ++j) {
        MidiEvent& note = *selection_->NoteAt(j);
        if (shift != 0) {
            MoveEvent(song, note, note.time + shift);
            if (j != index && note.buddy != nullptr) {
                MoveEvent(song, *note.buddy, note.buddy->time + shift);
            }
        }
        // Like a transposition, the drag leaves a note that would leave the
        // MIDI range at its pitch.
        const int pitch = target->pitch + (note.data1 - oldPitch);
        if (pitch >= 0 && pitch <= 127) {
            ChangeNoteValue(note, pitch, kNotePitch);
        }
        selection_->Update(j);
    }
    SetModified(1, kOtherEdit);
    RestartPlayer(wasPlaying);
    return 0;
}

bool CTavrinoDoc::DragFits(const NoteDragTarget& target, std::int32_t draggedStart) const {
    if (target.end <= target.start) {
        return false;  // the note would end before it starts
    }
    for (std::size_t j = 0; j < selection_->Count(); ++j) {
        const MidiEvent* note = selection_->NoteAt(j);
        if (note == nullptr || note->track == nullptr ||
            std::int64_t{note->time} + target.start - draggedStart < 0) {
            return false;
        }
    }
    return true;
}

}  // namespace tavrino
