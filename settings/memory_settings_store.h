#pragma once

#include <map>
#include <utility>
#include <variant>

#include "settings/settings_store.h"

namespace tavrino {

// Settings kept in memory: for tests, and for programs that must not touch
// the user's store. A value keeps the type it was written with.
class MemorySettingsStore : public SettingsStore {
public:
    std::optional<std::int64_t> ReadInteger(std::string_view section,
                                            std::string_view key) const override;
    std::optional<std::string> ReadString(std::string_view section,
                                          std::string_view key) const override;
    void WriteInteger(std::string_view section, std::string_view key, std::int64_t value) override;
    void WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;

    std::size_t size() const { return values_.size(); }
    bool contains(std::string_view section, std::string_view key) const;

private:
    using Value = std::variant<std::int64_t, std::string>;
    using Key = std::pair<std::string, std::string>;
    const Value* Find(std::string_view section, std::string_view key) const;

    std::map<Key, Value> values_;
};

}  // namespace tavrino
