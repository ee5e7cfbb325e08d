#include "editor/module_document.h"

#include "platform/files.h"

namespace editor {

std::unique_ptr<ModuleDocument> ModuleDocument::Load(const std::string& path) {
    platform::DiskFiles disk;
    return std::unique_ptr<ModuleDocument>(new ModuleDocument(host::ModuleFile::Load(path, disk)));
}

bool ModuleDocument::ChangedOnDisk() const {
    try {
        return platform::ReadFileBytes(file_.path) != file_.originalBytes;
    } catch (const platform::FileError&) {
        return true;  // removed or unreadable: not what we read
    }
}

void ModuleDocument::Save() {
    std::string bytes = file_.Bytes();
    platform::WriteFileAtomic(file_.path, bytes);
    file_.originalBytes = std::move(bytes);
    savedState_ = module_.StateId();
}

}  // namespace editor
