#include "dialogs/options_general.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "harmonica/note_naming.h"
#include "settings/colour_presets.h"
#include "view/score_style.h"

namespace tavrino {

namespace {

// Four bars as the score draws them: blow, draw, bend and overblow, in the
// page's colours and label style.
class ColourSample : public QWidget {
public:
    ColourSample(const Settings& settings, QWidget* parent) : QWidget(parent), settings_(settings) {
        setMinimumSize(176, 22);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const ScoreStyle style(settings_);
        QPainter painter(this);
        const std::string over = std::string("6") + settings_.symbols.doverSym;
        const std::pair<Colour, std::string> bars[] = {
            {settings_.colorBlow, "+4"},
            {settings_.colorDraw, "-4"},
            {settings_.colorBend, "-3'"},
            {settings_.colorOver, "+" + over},
        };
        int left = 0;
        for (const auto& [colour, text] : bars) {
            const QColor fill = ToQColor(colour);
            const QRect bar(left, 2, 40, 18);
            painter.fillRect(bar, fill);
            painter.setPen(Qt::black);
            painter.drawRect(bar.adjusted(0, 0, -1, -1));
            painter.setPen(style.LabelColour(fill));
            painter.setFont(style.tabFont);
            painter.drawText(bar, Qt::AlignCenter, QString::fromStdString(text));
            left += 44;
        }
    }

private:
    const Settings& settings_;
};

QPushButton* Button(const QString& text, QWidget* parent, std::function<void()> clicked) {
    auto* button = new QPushButton(text, parent);
    QObject::connect(button, &QPushButton::clicked, parent, std::move(clicked));
    return button;
}

}  // namespace

CPropGeneral::CPropGeneral(const Settings& settings, OptionsHost& host, OptionsChoosers choosers,
                           QWidget* parent)
    : OptionsPage(settings, std::move(choosers), parent),
      host_(host),
      devices_(new QComboBox(this)),
      soundFontName_(new QLabel(this)),
      pitchBends_(new QCheckBox("Show MIDI pitch bends", this)),
      offsetAccidentals_(new QCheckBox("Offset flats and sharps", this)),
      naming_(new QComboBox(this)),
      tabFontSample_(new QLabel("Tablature Font", this)),
      textFontSample_(new QLabel("Text Events Font", this)),
      colourSample_(new ColourSample(working_, this)) {
    devices_->addItem("Midi Mapper");
    const std::vector<std::string> names = host_.OutputNames();
    const int defaultOutput = host_.DefaultOutput();
    for (std::size_t device = 0; device < names.size(); ++device) {
        const bool isDefault = static_cast<int>(device) == defaultOutput;
        devices_->addItem(QString::fromStdString(names[device] + (isDefault ? "  (default)" : "")));
    }
    devices_->setCurrentIndex(std::clamp(working_.midiDevice + 1, 0, devices_->count() - 1));
    for (int system = 0; system < kNamingSystemCount; ++system) {
        const std::string_view name = NamingSystemName(system);
        naming_->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    naming_->setCurrentIndex(working_.musicNoteType);
    pitchBends_->setChecked(working_.showPitchBends != 0);
    offsetAccidentals_->setChecked(working_.offsetsharpsflats != 0);
    soundFontName_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* output = new QGroupBox("Output", this);
    auto* outputForm = new QFormLayout(output);
    outputForm->addRow("Midi Device", devices_);
    auto* soundFontRow = new QHBoxLayout;
    soundFontRow->addWidget(soundFontName_, 1);
    soundFontRow->addWidget(Button("SoundFont...", this, [this] { ChooseSoundFont(); }));
    outputForm->addRow("SoundFont", soundFontRow);

    auto* score = new QGroupBox("Score", this);
    auto* scoreForm = new QFormLayout(score);
    scoreForm->addRow(pitchBends_);
    scoreForm->addRow(offsetAccidentals_);
    scoreForm->addRow("Note Naming", naming_);
    scoreForm->addRow(tabFontSample_,
                      Button("Tablature Font...", this, [this] { ChooseTabFont(); }));
    scoreForm->addRow(textFontSample_, Button("Text Font...", this, [this] { ChooseTextFont(); }));

    auto* colours = new QGroupBox("Harmonica colours", this);
    auto* colourRow = new QHBoxLayout(colours);
    colourRow->addWidget(colourSample_);
    colourRow->addStretch();
    colourRow->addWidget(Button("High contrast", this, [this] { UseHighContrast(); }));
    colourRow->addWidget(Button("Default", this, [this] { UseDefaultColours(); }));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(output);
    layout->addWidget(score);
    layout->addWidget(colours);
    layout->addStretch();

    connect(devices_, &QComboBox::activated, this, [this](int item) { ChooseDevice(item); });
    connect(naming_, &QComboBox::activated, this, [this] { DisplayChanged(); });
    for (QCheckBox* box : {pitchBends_, offsetAccidentals_}) {
        connect(box, &QCheckBox::clicked, this, [this] { DisplayChanged(); });
    }
    ShowFonts();
    ShowSoundFont();
}

void CPropGeneral::DisplayChanged() {
    displayChanged_ = true;
    MarkChanged();
}

void CPropGeneral::ChooseDevice(int item) {
    devices_->setCurrentIndex(item);
    deviceChanged_ = true;
    MarkChanged();
}

void CPropGeneral::ChooseSoundFont() {
    const std::optional<QString> path =
        choosers_.soundFont(this, QString::fromStdString(working_.soundFont));
    if (!path) {
        return;
    }
    const std::string chosen = path->toStdString();
    if (const std::string problem = host_.CheckSoundFont(chosen); !problem.empty()) {
        choosers_.inform(this, "Tavrino! Warning",
                         QString("The SoundFont %1 cannot be used: %2\nThe one in use stays.")
                             .arg(*path, QString::fromStdString(problem)));
        return;
    }
    working_.soundFont = chosen;
    ShowSoundFont();
    deviceChanged_ = true;
    MarkChanged();
}

void CPropGeneral::ChooseTabFont() {
    if (ChooseFont(TabFontOf(working_))) {
        ShowFonts();
        DisplayChanged();
    }
}

void CPropGeneral::ChooseTextFont() {
    if (ChooseFont(TextFontOf(working_))) {
        ShowFonts();
        DisplayChanged();
    }
}

void CPropGeneral::UseHighContrast() {
    ApplyHighContrastPreset(working_);
    colourSample_->update();
    DisplayChanged();
}

void CPropGeneral::UseDefaultColours() {
    ApplyDefaultPreset(working_);
    colourSample_->update();
    DisplayChanged();
}

void CPropGeneral::ShowFonts() {
    const QColor text = palette().color(QPalette::WindowText);
    const QColor background = palette().color(QPalette::Window);
    ShowSample(*tabFontSample_, TabFontOf(working_).ToFont(), text, background);
    ShowSample(*textFontSample_, TextFontOf(working_).ToFont(), text, background);
}

void CPropGeneral::ShowSoundFont() {
    const std::string standard = working_.soundFont.empty() ? host_.StandardSoundFont() : "";
    const QString path =
        QString::fromStdString(working_.soundFont.empty() ? standard : working_.soundFont);
    if (path.isEmpty()) {
        soundFontName_->setText("None found: choose one");
    } else if (working_.soundFont.empty()) {
        soundFontName_->setText(QFileInfo(path).fileName() + " (found by itself)");
    } else {
        soundFontName_->setText(QFileInfo(path).fileName());
    }
    soundFontName_->setToolTip(path);
}

bool CPropGeneral::Apply(Settings& settings, SettingsStore& store, OptionsHost& host) {
    if (displayChanged_) {
        working_.showPitchBends = pitchBends_->isChecked() ? 1 : 0;
        working_.offsetsharpsflats = offsetAccidentals_->isChecked() ? 1 : 0;
        working_.musicNoteType = static_cast<std::int16_t>(naming_->currentIndex());
        settings.showPitchBends = working_.showPitchBends;
        settings.offsetsharpsflats = working_.offsetsharpsflats;
        settings.musicNoteType = working_.musicNoteType;
        TabFontOf(settings).Take(TabFontOf(working_));
        TextFontOf(settings).Take(TextFontOf(working_));
        CopyColourPreset(working_, settings);
        SaveSettings(store, settings, kScoreFontsGroup | kPlayGroup | kColourPresetGroups);
        host.DisplayChanged();
        displayChanged_ = false;
    }
    if (deviceChanged_) {
        settings.midiDevice = devices_->currentIndex() - 1;
        settings.soundFont = working_.soundFont;
        SaveSettings(store, settings, kPlayGroup);
        host.DeviceChanged();
        deviceChanged_ = false;
    }
    ClearChanged();
    return true;
}

}  // namespace tavrino
