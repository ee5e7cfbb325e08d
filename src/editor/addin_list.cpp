#include "editor/addin_list.h"

#include <QSettings>

#include "platform/settings.h"

namespace editor {

namespace {

constexpr char kSection[] = "Add-Ins32";

std::vector<AddInEntry> Read(const std::string& file) {
    std::vector<AddInEntry> entries;
    if (file.empty()) return entries;
    QSettings ini(QString::fromStdString(file), QSettings::IniFormat);
    ini.beginGroup(kSection);
    for (const QString& key : ini.childKeys()) {
        const int flags = ini.value(key).toString().trimmed().toInt();
        entries.push_back({key.toStdString(), (flags & 1) != 0, (flags & 2) != 0});
    }
    return entries;
}

}  // namespace

AddInList::AddInList(std::string userFile, std::string installedFile)
    : userFile_(std::move(userFile)), installedFile_(std::move(installedFile)) {}

std::string AddInList::UserFile() { return platform::UserSettings::FileOf("vbaddin"); }

std::vector<AddInEntry> AddInList::Entries() const {
    std::vector<AddInEntry> entries = Read(userFile_);
    for (const AddInEntry& installed : Read(installedFile_)) {
        bool listed = false;
        for (const AddInEntry& e : entries) listed = listed || e.progId == installed.progId;
        if (!listed) entries.push_back(installed);
    }
    return entries;
}

AddInEntry AddInList::Find(const std::string& progId) const {
    for (const AddInEntry& e : Entries())
        if (e.progId == progId) return e;
    return {progId};
}

void AddInList::Set(const AddInEntry& entry) {
    QSettings ini(QString::fromStdString(userFile_), QSettings::IniFormat);
    ini.beginGroup(kSection);
    ini.setValue(QString::fromStdString(entry.progId),
                 QString::number((entry.loaded ? 1 : 0) | (entry.loadOnStartup ? 2 : 0)));
    ini.endGroup();
    ini.sync();
}

}  // namespace editor
