// The indenter: VB in, VB out, over the host's module, line by line, for the
// Indent button and for whole modules.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "headers/stage.h"
#include "indent/indent.h"

namespace {

/// One run over every line.
std::string IndentAll(std::string_view code) {
    host::SourceModule module(code);
    platform::RecordingDialogs dialogs;
    Indent::IndentBlock(dialogs, module, 1, module.CountOfLines());
    return module.Text();
}

struct Case {
    const char* expected;
    const char* input = nullptr;  // none: `expected` with every line flush left
};

TEST(IndentBlock, IndentsByTheKeywordRules) {
    const Case cases[] = {
        // Blocks opened by a word and closed by a word or a prefix.
        {"For i = 1 To 3\n   Do\n      While x > 0\n         With rs\n            .MoveNext\n         End With\n"
         "      Wend\n   Loop Until x > 9\nNext\n"},
        // A word is the whole text or the word and a blank; these are statements
        // (one for each way a word row could move or keep a line).
        {"If x Then\n   Fortune = 1\n   DoEvents\n   Nextx = 2\n   Else:\n   Statics = 3\n   Subtotal = 4\nEnd If\n"},
        // Else, ElseIf and Case one level out; Select Case opens two levels.
        {"If a = 1 Then\n   x = 1\nElseIf a = 2 Then\n   If b Then\n      x = 3\n   Else ' otherwise\n      x = 4\n"
         "   End If\nElse\n   Select Case x\n      Case 1\n         y = 1\n      Case 2, 3\n         Select Case z\n"
         "            Case Else\n               y = 2\n         End Select\n      Case Else\n         y = 0\n"
         "   End Select\nEnd If ' a\ny = 0\n"},
        // The If rule: a block If when nothing or only a comment follows the
        // first "Then"; anything else, even the rest of a name, is one line.
        {"If x Then y = 1\nIf x Then: y = 1\nIf x = 1\nIf bThenFlag Then\nIf x Then\n   If y Then ' note\n      z = 1\n"
         "   End If\nEnd If\n"},
        {"If x Then\n   y = 1\n", "If x Then   \ny = 1\n"},
        // A continued If opens a block whatever follows Then.
        {"If x _\n      Then y = 1\n   z = 2\nNext\nw = 3\n"},
        // Type and Enum, also after Public or Private and as bare prefixes.
        {"Type Point\n   Public Type Size\n      Enum Colour\n         Private Enum Mode\n            Fast\n"
         "         End Enum\n      End Enum\n   End Type\nEnd Type\nPublic Typeface As Long\n   Private Enumerations\n"
         "      y\n"},
        // Prefixes need no word break; a "#" line stands at the level.
        {"If a Then\n   With b\n      Select Case c\n         Case 1\n            #If Win64 Then\n            d = 1\n"
         "            #End If\n      End Selected\n   End Without\nEnd If: e = 1\n"},
        // Declarations keep their blanks, by prefix or by word; Static, Option and procedure ends go flush.
        {"Option Explicit\n  Public Sub Foo()\nx = 1\nEnd Sub\n     Friend Function Baz()\nEnd Function\n"
         "    Sub Bare()\n Function F()\n  Property Get P()\nFor i = 1 To 2\nStatic s As Long\n"
         "      Public Sub Garply()\nNext\n",
         "  Option Explicit\n  Public Sub Foo()\n      x = 1\n  End Sub\n     Friend Function Baz()\n  End Function\n"
         "    Sub Bare()\n Function F()\n  Property Get P()\nFor i = 1 To 2\n   Static s As Long\n"
         "      Public Sub Garply()\nNext\n"},
        // Comments, blank lines and Dim go flush left.
        {"For i = 1 To 2\n' in the loop\nDim j As Long\n\n   Do\n'\n      j = i\n   Loop\nNext\n",
         "For i = 1 To 2\n      ' in the loop\n   Dim j As Long\n      \nDo\n   '   \nj = i\nLoop\nNext\n"},
        // Continued statements one level deeper, over two and three lines;
        // comments and blank lines between change nothing.
        {"x = 1 + _\n   2\nFor i = 1 To 2\n   s = \"a\" & _\n      \"b\" &_\n'\n\n      \"c\"\n   Call Bar(1, _\n"
         "      2)\nNext\ny = 2\n"},
        // Continuation lines are not classified.
        {"  Public Sub Foo(ByVal a As Long, _\n   ByVal b As Long)\nx = Array(1, _\n   For, _\n   Next)\nEnd Sub\n",
         "  Public Sub Foo(ByVal a As Long, _\n                 ByVal b As Long)\nx = Array(1, _\nFor, _\nNext)\n"
         "End Sub\n"},
        // Closing lines without an opening one stay at level 0.
        {"Else\nCase 1\nNext\nEnd Select\nFor i = 1 To 2\n   x = i\nNext\n"},
    };
    for (const Case& c : cases) {
        std::string flush;
        std::istringstream lines(c.expected);
        for (std::string line; std::getline(lines, line);)
            flush += line.substr(std::min(line.find_first_not_of(' '), line.size())) + "\n";
        const std::string input = c.input ? c.input : flush;
        EXPECT_EQ(c.expected, IndentAll(input)) << "from input:\n" << input;
    }
}

TEST(IndentBlock, RunsOverTheGivenLinesAndEndsQuietlyWhereTheHostRefuses) {
    platform::RecordingDialogs dialogs;
    host::SourceModule module(" a\n b\n c\n d\n e\n");
    Indent::IndentBlock(dialogs, module, 2, 2);
    Indent::IndentBlock(dialogs, module, 1, 0);
    EXPECT_EQ(" a\nb\nc\n d\n e\n", module.Text());
    Indent::IndentBlock(dialogs, module, 5, 10);  // the host refuses to read line 6: the run ends there
    EXPECT_EQ(" a\nb\nc\n d\ne\n", module.Text());
    EXPECT_EQ(4, dialogs.eventRuns);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(IndentBlock, EndsWhereTheIndentationWouldPassTheSixteenBitLimit) {
    // 3 * 10922 = 32766 blanks fit a signed 16-bit width; 3 * 10923 do not.
    // 5461 Select Case lines reach level 10922; the For line opens 10923.
    std::string code;
    for (int i = 0; i < 5461; ++i) code += "Select Case x\n";
    host::SourceModule module(code + "' deep\nFor i = 1 To 2\nx = 1\ny = 2\n");
    platform::RecordingDialogs dialogs;
    Indent::IndentBlock(dialogs, module, 1, module.CountOfLines());
    EXPECT_EQ(std::string(32760, ' ') + "Select Case x\r\n' deep\r\n" + std::string(32766, ' ') +
                  "For i = 1 To 2\r\nx = 1",
              module.Lines(5461, 4));
    EXPECT_EQ(5464, dialogs.eventRuns);  // "y = 2" was never reached
}

constexpr const char* kProperty =
    "Option Explicit\nPrivate m As Long\n\nProperty Get Value() As Long\nIf m > 0 Then\nValue = m\n"
    "End If\nEnd Property\n\nProperty Let Value(ByVal v As Long)\nIf v > 0 Then\nm = v\nEnd If\n"
    "End Property\n";

TEST(IndentAtCursor, IndentsThePropertyPartThatHoldsTheCursor) {
    stage::Stage stage(stage::Crlf(kProperty), "M", 14);  // the Let part's End Property
    EXPECT_TRUE(Indent::IndentAtCursor(stage.window));
    std::string expected = kProperty;
    expected.replace(expected.find("m = v"), 0, "   ");
    EXPECT_EQ(stage.Code(), expected);

    // No code pane: no procedure, as in the declarations section.
    stage.workspace.Unfocus();
    EXPECT_FALSE(Indent::IndentAtCursor(stage.window));
    EXPECT_EQ(stage.Code(), expected);
    EXPECT_EQ(stage.Messages(), "Indent Procedure|64|Please select a procedure to indent.\n");
}

/// Counts the pending-event runs that come without the busy cursor.
struct BusyCheckingDialogs : platform::RecordingDialogs {
    void DoEvents() override { RecordingDialogs::DoEvents(); eventsWhileIdle += busy ? 0 : 1; }
    int eventsWhileIdle = 0;
};

// The busy cursor stays on for the whole run.
TEST(IndentModule, IndentsEveryProcedureAndKeepsTheDeclarations) {
    host::SourceModule module(stage::Crlf("Option Explicit\n  Const N = 3\n\n  ' Foo's comment\nSub Foo()\n"
                                          "For i = 1 To N\na = i\nNext\nEnd Sub\nProperty Get P()\nIf a Then\n"
                                          "End Property\nProperty Let P(v)\nWith v\nEnd Property\n   ' trailing\n"));
    BusyCheckingDialogs dialogs;
    std::vector<std::string> blocks;
    for (const Indent::IndentedBlock& b : Indent::IndentModule(dialogs, module))
        blocks.push_back(b.procName + "/" + std::to_string(b.kind) + "/" + std::to_string(b.startLine) +
                         "+" + std::to_string(b.lineCount));
    EXPECT_EQ(stage::Crlf("Option Explicit\n  Const N = 3\n\n' Foo's comment\nSub Foo()\nFor i = 1 To N\n"
                          "   a = i\nNext\nEnd Sub\nProperty Get P()\nIf a Then\nEnd Property\n"
                          "Property Let P(v)\nWith v\nEnd Property\n' trailing\n"),
              module.Text());
    EXPECT_EQ((std::vector<std::string>{"Foo/0/3+7", "P/3/10+3", "P/1/13+4"}), blocks);
    EXPECT_EQ(0, dialogs.eventsWhileIdle);
    EXPECT_FALSE(dialogs.busy);
}

}  // namespace
