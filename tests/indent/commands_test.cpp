// The Indent button and whole-module indenting, through the host's workspace.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/workspace.h"
#include "indent/indent.h"
#include "indent_fixture.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/settings.h"
#include "support/support.h"
#include "toolwindow/penwork.h"

namespace {

using indenttest::CodeOf;
using indenttest::ModuleOf;

constexpr const char* kProperty =
    "Option Explicit\n"
    "Private m As Long\n"
    "\n"
    "Property Get Value() As Long\n"
    "If m > 0 Then\n"
    "Value = m\n"
    "End If\n"
    "End Property\n"
    "\n"
    "Property Let Value(ByVal v As Long)\n"
    "If v > 0 Then\n"
    "m = v\n"
    "End If\n"
    "End Property\n";

/// The tool window's side of the Indent button, over a workspace.
struct Button {
    host::Workspace workspace;
    platform::RecordingDialogs dialogs;
    platform::StagedFiles files;
    platform::MemorySettings settings;
    toolwindow::PlainPenwork penwork{workspace, dialogs, files, settings};

    bool PressWithCursorAt(host::SourceModule& module, long line) {
        workspace.Open(module, "M", line);
        return Indent::IndentAtCursor(penwork);
    }
    void ExpectNoProcedureMessage() {
        ASSERT_EQ(1u, dialogs.messages.size());
        EXPECT_EQ("Please select a procedure to indent.", dialogs.messages[0].prompt);
        EXPECT_EQ(platform::vbInformation, dialogs.messages[0].style);
        EXPECT_EQ("Indent Procedure", dialogs.messages[0].title);
        EXPECT_EQ(0, dialogs.eventRuns);
    }
};

TEST(IndentButton, IndentsThePropertyPartThatHoldsTheCursor) {
    // On the Let part's End Property line, only the Let part is indented.
    host::SourceModule module = ModuleOf(kProperty);
    Button button;
    EXPECT_TRUE(button.PressWithCursorAt(module, 14));
    EXPECT_EQ(
        "Option Explicit\n"
        "Private m As Long\n"
        "\n"
        "Property Get Value() As Long\n"
        "If m > 0 Then\n"
        "Value = m\n"
        "End If\n"
        "End Property\n"
        "\n"
        "Property Let Value(ByVal v As Long)\n"
        "If v > 0 Then\n"
        "   m = v\n"
        "End If\n"
        "End Property\n",
        CodeOf(module));
    EXPECT_TRUE(button.dialogs.messages.empty());
    EXPECT_EQ(6, button.dialogs.eventRuns);
    EXPECT_FALSE(button.dialogs.busy);

    EXPECT_TRUE(button.PressWithCursorAt(module, 6));
    EXPECT_EQ(12, button.dialogs.eventRuns);
    EXPECT_NE(std::string::npos, CodeOf(module).find("If m > 0 Then\n   Value = m\n"));
}

TEST(IndentButton, WithoutAProcedureAtTheCursorShowsAMessageAndChangesNothing) {
    host::SourceModule module = ModuleOf(kProperty);
    const std::string before = module.Text();

    Button inDeclarations;
    EXPECT_FALSE(inDeclarations.PressWithCursorAt(module, 2));
    inDeclarations.ExpectNoProcedureMessage();
    EXPECT_EQ((std::vector<bool>{false, true}), inDeclarations.dialogs.onTopCalls);

    Button noCodePane;
    noCodePane.workspace.Open(module, "M", 6);
    noCodePane.workspace.Unfocus();
    EXPECT_FALSE(Indent::IndentAtCursor(noCodePane.penwork));
    noCodePane.ExpectNoProcedureMessage();

    EXPECT_EQ(before, module.Text());
}

TEST(IndentProcedure, APropertyWithoutThePartRunsOverNoLines) {
    // No Get, Let or Set part holds line 2, and the property has no Sub or
    // Function: nothing is read, nothing changes.
    host::SourceModule module = ModuleOf(kProperty);
    const std::string before = module.Text();
    platform::RecordingDialogs dialogs;
    Indent::IndentProcedure(dialogs, module, "Value", 2);
    Indent::IndentProcedure(dialogs, module, "Missing", 6);
    EXPECT_EQ(before, module.Text());
    EXPECT_EQ(0, dialogs.eventRuns);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(IndentModule, IndentsEveryProcedureAndKeepsTheDeclarations) {
    host::SourceModule module = ModuleOf(
        "Option Explicit\n"
        "  Const N = 3\n"
        "    Dim a As Long\n"
        "Private Type T\n"
        "x As Long\n"
        "End Type\n"
        "\n"
        "  ' Foo's comment\n"
        "Sub Foo()\n"
        "For i = 1 To N\n"
        "a = i\n"
        "Next\n"
        "End Sub\n"
        "Property Get P()\n"
        "With a\n"
        "End With\n"
        "End Property\n"
        "Property Let P(v)\n"
        "If v Then\n"
        "End Property\n"
        "Function Bar()\n"
        "Do\n"
        "Loop\n"
        "End Function\n"
        "   ' trailing\n");
    platform::RecordingDialogs dialogs;
    const std::vector<Indent::IndentedBlock> blocks = Indent::IndentModule(dialogs, module);
    EXPECT_EQ(
        "Option Explicit\n"
        "  Const N = 3\n"
        "    Dim a As Long\n"
        "Private Type T\n"
        "x As Long\n"
        "End Type\n"
        "\n"
        "' Foo's comment\n"
        "Sub Foo()\n"
        "For i = 1 To N\n"
        "   a = i\n"
        "Next\n"
        "End Sub\n"
        "Property Get P()\n"
        "With a\n"
        "End With\n"
        "End Property\n"
        "Property Let P(v)\n"
        "If v Then\n"
        "End Property\n"
        "Function Bar()\n"
        "Do\n"
        "Loop\n"
        "End Function\n"
        "' trailing\n",
        CodeOf(module));
    ASSERT_EQ(4u, blocks.size());
    EXPECT_EQ("Foo", blocks[0].procName);
    EXPECT_EQ(7, blocks[0].startLine);
    EXPECT_EQ(7, blocks[0].lineCount);
    EXPECT_EQ(ide::vbext_pk_Get, blocks[1].kind);
    EXPECT_EQ(ide::vbext_pk_Let, blocks[2].kind);
    EXPECT_EQ("Bar", blocks[3].procName);
    EXPECT_EQ(25, blocks[3].startLine + blocks[3].lineCount - 1);
    EXPECT_EQ(19, dialogs.eventRuns);
}

/// The lines of a text without their leading and trailing blanks.
std::vector<std::string> BlankTrimmedLines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at <= text.size();) {
        std::size_t end = std::min(text.find('\n', at), text.size());
        std::string line = text.substr(at, end - at);
        line.erase(0, line.find_first_not_of(' '));
        line.erase(line.find_last_not_of(" \r") + 1);
        lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

TEST(IndentModule, ExampleModulesChangeOnlyInBlanksAndASecondRunChangesNothing) {
    for (const char* name : {"Inventory.bas", "Customer.cls", "frmMain.frm"}) {
        SCOPED_TRACE(name);
        const std::string original = testsupport::ReadFile(std::string(QUILLMARK_EXAMPLES "/") + name);
        host::SourceModule module(original);
        platform::RecordingDialogs dialogs;
        Indent::IndentModule(dialogs, module);
        const std::string once = module.Text();
        EXPECT_EQ(BlankTrimmedLines(original), BlankTrimmedLines(once));
        Indent::IndentModule(dialogs, module);
        EXPECT_EQ(once, module.Text());
    }
}

TEST(IndentModule, AModuleInStyleComesBackByteForByte) {
    // Customer.cls has a hidden prelude, a member attribute line and every
    // kind of property part.
    const std::string customer = testsupport::ReadFile(QUILLMARK_EXAMPLES "/Customer.cls");
    host::SourceModule module(customer);
    platform::RecordingDialogs dialogs;
    std::vector<std::string> parts;
    for (const auto& block : Indent::IndentModule(dialogs, module))
        parts.push_back(block.procName + "/" + std::to_string(block.kind));
    EXPECT_EQ(customer, module.Text());
    EXPECT_EQ((std::vector<std::string>{"Name/3", "Name/1", "Account/3", "Account/2", "CanBuy/0"}),
              parts);
}

}  // namespace
