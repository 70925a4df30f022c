#include "platform/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "settings/settings.h"

namespace tavrino {
namespace {

class QtSettingsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir folder_;
    QString path_ = folder_.filePath("Tavrino.ini");
};

TEST_F(QtSettingsStoreTest, SettingsSurviveAStoreOnAnIniFile) {
    ASSERT_TRUE(folder_.isValid());
    Settings changed;
    changed.musicNoteType = 3;
    changed.fontTabFaceName = "Liberation Serif";
    changed.symbols.dbendSym = '\xB4';
    changed.fontLyricsBg = Colour{0x00AA55};
    changed.midiDevice = -1;
    changed.printBeatsPerLine = 24;
    {
        QtSettingsStore store(path_);
        SaveSettings(
            store, changed,
            kLyricsGroup | kPlayGroup | kPrintGroup | kScoreFontsGroup | kDiatonicSymbolsGroup);
        store.WriteInteger(kStateSection, "Running", 1);
    }
    const QtSettingsStore reopened(path_);
    EXPECT_EQ(LoadSettings(reopened), changed);
    EXPECT_EQ(reopened.ReadInteger(kStateSection, "Running"), 1);
    EXPECT_EQ(reopened.ReadInteger(kOptionsSection, "Running"), std::nullopt);

    QFile file(path_);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("[Settings]"));
    EXPECT_TRUE(text.contains("musicNoteType=3"));
    EXPECT_TRUE(text.contains("dbendSym=-76"));
}

TEST_F(QtSettingsStoreTest, TextThatIsNoNumberReadsAsMissing) {
    ASSERT_TRUE(folder_.isValid());
    QFile file(path_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "[Settings]\nfontTabHeight=big\nfontTabWeight=1.5\nfontTabItalic=1\n"
        "fontTabFaceName=DejaVu Sans\n");
    file.close();
    const QtSettingsStore store(path_);
    EXPECT_EQ(store.ReadInteger(kOptionsSection, "fontTabHeight"), std::nullopt);
    EXPECT_EQ(store.ReadInteger(kOptionsSection, "fontTabWeight"), std::nullopt);
    EXPECT_EQ(store.ReadString(kOptionsSection, "missing"), std::nullopt);
    const Settings loaded = LoadSettings(store);
    EXPECT_EQ(loaded.fontTabHeight, -11);
    EXPECT_EQ(loaded.fontTabWeight, 400);
    EXPECT_EQ(loaded.fontTabItalic, 1);
    EXPECT_EQ(loaded.fontTabFaceName, "DejaVu Sans");
}

}  // namespace
}  // namespace tavrino
