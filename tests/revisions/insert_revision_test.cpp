// Where each revision target writes.
#include "revision_stage.h"

namespace revisiontest {
namespace {

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
const std::string kFooTop = "Option Explicit\n\n' Does the work.\n";
const std::string kFoo = "Private Sub Foo ()\nDebug.Print 1\nEnd Sub\n";  // "Foo(" stands nowhere

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
        // Procedure: below the comments that open its range, or below its declaration.
        {"P---", true, 6, kTop + kOption + kReorderNote + kProcBlock + kReorder + kDecl + kBody + kEnd},
        {"P---", false, 11, kTop + kOption + kReorderNote + kReorder + kDecl + kProcBlock + kBody + kEnd},
        // Module: below the comment lines that open the module.
        {"-M--", true, 11, kTop + Entry("Adjust") + kOption + kReorderNote + kReorder + kDecl + kBody + kEnd},
        // Code: directly above the cursor's line, however many lines went in above it.
        {"---C", true, 12, kTop + kOption + kReorderNote + kReorder + kDecl + kBody + kCodeBlock + kEnd},
        {"PMLC", true, 12,
         kTop + Entry("Adjust") + kOption + kReorderNote + kReorder + kProcBlock + kDecl + kBody + kCodeBlock + kEnd},
        {"P--C", true, 9, kTop + kOption + kReorderNote + kReorder + kProcBlock + kCodeBlock + kDecl + kBody + kEnd},
        // Outside every procedure.
        {"PM--", true, 2,
         kTop + kProcBlock + Entry("(Declarations)") + kOption + kReorderNote + kReorder + kDecl + kBody + kEnd},
        // Each part of a property is found by its own keyword.
        {"PM--", false, 9, Entry("[PropertyLet] Total") + kTotalGet + kTotalLet + kProcBlock + kTotalEnd,
         kTotalGet + kTotalLet + kTotalEnd},
        // After, the declaration not written as searched for: a message, then Before.
        {"P---", false, 5, kFooTop + kProcBlock + kFoo, kFooTop + kFoo, "|0|No Proc= Foo(\n"},
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
    EXPECT_EQ(revision.Skipped(), "the module target is skipped: the module holds no line that is not a comment\n");
}

TEST(RevisionTargets, NamesGoBothWays) {
    for (revisions::RevisionTarget target : revisions::kRevisionTargets)
        EXPECT_EQ(revisions::TargetNamed(revisions::TargetName(target)), target);
    for (const char* name : {"", "Code", "logs", "procedure,code"})
        EXPECT_EQ(revisions::TargetNamed(name), std::nullopt) << name;
}

}  // namespace
}  // namespace revisiontest
