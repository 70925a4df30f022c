#pragma once

#include <QPushButton>
#include <array>
#include <memory>
#include <optional>

#include "harmonica/harp_plan.h"
#include "monitors/diatonic_panel.h"
#include "monitors/lit_buttons.h"
#include "monitors/monitor_services.h"
#include "monitors/note_button.h"
#include "monitors/playable_monitor.h"
#include "monitors/tuning_choice.h"

namespace tavrino {

// The diatonic harmonica monitor: a drawn harmonica with a button for every
// note of every hole, the buttons of sounding notes pressed during playback;
// buttons and computer keys sound their notes. The side panel drives the
// process-wide diatonic layout and shows how the visible tracks' notes fall
// on the harmonica.
class CMonDiatonic : public PlayableMonitor {
public:
    // A button's cell: its hole and kind, as NoteOn's `cell` carries them.
    static int CellOf(int hole, DiatonicKind kind) { return hole + static_cast<int>(kind) * 65536; }

    explicit CMonDiatonic(const MonitorServices& services);
    ~CMonDiatonic() override;

    MonitorKind GetKind() const override { return kDiatonicMonitor; }
    int ResetDisplay(bool newSong) override;
    // Note names and the blow, draw, bend and overblow colours.
    void ApplySettings() override;
    void NoteOn(int key, int eventIndex, int cell) override;
    void NoteOff(int key, int eventIndex, int cell) override;
    void SavePlacement() override;

    // The button of a hole (0-based) and kind; null where the layout has no
    // note or the note is outside MIDI's range.
    NoteButton* Button(int hole, DiatonicKind kind) const;
    DiatonicPanel& panel() { return *panel_; }
    bool expanded() const { return expanded_; }
    void SetExpanded(bool expanded);
    void SetTuningFilePrompt(std::unique_ptr<TuningFilePrompt> prompt);

protected:
    int PreCreate(MonitorCreateParameters& parameters) override;
    int CreateContents() override;
    void DestroyContents() override;
    void paintEvent(QPaintEvent* event) override;
    std::optional<KeyNote> KeyNoteAt(int position) const override;

private:
    static constexpr int kSlots = kMaxHoles * kDiatonicKindCount;

    void RestoreOwnPlacement();
    void LayOutHarmonica();
    void ApplyVisibility();
    void ShowSelection();
    // Lays the window out for the expanded flag.
    void ApplyExpanded();
    // Counts the notes again and shows them, when the statistics show.
    void UpdateStatistics();
    // The best `harps` harmonicas of the plan, as rich text.
    QString RankingText(const HarpPlan& plan, int harps) const;
    // The window's size for the holes and what the panel shows.
    void FitWindow();
    void ChooseTuning(int position);
    void ChooseKey(KeyChoice key);
    // After the layout was rebuilt: buttons, counters, statistics, score.
    void LayoutRebuilt();
    // The target slot of a note, or none.
    std::optional<int> SlotOf(int key, int cell) const;
    void PressCell(int hole, DiatonicKind kind, bool down);

    MonitorServices services_;
    LitButtons buttons_{kSlots};
    std::unique_ptr<TuningFilePrompt> prompt_ = std::make_unique<TuningFilePrompt>();
    DiatonicPanel* panel_ = nullptr;
    QPushButton* expand_ = nullptr;
    bool expanded_ = true;
    int margin_ = 0;
};

}  // namespace tavrino
