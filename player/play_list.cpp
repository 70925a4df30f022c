#include "player/play_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "song/system_path.h"

namespace tavrino {

void PlayList::Replace(std::vector<std::string> paths) {
    paths_ = std::move(paths);
    current_ = 0;
}

void PlayList::Append(const std::vector<std::string>& paths) {
    if (paths_.empty()) {
        current_ = 0;
    }
    paths_.insert(paths_.end(), paths.begin(), paths.end());
}

void PlayList::SetCurrent(int index) {
    current_ = std::clamp(index, 0, std::max(static_cast<int>(paths_.size()) - 1, 0));
}

bool PlayList::Remove(int index) {
    if (index < 0 || index >= static_cast<int>(paths_.size())) {
        return false;
    }
    paths_.erase(paths_.begin() + index);
    if (index < current_) {
        --current_;
    }
    SetCurrent(current_);
    return true;
}

bool PlayList::Move(int from, int before) {
    const int count = static_cast<int>(paths_.size());
    if (from < 0 || from >= count || before < 0 || before > count || before == from ||
        before == from + 1) {
        return false;
    }
    const auto source = paths_.begin() + from;
    if (before < from) {
        std::rotate(paths_.begin() + before, source, source + 1);
    } else {
        std::rotate(source, source + 1, paths_.begin() + before);
    }
    const int landed = before < from ? before : before - 1;
    if (current_ == from) {
        current_ = landed;
    } else if (from < current_ && current_ <= landed) {
        --current_;
    } else if (landed <= current_ && current_ < from) {
        ++current_;
    }
    return true;
}

std::optional<int> PlayList::Neighbour(int step, const EntryCheck& playable) const {
    const int count = static_cast<int>(paths_.size());
    for (int distance = 1; distance < count; ++distance) {
        const int index = ((current_ + distance * step) % count + count) % count;
        if (playable(paths_[static_cast<std::size_t>(index)])) {
            return index;
        }
    }
    return std::nullopt;
}

bool IsExistingFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(SystemPath(path), error);
}

}  // namespace tavrino
