#include "dialogs/options_page.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QMessageBox>

#include "settings/utf8_prefix.h"
#include "view/score_style.h"

namespace tavrino {

QFont FontFields::ToFont() const {
    return SettingsFont(face, height, weight, italic != 0);
}

void FontFields::Take(const QFont& font) {
    face = Utf8Prefix(font.family().toStdString(), kFaceNameLimit);
    height = -std::max(1, QFontInfo(font).pixelSize());
    weight = font.weight();
    italic = font.italic() ? 1 : 0;
}

void FontFields::Take(const FontFields& other) {
    face = other.face;
    height = other.height;
    weight = other.weight;
    italic = other.italic;
}

FontFields TabFontOf(Settings& s) {
    return {s.fontTabFaceName, s.fontTabHeight, s.fontTabWeight, s.fontTabItalic};
}

FontFields TextFontOf(Settings& s) {
    return {s.fontTextFaceName, s.fontTextHeight, s.fontTextWeight, s.fontTextItalic};
}

FontFields LyricsFontOf(Settings& s) {
    return {s.fontLyricsFaceName, s.fontLyricsHeight, s.fontLyricsWeight, s.fontLyricsItalic};
}

OptionsChoosers OptionsChoosers::OnScreen() {
    OptionsChoosers choosers;
    choosers.font = [](QWidget* parent, const QFont& current) -> std::optional<QFont> {
        bool ok = false;
        const QFont font =
            QFontDialog::getFont(&ok, current, parent, QString(),
                                 QFontDialog::ScalableFonts | QFontDialog::NonScalableFonts);
        return ok ? std::optional<QFont>(font) : std::nullopt;
    };
    choosers.colour = [](QWidget* parent, const QColor& current) -> std::optional<QColor> {
        const QColor colour = QColorDialog::getColor(current, parent);
        return colour.isValid() ? std::optional<QColor>(colour) : std::nullopt;
    };
    choosers.soundFont = [](QWidget* parent, const QString& current) -> std::optional<QString> {
        const QString path =
            QFileDialog::getOpenFileName(parent, "SoundFont", QFileInfo(current).absolutePath(),
                                         "SoundFonts (*.sf2 *.sf3);;All files (*)");
        return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
    };
    choosers.inform = [](QWidget* parent, const QString& caption, const QString& text) {
        QMessageBox::warning(parent, caption, text);
    };
    return choosers;
}

OptionsPage::OptionsPage(const Settings& settings, OptionsChoosers choosers, QWidget* parent)
    : QWidget(parent), working_(settings), choosers_(std::move(choosers)) {}

void OptionsPage::MarkChanged() {
    changed_ = true;
    if (onChange_) {
        onChange_();
    }
}

bool OptionsPage::ChooseFont(FontFields font) {
    const std::optional<QFont> chosen = choosers_.font(this, font.ToFont());
    if (!chosen) {
        return false;
    }
    font.Take(*chosen);
    return true;
}

void ShowSample(QLabel& label, const QFont& font, QColor text, QColor background) {
    label.setFont(font);
    label.setAutoFillBackground(true);
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, background);
    label.setPalette(palette);
}

}  // namespace tavrino
