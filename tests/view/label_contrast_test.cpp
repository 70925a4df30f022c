#include <gtest/gtest.h>

#include "settings/colour_presets.h"
#include "view/score_style.h"

namespace tavrino {
namespace {

// The guidelines' minimum for normal text.
constexpr double kReadableText = 4.5;

TEST(LabelContrast, RatiosRunFromOneToTwentyOne) {
    const struct {
        QColor first;
        QColor second;
        double ratio;
    } cases[] = {
        {Qt::black, Qt::white, 21.0},
        {Qt::white, Qt::black, 21.0},
        {QColor(0, 192, 0), QColor(0, 192, 0), 1.0},
        {QColor(119, 119, 119), Qt::white, 4.48},      // the grey just short of readable
        {QColor(0, 255, 0), QColor(0, 192, 0), 1.79},  // the default blow and draw
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(ContrastRatio(c.first, c.second), c.ratio, 0.01)
            << c.first.name().toStdString() << " " << c.second.name().toStdString();
    }
}

TEST(LabelContrast, HighContrastLabelsAreReadableOnEveryBarAndDefaultsStayBlack) {
    Settings settings;
    ApplyHighContrastPreset(settings);
    const ScoreStyle contrast(settings);
    EXPECT_TRUE(contrast.tabFont.bold());
    const Colour bars[] = {settings.colorBlow, settings.colorDraw, settings.colorBend,
                           settings.colorOver};
    for (const Colour bar : bars) {
        const QColor fill = ToQColor(bar);
        EXPECT_GE(ContrastRatio(contrast.LabelColour(fill), fill), kReadableText)
            << fill.name().toStdString();
    }
    // Blow and draw differ in lightness and in hue, not in shade alone.
    const QColor blow = ToQColor(settings.colorBlow);
    const QColor draw = ToQColor(settings.colorDraw);
    EXPECT_GE(ContrastRatio(blow, draw), 3.0);
    EXPECT_GE(std::abs(blow.hslHue() - draw.hslHue()), 60);
    EXPECT_NE(settings.symbols.doverSym, 'o');

    ApplyDefaultPreset(settings);
    EXPECT_EQ(settings, Settings{});
    const ScoreStyle plain(settings);
    EXPECT_FALSE(plain.tabFont.bold());
    EXPECT_EQ(plain.LabelColour(QColor(30, 63, 158)), QColor(Qt::black));
}

}  // namespace
}  // namespace tavrino
