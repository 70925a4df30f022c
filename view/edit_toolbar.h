#pragma once

#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QToolBar>

#include "document/tavrino_doc.h"
#include "view/edit_new_track.h"
#include "view/edit_toolbar_settings.h"

namespace tavrino {

// The edit toolbar: a small floating window that is open exactly while the
// program is in edit mode. It chooses the track and channel notes are written
// into, the note value and how much of it sounds, and offers "Add Silence",
// "Enable mouse write" and "New Track". Its choices go straight into the
// document's edit values.
class CEditToolbar : public QDialog {
    Q_OBJECT

public:
    CEditToolbar(CTavrinoDoc& doc, const EditToolbarSettings& settings, NewTrackAsker askNewTrack,
                 QWidget* parent = nullptr);

    // The choices to remember; the position is the caller's.
    EditToolbarSettings Settings() const;
    // After tracks were added, deleted or moved: the lists follow the song.
    void FillTracks();
    // The note value `index`, or the current one for -1, gives the length
    // and silence of the notes written next.
    void SelectNoteValue(int index);
    int NoteValue() const { return noteValue_; }

    QComboBox* trackBox() const { return track_; }
    QComboBox* channelBox() const { return channel_; }
    QSpinBox* percentBox() const { return percent_; }
    QCheckBox* mouseWriteBox() const { return mouseWrite_; }
    QPushButton* addSilenceButton() const { return addSilence_; }
    QPushButton* newTrackButton() const { return newTrack_; }
    QAction* noteValueAction(int index) const;

signals:
    // The edit cursor moved or the song changed: the score must show it.
    void songChanged();

private:
    void CreateNoteValueBar();
    void FillChannels();
    void OnChannelChosen(int position);
    void AddSilence();
    void AddTrack();

    CTavrinoDoc& doc_;
    NewTrackAsker askNewTrack_;
    int noteValue_;
    QToolBar* noteValues_;
    QActionGroup* noteValueGroup_;
    QComboBox* track_;
    QComboBox* channel_;
    QSpinBox* percent_;
    QPushButton* addSilence_;
    QCheckBox* mouseWrite_;
    QPushButton* newTrack_;
};

}  // namespace tavrino
