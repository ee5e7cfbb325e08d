#include "editor/module_document.h"

#include "platform/files.h"

namespace editor {

std::unique_ptr<ModuleDocument> ModuleDocument::Load(const std::string& path) {
    platform::DiskFiles disk;
    return std::unique_ptr<ModuleDocument>(new ModuleDocument(host::ModuleFile::Load(path, disk)));
}

ModuleDocument::ModuleDocument(host::ModuleFile file)
    : file_(std::move(file)), module_(file_.module), onDisk_(platform::FileContent::Of(file_.originalBytes)) {}

bool ModuleDocument::ChangedOnDisk() const { return platform::ChangedOnDisk(file_.path, onDisk_); }

void ModuleDocument::Save() {
    std::string bytes = file_.Bytes();
    platform::WriteFileAtomic(file_.path, bytes);
    onDisk_ = platform::FileContent::Of(bytes);
    file_.originalBytes = std::move(bytes);
    module_.EndStep();  // what comes after the save is a state of its own
    savedState_ = module_.StateId();
}

}  // namespace editor
