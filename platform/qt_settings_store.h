#pragma once

#include <QSettings>
#include <QString>

#include "settings/settings_store.h"

namespace tavrino {

// The settings store on QSettings: the user's native store (the registry on
// Windows) under "Tavrino Software" / "Tavrino", or an INI file. Sections are
// QSettings groups.
class QtSettingsStore : public SettingsStore {
public:
    // The user's own settings.
    QtSettingsStore();
    // Settings in an INI file, for tests and portable installs.
    explicit QtSettingsStore(const QString& iniPath);

    std::optional<std::int64_t> ReadInteger(std::string_view section,
                                            std::string_view key) const override;
    std::optional<std::string> ReadString(std::string_view section,
                                          std::string_view key) const override;
    void WriteInteger(std::string_view section, std::string_view key, std::int64_t value) override;
    void WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;

private:
    QSettings settings_;
};

}  // namespace tavrino
