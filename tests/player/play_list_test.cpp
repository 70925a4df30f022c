// The play list: moving and removing entries, stepping past missing files,
// and what the end of a song plays next.

#include "player/play_list.h"

#include <gtest/gtest.h>

#include <set>

#include "player/practice_loop.h"
#include "player/song_end.h"

namespace tavrino {
namespace {

PlayList Numbered(int count, int current) {
    PlayList list;
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        paths.push_back("/songs/" + std::to_string(i) + ".mid");
    }
    list.Replace(paths);
    list.SetCurrent(current);
    return list;
}

// The original numbers of the entries, in their new order.
std::string Order(const PlayList& list) {
    std::string order;
    for (const std::string& path : list.paths()) {
        order += path.substr(7, path.size() - 11);
    }
    return order;
}

TEST(PlayList, MovingAnEntryKeepsTheCurrentFileCurrent) {
    struct Case {
        int current, from, before;
        const char* order;
        int newCurrent;
        bool moved;
    };
    const Case cases[] = {
        {1, 1, 4, "02314", 3, true},   // the current entry dragged down lands before entry 4
        {2, 4, 1, "04123", 3, true},   // an entry dragged up above the current one
        {4, 1, 3, "02134", 4, true},   // moves before the current one leave it alone
        {0, 0, 5, "12340", 4, true},   // dropped below the last entry: to the end
        {3, 2, 2, "01234", 3, false},  // onto itself
        {3, 2, 3, "01234", 3, false},  // onto the entry right after it
        {3, 7, 1, "01234", 3, false}, {3, 1, 6, "01234", 3, false}, {3, -1, 0, "01234", 3, false},
    };
    for (const Case& c : cases) {
        PlayList list = Numbered(5, c.current);
        EXPECT_EQ(list.Move(c.from, c.before), c.moved) << c.from << " before " << c.before;
        EXPECT_EQ(Order(list), c.order) << c.from << " before " << c.before;
        EXPECT_EQ(list.current(), c.newCurrent) << c.from << " before " << c.before;
    }
}

TEST(PlayList, RemovingKeepsTheCurrentIndexOnAnEntry) {
    struct Case {
        int count, current, removed;
        int newCurrent;
        bool removes;
    };
    const Case cases[] = {
        {5, 3, 1, 2, true},   // before the current one: it moves up
        {5, 1, 3, 1, true},   // after it: nothing changes
        {5, 2, 2, 2, true},   // the current one: the next file becomes current
        {3, 2, 2, 1, true},   // the current last one: the new last one
        {1, 0, 0, 0, true},   // the only one: an empty list at 0
        {0, 0, 0, 0, false},  // nothing to remove in an empty list
        {3, 1, 3, 1, false}, {3, 1, -1, 1, false},
    };
    for (const Case& c : cases) {
        PlayList list = Numbered(c.count, c.current);
        EXPECT_EQ(list.Remove(c.removed), c.removes);
        EXPECT_EQ(list.current(), c.newCurrent) << c.count << " " << c.current << " " << c.removed;
        EXPECT_EQ(static_cast<int>(list.size()), c.count - (c.removes ? 1 : 0));
    }
}

TEST(PlayList, ReplacingOrFillingAnEmptyListMakesTheFirstEntryCurrent) {
    PlayList list = Numbered(5, 4);
    list.Replace({"/a.mid"});
    EXPECT_EQ(list.current(), 0);
    list.Append({"/b.mid", "/c.mid"});
    list.SetCurrent(2);
    list.Append({"/d.mid"});
    EXPECT_EQ(list.current(), 2) << "appending keeps the current entry";
    list.SetCurrent(40);
    EXPECT_EQ(list.current(), 3);
    list.SetCurrent(-3);
    EXPECT_EQ(list.current(), 0);
    list.Clear();
    EXPECT_EQ(list.current(), 0);
}

TEST(PlayList, NextAndPreviousWrapAndPassOverMissingFiles) {
    const std::set<std::string> missing = {"/songs/1.mid", "/songs/4.mid"};
    const PlayList::EntryCheck exists = [&](const std::string& p) { return !missing.contains(p); };
    PlayList list = Numbered(5, 0);
    EXPECT_EQ(list.Neighbour(1, exists), 2);
    EXPECT_EQ(list.Neighbour(-1, exists), 3);
    list.SetCurrent(3);
    EXPECT_EQ(list.Neighbour(1, exists), 0);

    const PlayList::EntryCheck none = [](const std::string&) { return false; };
    EXPECT_EQ(list.Neighbour(1, none), std::nullopt) << "no other file to play";
    EXPECT_EQ(Numbered(1, 0).Neighbour(1, exists), std::nullopt);
    EXPECT_EQ(Numbered(0, 0).Neighbour(-1, exists), std::nullopt);
}

TEST(SongEnd, RepeatModeAndListDecideWhatPlaysNext) {
    const std::set<std::string> missing = {"/songs/2.mid"};
    const PlayList::EntryCheck exists = [&](const std::string& p) { return !missing.contains(p); };
    const PlayList::EntryCheck none = [](const std::string&) { return false; };
    struct Case {
        const char* what;
        int count, current, repeat;
        bool beginMark;
        const PlayList::EntryCheck* check;
        SongEnd::Action action;
        int entry;
    };
    const Case cases[] = {
        {"a marked passage repeats", 3, 0, kRepeatNone, true, &exists, SongEnd::kReplayMarked, 0},
        {"repeat one", 3, 0, kRepeatOne, false, &exists, SongEnd::kReplaySong, 0},
        {"repeat all, one song", 1, 0, kRepeatAll, false, &exists, SongEnd::kReplaySong, 0},
        {"none: the next one", 3, 0, kRepeatNone, false, &exists, SongEnd::kOpenEntry, 1},
        {"none: past a missing one", 4, 1, kRepeatNone, false, &exists, SongEnd::kOpenEntry, 3},
        {"none: the last stops", 3, 2, kRepeatNone, false, &exists, SongEnd::kStayAtStart, 0},
        {"none: only missing ones left", 3, 1, kRepeatNone, false, &exists, SongEnd::kStayAtStart,
         0},
        {"all: wraps to the first", 3, 2, kRepeatAll, false, &exists, SongEnd::kOpenEntry, 0},
        {"all: nothing else plays", 4, 1, kRepeatAll, false, &none, SongEnd::kReplaySong, 0},
        {"empty list", 0, 0, kRepeatAll, false, &exists, SongEnd::kStayAtStart, 0},
        {"empty list, none", 0, 0, kRepeatNone, false, &exists, SongEnd::kStayAtStart, 0},
    };
    for (const Case& c : cases) {
        const SongEnd end =
            DecideSongEnd(Numbered(c.count, c.current), c.repeat, c.beginMark, *c.check);
        EXPECT_EQ(end.action, c.action) << c.what;
        EXPECT_EQ(end.entry, c.entry) << c.what;
    }
}

TEST(PracticeLoop, EachPassStepsTheTempoUpToTheTop) {
    Settings settings;
    EXPECT_EQ(FirstPassTempo(settings, 85), 85) << "no step: the tempo stays the user's";
    EXPECT_EQ(NextPassTempo(settings, 85), 85);

    settings.loopTempoStep = 5;
    EXPECT_EQ(FirstPassTempo(settings, 85), 70);
    int percent = FirstPassTempo(settings, 100);
    std::vector<int> passes;
    for (int pass = 0; pass < 9; ++pass) {
        passes.push_back(percent);
        percent = NextPassTempo(settings, percent);
    }
    EXPECT_EQ(passes, (std::vector<int>{70, 75, 80, 85, 90, 95, 100, 100, 100}));

    settings.loopTempoStep = 7;
    settings.loopTempoTop = 80;
    EXPECT_EQ(NextPassTempo(settings, 77), 80) << "the last step stops at the top";
    EXPECT_EQ(NextPassTempo(settings, 90), 90) << "already above the top: stays";
}

}  // namespace
}  // namespace tavrino
