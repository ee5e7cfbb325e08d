// A VB project file (.vbp) as the IDE's VBProject: its modules, related
// documents and keys, written back unchanged except for what changed.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ide/ide.h"
#include "platform/files.h"

namespace host {

/// A VB project file (.vbp). Written back unchanged except for what changed.
class Project final : public ide::VBProject {
public:
    /// Reads the project at `path` (an absolute path) through `files`. Throws
    /// platform::FileError.
    Project(const std::string& path, platform::FileStore& files);
    ~Project() override;

    std::string FileName() const override;
    ide::VBComponents& VBComponents() override;
    /// The project's `Name=`, or the file's stem.
    std::string Name() const;

    /// Absolute paths of the modules it lists (Module=, Class=, Form=,
    /// UserControl=, PropertyPage=, Designer=), in file order.
    std::vector<std::string> ModulePaths() const;
    bool Lists(const std::string& modulePath) const;
    /// The project file's text as it would be saved.
    std::string Text() const;
    bool Changed() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace host
