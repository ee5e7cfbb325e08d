#include "editor/module_document.h"

#include "platform/files.h"

namespace editor {

std::unique_ptr<ModuleDocument> ModuleDocument::Load(const std::string& path) {
    platform::DiskFiles disk;
    return std::unique_ptr<ModuleDocument>(new ModuleDocument(host::ModuleFile::Load(path, disk)));
}

ModuleDocument::ModuleDocument(host::ModuleFile file)
    : file_(std::move(file)), module_(file_.module) {}

bool ModuleDocument::ChangedOnDisk() const { return platform::ChangedOnDisk(file_.path, file_.original); }

void ModuleDocument::Save() {
    std::string bytes = file_.Bytes();
    platform::WriteFileAtomic(file_.path, bytes);
    file_.original = platform::FileContent::Of(bytes);
    file_.loadedRevision = file_.module.Revision();
    module_.EndStep();  // what comes after the save is a state of its own
    savedState_ = module_.StateId();
}

}  // namespace editor
