// A project on disk, a module opened in a code window and a tool window whose
// fields describe one revision: what the revision tests drive InsertRevision
// through.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "host/source_module.h"
#include "host/workspace.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/settings.h"
#include "revisions/insert_revision.h"
#include "support/support.h"
#include "toolwindow/penwork.h"

namespace revisiontest {

// 2026-07-04 13:05:09 UTC.
inline constexpr long long kClock = 1783170309;

inline constexpr char kProjectText[] =
    "Type=Exe\r\n"
    "Module=Stock; Stock.bas\r\n"
    "Name=\"Stock\"\r\n"
    "MajorVer=2\r\n"
    "MinorVer=1\r\n"
    "RevisionVer=17\r\n";

/// What the tool window holds for one revision.
struct Fields {
    std::string type = "BUG";
    std::string number = "12";
    std::string initials = "ABC";
    std::string text = "Re-order level raised.";
    std::array<bool, 4> targets{false, false, false, false};  // procedure, module, log, code
    bool before = true;
};

/// A decorator that stands for the workspace but reports another project.
class OtherProjectVBE : public ide::VBE {
public:
    OtherProjectVBE(ide::VBE& inner, ide::VBProject* project) : inner_(inner), project_(project) {}
    ide::CodePane* ActiveCodePane() override { return inner_.ActiveCodePane(); }
    ide::VBProject* ActiveVBProject() override { return project_; }
    std::vector<ide::Window*> Windows() override { return inner_.Windows(); }
    ide::CommandBars& CommandBars() override { return inner_.CommandBars(); }
    ide::CommandBarEvents& CommandBarEvents(ide::CommandBarControl& control) override {
        return inner_.CommandBarEvents(control);
    }

private:
    ide::VBE& inner_;
    ide::VBProject* project_;
};

class RevisionBench {
public:
    /// A bench whose folder holds Stock.vbp with `projectText`, the active project.
    explicit RevisionBench(std::string_view projectText = kProjectText) {
        testsupport::WriteFile(ProjectPath(), projectText);
        project = std::make_unique<host::Project>(ProjectPath(), files);
    }

    std::string ProjectPath() const { return dir.File("Stock.vbp"); }

    /// Runs InsertRevision on `vb` (written with "\n", run with CR LF) with the
    /// cursor on `line`; the module's text afterwards.
    std::string Revise(std::string_view vb, long line) {
        host::SourceModule module(testsupport::Crlf(vb));
        host::Workspace workspace;
        workspace.SetProject(project.get());
        workspace.Open(module, "Stock", line);
        OtherProjectVBE vbe(workspace, unsaved ? unsaved : project.get());
        toolwindow::PlainPenwork window(vbe, dialogs, files, settings);
        window.revType = fields.type;
        window.revNumber = fields.number;
        window.initials = fields.initials;
        window.boxes[toolwindow::kRevisionTextBox].SetText(fields.text);
        window.revisionTargets = fields.targets;
        window.headerBefore = fields.before;
        outcome = revisions::InsertRevision(window, module, line);
        return module.Text();
    }

    testsupport::TempDir dir;
    testsupport::FixedClock clock{kClock};
    platform::DiskFiles files;
    platform::MemorySettings settings;
    platform::RecordingDialogs dialogs;
    std::unique_ptr<host::Project> project;  // null: no active project
    ide::VBProject* unsaved = nullptr;        // when set, the active project instead
    Fields fields;
    revisions::RevisionOutcome outcome;
};

/// Runs one revision and compares the whole module afterwards.
inline void ExpectRevised(RevisionBench& bench, std::string_view before, long line,
                          std::string_view after) {
    EXPECT_EQ(bench.Revise(before, line), testsupport::Crlf(after)) << "cursor on line " << line;
}

/// The default fields with the targets procedure, module, log and code.
inline Fields Targets(bool procedure, bool module, bool log, bool code) {
    Fields fields;
    fields.targets = {procedure, module, log, code};
    return fields;
}

}  // namespace revisiontest
