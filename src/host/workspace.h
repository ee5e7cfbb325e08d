// The host's IDE: modules opened in code windows, the active code pane, the
// active project. The command line and the tests drive generators through it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "addin/ide.h"
#include "host/source_module.h"
#include "platform/files.h"
#include "host/project.h"

namespace host {

/// The stand-in for the IDE's root object.
class Workspace final : public ide::VBE {
public:
    Workspace();
    ~Workspace() override;

    /// Opens `module` in a code window captioned "<name> (Code)" and gives it the
    /// focus, with the cursor at `line`. The module must outlive the workspace.
    ide::CodePane& Open(SourceModule& module, const std::string& moduleName, long line = 1);
    /// Leaves no code pane active.
    void Unfocus();
    /// The active project, or none. It must outlive the workspace.
    void SetProject(Project* project);

    ide::CodePane* ActiveCodePane() override;
    ide::VBProject* ActiveVBProject() override;
    std::vector<ide::Window*> Windows() override;
    ide::CommandBars& CommandBars() override;
    ide::CommandBarEvents& CommandBarEvents(ide::CommandBarControl& control) override;

    /// Captions of the buttons add-ins put on the "Add-Ins" bar, in order.
    std::vector<std::string> AddInCommands() const;
    /// Clicks the "Add-Ins" button with that caption as the user would: its
    /// CommandBarEvents handlers run. False when there is no such button.
    bool ClickAddInCommand(const std::string& caption);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace host
