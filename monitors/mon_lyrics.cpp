#include "monitors/mon_lyrics.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QSaveFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>

#include "settings/product.h"

namespace tavrino {

namespace {

QString FromUtf16(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QColor ToQColor(Colour colour) {
    const Rgb rgb = colour.ToRgb();
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// Settings keep a font's height as a negative character height in pixels, or
// as a positive cell height; both are close enough to a pixel size.
QFont LyricsFont(const Settings& settings) {
    QFont font(QString::fromStdString(settings.fontLyricsFaceName));
    font.setPixelSize(std::max(1, std::abs(settings.fontLyricsHeight)));
    if (settings.fontLyricsWeight > 0) {
        font.setWeight(static_cast<QFont::Weight>(std::clamp(settings.fontLyricsWeight, 100, 900)));
    }
    font.setItalic(settings.fontLyricsItalic != 0);
    return font;
}

}  // namespace

CMonLyrics::CMonLyrics(SettingsStore& store, const Settings& settings, const MidiSong& song,
                       const std::string& songPath)
    : CMonitor(store), settings_(settings), song_(song), songPath_(songPath) {}

int CMonLyrics::PreCreate(MonitorCreateParameters& parameters) {
    parameters.title = "Tavrino! Lyrics";
    // Room for the track, the Save button and the encoding side by side.
    parameters.rect.setSize({440, 300});
    parameters.resizable = true;
    return 0;
}

int CMonLyrics::CreateContents() {
    tracks_ = new QComboBox(this);
    tracks_->setToolTip("Track");
    tracks_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    tracks_->setMinimumContentsLength(12);
    save_ = new QPushButton("Save...", this);
    save_->setDefault(true);
    save_->setToolTip("Save the words as a text file");
    encodings_ = new QComboBox(this);
    textBox_ = new QPlainTextEdit(this);
    textBox_->setReadOnly(true);
    textBox_->setFrameShape(QFrame::StyledPanel);
    textBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textBox_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QTextOption centred(Qt::AlignHCenter);
    centred.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    textBox_->document()->setDefaultTextOption(centred);
    // The highlight stays visible while the user works in another window.
    QPalette palette = textBox_->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    textBox_->setPalette(palette);

    auto* controls = new QHBoxLayout;
    controls->setSpacing(4);
    controls->addWidget(tracks_, 1);
    controls->addWidget(save_);
    controls->addWidget(encodings_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(controls);
    layout->addWidget(textBox_, 1);

    connect(tracks_, &QComboBox::activated, this, [this](int index) {
        shownTrack_ = tracks_->itemData(index).toInt();
        BuildText();
    });
    connect(encodings_, &QComboBox::activated, this, [this](int index) { ChooseEncoding(index); });
    connect(save_, &QPushButton::clicked, this, [this] { OnSave(); });

    ApplySettings();
    ResetDisplay(true);
    RestorePlacement(-1, -1, true);
    return 0;
}

void CMonLyrics::ApplySettings() {
    textBox_->setFont(LyricsFont(settings_));
    QPalette palette = textBox_->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Text, ToQColor(settings_.fontLyricsTxt));
        palette.setColor(group, QPalette::Base, ToQColor(settings_.fontLyricsBg));
    }
    textBox_->setPalette(palette);
}

int CMonLyrics::ResetDisplay(bool newSong) {
    // Stop and rewind leave the words and the highlight where they are.
    if (!newSong) {
        return 0;
    }
    encoding_ = ChooseSongEncoding(song_, EncodingChoices::Session().For(songPath_));
    std::optional<TextDecoder> decoder = MakeTextDecoder(encoding_.name);
    if (!decoder) {
        encoding_.name = kDefaultEncoding;
        decoder = MakeTextDecoder(kDefaultEncoding);
    }
    decode_ = std::move(*decoder);
    FillEncodingSelector();
    FillTrackSelector();
    BuildText();
    return 0;
}

void CMonLyrics::FillEncodingSelector() {
    encodings_->clear();
    if (encoding_.isUtf8) {
        encodings_->addItem(QString::fromUtf8(kUtf8Encoding.data(), std::ssize(kUtf8Encoding)));
        encodings_->setEnabled(false);
        encodings_->setToolTip("The song's words are in UTF-8");
        return;
    }
    for (const OfferedEncoding& offered : OfferedEncodings()) {
        encodings_->addItem(offered.label, QString(offered.name));
    }
    const int chosen = encodings_->findData(QString::fromStdString(encoding_.name));
    encodings_->setCurrentIndex(std::max(0, chosen));
    encodings_->setEnabled(true);
    encodings_->setToolTip("The encoding of the song's words");
}

void CMonLyrics::ChooseEncoding(int index) {
    const std::string name = encodings_->itemData(index).toString().toStdString();
    std::optional<TextDecoder> decoder = MakeTextDecoder(name);
    if (name.empty() || !decoder) {
        return;
    }
    EncodingChoices::Session().Remember(songPath_, name);
    encoding_.name = name;
    decode_ = std::move(*decoder);
    const int shown = shownTrack_;
    FillTrackSelector();
    ShowTrack(shown);
}

void CMonLyrics::FillTrackSelector() {
    tracks_->clear();
    shownTrack_ = PreferredLyricTrack(song_);
    for (const int index : LyricTracks(song_)) {
        const QString name =
            FromUtf16(decode_(song_.tracks[static_cast<std::size_t>(index)]->name));
        tracks_->addItem(QString("%1 %2").arg(index, 2, 10, QChar('0')).arg(name), index);
        if (index == shownTrack_) {
            tracks_->setCurrentIndex(tracks_->count() - 1);
        }
    }
}

void CMonLyrics::ShowTrack(int trackIndex) {
    const int item = tracks_->findData(trackIndex);
    if (item < 0) {
        return;
    }
    tracks_->setCurrentIndex(item);
    shownTrack_ = trackIndex;
    BuildText();
}

void CMonLyrics::BuildText() {
    lyrics_ = shownTrack_ >= 0
                  ? BuildLyricText(*song_.tracks[static_cast<std::size_t>(shownTrack_)], decode_)
                  : LyricText{};
    textBox_->setPlainText(FromUtf16(lyrics_.text()));
}

void CMonLyrics::ShowTextEvent(int eventIndex) {
    // An edit may have taken tracks or events away since the text was built.
    if (eventIndex < 0 || static_cast<std::size_t>(eventIndex) >= song_.messages.size() ||
        shownTrack_ < 0 || static_cast<std::size_t>(shownTrack_) >= song_.tracks.size()) {
        return;
    }
    const MidiEvent* event = song_.messages[static_cast<std::size_t>(eventIndex)];
    const LyricRange* range = lyrics_.RangeOf(event);
    if (range == nullptr ||
        event->track != song_.tracks[static_cast<std::size_t>(shownTrack_)].get()) {
        return;
    }
    QTextCursor cursor(textBox_->document());
    cursor.setPosition(range->start);
    cursor.setPosition(range->end, QTextCursor::KeepAnchor);
    textBox_->setTextCursor(cursor);
    textBox_->ensureCursorVisible();
    KeepAboveBottomLine();
}

void CMonLyrics::KeepAboveBottomLine() {
    const QRect end = textBox_->cursorRect();
    const int lineHeight = end.height();
    const int viewportHeight = textBox_->viewport()->height();
    // Only when more than two lines fit: a tiny window cannot read ahead.
    if (viewportHeight < 3 * lineHeight || end.bottom() + lineHeight <= viewportHeight) {
        return;
    }
    QScrollBar* bar = textBox_->verticalScrollBar();
    bar->setValue(bar->value() + 1);
}

bool CMonLyrics::SaveLyrics(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return false;
    }
    // The text's own lines: wrapping on screen does not break them.
    QString contents;
    for (const QString& line : FromUtf16(lyrics_.text()).split(u'\n')) {
        contents += line + u'\n';
    }
    contents += QString("\n\n") + kProductWebPage;
    file.write(contents.toUtf8());
    return file.commit();
}

void CMonLyrics::OnSave() {
    if (tracks_->count() == 0) {
        return;
    }
    QFileDialog dialog(this, "Save Lyrics");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter("Text Files (*.txt)");
    dialog.setDefaultSuffix("txt");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().front();
    if (!SaveLyrics(path)) {
        QMessageBox::warning(this, "Tavrino! Error", "Cannot write the file " + path);
    }
}

}  // namespace tavrino
