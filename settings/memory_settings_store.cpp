#include "settings/memory_settings_store.h"

namespace tavrino {

const MemorySettingsStore::Value* MemorySettingsStore::Find(std::string_view section,
                                                            std::string_view key) const {
    const auto found = values_.find(Key(section, key));
    return found == values_.end() ? nullptr : &found->second;
}

bool MemorySettingsStore::contains(std::string_view section, std::string_view key) const {
    return Find(section, key) != nullptr;
}

std::optional<std::int64_t> MemorySettingsStore::ReadInteger(std::string_view section,
                                                             std::string_view key) const {
    const Value* value = Find(section, key);
    if (value == nullptr || !std::holds_alternative<std::int64_t>(*value)) {
        return std::nullopt;
    }
    return std::get<std::int64_t>(*value);
}

std::optional<std::string> MemorySettingsStore::ReadString(std::string_view section,
                                                           std::string_view key) const {
    const Value* value = Find(section, key);
    if (value == nullptr || !std::holds_alternative<std::string>(*value)) {
        return std::nullopt;
    }
    return std::get<std::string>(*value);
}

void MemorySettingsStore::WriteInteger(std::string_view section, std::string_view key,
                                       std::int64_t value) {
    values_[Key(section, key)] = value;
}

void MemorySettingsStore::WriteString(std::string_view section, std::string_view key,
                                      std::string_view value) {
    values_[Key(section, key)] = std::string(value);
}

}  // namespace tavrino
