#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tavrino {

// The songs the program plays in turn and which of them is open. The current
// index always designates an entry (0 when the list is empty), whatever is
// removed, moved or replaced.
class PlayList {
public:
    // Whether an entry can be played now (its file exists); the commands that
    // walk the list skip the others.
    using EntryCheck = std::function<bool(const std::string& path)>;

    const std::vector<std::string>& paths() const { return paths_; }
    std::size_t size() const { return paths_.size(); }
    bool empty() const { return paths_.empty(); }
    int current() const { return current_; }
    const std::string& path(int index) const { return paths_[static_cast<std::size_t>(index)]; }

    // The list becomes exactly `paths`, the first one current.
    void Replace(std::vector<std::string> paths);
    // Adds at the end; the current entry stays (the first one when the list
    // was empty).
    void Append(const std::vector<std::string>& paths);
    void Clear() { Replace({}); }
    // Out-of-range indexes are limited to the list.
    void SetCurrent(int index);
    // Removes one entry; the current index keeps designating the same file,
    // or the one after it when that file was removed. False when `index`
    // names no entry.
    bool Remove(int index);
    // Moves the entry at `from` to just before the entry at `before` (the
    // end when `before` is the size). The current index follows its file.
    // False when nothing moves.
    bool Move(int from, int before);

    // The entry `step` places from the current one (+1 Next, -1 Previous),
    // wrapping around and passing over entries `playable` refuses. Nothing
    // when no other entry can be played.
    std::optional<int> Neighbour(int step, const EntryCheck& playable) const;

private:
    std::vector<std::string> paths_;
    int current_ = 0;
};

// True when `path` names a regular file now.
bool IsExistingFile(const std::string& path);

}  // namespace tavrino
