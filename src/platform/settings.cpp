#include "platform/settings.h"

#include <QFile>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <QCoreApplication>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/files.h"
#include "platform/os.h"

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

// QSettings keeps each file it has read in a per-process cache, and trusts the
// cache while the file's size and modification time (to the millisecond) look
// unchanged: two processes saving within one millisecond could then write back
// a stale copy over each other's keys. So every read and every save works on a
// private copy of the file, made and put back under a lock on the settings
// folder that all processes take.
class PrivateCopy {
public:
    PrivateCopy(const std::string& file, bool forWriting) : file_(file) {
        std::error_code ec;
        const std::filesystem::path folder = std::filesystem::path(file).parent_path();
        if (forWriting) std::filesystem::create_directories(folder, ec);
        lock_.emplace(folder.string());
        static std::atomic<unsigned> counter{0};
        copy_ = file + ".copy-" + std::to_string(QCoreApplication::applicationPid()) + "-" +
                std::to_string(counter++);
        copied_ = std::filesystem::copy_file(file, copy_, std::filesystem::copy_options::overwrite_existing, ec);
    }
    ~PrivateCopy() {
        std::error_code ec;
        std::filesystem::remove(copy_, ec);
    }
    bool Copied() const { return copied_; }
    PrivateCopy(const PrivateCopy&) = delete;
    PrivateCopy& operator=(const PrivateCopy&) = delete;

    QString Path() const { return ToQString(copy_); }
    /// Puts the copy in the file's place, atomically.
    bool PutBack() { return std::rename(copy_.c_str(), file_.c_str()) == 0; }

private:
    std::string file_;
    std::string copy_;
    bool copied_ = false;
    std::optional<FolderLock> lock_;
};

}  // namespace

// The file is named by us rather than by QSettings, which settles the folder once
// per process and would not follow a later change of XDG_CONFIG_HOME.
std::string UserSettings::FileOf(const std::string& app) {
    return ConfigFolder() + "/Quillmark/" + app + ".ini";
}

std::string UserSettings::GetSetting(const std::string& app, const std::string& section, const std::string& key,
                                     const std::string& defaultValue) {
    const PrivateCopy copy(FileOf(app), false);
    const QSettings store(copy.Path(), QSettings::IniFormat);
    const QVariant value = store.value(KeyPath(section, key));
    if (!value.isValid()) return defaultValue;
    // A value edited by hand as a, b (without quotes) reads back as a list: of
    // strings, or of variants once QSettings has written back an item that holds
    // a NUL (an escaped \0) as @String(...).
    if (value.typeId() == QMetaType::QStringList || value.typeId() == QMetaType::QVariantList)
        return value.toStringList().join(u", ").toStdString();
    return value.toString().toStdString();
}

// Saving reads the file afresh, adds the change and puts the file back whole,
// all under the lock, so two programs saving at once lose nothing.
void UserSettings::SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                               const std::string& value) {
    const std::string file = FileOf(app);
    PrivateCopy copy(file, true);
    bool saved = false;
    {
        QSettings store(copy.Path(), QSettings::IniFormat);
        store.setValue(KeyPath(section, key), ToQString(value));
        store.sync();
        saved = store.status() == QSettings::NoError;
    }
    if (!saved || !copy.PutBack())
        throw FileError(kPathFileAccess, file,
                        "cannot save the setting " + section + "/" + key + " in '" + file +
                            "'; check that the file and its folder may be written");
}

std::string SettingsStore::ReadProblem(const std::string&) { return {}; }
std::string SettingsStore::SetAsideUnreadable(const std::string&) { return {}; }

namespace {

// Why a settings file cannot be read, or empty; `aside` tells whether it is a
// file that a fresh one may replace.
std::string Unreadable(const std::string& file, bool& aside) {
    aside = false;
    std::error_code ec;
    const std::filesystem::file_status st = std::filesystem::status(file, ec);
    if (ec && ec != std::errc::no_such_file_or_directory) return ec.message();
    if (!std::filesystem::exists(st)) return {};
    if (!std::filesystem::is_regular_file(st)) return "it is not a file";
    aside = true;
    const PrivateCopy copy(file, false);
    if (!copy.Copied()) return "permission denied";
    const QSettings store(copy.Path(), QSettings::IniFormat);
    // Sections are parsed when first asked for: a damaged one shows only then.
    static_cast<void>(store.allKeys());
    if (store.status() != QSettings::NoError) return "the file is damaged";
    aside = false;
    return {};
}

}  // namespace

std::string UserSettings::ReadProblem(const std::string& app) {
    const std::string file = FileOf(app);
    bool aside = false;
    const std::string problem = Unreadable(file, aside);
    if (problem.empty()) return {};
    return "cannot read the settings in '" + file + "': " + problem + "; using the defaults";
}

std::string UserSettings::SetAsideUnreadable(const std::string& app) {
    const std::string file = FileOf(app);
    bool aside = false;
    if (Unreadable(file, aside).empty() || !aside) return {};
    std::string backup = file + ".unreadable";
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(backup, ec)); ++n)
        backup = file + ".unreadable-" + std::to_string(n);
    std::filesystem::rename(file, backup, ec);
    if (ec)
        throw FileError(kPathFileAccess, file,
                        "cannot move the unreadable settings in '" + file + "' aside to '" + backup +
                            "': " + ec.message());
    return backup;
}

SettingsSnapshot::SettingsSnapshot(SettingsStore& base) : base_(base) {
    // Read with a default no stored value can hold, to tell "absent" apart.
    static const std::string absent("\x01" "absent" "\x01");
    for (const SettingKey& k : settings::All()) {
        Value v{k.app, k.section, k.key, false, {}};
        if (ReadProblem(k.app).empty()) {
            v.value = base.GetSetting(k.app, k.section, k.key, absent);
            v.stored = v.value != absent;
        }
        values_.push_back(std::move(v));
    }
}

std::string SettingsSnapshot::ReadProblem(const std::string& app) {
    for (const auto& [known, problem] : problems_)
        if (known == app) return problem;
    problems_.emplace_back(app, base_.ReadProblem(app));
    return problems_.back().second;
}

std::string SettingsSnapshot::SetAsideUnreadable(const std::string& app) {
    std::string backup = base_.SetAsideUnreadable(app);
    std::erase_if(problems_, [&app](const auto& known) { return known.first == app; });
    return backup;
}

std::string SettingsSnapshot::GetSetting(const std::string& app, const std::string& section, const std::string& key,
                                         const std::string& defaultValue) {
    for (const Value& v : values_)
        if (v.app == app && v.section == section && v.key == key) return v.stored ? v.value : defaultValue;
    return base_.GetSetting(app, section, key, defaultValue);
}

void SettingsSnapshot::SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                                   const std::string& value) {
    base_.SaveSetting(app, section, key, value);
    for (Value& v : values_) {
        if (v.app == app && v.section == section && v.key == key) {
            v.stored = true;
            v.value = value;
        }
    }
}

}  // namespace platform
