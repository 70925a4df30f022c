#pragma once

#include <QComboBox>
#include <array>
#include <memory>
#include <optional>

#include "harmonica/key_list.h"
#include "monitors/lit_buttons.h"
#include "monitors/monitor.h"
#include "monitors/monitor_services.h"
#include "monitors/note_button.h"
#include "monitors/tuning_choice.h"

namespace tavrino {

// The chromatic harmonica monitor: the four reeds of every hole as a grid of
// buttons, the reed of each sounding note's preferred tab pressed during
// playback, and the tuning, key and octave of the process-wide chromatic
// layout.
class CMonChromatic : public CMonitor {
public:
    explicit CMonChromatic(const MonitorServices& services);

    MonitorKind GetKind() const override { return kChromaticMonitor; }
    int ResetDisplay(bool newSong) override;
    // Note names follow the naming system.
    void ApplySettings() override;
    void NoteOn(int key, int eventIndex, int cell) override;
    void NoteOff(int key, int eventIndex, int cell) override;

    // The button of a hole (0-based) and reed; null where there is none.
    NoteButton* Button(int hole, ChromaticKind kind) const;
    QComboBox* tuningSelector() const { return tuning_; }
    QComboBox* keySelector() const { return key_; }
    QComboBox* octaveSelector() const { return octave_; }
    void SetTuningFilePrompt(std::unique_ptr<TuningFilePrompt> prompt);

protected:
    int PreCreate(MonitorCreateParameters& parameters) override;
    int CreateContents() override;

private:
    static constexpr int kSlots = kMaxHoles * kChromaticKindCount;

    void ShowSelection();
    void RefreshTuningNames();
    void LayOutReeds();
    void ChooseTuning(int position);
    void ChooseKey();
    void LayoutRebuilt();
    std::optional<int> SlotOf(int key) const;

    MonitorServices services_;
    std::unique_ptr<TuningFilePrompt> prompt_ = std::make_unique<TuningFilePrompt>();
    QComboBox* tuning_ = nullptr;
    QComboBox* key_ = nullptr;
    QComboBox* octave_ = nullptr;
    LitButtons buttons_{kSlots};
};

}  // namespace tavrino
