#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "headers/proc_header.h"
#include "stage.h"

namespace {

using headertest::Lf;
using headertest::ModuleFile;
using headertest::Stage;

enum Placement { Before, After };

const std::string kRule = "'----------" "----------" "----------" "----------"
                          "----------" "----------" "----------";

// The header block for `name` as lines joined by "\n", with no line end after
// its closing rule; with the example project or without a project.
std::string Block(const std::string& name, bool exampleProject) {
    return kRule + "\n' Name:\t\t\t" + name + "\n" +
           (exampleProject ? "' Copyright:\tCopyright \u00a9 2026 Harbour Lane Traders\n" : "") +
           "' Author:\t\tJo Doe\n"
           "' Created:\t\tSaturday, July 04,2026 @ 1:05:09 pm (Vers: " +
           (exampleProject ? "2.1.0017" : "") + ")\n'\n' Description:\n" + kRule;
}

// `text` with every line "@@ NAME" replaced by the header block for NAME.
std::string WithBlocks(const std::string& text, bool exampleProject = false) {
    std::istringstream lines(text);
    std::string out, line;
    while (std::getline(lines, line))
        out += (line.starts_with("@@ ") ? Block(line.substr(3), exampleProject) : line) + "\n";
    return out;
}

// Inserts a procedure header for the cursor on code line `line` of `code` and
// checks the code that results (a line "@@ NAME" stands for the block of NAME)
// and the message boxes shown ("title|style|prompt" a line).
void ExpectPlaced(const std::string& code, long line, Placement where, const std::string& expected,
                  const std::string& messages = "") {
    Stage stage(ModuleFile(code), "Module1", line);
    stage.window.headerBefore = where == Before;
    headers::InsertProcHeader(stage.window, stage.module, line);
    EXPECT_EQ(stage.Code(), WithBlocks(expected))
        << (where == Before ? "Before" : "After") << ", line " << line;
    EXPECT_EQ(stage.Messages(), messages);
}

const std::string kSub =
    "Option Explicit\n"
    "\n"
    "Public Sub Foo()\n"
    "x = 1\n"
    "End Sub\n";

TEST(ProcedureHeaderPlacement, GoesBeforeTheDeclarationOrRightAfterIt) {
    const std::string before =
        "Option Explicit\n"
        "\n"
        "@@ Foo\n"
        "Public Sub Foo()\n"
        "x = 1\n"
        "End Sub\n";
    ExpectPlaced(kSub, 4, Before, before);
    ExpectPlaced(kSub, 3, Before, before);
    ExpectPlaced(kSub, 5, Before, before);  // the End line belongs to the procedure
    ExpectPlaced(kSub, 4, After,
                 "Option Explicit\n"
                 "\n"
                 "Public Sub Foo()\n"
                 "@@ Foo\n"
                 "x = 1\n"
                 "End Sub\n");

    // A procedure's range begins right after the previous procedure's End line.
    const std::string two =
        "Option Explicit\n"
        "\n"
        "Sub First()\n"
        "End Sub\n"
        "' Second one.\n"
        "Private Function Second(ByVal n As Long) As Long\n"
        "Second = n\n"
        "End Function\n";
    ExpectPlaced(two, 7, Before,
                 "Option Explicit\n"
                 "\n"
                 "Sub First()\n"
                 "End Sub\n"
                 "' Second one.\n"
                 "@@ Second\n"
                 "Private Function Second(ByVal n As Long) As Long\n"
                 "Second = n\n"
                 "End Function\n");
    ExpectPlaced(two, 8, After,
                 "Option Explicit\n"
                 "\n"
                 "Sub First()\n"
                 "End Sub\n"
                 "' Second one.\n"
                 "Private Function Second(ByVal n As Long) As Long\n"
                 "@@ Second\n"
                 "Second = n\n"
                 "End Function\n");

    // A range that begins with the declaration itself: Before lands below it too.
    ExpectPlaced(
        "Option Explicit\n"
        "Public Function Bar() As Long\n"
        "Bar = 1\n"
        "End Function\n",
        3, Before,
        "Option Explicit\n"
        "Public Function Bar() As Long\n"
        "@@ Bar\n"
        "Bar = 1\n"
        "End Function\n");
}

TEST(ProcedureHeaderPlacement, NamesAndPlacesEachPartOfAProperty) {
    const std::string code =
        "Option Explicit\n"
        "Private mTotal As Long\n"
        "\n"
        "Public Property Get Total() As Long\n"
        "Total = mTotal\n"
        "End Property\n"
        "\n"
        "Public Property Let Total(ByVal Value As Long)\n"
        "mTotal = Value\n"
        "End Property\n"
        "\n"
        "Public Property Set Owner(ByVal Value As Object)\n"
        "Set mOwner = Value\n"
        "End Property\n";
    // The code with the block for `name` put in before its line `at`.
    const auto placed = [&](long at, const std::string& name) {
        std::string lines;
        std::istringstream in(code);
        std::string line;
        for (long n = 1; std::getline(in, line); ++n) {
            if (n == at) lines += "@@ " + name + "\n";
            lines += line + "\n";
        }
        return lines;
    };
    ExpectPlaced(code, 5, Before, placed(4, "Get Total"));
    ExpectPlaced(code, 5, After, placed(5, "Get Total"));
    // The Get part stands above: a line of the Let part fails the Get range first.
    ExpectPlaced(code, 9, Before, placed(8, "Let Total"));
    ExpectPlaced(code, 9, After, placed(9, "Let Total"));
    ExpectPlaced(code, 10, After, placed(9, "Let Total"));
    ExpectPlaced(code, 13, Before, placed(12, "Set Owner"));
    ExpectPlaced(code, 14, After, placed(13, "Set Owner"));
}

TEST(ProcedureHeaderPlacement, GoesBelowTheLastLineOfAContinuedDeclaration) {
    const std::string code =
        "Option Explicit\n"
        "\n"
        "Public Sub AdjustStock(ByRef Item As StockItem, _\n"
        "                      ByVal Delta As Long, _\n"
        "                      Optional ByVal Reason As String = \"count\")\n"
        "Item.Quantity = Item.Quantity + Delta\n"
        "End Sub\n";
    ExpectPlaced(code, 6, After,
                 "Option Explicit\n"
                 "\n"
                 "Public Sub AdjustStock(ByRef Item As StockItem, _\n"
                 "                      ByVal Delta As Long, _\n"
                 "                      Optional ByVal Reason As String = \"count\")\n"
                 "@@ AdjustStock\n"
                 "Item.Quantity = Item.Quantity + Delta\n"
                 "End Sub\n");
    ExpectPlaced(code, 6, Before,
                 "Option Explicit\n"
                 "\n"
                 "@@ AdjustStock\n"
                 "Public Sub AdjustStock(ByRef Item As StockItem, _\n"
                 "                      ByVal Delta As Long, _\n"
                 "                      Optional ByVal Reason As String = \"count\")\n"
                 "Item.Quantity = Item.Quantity + Delta\n"
                 "End Sub\n");
    // Before, with the range beginning at the declaration.
    ExpectPlaced(
        "Option Explicit\n"
        "Sub Foo(ByVal a As Long, _\n"
        "        ByVal b As Long)\n"
        "End Sub\n",
        4, Before,
        "Option Explicit\n"
        "Sub Foo(ByVal a As Long, _\n"
        "        ByVal b As Long)\n"
        "@@ Foo\n"
        "End Sub\n");
}

TEST(ProcedureHeaderPlacement, ReportsWhatItCannotPlace) {
    // Outside every procedure: only the message, nothing written.
    const std::string noProcedure =
        "No Procedure Selected|64|Please select a procedure for this header\n";
    ExpectPlaced(kSub, 1, Before, kSub, noProcedure);
    ExpectPlaced(kSub, 1, After, kSub, noProcedure);
    ExpectPlaced(kSub, 0, Before, kSub, noProcedure);
    ExpectPlaced(kSub, 99, Before, kSub, noProcedure);

    // After, when the declaration is not written as searched for: the message,
    // then the block as for Before.
    ExpectPlaced(
        "Option Explicit\n"
        "\n"
        "Public Sub Foo (ByVal n As Long)\n"
        "End Sub\n",
        4, After,
        "Option Explicit\n"
        "\n"
        "@@ Foo\n"
        "Public Sub Foo (ByVal n As Long)\n"
        "End Sub\n",
        "|0|No Proc= Foo(\n");
    ExpectPlaced(
        "Option Explicit\n"
        "\n"
        "Public Property Get Total () As Long\n"
        "End Property\n",
        4, After,
        "Option Explicit\n"
        "\n"
        "@@ Get Total\n"
        "Public Property Get Total () As Long\n"
        "End Property\n",
        "|0|No Get= Property Get Total(\n");

    // The first match in the range counts, a comment above the declaration too.
    ExpectPlaced(
        "Option Explicit\n"
        "\n"
        "' Call Foo(1) to start.\n"
        "Public Sub Foo(ByVal n As Long)\n"
        "End Sub\n",
        5, After,
        "Option Explicit\n"
        "\n"
        "' Call Foo(1) to start.\n"
        "@@ Foo\n"
        "Public Sub Foo(ByVal n As Long)\n"
        "End Sub\n");
}

TEST(ProcedureHeaderPlacement, TakesTheToolWindowOffTheTopAroundItsMessage) {
    Stage stage(ModuleFile(kSub), "Module1", 1);
    stage.dialogs.busy = true;
    headers::InsertProcHeader(stage.window, stage.module, 1);
    EXPECT_FALSE(stage.dialogs.busy);
    EXPECT_EQ(stage.dialogs.onTopCalls, (std::vector<bool>{false, true}));
}

// A file of the example project after a header for the cursor on code line `line`.
std::string ExamplePlaced(const std::string& file, long line, Placement where) {
    Stage stage(headertest::ExampleFile(file), "Example", line);
    stage.UseExampleProject();
    stage.window.headerBefore = where == Before;
    headers::InsertProcHeader(stage.window, stage.module, line);
    return Lf(stage.module.Text());
}

// `text` with the block for `name` put in right above or right below its first
// line `anchor`.
std::string WithBlock(const std::string& text, Placement where, const std::string& anchor,
                      const std::string& name) {
    std::string out = text;
    std::size_t at = out.find("\n" + anchor + "\n");
    if (at == std::string::npos) return "(no line " + anchor + ")";
    at += where == Before ? 1 : anchor.size() + 2;
    out.insert(at, Block(name, true) + "\n");
    return out;
}

TEST(ProcedureHeaderPlacement, WorksOnTheExampleProject) {
    const std::string customer = Lf(headertest::ExampleFile("Customer.cls"));
    // The member attribute line stays with the declaration it belongs to.
    EXPECT_EQ(ExamplePlaced("Customer.cls", 8, After),
              WithBlock(customer, After, "Attribute Name.VB_UserMemId = 0", "Get Name"));
    EXPECT_EQ(ExamplePlaced("Customer.cls", 12, After),
              WithBlock(customer, After, "Public Property Let Name(ByVal Value As String)",
                        "Let Name"));
    EXPECT_EQ(ExamplePlaced("Customer.cls", 20, Before),
              WithBlock(customer, Before, "Public Property Set Account(ByVal Value As Object)",
                        "Set Account"));

    const std::string inventory = Lf(headertest::ExampleFile("Inventory.bas"));
    EXPECT_EQ(ExamplePlaced("Inventory.bas", 28, After),
              WithBlock(inventory, After,
                        "                      Optional ByVal Reason As String = \"count\")",
                        "AdjustStock"));
    EXPECT_EQ(ExamplePlaced("Inventory.bas", 28, Before),
              WithBlock(inventory, Before,
                        "Public Sub AdjustStock(ByRef Item As StockItem, _", "AdjustStock"));
}

}  // namespace
