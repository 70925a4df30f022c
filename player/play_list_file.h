#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "player/play_list.h"

namespace tavrino {

// The word that opens every play list file of ours.
inline constexpr std::string_view kPlayListKeyword = "TAVRINO_PLAYLIST";

// What a play list file holds, with its paths made absolute.
struct PlayListFile {
    enum Status {
        kOk = 0,
        kCannotOpen = 1,    // the file could not be read
        kNotAPlayList = 3,  // neither our keyword nor an .m3u/.m3u8 list
    };
    Status status = kOk;
    int savedIndex = 0;  // the index of the entry that was current when saved
    std::vector<std::string> paths;
};

// Reads the text of a play list file found at `listPath`: ours (the keyword,
// the saved index, then one path a line) or, when `listPath` ends in .m3u or
// .m3u8, one path a line with `#` comments. Relative paths resolve against
// the list's folder. Lines that can name no file (empty, or starting with a
// control character, or holding a NUL byte) are left out; a line ending in
// CR LF loses both.
PlayListFile ParsePlayList(std::string_view text, const std::string& listPath);

// Reads the play list file at `path`.
PlayListFile ReadPlayList(const std::string& path);

// Why a list cannot be written; empty when it was.
struct PlayListWriteError {
    std::string message;
    explicit operator bool() const { return !message.empty(); }
};

// Writes `list` as our play list file, the current index first. A path that
// would not read back the same (a line feed in it, a carriage return at its
// end) is refused before anything is written.
PlayListWriteError WritePlayList(const PlayList& list, const std::string& path);

}  // namespace tavrino
