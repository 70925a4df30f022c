// Play list files: what is taken from the text, what a written list reads back
// as, and the seed corpus of the reader's fuzz target.

#include "player/play_list_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/temporary_folder.h"

namespace tavrino {
namespace {

using Paths = std::vector<std::string>;

// A POSIX absolute path as the same place is written on Windows, where only a
// path with its drive is absolute.
std::string Native(const std::string& posix) {
#if defined(_WIN32)
    std::string path = "C:" + posix;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
#else
    return posix;
#endif
}

Paths Native(const Paths& posix) {
    Paths paths;
    for (const std::string& path : posix) {
        paths.push_back(Native(path));
    }
    return paths;
}

struct ParseCase {
    const char* name;  // also the seed's file name
    std::string text;
    PlayListFile::Status status;
    int savedIndex;
    Paths paths;
    const char* listName = "/lists/list.lst";
};

std::vector<ParseCase> ParseCases() {
    const std::string longPath = "/" + std::string(300, 'x') + ".mid";
    return {
        {"plain",
         "TAVRINO_PLAYLIST 1\n/a.mid\n/b c.kar\n",
         PlayListFile::kOk,
         1,
         {"/a.mid", "/b c.kar"}},
        {"crlf",
         "TAVRINO_PLAYLIST 0\r\n/a.mid\r\n/b.mid\r\n",
         PlayListFile::kOk,
         0,
         {"/a.mid", "/b.mid"}},
        {"long-line", "TAVRINO_PLAYLIST 0\n" + longPath + "\n", PlayListFile::kOk, 0, {longPath}},
        {"utf8-first-letter",
         "TAVRINO_PLAYLIST 0\n\xC3\x84rger.mid\n",
         PlayListFile::kOk,
         0,
         {"/lists/\xC3\x84rger.mid"}},
        {"relative",
         "TAVRINO_PLAYLIST 2\nsongs/a.mid\n../b.mid\n./c.mid\n",
         PlayListFile::kOk,
         2,
         {"/lists/songs/a.mid", "/b.mid", "/lists/c.mid"}},
        {"skipped-lines",
         "TAVRINO_PLAYLIST 0\n\n\t/tab.mid\n\r\n /blank-first.mid\n/last-without-feed.mid",
         PlayListFile::kOk,
         0,
         {"/lists/ /blank-first.mid", "/last-without-feed.mid"}},
        {"nul-line",
         std::string("TAVRINO_PLAYLIST 0\n/a\0b.mid\n/c.mid\n", 35),
         PlayListFile::kOk,
         0,
         {"/c.mid"}},
        {"no-index", "TAVRINO_PLAYLIST\n/a.mid\n", PlayListFile::kOk, 0, {"/a.mid"}},
        {"negative-index", "TAVRINO_PLAYLIST -4\n/a.mid\n", PlayListFile::kOk, -4, {"/a.mid"}},
        {"huge-index",
         "TAVRINO_PLAYLIST 99999999999999999999\n/a.mid\n",
         PlayListFile::kOk,
         2147483647,
         {"/a.mid"}},
        {"empty-list", "  TAVRINO_PLAYLIST 0", PlayListFile::kOk, 0, {}},
        {"wrong-word", "TAVRINO_PLAYLISTS 0\n/a.mid\n", PlayListFile::kNotAPlayList, 0, {}},
        {"empty-file", "", PlayListFile::kNotAPlayList, 0, {}},
        {"binary", std::string("\x00\x01\xFF\xFE MThd", 9), PlayListFile::kNotAPlayList, 0, {}},
        {"m3u",
         "\xEF\xBB\xBF#EXTM3U\n#EXTINF:123,Someone - Tune\nTune.mid\r\n\n/abs/B.kar\n",
         PlayListFile::kOk,
         0,
         {"/lists/Tune.mid", "/abs/B.kar"},
         "/lists/mix.M3U8"},
    };
}

// The cases are also the seed corpus of the reader's fuzz target, written to
// $TAVRINO_FUZZ_SEEDS/play_list/ when that is set (scripts/fuzz sets it).
TEST(FuzzSeeds, PlayListsTakeEveryLineThatCanNameAFile) {
    const char* seeds = std::getenv("TAVRINO_FUZZ_SEEDS");
    const std::filesystem::path target =
        seeds != nullptr ? std::filesystem::path(seeds) / "play_list" : std::filesystem::path();
    if (!target.empty()) {
        std::filesystem::create_directories(target);
    }
    for (const ParseCase& c : ParseCases()) {
        const PlayListFile file = ParsePlayList(c.text, Native(c.listName));
        EXPECT_EQ(file.status, c.status) << c.name;
        EXPECT_EQ(file.savedIndex, c.savedIndex) << c.name;
        EXPECT_EQ(file.paths, Native(c.paths)) << c.name;
        if (!target.empty()) {
            std::ofstream(target / (std::string(c.name) + ".lst"), std::ios::binary) << c.text;
        }
    }
}

TEST(PlayListFile, WhatIsWrittenReadsBackIdentically) {
    test::TemporaryFolder folder;
    PlayList list;
    const std::string latin1 = folder.File("caf\xE9.mid");  // a name in another encoding
    list.Replace({folder.File("\xC3\x84rger.mid"),
                  Native("/" + std::string(600, 'y') + "/song.mid"), latin1,
                  Native("/with  two blanks and #hash.kar"), folder.File("list.lst")});
    list.SetCurrent(3);
    const std::string path = folder.File("list.lst");
    ASSERT_FALSE(WritePlayList(list, path));

    std::ifstream in(path, std::ios::binary);
    std::string firstLine;
    std::getline(in, firstLine);
    EXPECT_EQ(firstLine, "TAVRINO_PLAYLIST 3");

    const PlayListFile read = ReadPlayList(path);
    EXPECT_EQ(read.status, PlayListFile::kOk);
    EXPECT_EQ(read.savedIndex, 3);
    EXPECT_EQ(read.paths, list.paths());
}

TEST(PlayListFile, RefusesWhatCannotBeWrittenOrRead) {
    test::TemporaryFolder folder;
    PlayList list;
    list.Replace({"/a.mid", "/line\nbreak.mid"});
    const std::string path = folder.File("broken.lst");
    EXPECT_TRUE(WritePlayList(list, path));
    EXPECT_FALSE(std::filesystem::exists(path)) << "nothing is written";
    list.Replace({"/a.mid"});
    EXPECT_TRUE(WritePlayList(list, folder.File("no/such/folder.lst")));

    EXPECT_EQ(ReadPlayList(folder.File("absent.lst")).status, PlayListFile::kCannotOpen);
    EXPECT_EQ(ReadPlayList(folder.Path().string()).status, PlayListFile::kCannotOpen)
        << "a folder is no list";
}

TEST(PlayListFile, HundredThousandEntriesLoadInOrder) {
    std::string text = "TAVRINO_PLAYLIST 99999\n";
    for (int i = 0; i < 100000; ++i) {
        text += "/songs/" + std::to_string(i) + ".mid\n";
    }
    const PlayListFile file = ParsePlayList(text, Native("/l.lst"));
    ASSERT_EQ(file.paths.size(), 100000u);
    EXPECT_EQ(file.paths.back(), Native("/songs/99999.mid"));
    PlayList list;
    list.Append(file.paths);
    list.SetCurrent(file.savedIndex);
    EXPECT_EQ(list.current(), 99999) << "indexes past 32767 stay what was saved";
}

}  // namespace
}  // namespace tavrino
