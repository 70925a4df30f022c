#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <vector>

#include "dialogs/user_prompts.h"
#include "document/tavrino_doc.h"

namespace tavrino {

// One track's name, place in the track list, program changes and volume and
// pan settings. Event edits go through the document at once; the name and
// the new place are applied by OK.
class CTrackPropDlg : public QDialog {
public:
    // The lists of the dialog, each with Edit, Add and Del.
    enum EventList { kPrograms, kVolumes, kPans };

    // `playTick` is where a new event starts out.
    CTrackPropDlg(CTavrinoDoc& doc, int trackIndex, std::int32_t playTick, UserPrompts prompts,
                  QWidget* parent = nullptr);

    void accept() override;

    void Edit(EventList list);
    void Add(EventList list);
    void Delete(EventList list);

private:
    struct Row {
        QComboBox* list = nullptr;
        // Edit and Del: only for a list with lines.
        std::vector<QPushButton*> lineButtons;
        std::vector<MidiEvent*> events;  // the line's event, line by line
    };

    MidiTrack& track() const;
    void AddRow(EventList list, const QString& label);
    bool Lists(const MidiEvent& event, EventList list) const;
    // Every list again from the track: an added or deleted event moves the
    // lines of the others. The given event is selected where it is listed,
    // else the line that was selected stays, or the first.
    void Refill(const MidiEvent* select);
    MidiEvent* Selected(EventList list) const;
    void EditController(MidiEvent& event, EventList list);
    void EditProgram(MidiEvent& event);
    // The event that Add put at `tick`; the last of its kind there.
    const MidiEvent* AddedAt(EventList list, std::int32_t tick) const;

    CTavrinoDoc& doc_;
    int trackIndex_;
    std::int32_t playTick_;
    UserPrompts prompts_;
    QSpinBox* number_;
    QLabel* channels_;
    QLineEdit* name_;
    QString shownName_;
    Row rows_[3];
};

}  // namespace tavrino
