// A code window over one module, with a project or none, and a plain tool
// window: what a header command sees when it runs.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "host/source_module.h"
#include "host/workspace.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/settings.h"
#include "support/support.h"
#include "toolwindow/penwork.h"

namespace headertest {

// An apostrophe and 70 hyphens.
inline const std::string kRule = "'" + std::string(70, '-');

// Version 2.1.0017 and a copyright in the Windows code page.
inline constexpr char kProject[] =
    "Type=Exe\r\nMajorVer=2\r\nMinorVer=1\r\nRevisionVer=17\r\n"
    "VersionLegalCopyright=\"Copyright \xa9 2026 Harbour Lane Traders\"\r\n";

inline constexpr char kNameLine[] = "Attribute VB_Name = \"Module1\"\n";

class Stage {
public:
    /// Module1 holding `code` ("\n" stands for CR LF), open in a code window
    /// captioned after `caption` with the cursor on code line `line`; no project.
    explicit Stage(std::string_view code = "", const std::string& caption = "Module1",
                   long line = 1)
        : module(testsupport::Crlf(kNameLine + std::string(code))) {
        window.name = "Jo Doe";
        workspace.Open(module, caption, line);
    }

    /// Makes `vbpText` (bytes as stored) the active project's file.
    void UseProject(std::string_view vbpText) {
        testsupport::WriteFile(projectPath, vbpText);
        project = std::make_unique<host::Project>(projectPath, files);
        workspace.SetProject(project.get());
    }

    /// The module's code as written, CR LF as "\n", without its VB_Name line.
    std::string Code() const {
        const std::string raw = module.Text();
        std::string text;
        for (std::size_t i = 0; i < raw.size(); ++i)
            if (raw.compare(i, 2, "\r\n") != 0) text += raw[i];
        return text.starts_with(kNameLine) ? text.substr(sizeof kNameLine - 1) : text;
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
    host::SourceModule module;
    std::unique_ptr<host::Project> project;
    host::Workspace workspace;
    toolwindow::PlainPenwork window{workspace, dialogs, files, settings};
};

}  // namespace headertest
