#include <sstream>

#include "headers/header_text.h"
#include "headers/proc_header.h"
#include "stage.h"

namespace {

using stage::kNameLine;

enum Placement { Before, After };

const std::string kSub = "Option Explicit\n\nPublic Sub Foo()\nx = 1\nEnd Sub\n";
const std::string kProperty = "Option Explicit\n\nPublic Property Get Owner() As Object\nEnd Property\n\n"
                              "Public Property Set Owner(ByVal Value As Object)\nSet mOwner = Value\nEnd Property\n";
const std::string kContinued =
    "Option Explicit\n\nPublic Sub AdjustStock(ByRef Item As StockItem, _\n"
    "                      ByVal Delta As Long, _\n"
    "                      Optional ByVal Reason As String = \"count\")\n"
    "Item.Quantity = Item.Quantity + Delta\nEnd Sub\n";
// Line 5, a comment below a numbered End Sub, is C's.
const std::string kNumbered = "Option Explicit\n\nSub B()\n10 End Sub\n' about C\nSub C()\nEnd Sub\n";
const std::string kSpaced = "Option Explicit\n\nPublic Sub Foo (ByVal n As Long)\nEnd Sub\n\n"
                            "Public Property Get Total () As Long\nEnd Property\n";

// `code` with the header block for `name` put in before its line `at` (0: none).
// The block's own bytes are the header text's test; this one is about where it goes.
std::string WithBlockAt(stage::Stage& stage, const std::string& code, long at, const std::string& name) {
    std::istringstream in(code);
    std::string out, line;
    for (long n = 1; std::getline(in, line); ++n)
        out += (n == at ? headers::sProcHeader(stage.window, name) + "\n" : "") + line + "\n";
    std::erase(out, '\r');
    return out;
}

struct Case {
    const std::string& code;
    long line;  // the cursor's code line
    Placement where;
    long at;  // the line of `code` the block goes in before; 0: nothing written
    std::string name;
    std::string messages = "";  // "title|style|prompt" a line
};

TEST(ProcedureHeader, GoesBeforeTheDeclarationOrRightAfterIt) {
    const Case cases[] = {
        {kSub, 4, Before, 3, "Foo"},
        {kNumbered, 5, Before, 6, "C"},
        {kSub, 1, Before, 0, "", "No Procedure Selected|64|Please select a procedure for this header\n"},
        {kContinued, 6, After, 6, "AdjustStock"},
        // Each part of a property is found by its own keyword (Let: the revision's
        // procedure target, which places its block the same way; Get: below).
        {kProperty, 7, After, 7, "Set Owner"},
        // After, when the declaration is not written as searched for: a message, then Before.
        {kSpaced, 4, After, 3, "Foo", "|0|No Proc= Foo(\n"},
        {kSpaced, 7, After, 6, "Get Total", "|0|No Get= Property Get Total(\n"},
    };
    for (const Case& c : cases) {
        stage::Stage stage(stage::Crlf(kNameLine + c.code), "Module1", c.line);
        stage.window.headerBefore = c.where == Before;
        headers::InsertProcHeader(stage.window, stage.module, c.line);
        SCOPED_TRACE((c.where == Before ? "Before, line " : "After, line ") + std::to_string(c.line) + "\n" + c.code);
        EXPECT_EQ(stage.Code(), kNameLine + WithBlockAt(stage, c.code, c.at, c.name));
        EXPECT_EQ(stage.Messages(), c.messages);
    }
}

}  // namespace
