// One module file open in the editor: the host's ModuleFile (its one copy of the
// text, the code page and what the file held when read or last saved), the undo history over it,
// and whether it differs from what was saved or from what is on disk now.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "editor/undoable_module.h"
#include "host/module_file.h"
#include "platform/files.h"

namespace editor {

class ModuleDocument {
public:
    /// Reads a module. Throws platform::FileError or platform::EncodingError.
    static std::unique_ptr<ModuleDocument> Load(const std::string& path);

    const std::string& Path() const { return file_.path; }
    /// `Attribute VB_Name`, or the file's stem.
    std::string Name() const { return file_.Name(); }
    UndoableModule& Module() { return module_; }
    host::SourceModule& Source() { return file_.module; }

    /// Changed since it was read or last saved (undoing back to there clears it).
    bool Modified() const { return module_.StateId() != savedState_; }
    /// Whether someone else changed or removed the file since it was read or
    /// last saved here.
    bool ChangedOnDisk() const;
    /// Writes the module back in its code page, atomically: unchanged lines keep
    /// their bytes and line ends, hidden lines stand where they stood. Throws
    /// platform::EncodingError (a character the code page cannot hold; nothing
    /// is written) or platform::FileError.
    void Save();

private:
    explicit ModuleDocument(host::ModuleFile file);
    host::ModuleFile file_;
    UndoableModule module_;
    std::uint64_t savedState_ = 0;
};

}  // namespace editor
