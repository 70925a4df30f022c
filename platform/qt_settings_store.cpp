#include "platform/qt_settings_store.h"

namespace tavrino {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString KeyPath(std::string_view section, std::string_view key) {
    return FromUtf8(section) + QLatin1Char('/') + FromUtf8(key);
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, FromUtf8(kSettingsCompany),
                FromUtf8(kSettingsApplication)) {}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : settings_(iniPath, QSettings::IniFormat) {}

std::optional<std::int64_t> QtSettingsStore::ReadInteger(std::string_view section,
                                                         std::string_view key) const {
    const QVariant value = settings_.value(KeyPath(section, key));
    if (!value.isValid()) {
        return std::nullopt;
    }
    // INI files hold text: "12" reads as a number, "abc" or "1.5" does not.
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return number;
}

std::optional<std::string> QtSettingsStore::ReadString(std::string_view section,
                                                       std::string_view key) const {
    const QVariant value = settings_.value(KeyPath(section, key));
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toString().toStdString();
}

void QtSettingsStore::WriteInteger(std::string_view section, std::string_view key,
                                   std::int64_t value) {
    settings_.setValue(KeyPath(section, key), static_cast<qlonglong>(value));
}

void QtSettingsStore::WriteString(std::string_view section, std::string_view key,
                                  std::string_view value) {
    settings_.setValue(KeyPath(section, key), FromUtf8(value));
}

}  // namespace tavrino
