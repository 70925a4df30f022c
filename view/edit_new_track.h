#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <functional>
#include <optional>
#include <string>

#include "document/tavrino_doc.h"

namespace tavrino {

// What the user chose for a new track.
struct NewTrackChoice {
    std::string name;
    int channel = 0;  // 0-15
};

// "New Track": a name and the channel (shown 01 to 16) of a track to add.
class CEditNewTrack : public QDialog {
    Q_OBJECT

public:
    explicit CEditNewTrack(QWidget* parent = nullptr);

    NewTrackChoice Choice() const;
    QLineEdit* nameEdit() const { return name_; }
    QComboBox* channelBox() const { return channel_; }

private:
    QLineEdit* name_;
    QComboBox* channel_;
};

// Runs the new-track dialog; empty when cancelled.
using NewTrackAsker = std::function<std::optional<NewTrackChoice>()>;
NewTrackAsker AskNewTrackWith(QWidget* parent);

// Makes the song ready for edit mode: an empty song gets its conductor track,
// and a song without a track to write into gets one from the new-track
// dialog. False when the user cancelled, after telling why edit mode needs
// the track.
bool MakeSongEditable(CTavrinoDoc& doc, const NewTrackAsker& ask, QWidget* parent);

}  // namespace tavrino
