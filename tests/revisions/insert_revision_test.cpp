// Where each revision target writes, and the texts it writes there.
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

// Number, initials and revision text as typed, against the initials of the
// entry and the revision lines; the number shown is 00012 each time.
struct TextCase {
    std::string number, initials, text, entryInitials, lines;
};

TEST(RevisionTexts, NumberInitialsAndRevisionLines) {
    const std::string wide(79, 'x');  // the box is 79 characters wide
    const TextCase cases[] = {
        // The number's leading digits; initials padded to three in the entry only; no revision lines.
        {"12abc", "AB", "", "AB ", ""},
        // Later blank lines are left out; a blank first line is kept.
        {"12", "ABC", "Counts were wrong.\n   \n\nNow they add up.", "ABC",
         "' Counts were wrong.\n' Now they add up.\n"},
        {"12", "ABC", "\nSee the log.", "ABC", "' \n' See the log.\n"},
        {"12", "ABC", wide + " and more", "ABC", "' " + wide + "\n' and more\n"},
    };
    for (const TextCase& c : cases) {
        Revision revision("Option Explicit\n\nSub Go()\nEnd Sub\n", 4);
        revision.window.revNumber = c.number;
        revision.window.initials = c.initials;
        revision.Text(c.text);
        const std::string note = "' BUG: 00012  Vers: 2.1.0017 By: " + c.initials +
                                 " @ 2026-07-04 13:05:09\n" + c.lines;
        EXPECT_EQ(revision.Run("PM-C"), "' BUG: 00012, 2.1.0017, " + c.entryInitials + ", 2026-07-04, Stock, Go\n" +
                                            c.lines + "'\nOption Explicit\n\n" + note + stage::kRule + "\nSub Go()\n" +
                                            note + "End Sub\n");
    }
}

}  // namespace
}  // namespace revisiontest
