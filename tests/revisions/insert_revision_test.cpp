// Where each revision target writes.
#include <gtest/gtest.h>

#include "revision_bench.h"

namespace revisiontest {
namespace {

using revisions::CodeTarget;
using revisions::LogTarget;
using revisions::ModuleTarget;
using revisions::ProcedureTarget;

// The blocks of the default revision, each with the line end that follows it
// in the module. Their exact texts are pinned in revision_text_test.cpp.
const std::string kProcBlock =
    "' BUG: 00012  Vers: 2.1.0017 By: ABC @ 2026-07-04 13:05:09\n"
    "' Re-order level raised.\n"
    "'----------------------------------------------------------------------\n";
const std::string kCodeBlock =
    "' BUG: 00012  Vers: 2.1.0017 By: ABC @ 2026-07-04 13:05:09\n"
    "' Re-order level raised.\n";
std::string ModuleEntry(const std::string& procedureLabel) {
    return "' BUG: 00012, 2.1.0017, ABC, 2026-07-04, Stock, " + procedureLabel +
           "\n"
           "' Re-order level raised.\n"
           "'\n";
}

constexpr char kOpening[] =
    "' Stock rules.\n"
    "Option Explicit\n"
    "\n";
constexpr char kNeedsReorder[] =
    "' Name: NeedsReorder\n"
    "Public Function NeedsReorder(ByVal Quantity As Long) As Boolean\n"
    "NeedsReorder = Quantity < 10\n"
    "End Function\n"
    "\n";
constexpr char kAdjustDeclaration[] =
    "Public Sub Adjust(ByRef Quantity As Long, ByVal Delta As Long)\n";
constexpr char kAdjustBody[] =
    "Quantity = Quantity + _\n"
    "    Delta\n";
constexpr char kAdjustEnd[] =
    "If Quantity < 0 Then Quantity = 0\n"
    "End Sub\n";
// Line 4 opens NeedsReorder's header, line 9 declares Adjust, lines 10 and 11
// are one continued statement, line 12 follows it.
const std::string kStock = std::string(kOpening) + kNeedsReorder + kAdjustDeclaration +
                           kAdjustBody + kAdjustEnd;

TEST(InsertRevision, EachTargetAloneWritesInItsPlace) {
    RevisionBench bench;

    // Procedure, Before: below the comments that open the procedure's range.
    bench.fields = Targets(true, false, false, false);
    ExpectRevised(bench, kStock, 11,
                  kOpening + std::string(kNeedsReorder) + kProcBlock + kAdjustDeclaration +
                      kAdjustBody + kAdjustEnd);
    EXPECT_EQ(bench.outcome.written, std::vector{ProcedureTarget});
    ExpectRevised(bench, kStock, 6,
                  kOpening + std::string("' Name: NeedsReorder\n") + kProcBlock +
                      "Public Function NeedsReorder(ByVal Quantity As Long) As Boolean\n"
                      "NeedsReorder = Quantity < 10\n"
                      "End Function\n"
                      "\n" +
                      kAdjustDeclaration + kAdjustBody + kAdjustEnd);

    // Module: below the comment lines that open the module.
    bench.fields = Targets(false, true, false, false);
    ExpectRevised(bench, kStock, 11,
                  "' Stock rules.\n" + ModuleEntry("Adjust") + "Option Explicit\n\n" +
                      kNeedsReorder + kAdjustDeclaration + kAdjustBody + kAdjustEnd);
    EXPECT_EQ(bench.outcome.written, std::vector{ModuleTarget});

    // Code: directly above the cursor's line.
    bench.fields = Targets(false, false, false, true);
    ExpectRevised(bench, kStock, 12,
                  kOpening + std::string(kNeedsReorder) + kAdjustDeclaration + kAdjustBody +
                      kCodeBlock + kAdjustEnd);
    EXPECT_EQ(bench.outcome.written, std::vector{CodeTarget});
    EXPECT_TRUE(bench.dialogs.messages.empty());
}

// The procedure and module targets insert six lines above the cursor; the code
// block still lands directly above the line the cursor was on, not six lines
// higher between the lines of the continued statement.
TEST(InsertRevision, AllFourTargetsKeepTheCodeBlockAboveTheCursorLine) {
    RevisionBench bench;
    bench.fields = Targets(true, true, true, true);
    ExpectRevised(bench, kStock, 12,
                  "' Stock rules.\n" + ModuleEntry("Adjust") + "Option Explicit\n\n" +
                      kNeedsReorder + kProcBlock + kAdjustDeclaration + kAdjustBody +
                      kCodeBlock + kAdjustEnd);
    EXPECT_EQ(bench.outcome.written,
              (std::vector{ProcedureTarget, ModuleTarget, LogTarget, CodeTarget}));
    EXPECT_TRUE(bench.outcome.skipped.empty());

    // A block inserted at the cursor's own line moves it down as well.
    bench.fields = Targets(true, false, false, true);
    ExpectRevised(bench, kStock, 9,
                  kOpening + std::string(kNeedsReorder) + kProcBlock + kCodeBlock +
                      kAdjustDeclaration + kAdjustBody + kAdjustEnd);

    // A cursor above every insertion stays where it was.
    bench.fields = Targets(true, true, false, true);
    ExpectRevised(bench, kStock, 1,
                  kCodeBlock + "' Stock rules.\n" + kProcBlock + ModuleEntry("(Declarations)") +
                      "Option Explicit\n\n" + kNeedsReorder + kAdjustDeclaration +
                      kAdjustBody + kAdjustEnd);
}

TEST(InsertRevision, AfterPutsTheBlockBelowTheDeclarationOfThePart) {
    RevisionBench bench;
    bench.fields = Targets(true, false, false, false);
    bench.fields.before = false;
    ExpectRevised(bench, kStock, 11,
                  kOpening + std::string(kNeedsReorder) + kAdjustDeclaration + kProcBlock +
                      kAdjustBody + kAdjustEnd);

    // Each part of a property is found by its own keyword; the cursor on the
    // closing line of the Let part names that part.
    bench.fields.targets[ModuleTarget] = true;
    constexpr char kTotalGet[] =
        "Private mTotal As Long\n"
        "\n"
        "Public Property Get Total() As Long\n";
    constexpr char kTotalLet[] =
        "Total = mTotal\n"
        "End Property\n"
        "\n"
        "Public Property Let Total(ByVal Value As Long)\n";
    constexpr char kTotalEnd[] =
        "mTotal = Value\n"
        "End Property\n";
    const std::string total = std::string(kTotalGet) + kTotalLet + kTotalEnd;
    ExpectRevised(bench, total, 9,
                  ModuleEntry("[PropertyLet] Total") + kTotalGet + kTotalLet + kProcBlock +
                      kTotalEnd);
    ExpectRevised(bench, total, 4,
                  ModuleEntry("[PropertyGet] Total") + kTotalGet + kProcBlock + kTotalLet +
                      kTotalEnd);
    EXPECT_TRUE(bench.dialogs.messages.empty());
}

TEST(InsertRevision, AfterWithoutTheDeclarationTextSaysSoAndPlacesAsBefore) {
    RevisionBench bench;
    bench.fields = Targets(true, false, false, false);
    bench.fields.before = false;
    // "Foo(" stands nowhere: the name and its parenthesis are apart.
    ExpectRevised(bench,
                  "Option Explicit\n"
                  "\n"
                  "' Does the work.\n"
                  "Private Sub Foo ()\n"
                  "Debug.Print 1\n"
                  "End Sub\n",
                  5,
                  "Option Explicit\n"
                  "\n"
                  "' Does the work.\n" +
                      kProcBlock +
                      "Private Sub Foo ()\n"
                      "Debug.Print 1\n"
                      "End Sub\n");
    ASSERT_EQ(bench.dialogs.messages.size(), 1u);
    EXPECT_EQ(bench.dialogs.messages[0].prompt, "No Proc= Foo(");
    EXPECT_EQ(bench.dialogs.messages[0].style, 0);
    EXPECT_EQ(bench.dialogs.messages[0].title, "");
}

TEST(InsertRevision, OutsideEveryProcedureTheBlocksGoBelowTheOpeningComments) {
    RevisionBench bench;
    bench.fields = Targets(true, true, false, false);
    ExpectRevised(bench, kStock, 2,
                  "' Stock rules.\n" + kProcBlock + ModuleEntry("(Declarations)") +
                      "Option Explicit\n\n" + kNeedsReorder + kAdjustDeclaration + kAdjustBody +
                      kAdjustEnd);

    // A module whose first line is code takes the entry before line 1.
    bench.fields = Targets(false, true, false, false);
    ExpectRevised(bench, "Option Explicit\n", 1,
                  ModuleEntry("(Declarations)") + "Option Explicit\n");
}

TEST(InsertRevision, AModuleOfCommentsOnlySkipsTheModuleTarget) {
    RevisionBench bench;
    bench.fields = Targets(false, true, false, true);
    ExpectRevised(bench, "' Nothing here yet.\n' Still nothing.", 2,
                  "' Nothing here yet.\n" + kCodeBlock + "' Still nothing.");
    EXPECT_EQ(bench.outcome.written, std::vector{CodeTarget});
    ASSERT_EQ(bench.outcome.skipped.size(), 1u);
    EXPECT_EQ(revisions::SkipNotice(bench.outcome.skipped[0]),
              "the module target is skipped: the module holds no line that is not a comment");
}

}  // namespace
}  // namespace revisiontest
