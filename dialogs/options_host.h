#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace tavrino {

// What the options sheet asks of the program: the outputs to offer, and
// making a change visible at once. The settings record already holds the
// new values when a change is reported.
class OptionsHost {
public:
    virtual ~OptionsHost() = default;

    // The output devices in device order, named as `tavrino-tool devices`
    // lists them.
    virtual std::vector<std::string> OutputNames() = 0;
    // The device the default output opens now; -1 when none can.
    virtual int DefaultOutput() = 0;
    // Empty when the built-in synthesizer can play the file; else the reason
    // in words for the user.
    virtual std::string CheckSoundFont(const std::string& path) = 0;
    // The SoundFont the synthesizer finds in the standard places when none
    // is chosen; empty when there is none.
    virtual std::string StandardSoundFont() = 0;

    // Fonts, note naming, colours or the pitch-bend display changed.
    virtual void DisplayChanged() = 0;
    // The output device or the SoundFont changed: the output opens again.
    virtual void DeviceChanged() = 0;
    // The lyrics font or colours changed.
    virtual void LyricsChanged() = 0;
};

// The standard dialogs the pages open; tests answer them in code.
struct OptionsChoosers {
    std::function<std::optional<QFont>(QWidget* parent, const QFont& current)> font;
    std::function<std::optional<QColor>(QWidget* parent, const QColor& current)> colour;
    // A SoundFont file, starting in the folder of the current one.
    std::function<std::optional<QString>(QWidget* parent, const QString& current)> soundFont;
    std::function<void(QWidget* parent, const QString& caption, const QString& text)> inform;

    // The platform's font, colour, file and message dialogs.
    static OptionsChoosers OnScreen();
};

}  // namespace tavrino
