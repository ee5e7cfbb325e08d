// A code window over one module, with a project or none, and a plain tool
// window: what a header command sees when it runs.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/source_module.h"
#include "host/workspace.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/settings.h"
#include "support/support.h"
#include "toolwindow/penwork.h"

namespace headertest {

/// 4 July 2026, 13:05:09 UTC: "Saturday, July 04,2026 @ 1:05:09 pm".
inline constexpr long long kSaturdayAfternoon = 1783170309;

class Stage {
public:
    /// The module file `fileText` open in a code window captioned after
    /// `moduleName`, the cursor on code line `line`; no project.
    explicit Stage(std::string_view fileText, const std::string& moduleName = "Module1",
                   long line = 1);

    /// Makes `vbpText` (bytes as stored) the active project's file.
    void UseProject(std::string_view vbpText);
    /// A copy of the example project, all its files beside it.
    void UseExampleProject();

    /// The module's code text as written, CR LF turned back into "\n", without
    /// its VB_Name line.
    std::string Code() const;
    /// The message boxes shown, one a line: "title|style|prompt".
    std::string Messages() const;

    testsupport::TempDir dir;
    std::string projectPath = dir.File("Project.vbp");
    testsupport::FixedClock clock{kSaturdayAfternoon};
    platform::DiskFiles files;
    platform::RecordingDialogs dialogs;
    platform::MemorySettings settings;
    host::SourceModule module;
    std::unique_ptr<host::Project> project;
    host::Workspace workspace;
    toolwindow::PlainPenwork window{workspace, dialogs, files, settings};
};

/// The file of a module "Module1" that holds `codeText` ("\n" stands for CR LF).
std::string ModuleFile(std::string_view codeText);
/// The text with every CR LF turned into "\n".
std::string Lf(std::string_view text);
/// A file of the example project.
std::string ExampleFile(const std::string& name);

}  // namespace headertest
