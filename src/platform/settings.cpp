#include "platform/settings.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdlib>

#include "platform/files.h"

namespace platform {

namespace settings {

const std::vector<SettingKey>& All() {
    static const std::vector<SettingKey> keys = {
        AuthorName,       AuthorInitials, RevisionType, RevisionNumber,     RevisionProcedure,
        RevisionModule,   RevisionText,   RevisionCode, ErrorHandlerCustom, DisplayOnConnect,
    };
    return keys;
}

}  // namespace settings

namespace {

// The user's configuration folder: XDG_CONFIG_HOME when it is an absolute
// path, else ~/.config.
std::string ConfigFolder() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config";
}

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

QString KeyPath(const std::string& section, const std::string& key) {
    return ToQString(section) + u'/' + ToQString(key);
}

}  // namespace

// The file is named by us rather than by QSettings, which settles the folder once
// per process and would not follow a later change of XDG_CONFIG_HOME.
std::string UserSettings::FileOf(const std::string& app) {
    return ConfigFolder() + "/Quillmark/" + app + ".ini";
}

std::string UserSettings::GetSetting(const std::string& app, const std::string& section, const std::string& key,
                                     const std::string& defaultValue) {
    const QSettings store(ToQString(FileOf(app)), QSettings::IniFormat);
    const QVariant value = store.value(KeyPath(section, key));
    if (!value.isValid()) return defaultValue;
    // A value edited by hand as a, b (without quotes) reads back as a list.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(u", ").toStdString();
    return value.toString().toStdString();
}

// QSettings::sync() takes a lock file, reads what other processes wrote since,
// merges this change in and replaces the file atomically, so two programs saving
// at once lose nothing.
void UserSettings::SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                               const std::string& value) {
    const std::string file = FileOf(app);
    QSettings store(ToQString(file), QSettings::IniFormat);
    store.setValue(KeyPath(section, key), ToQString(value));
    store.sync();
    if (store.status() != QSettings::NoError)
        throw FileError(kPathFileAccess, file,
                        "cannot save the setting " + section + "/" + key + " in '" + file +
                            "'; check that the file and its folder may be written");
}

std::string MemorySettings::GetSetting(const std::string& app, const std::string& section, const std::string& key,
                                       const std::string& defaultValue) {
    const std::string name = app + "\n" + section + "\n" + key;
    for (const auto& [stored, value] : values_)
        if (stored == name) return value;
    return defaultValue;
}

void MemorySettings::SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                                 const std::string& value) {
    const std::string name = app + "\n" + section + "\n" + key;
    for (auto& [stored, old] : values_) {
        if (stored == name) {
            old = value;
            return;
        }
    }
    values_.emplace_back(name, value);
}

}  // namespace platform
