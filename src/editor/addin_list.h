// The IDE's list of add-ins, per user, beside the settings (vbaddin.ini, section
// "Add-Ins32"): each add-in by program identifier with two flags, loaded (it
// was connected when the user last left it) and load on startup (the IDE
// connects it as it starts). A value holds the flags as a number: 1 loaded,
// 2 load on startup. The installation's own list (entered at install time)
// shows through where the user's list has no entry.
#pragma once

#include <string>
#include <vector>

namespace editor {

struct AddInEntry {
    std::string progId;
    bool loaded = false;
    bool loadOnStartup = false;
    bool operator==(const AddInEntry&) const = default;
};

class AddInList {
public:
    /// `userFile` is written; `installedFile` (may be empty or missing) is read only.
    AddInList(std::string userFile, std::string installedFile);
    /// The user's list: vbaddin.ini in the settings folder.
    static std::string UserFile();

    /// The user's entries by name, then the installation's that the user's
    /// list does not name.
    std::vector<AddInEntry> Entries() const;
    /// The entry of an add-in; flags off when it is not listed.
    AddInEntry Find(const std::string& progId) const;
    /// Writes an entry into the user's list.
    void Set(const AddInEntry& entry);

private:
    std::string userFile_;
    std::string installedFile_;
};

}  // namespace editor
