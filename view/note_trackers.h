#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "view/note_tracker.h"

namespace tavrino {

// The score view's selected notes in edit mode, in selection order, each with
// the frame drawn around it. While a frame is dragged it follows the pointer
// as the drag would place its note; the document then reads the drag's target
// through the selection interface.
class NoteTrackers final : public NoteSelection {
public:
    // Where the frame of a note of that key, start and length lies on
    // screen now.
    using Placement = std::function<PixelRect(int key, std::int32_t start, std::int32_t duration)>;

    explicit NoteTrackers(Placement place) : place_(std::move(place)) {}

    // NoteSelection
    std::size_t Count() const override { return notes_.size(); }
    MidiEvent* NoteAt(std::size_t index) const override { return notes_[index]; }
    std::optional<NoteDragTarget> DragTarget(std::size_t index) const override;
    void Update(std::size_t index) override;
    void Remove(std::size_t index) override;

    bool Empty() const { return notes_.empty(); }
    bool Contains(const MidiEvent* note) const;
    void Add(MidiEvent& note);
    void Clear();
    // After the page, zoom or pitch range moved: every frame follows its note.
    void Replace();
    const PixelRect& Frame(std::size_t index) const { return frames_[index]; }
    // The first frame the point grips, in selection order.
    std::optional<std::pair<std::size_t, TrackerGrip>> GripAt(int x, int y) const;

    // A drag of the frame `index` in progress: the frame shows the target.
    void Drag(std::size_t index, const NoteDragTarget& target);
    // Ends the drag: the index of the dragged note when the drag changes it,
    // for the document to apply; then ForgetDrag.
    std::optional<std::size_t> EndDrag();
    void ForgetDrag();
    bool Dragging() const { return dragged_.has_value(); }

private:
    PixelRect PlaceNote(const MidiEvent& note) const {
        return place_(note.data1, note.time, note.duration);
    }

    Placement place_;
    std::vector<MidiEvent*> notes_;
    std::vector<PixelRect> frames_;
    std::optional<std::size_t> dragged_;
    std::optional<NoteDragTarget> target_;
};

}  // namespace tavrino
