#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>

#include "dialogs/user_prompts.h"
#include "document/tavrino_doc.h"

namespace tavrino {

// The song's time signatures and tempo changes, each a list of positions
// and values with Edit, Add and Del. Every change goes through the document
// and takes effect at once; closing keeps them.
class CFileProperties : public QDialog {
public:
    // `playTick` is where a new change starts out.
    CFileProperties(CTavrinoDoc& doc, std::int32_t playTick, UserPrompts prompts,
                    QWidget* parent = nullptr);

    void EditTempo();
    void AddTempo();
    void DeleteTempo();
    void EditTimeSignature();
    void AddTimeSignature();
    void DeleteTimeSignature();

private:
    QComboBox* AddRow(const QString& label, const QString& name, void (CFileProperties::*edit)(),
                      void (CFileProperties::*add)(), void (CFileProperties::*remove)());
    // Both lists and the summary again, from the song: a change of one moves
    // the positions the other shows. The given events stay selected.
    void Refill(const MidiEvent* tempo, const MidiEvent* signature);
    TempoEvent* SelectedTempo() const;
    TimeSignatureEvent* SelectedTimeSignature() const;

    CTavrinoDoc& doc_;
    std::int32_t playTick_;
    UserPrompts prompts_;
    QLabel* summary_;
    QComboBox* signatures_;
    QComboBox* tempos_;
};

}  // namespace tavrino
