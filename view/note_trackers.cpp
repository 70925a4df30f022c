#include "view/note_trackers.h"

#include <algorithm>

namespace tavrino {

std::optional<NoteDragTarget> NoteTrackers::DragTarget(std::size_t index) const {
    if (dragged_ != index) {
        return std::nullopt;
    }
    return target_;
}

void NoteTrackers::Update(std::size_t index) {
    if (index < notes_.size()) {
        frames_[index] = PlaceNote(*notes_[index]);
    }
}

void NoteTrackers::Remove(std::size_t index) {
    if (index >= notes_.size()) {
        return;
    }
    notes_.erase(notes_.begin() + static_cast<std::ptrdiff_t>(index));
    frames_.erase(frames_.begin() + static_cast<std::ptrdiff_t>(index));
    if (dragged_) {
        // The dragged note itself went: there is nothing left to apply.
        if (*dragged_ == index) {
            dragged_.reset();
            target_.reset();
        } else if (*dragged_ > index) {
            --*dragged_;
        }
    }
}

bool NoteTrackers::Contains(const MidiEvent* note) const {
    return std::find(notes_.begin(), notes_.end(), note) != notes_.end();
}

void NoteTrackers::Add(MidiEvent& note) {
    notes_.push_back(&note);
    frames_.push_back(PlaceNote(note));
}

void NoteTrackers::Clear() {
    notes_.clear();
    frames_.clear();
    dragged_.reset();
    target_.reset();
}

void NoteTrackers::Replace() {
    for (std::size_t i = 0; i < notes_.size(); ++i) {
        Update(i);
    }
}

std::optional<std::pair<std::size_t, TrackerGrip>> NoteTrackers::GripAt(int x, int y) const {
    for (std::size_t i = 0; i < frames_.size(); ++i) {
        if (const TrackerGrip grip = tavrino::GripAt(frames_[i], x, y);
            grip != TrackerGrip::kNone) {
            return std::pair{i, grip};
        }
    }
    return std::nullopt;
}

void NoteTrackers::Drag(std::size_t index, const NoteDragTarget& target) {
    if (index >= notes_.size()) {
        return;
    }
    dragged_ = index;
    target_ = target;
    frames_[index] = place_(target.pitch, target.start, target.end - target.start);
}

std::optional<std::size_t> NoteTrackers::EndDrag() {
    if (dragged_ && target_) {
        const MidiEvent& note = *notes_[*dragged_];
        if (target_->pitch != note.data1 || target_->start != note.time ||
            std::int64_t{target_->end} - target_->start != note.duration) {
            return dragged_;
        }
    }
    ForgetDrag();
    return std::nullopt;
}

void NoteTrackers::ForgetDrag() {
    dragged_.reset();
    target_.reset();
    Replace();
}

}  // namespace tavrino
