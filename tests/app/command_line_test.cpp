// The program's command line and its list of recent files.

#include "app/command_line.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/recent_files.h"
#include "platform/qt_settings_store.h"

namespace tavrino::test {
namespace {

TEST(CommandLine, FilesAreOpenedAndPlayedOnRequest) {
    CommandLineRequest plain = ParseCommandLine({"tavrino", "song.mid"});
    EXPECT_EQ(plain.files, QStringList{"song.mid"});
    EXPECT_FALSE(plain.play);
    EXPECT_FALSE(plain.exitAtOnce);

    CommandLineRequest played = ParseCommandLine({"tavrino", "--play", "song.mid"});
    EXPECT_TRUE(played.play);
    EXPECT_FALSE(ParseCommandLine({"tavrino", "--play"}).play) << "nothing to play";
    EXPECT_TRUE(ParseCommandLine({"tavrino"}).files.isEmpty());
    EXPECT_EQ(ParseCommandLine({"tavrino", "a.mid", "list.lst", "b.kar"}).files,
              (QStringList{"a.mid", "list.lst", "b.kar"}))
        << "several files make a play list, in their order";
}

TEST(CommandLine, HelpVersionAndMistakesEndAtOnce) {
    const CommandLineRequest help = ParseCommandLine({"tavrino", "--help"});
    EXPECT_TRUE(help.exitAtOnce);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.output.contains("--play"));

    const CommandLineRequest version = ParseCommandLine({"tavrino", "--version"});
    EXPECT_TRUE(version.exitAtOnce);
    EXPECT_EQ(version.exitCode, 0);

    const CommandLineRequest wrong = ParseCommandLine({"tavrino", "--loud"});
    EXPECT_TRUE(wrong.exitAtOnce);
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(wrong.output.contains("Usage")) << wrong.output.toStdString();
}

TEST(RecentFiles, KeepEightNewestFirstAcrossRuns) {
    QTemporaryDir dir;
    QtSettingsStore store(dir.filePath("settings.ini"));
    {
        RecentFileList recent(store);
        for (int i = 0; i < 10; ++i) {
            recent.Add(dir.filePath(QString("song%1.mid").arg(i)));
        }
        recent.Add(dir.filePath("song4.mid"));
        recent.Remove(dir.filePath("song8.mid"));
    }
    RecentFileList again(store);
    ASSERT_EQ(again.files().size(), 7);
    EXPECT_TRUE(again.files()[0].endsWith("song4.mid"));
    EXPECT_TRUE(again.files()[1].endsWith("song9.mid"));
    EXPECT_TRUE(again.files()[2].endsWith("song7.mid"));
    EXPECT_TRUE(again.files().back().endsWith("song2.mid"));
}

TEST(RecentFiles, TwoNamesOfOneFileAreOneEntry) {
    QTemporaryDir dir;
    QtSettingsStore store(dir.filePath("settings.ini"));
    RecentFileList recent(store);
    recent.Add(dir.filePath("a.mid"));
    recent.Add(dir.path() + "/./a.mid");
    EXPECT_EQ(recent.files().size(), 1);
}

}  // namespace
}  // namespace tavrino::test
