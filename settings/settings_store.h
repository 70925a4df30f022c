#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrino {

// Where the user's settings persist: a per-user key-value store with
// sections. The desktop program stores them under these names so that they
// sit beside those of earlier versions.
inline constexpr std::string_view kSettingsCompany = "Tavrino Software";
inline constexpr std::string_view kSettingsApplication = "Tavrino";
// Section of the options.
inline constexpr std::string_view kOptionsSection = "Settings";
// Section of window positions and other state of the last run.
inline constexpr std::string_view kStateSection = "Version 2.3";

// The interface the core reads and writes settings through; the platform
// layer implements it on the system's store, tests keep values in memory.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // Empty when the value is missing or is not a whole number.
    virtual std::optional<std::int64_t> ReadInteger(std::string_view section,
                                                    std::string_view key) const = 0;
    // Empty when the value is missing.
    virtual std::optional<std::string> ReadString(std::string_view section,
                                                  std::string_view key) const = 0;
    virtual void WriteInteger(std::string_view section, std::string_view key,
                              std::int64_t value) = 0;
    virtual void WriteString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;
};

}  // namespace tavrino
