#pragma once

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <string>

#include "monitors/monitor.h"
#include "monitors/song_text_decoding.h"
#include "settings/settings.h"
#include "song/lyric_text.h"
#include "song/midi_song.h"

namespace tavrino {

// The words of one track of the song, centred, with the karaoke marks turned
// into line and paragraph breaks; each syllable is highlighted as playback
// reaches it. The user picks the track, the encoding of a song whose text is
// not UTF-8, and can save the words as a text file.
class CMonLyrics : public CMonitor {
public:
    // The song, its file name and the settings outlive the window.
    CMonLyrics(SettingsStore& store, const Settings& settings, const MidiSong& song,
               const std::string& songPath);

    MonitorKind GetKind() const override { return kLyricsMonitor; }
    int ResetDisplay(bool newSong) override;
    void ShowTextEvent(int eventIndex) override;
    void ApplySettings() override;

    // Shows the track's words, if it has any.
    void ShowTrack(int trackIndex);
    // Writes the words line by line, then the product's web page; false when
    // the file cannot be written.
    bool SaveLyrics(const QString& path) const;

    int shownTrack() const { return shownTrack_; }
    QPlainTextEdit* textBox() const { return textBox_; }
    QComboBox* trackSelector() const { return tracks_; }
    QComboBox* encodingSelector() const { return encodings_; }

protected:
    int PreCreate(MonitorCreateParameters& parameters) override;
    int CreateContents() override;

private:
    void FillTrackSelector();
    void FillEncodingSelector();
    void BuildText();
    void ChooseEncoding(int index);
    void OnSave();
    // Keeps the highlighted syllable off the bottom edge, so the next line
    // can be read ahead.
    void KeepAboveBottomLine();

    const Settings& settings_;
    const MidiSong& song_;
    const std::string& songPath_;
    QComboBox* tracks_ = nullptr;
    QPushButton* save_ = nullptr;
    QComboBox* encodings_ = nullptr;
    QPlainTextEdit* textBox_ = nullptr;
    SongEncoding encoding_;
    TextDecoder decode_;
    LyricText lyrics_;
    int shownTrack_ = -1;
};

}  // namespace tavrino
