// Revisions: where each target writes and the texts it writes there, in the
// module Stock of the project Stock.vbp; and REVISION.TXT, found through the
// project or created beside it, and appended to.
#include <filesystem>

#include "headers/stage.h"
#include "host/command_bars.h"
#include "revisions/insert_revision.h"

namespace {

using stage::Crlf;
using testsupport::ReadFile;

constexpr char kProjectHead[] = "Type=Exe\r\nModule=Stock; Stock.bas\r\n";
constexpr char kProjectTail[] = "Name=\"Stock\"\r\nMajorVer=2\r\nMinorVer=1\r\nRevisionVer=17\r\n";
const std::string kProjectText = std::string(kProjectHead) + kProjectTail;

// The blocks of the default revision, each with the line end that follows it
// in the module.
const std::string kCodeBlock =
    "' BUG: 00012  Vers: 2.1.0017 By: AB @ 2026-07-04 13:05:09\n' Re-order level raised.\n";
const std::string kProcBlock = kCodeBlock + stage::kRule + "\n";
std::string Entry(const std::string& procedureLabel) {
    return "' BUG: 00012, 2.1.0017, AB , 2026-07-04, Stock, " + procedureLabel + "\n' Re-order level raised.\n'\n";
}

struct Revision : stage::Stage {
    /// Stock holding `vb` ("\n" stands for CR LF) with the cursor on code line
    /// `cursor`, in a project whose file holds `projectText` ("": no project).
    Revision(std::string_view vb, long cursor, const std::string& projectText = kProjectText)
        : Stage(Crlf(vb), "Stock", cursor), line(cursor) {
        if (!projectText.empty()) UseProject(projectText, "Stock.vbp");
        window.revType = "BUG";
        window.revNumber = "12abc";  // its leading number, 00012
        window.initials = "AB";      // padded to three in the log entry only
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

    long line;
    revisions::RevisionOutcome outcome;
};

const std::string kTop = "' Stock rules.\n";
const std::string kOption = "Option Explicit\n\n";
const std::string kReorderNote = "' Name: NeedsReorder\n";  // line 4 opens NeedsReorder's range
const std::string kReorder =
    "Public Function NeedsReorder(ByVal Quantity As Long) As Boolean\nNeedsReorder = Quantity < 10\nEnd Function\n\n";
const std::string kDecl = "Public Sub Adjust(ByRef Quantity As Long, ByVal Delta As Long)\n";
const std::string kBody = "Quantity = Quantity + _\n    Delta\n";  // lines 10 and 11: one statement
const std::string kEnd = "If Quantity < 0 Then Quantity = 0\nEnd Sub\n";
const std::string kStock = kTop + kOption + kReorderNote + kReorder + kDecl + kBody + kEnd;

const std::string kTotalGet = "Private mTotal As Long\n\nPublic Property Get Total() As Long\n";
const std::string kTotalLet = "Total = mTotal\nEnd Property\n\nPublic Property Let Total(ByVal Value As Long)\n";
const std::string kTotalEnd = "mTotal = Value\nEnd Property\n";  // line 9: End Property

struct Case {
    std::string targets;  // "PMLC", a hyphen for each target left out
    bool before;
    long line;
    std::string expected;
    std::string code = kStock;
    std::string messages = "";  // "title|style|prompt" a line
};

TEST(InsertRevision, EachTargetWritesInItsPlace) {
    const Case cases[] = {
        // Procedure: below the comments that open its range (After: the property row below).
        {"P---", true, 6, kTop + kOption + kReorderNote + kProcBlock + kReorder + kDecl + kBody + kEnd},
        // Module: below the comment lines that open the module. Code: directly
        // above the cursor's line, however many lines went in above it.
        {"PMLC", true, 12,
         kTop + Entry("Adjust") + kOption + kReorderNote + kReorder + kProcBlock + kDecl + kBody + kCodeBlock + kEnd},
        {"P--C", true, 9, kTop + kOption + kReorderNote + kReorder + kProcBlock + kCodeBlock + kDecl + kBody + kEnd},
        // A blank line ends the comments that open the module.
        {"-M--", true, 1, kTop + Entry("(Declarations)") + "\n" + kOption, kTop + "\n" + kOption},
        // Outside every procedure.
        {"PM--", true, 2,
         kTop + kProcBlock + Entry("(Declarations)") + kOption + kReorderNote + kReorder + kDecl + kBody + kEnd},
        // Each part of a property is found by its own keyword.
        {"PM--", false, 9, Entry("[PropertyLet] Total") + kTotalGet + kTotalLet + kProcBlock + kTotalEnd,
         kTotalGet + kTotalLet + kTotalEnd},
        // After, in the declarations section: no declaration to find (none of the
        // module's own parentheses count), so Before's place.
        {"P---", false, 2, kTop + kProcBlock + kOption + kReorderNote + kReorder + kDecl + kBody + kEnd, kStock,
         "|0|No Proc= (\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.targets + (c.before ? " Before, line " : " After, line ") + std::to_string(c.line));
        Revision revision(c.code, c.line);
        revision.window.headerBefore = c.before;
        EXPECT_EQ(revision.Run(c.targets), c.expected);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(revision.outcome.Wrote(revisions::RevisionTarget(i)), c.targets[i] != '-') << i;
        EXPECT_EQ(revision.Messages(), c.messages);
    }
}

TEST(InsertRevision, AModuleOfCommentsOnlySkipsTheModuleTarget) {
    Revision revision("' Nothing here yet.\n' Still nothing.", 2);
    EXPECT_EQ(revision.Run("-M-C"), "' Nothing here yet.\n" + kCodeBlock + "' Still nothing.");
    EXPECT_EQ(revision.outcome.written, std::vector{revisions::CodeTarget});
    ASSERT_EQ(revision.outcome.skipped.size(), 1u);
    EXPECT_EQ(revisions::SkipNotice(revision.outcome.skipped[0]),
              "the module target is skipped: the module holds no line that is not a comment");
}

const std::string kListingTheLog = std::string(kProjectHead) + "RelatedDoc=REVISION.TXT\r\n" + kProjectTail;

/// A saved project with no components that refuses every file added to it,
/// active in a host of its own that has no code window.
class RefusingProject : public ide::VBE, public ide::VBProject, public ide::VBComponents {
public:
    explicit RefusingProject(std::string fileName) : fileName_(std::move(fileName)) {}
    ide::CodePane* ActiveCodePane() override { return nullptr; }
    ide::VBProject* ActiveVBProject() override { return this; }
    std::vector<ide::Window*> Windows() override { return {}; }
    ide::CommandBars& CommandBars() override { return bars_; }
    ide::CommandBarEvents& CommandBarEvents(ide::CommandBarControl& control) override {
        return bars_.EventsOf(control);
    }
    std::string FileName() const override { return fileName_; }
    ide::VBComponents& VBComponents() override { return *this; }
    long Count() const override { return 0; }
    ide::VBComponent& Item(long) override { ide::Raise(ide::kSubscriptOutOfRange); }
    ide::VBComponent& AddFile(const std::string&, bool) override { ide::Raise(ide::kInvalidCall); }

private:
    std::string fileName_;
    host::HostCommandBars bars_;
};

// Adjust revised with the cursor in it, the log alone written: the module stays as it was.
void Log(Revision& revision) { EXPECT_EQ(revision.Run("--L-"), kStock); }

TEST(RevisionLog, FirstRevisionCreatesTheLogAndAddsItToTheProject) {
    Revision revision(kStock, 12);
    // Logged in CP 1252; a blank first line is kept, later blank lines are left
    // out, and lines wrap at the box's 79 characters.
    const std::string wide(79, 'x');
    revision.Text("\nPrices in \xE2\x82\xAC, caf\xC3\xA9 included.\n   \n\n" + wide + " and more");
    Log(revision);
    EXPECT_EQ(ReadFile(revision.dir.File("REVISION.TXT")),
              Crlf("'\n"
                   "'\tREVISION.TXT  for " + revision.projectPath + "\n"
                   "'\tCreated: 2026-07-04 13:05:09 - Version: 2.1.0017\n"
                   "'\n"
                   "' Type Number Version   By    Date    Module, Procedure     \n"
                   "'-----|------|--------|----|---------|---------------------------------\n"
                   "' BUG: 00012, 2.1.0017, AB , 2026-07-04, Stock, Adjust\n"
                   "' \n"
                   "' Prices in \x80, caf\xE9 included.\n"
                   "' " + wide + "\n"
                   "' and more\n"
                   "'\n"));
    EXPECT_EQ(revision.project->Text(), kListingTheLog);
    EXPECT_EQ(revision.outcome.written, std::vector{revisions::LogTarget});
}

TEST(RevisionLog, TheFirstRelatedDocumentNamedLikeTheLogIsTheLog) {
    // Any case, another folder, other characters before the name; but not a file whose name only holds the text.
    Revision revision(kStock, 12,
                      kProjectText + "RelatedDoc=README.txt\r\nRelatedDoc=keep-Revision.txt.orig.sh\r\n"
                                     "RelatedDoc=Revision.txt\\Notes.bas\r\nRelatedDoc=notes\\OldRevision.TXT\r\n"
                                     "RelatedDoc=notes\\REVISION.TXT\r\n");
    std::filesystem::create_directories(revision.dir.File("notes"));
    std::filesystem::create_directories(revision.dir.File("Revision.txt"));
    testsupport::WriteFile(revision.dir.File("notes/OldRevision.TXT"), "' Kept by hand.\r\n");
    testsupport::WriteFile(revision.dir.File("keep-Revision.txt.orig.sh"), "#!/bin/sh\n");
    testsupport::WriteFile(revision.dir.File("Revision.txt/Notes.bas"), "Attribute VB_Name = \"Notes\"\r\n");
    Log(revision);
    EXPECT_EQ(ReadFile(revision.dir.File("keep-Revision.txt.orig.sh")), "#!/bin/sh\n");
    EXPECT_EQ(ReadFile(revision.dir.File("Revision.txt/Notes.bas")), "Attribute VB_Name = \"Notes\"\r\n");
    EXPECT_EQ(ReadFile(revision.dir.File("notes/OldRevision.TXT")), Crlf("' Kept by hand.\n" + Entry("Adjust")));
    EXPECT_FALSE(std::filesystem::exists(revision.dir.File("notes/REVISION.TXT")));
    EXPECT_FALSE(std::filesystem::exists(revision.dir.File("REVISION.TXT")));
    EXPECT_FALSE(revision.project->Changed());
}

TEST(RevisionLog, ALogBesideTheProjectButNotInItGetsNoHeadingAndIsAdded) {
    Revision revision(kStock, 12);
    testsupport::WriteFile(revision.dir.File("REVISION.TXT"), "' Started by hand.\r\n");
    Log(revision);
    EXPECT_EQ(ReadFile(revision.dir.File("REVISION.TXT")), Crlf("' Started by hand.\n" + Entry("Adjust")));
    EXPECT_EQ(revision.project->Text(), kListingTheLog);
}

// A project that cannot take the log in gets no log either; the other targets still run.
TEST(RevisionLog, ALogTheProjectRefusesIsSkippedAndLeavesNoFile) {
    stage::Stage stage(Crlf(kStock), "Stock", 12);
    RefusingProject refusing(stage.projectPath);  // no file: version 1.0.0000
    toolwindow::PlainPenwork window{refusing, stage.dialogs, stage.files, stage.settings};
    window.revisionTargets = {false, false, true, true};
    const revisions::RevisionOutcome outcome = revisions::InsertRevision(window, stage.module, 12);
    EXPECT_EQ(stage.Code(), kTop + kOption + kReorderNote + kReorder + kDecl + kBody +
                                "' Bug: 00000  Vers: 1.0.0000 By: EYI @ 2026-07-04 13:05:09\n" + kEnd);
    EXPECT_EQ(outcome.written, std::vector{revisions::CodeTarget});
    EXPECT_EQ(outcome.skipped.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(stage.dir.File("REVISION.TXT")));
}

}  // namespace
