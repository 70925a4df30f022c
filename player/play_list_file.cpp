#include "player/play_list_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "song/system_path.h"

namespace tavrino {

namespace {

namespace fs = std::filesystem;

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string_view SkipSpace(std::string_view text) {
    const auto first = std::find_if_not(text.begin(), text.end(), IsSpace);
    return text.substr(static_cast<std::size_t>(first - text.begin()));
}

// The first word, as a formatted read of a string takes it.
std::string_view TakeWord(std::string_view& text) {
    text = SkipSpace(text);
    const auto end = std::find_if(text.begin(), text.end(), IsSpace);
    const auto length = static_cast<std::size_t>(end - text.begin());
    const std::string_view word = text.substr(0, length);
    text.remove_prefix(length);
    return word;
}

// A decimal number after blanks, as a formatted read of an integer takes it.
// Without digits nothing is taken and the index is 0; a value too large for
// an int is limited to it.
int TakeIndex(std::string_view& text) {
    const std::string_view rest = SkipSpace(text);
    std::size_t length = !rest.empty() && (rest[0] == '-' || rest[0] == '+') ? 1 : 0;
    const std::size_t digitsStart = length;
    while (length < rest.size() && std::isdigit(static_cast<unsigned char>(rest[length])) != 0) {
        ++length;
    }
    if (length == digitsStart) {
        text = rest;
        return 0;
    }
    long long value = 0;
    const char* digits = rest.data() + digitsStart;
    const auto [end, error] = std::from_chars(digits, rest.data() + length, value);
    if (error == std::errc::result_out_of_range || value > std::numeric_limits<int>::max()) {
        value = std::numeric_limits<int>::max();
    }
    text = rest.substr(length);
    return static_cast<int>(rest[0] == '-' ? -value : value);
}

// Calls `take` with each line, its line feed and the carriage returns before
// it removed: lists saved with CR LF line ends open, and no name can keep a
// closing carriage return in a list anyway.
template <class Take>
void ForEachLine(std::string_view text, Take take) {
    while (!text.empty()) {
        const std::size_t feed = text.find('\n');
        std::string_view line = text.substr(0, feed);
        text.remove_prefix(feed == std::string_view::npos ? text.size() : feed + 1);
        while (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        take(line);
    }
}

// Bytes below 14 (blanks, tabs, line ends) cannot start a path; bytes of 128
// and more start non-ASCII names and are taken.
bool CanNameFile(std::string_view line) {
    return !line.empty() && static_cast<unsigned char>(line[0]) > 13 &&
           line.find('\0') == std::string_view::npos;
}

std::string Resolve(std::string_view line, const fs::path& folder) {
    // An absolute entry stays as written, even in another encoding than UTF-8.
    const fs::path path = PathFromUtf8(line);
    return path.is_absolute() ? std::string(line)
                              : Utf8FromPath((folder / path).lexically_normal());
}

bool IsM3uName(const std::string& listPath) {
    std::string extension = Utf8FromPath(PathFromUtf8(listPath).extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".m3u" || extension == ".m3u8";
}

}  // namespace

PlayListFile ParsePlayList(std::string_view text, const std::string& listPath) {
    PlayListFile file;
    std::error_code error;
    const fs::path folder = fs::absolute(PathFromUtf8(listPath), error).parent_path();
    std::string_view rest = text;
    if (TakeWord(rest) == kPlayListKeyword) {
        file.savedIndex = TakeIndex(rest);
        ForEachLine(rest, [&](std::string_view line) {
            if (CanNameFile(line)) {
                file.paths.push_back(Resolve(line, folder));
            }
        });
    } else if (IsM3uName(listPath)) {
        if (text.starts_with("\xEF\xBB\xBF")) {
            text.remove_prefix(3);  // the byte order mark some players write
        }
        ForEachLine(text, [&](std::string_view line) {
            if (CanNameFile(line) && line[0] != '#') {
                file.paths.push_back(Resolve(line, folder));
            }
        });
    } else {
        file.status = PlayListFile::kNotAPlayList;
    }
    return file;
}

PlayListFile ReadPlayList(const std::string& path) {
    std::error_code error;
    if (fs::is_directory(SystemPath(path), error)) {
        return {PlayListFile::kCannotOpen, 0, {}};
    }
    std::ifstream in(SystemPath(path), std::ios::binary);
    if (!in) {
        return {PlayListFile::kCannotOpen, 0, {}};
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return {PlayListFile::kCannotOpen, 0, {}};
    }
    return ParsePlayList(text, path);
}

PlayListWriteError WritePlayList(const PlayList& list, const std::string& path) {
    for (const std::string& entry : list.paths()) {
        if (entry.find('\n') != std::string::npos || entry.ends_with('\r') || !CanNameFile(entry)) {
            return {"This path cannot be kept in a play list:\n" + entry};
        }
    }
    std::string text;
    text.append(kPlayListKeyword).append(" ").append(std::to_string(list.current())).append("\n");
    for (const std::string& entry : list.paths()) {
        text.append(entry).append("\n");
    }
    std::ofstream out(SystemPath(path), std::ios::binary | std::ios::trunc);
    if (out && out.write(text.data(), static_cast<std::streamsize>(text.size())) && out.flush()) {
        return {};
    }
    return {"Cannot write the play list " + path};
}

}  // namespace tavrino
