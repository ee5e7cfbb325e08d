// A code window over one module, a project file on disk or none, and a plain
// tool window under a fixed clock: what a generator sees when a command runs.
// The header, error-handler, revision and indenter tests all drive it.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "host/source_module.h"
#include "host/workspace.h"
#include "support/plain_penwork.h"
#include "platform/files.h"
#include "support/support.h"

namespace stage {

using testsupport::Crlf;

// An apostrophe and 70 hyphens.
inline const std::string kRule = "'" + std::string(70, '-');
// The hidden line that names a module: code line 1 is the line below it.
inline const std::string kNameLine = "Attribute VB_Name = \"Module1\"\n";

class Stage {
public:
    /// A module holding `bytes`, open in the code window of `moduleName` with the
    /// cursor on code line `line`; no project.
    explicit Stage(std::string_view bytes = "", const std::string& moduleName = "Module1", long line = 1)
        : module(bytes) {
        window.name = "Jo Doe";
        workspace.Open(module, moduleName, line);
    }

    /// Makes `vbpText` (bytes as stored) the active project's file.
    void UseProject(std::string_view vbpText, const std::string& fileName = "Project.vbp") {
        projectPath = dir.File(fileName);
        testsupport::WriteFile(projectPath, vbpText);
        project = std::make_unique<host::Project>(projectPath, files);
        workspace.SetProject(project.get());
    }

    /// The module's whole text, CR LF as "\n".
    std::string Code() const {
        std::string text = module.Text();
        std::erase(text, '\r');
        return text;
    }

    /// The message boxes shown, one a line: "title|style|prompt".
    std::string Messages() const {
        std::string s;
        for (const auto& m : dialogs.messages)
            s += m.title + "|" + std::to_string(m.style) + "|" + m.prompt + "\n";
        return s;
    }

    testsupport::TempDir dir;
    std::string projectPath = dir.File("Project.vbp");
    testsupport::FixedClock clock{1783170309};  // Saturday, July 04,2026 @ 1:05:09 pm
    platform::DiskFiles files;
    platform::RecordingDialogs dialogs;
    platform::MemorySettings settings;
    host::SourceModule module;  // outlives the workspace that shows it
    std::unique_ptr<host::Project> project;
    host::Workspace workspace;
    toolwindow::PlainPenwork window{workspace, dialogs, files, settings};
};

}  // namespace stage
