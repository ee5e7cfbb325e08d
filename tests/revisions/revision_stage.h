// Stock, a module of the project Stock.vbp, and a tool window whose fields
// describe one revision: what the revision tests drive InsertRevision through.
#pragma once

#include <string>
#include <string_view>

#include "headers/stage.h"
#include "revisions/insert_revision.h"

namespace revisiontest {

using stage::Crlf;

inline constexpr char kProjectHead[] = "Type=Exe\r\nModule=Stock; Stock.bas\r\n";
inline constexpr char kProjectTail[] = "Name=\"Stock\"\r\nMajorVer=2\r\nMinorVer=1\r\nRevisionVer=17\r\n";
inline const std::string kProjectText = std::string(kProjectHead) + kProjectTail;

// The blocks of the default revision, each with the line end that follows it
// in the module.
inline const std::string kCodeBlock =
    "' BUG: 00012  Vers: 2.1.0017 By: ABC @ 2026-07-04 13:05:09\n' Re-order level raised.\n";
inline const std::string kProcBlock = kCodeBlock + stage::kRule + "\n";
inline std::string Entry(const std::string& procedureLabel) {
    return "' BUG: 00012, 2.1.0017, ABC, 2026-07-04, Stock, " + procedureLabel + "\n' Re-order level raised.\n'\n";
}

struct Revision : stage::Stage {
    /// Stock holding `vb` ("\n" stands for CR LF) with the cursor on code line
    /// `cursor`, in a project whose file holds `projectText` ("": no project).
    Revision(std::string_view vb, long cursor, const std::string& projectText = kProjectText)
        : Stage(Crlf(vb), "Stock", cursor), line(cursor) {
        if (!projectText.empty()) UseProject(projectText, "Stock.vbp");
        window.revType = "BUG";
        window.revNumber = "12";
        window.initials = "ABC";
        Text("Re-order level raised.");
    }

    void Text(const std::string& text) { window.boxes[toolwindow::kRevisionTextBox].SetText(text); }

    /// Writes the revision to the targets "PMLC" names (procedure, module, log,
    /// code; a hyphen for each one left out) and gives the module's code.
    std::string Run(std::string_view targets) {
        for (int i = 0; i < 4; ++i) window.revisionTargets[i] = targets[i] != '-';
        outcome = revisions::InsertRevision(window, module, line);
        return Code();
    }

    /// The notices of the targets skipped, one a line.
    std::string Skipped() const {
        std::string s;
        for (const auto& skip : outcome.skipped) s += revisions::SkipNotice(skip) + "\n";
        return s;
    }

    long line;
    revisions::RevisionOutcome outcome;
};

}  // namespace revisiontest
