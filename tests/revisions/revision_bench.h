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

inline constexpr char kProjectHead[] = "Type=Exe\r\nModule=Stock; Stock.bas\r\n";
inline constexpr char kProjectTail[] =
    "Name=\"Stock\"\r\nMajorVer=2\r\nMinorVer=1\r\nRevisionVer=17\r\n";
inline const std::string kProjectText = std::string(kProjectHead) + kProjectTail;

// The blocks of the default revision, each with the line end that follows it
// in the module; revision_text_test.cpp spells them out once.
inline const std::string kCodeBlock =
    "' BUG: 00012  Vers: 2.1.0017 By: ABC @ 2026-07-04 13:05:09\n' Re-order level raised.\n";
inline const std::string kProcBlock = kCodeBlock + "'" + std::string(70, '-') + "\n";
inline std::string Entry(const std::string& procedureLabel) {
    return "' BUG: 00012, 2.1.0017, ABC, 2026-07-04, Stock, " + procedureLabel +
           "\n' Re-order level raised.\n'\n";
}

/// Stands for the workspace but reports another project as the active one.
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

struct RevisionBench {
    /// A folder holding Stock.vbp with `projectText`, the active project.
    explicit RevisionBench(const std::string& projectText = kProjectText) {
        testsupport::WriteFile(dir.File("Stock.vbp"), projectText);
        project = std::make_unique<host::Project>(dir.File("Stock.vbp"), files);
    }

    /// Runs InsertRevision on `vb` ("\n" stands for CR LF) with the cursor on
    /// code line `line` and checks the whole module afterwards.
    void Expect(std::string_view vb, long line, std::string_view after) {
        host::SourceModule module(testsupport::Crlf(vb));
        host::Workspace workspace;
        workspace.SetProject(project.get());
        workspace.Open(module, "Stock", line);
        OtherProjectVBE vbe(workspace, unsaved ? unsaved : project.get());
        toolwindow::PlainPenwork window(vbe, dialogs, files, settings);
        window.revType = "BUG";
        window.revNumber = number;
        window.initials = initials;
        window.boxes[toolwindow::kRevisionTextBox].SetText(text);
        window.revisionTargets = targets;
        window.headerBefore = before;
        outcome = revisions::InsertRevision(window, module, line);
        EXPECT_EQ(module.Text(), testsupport::Crlf(after)) << "cursor on line " << line;
    }

    /// The notices of the targets skipped, one a line.
    std::string Skipped() const {
        std::string s;
        for (const auto& skip : outcome.skipped) s += revisions::SkipNotice(skip) + "\n";
        return s;
    }

    testsupport::TempDir dir;
    testsupport::FixedClock clock{1783170309};  // 2026-07-04 13:05:09 UTC
    platform::DiskFiles files;
    platform::MemorySettings settings;
    platform::RecordingDialogs dialogs;
    std::unique_ptr<host::Project> project;  // null: no active project
    ide::VBProject* unsaved = nullptr;        // when set, the active project instead
    std::string number = "12", initials = "ABC", text = "Re-order level raised.";
    std::array<bool, 4> targets{};  // procedure, module, log, code
    bool before = true;
    revisions::RevisionOutcome outcome;
};

}  // namespace revisiontest
