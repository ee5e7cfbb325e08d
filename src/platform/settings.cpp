#include "platform/settings.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

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

// QSettings keeps each file it has read in a per-process cache, and trusts the
// cache while the file's size and modification time (to the millisecond) look
// unchanged: two processes saving within one millisecond could then write back
// a stale copy over each other's keys. So every read and every save works on a
// private copy of the file, made and put back under a lock that all processes
// take.
class PrivateCopy {
public:
    PrivateCopy(const std::string& file, bool forWriting) : file_(file) {
        std::error_code ec;
        if (forWriting) std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
        lock_ = ::open((file + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (lock_ >= 0) ::flock(lock_, forWriting ? LOCK_EX : LOCK_SH);
        static std::atomic<unsigned> counter{0};
        copy_ = file + ".copy-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        std::filesystem::copy_file(file, copy_, std::filesystem::copy_options::overwrite_existing, ec);
    }
    ~PrivateCopy() {
        std::error_code ec;
        std::filesystem::remove(copy_, ec);
        if (lock_ >= 0) ::close(lock_);  // releases the lock
    }
    PrivateCopy(const PrivateCopy&) = delete;
    PrivateCopy& operator=(const PrivateCopy&) = delete;

    QString Path() const { return ToQString(copy_); }
    /// Puts the copy in the file's place, atomically.
    bool PutBack() { return std::rename(copy_.c_str(), file_.c_str()) == 0; }

private:
    std::string file_;
    std::string copy_;
    int lock_ = -1;
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
    // A value edited by hand as a, b (without quotes) reads back as a list.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(u", ").toStdString();
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

}  // namespace platform
