// The keyword rules, line by line: VB in, VB out. The one-argument checks
// indent the expected text with every line moved flush left.
#include <gtest/gtest.h>

#include "indent_fixture.h"

namespace {

using indenttest::VerifyIndent;

TEST(IndentRules, LoopsAndWithBlocksIndentTheirBodies) {
    VerifyIndent(
        "Sub Foo()\n"
        "For i = 1 To 3\n"
        "   For Each v In c\n"
        "      Debug.Print v\n"
        "   Next\n"
        "Next i\n"
        "Do While x < 3\n"
        "   Do\n"
        "      DoEvents\n"
        "   Loop Until x > 9\n"
        "Loop\n"
        "While x > 0\n"
        "   With rs\n"
        "      .MoveNext\n"
        "   End With\n"
        "Wend\n"
        "End Sub\n");
}

TEST(IndentRules, AWordIsTheWholeTextOrTheWordAndABlank) {
    // These only start with a keyword; they are ordinary statements.
    VerifyIndent(
        "Fortune = 1\n"
        "DoEvents\n"
        "Loops = 2\n"
        "Withdraw 3\n"
        "Nextx = 4\n"
        "Cases = 5\n"
        "Types = 6\n"
        "Enumerate\n"
        "Else:\n"
        "Whilst = 7\n"
        "Wending = 8\n"
        "Options = 9\n"
        "Statics = 10\n"
        "Subtotal = 11\n");
}

TEST(IndentRules, ElseElseIfAndCaseStandOneLevelOut) {
    VerifyIndent(
        "If a = 1 Then\n"
        "   x = 1\n"
        "ElseIf a = 2 Then\n"
        "   If b Then\n"
        "      x = 3\n"
        "   Else ' otherwise\n"
        "      x = 4\n"
        "   End If\n"
        "Else\n"
        "   Select Case x\n"
        "      Case 1\n"
        "         y = 1\n"
        "      Case 2, 3\n"
        "         Select Case z\n"
        "            Case Else\n"
        "               y = 2\n"
        "         End Select\n"
        "      Case Else\n"
        "         y = 0\n"
        "   End Select\n"
        "End If ' a\n"
        "y = 0\n");
}

TEST(IndentRules, TheIfRule) {
    // Nothing after the first "Then", or only a comment: a block If. Anything
    // else, even the rest of a name, makes a single-line If.
    VerifyIndent(
        "If x Then y = 1\n"
        "If x Then y = 1 Else y = 2\n"
        "If x Then: y = 1\n"
        "If x = 1\n"
        "If bThenFlag Then\n"
        "If x Then\n"
        "   If y Then ' note\n"
        "      z = 1\n"
        "   End If\n"
        "End If\n");
    VerifyIndent("If x Then\n   y = 1\n", "If x Then   \ny = 1\n");
}

TEST(IndentRules, AContinuedIfOpensABlockEvenWithAStatementAfterThen) {
    // The level stays one too deep until a later closing line.
    VerifyIndent(
        "If x _\n"
        "      Then y = 1\n"
        "   z = 2\n"
        "Next\n"
        "w = 3\n");
}

TEST(IndentRules, TypeAndEnumBlocks) {
    // "Public Type" and "Public Enum" come before "Public " would keep the
    // line; as prefixes they also take "Public Typeface" and the like.
    VerifyIndent(
        "Type Point\n"
        "   X As Long\n"
        "End Type\n"
        "Public Type Size\n"
        "   Private Type Rect\n"
        "      Enum Colour\n"
        "         Public Enum Shade\n"
        "            Private Enum Mode\n"
        "               Fast\n"
        "            End Enum\n"
        "         End Enum\n"
        "      End Enum\n"
        "   End Type\n"
        "End Type\n"
        "Public Typeface As Long\n"
        "   Private Enumerations\n"
        "      y\n");
}

TEST(IndentRules, PrefixKeywordsNeedNoWordBreak) {
    VerifyIndent(
        "If a Then\n"
        "   With b\n"
        "      Select Case c\n"
        "         Case 1\n"
        "            #If Win64 Then\n"
        "            d = 1\n"
        "            #End If\n"
        "      End Selected\n"
        "   End Without\n"
        "End If: e = 1\n");
}

TEST(IndentRules, DeclarationsAreKeptExactlyAsTheyStand) {
    // Public, Private, Friend, Property, Sub, Function and Global lines keep
    // their leading blanks; Static, Option and the End lines of procedures go
    // to column 1.
    VerifyIndent(
        "Option Explicit\n"
        "  Public Sub Foo()\n"
        "x = 1\n"
        "End Sub\n"
        "    Private Function Bar() As Long\n"
        "     Friend Function Baz()\n"
        "   Property Get Qux()\n"
        "End Property\n"
        " Sub Quux()\n"
        "  Function Corge()\n"
        "End Function\n"
        "  Global g As Long\n"
        "  Private Const N = 1\n"
        "Static Function Grault()\n"
        "For i = 1 To 2\n"
        "Static s As Long\n"
        "      Public Sub Garply()\n"
        "Next\n",
        "  Option Explicit\n"
        "  Public Sub Foo()\n"
        "      x = 1\n"
        "  End Sub\n"
        "    Private Function Bar() As Long\n"
        "     Friend Function Baz()\n"
        "   Property Get Qux()\n"
        "   End Property\n"
        " Sub Quux()\n"
        "  Function Corge()\n"
        "  End Function\n"
        "  Global g As Long\n"
        "  Private Const N = 1\n"
        "  Static Function Grault()\n"
        "For i = 1 To 2\n"
        "   Static s As Long\n"
        "      Public Sub Garply()\n"
        "Next\n");
}

TEST(IndentRules, CommentsBlankLinesAndDimGoToColumnOne) {
    VerifyIndent(
        "For i = 1 To 2\n"
        "' in the loop\n"
        "Dim j As Long\n"
        "\n"
        "   Do\n"
        "'\n"
        "Dim s As String\n"
        "      j = i\n"
        "   Loop\n"
        "Next\n",
        "For i = 1 To 2\n"
        "      ' in the loop\n"
        "   Dim j As Long\n"
        "      \n"
        "Do\n"
        "   '   \n"
        "      Dim s As String\n"
        "j = i\n"
        "Loop\n"
        "Next\n");
}

TEST(IndentRules, KeywordsAreCaseSensitive) {
    VerifyIndent(
        "If x Then\n"
        "   end if\n"
        "   for i = 1 To 2\n"
        "   public sub\n"
        "   dim z\n"
        "End If\n");
}

TEST(IndentRules, ContinuedStatementsStandOneLevelDeeper) {
    // Comments and blank lines inside a continued statement change nothing.
    VerifyIndent(
        "x = 1 + _\n"
        "   2\n"
        "For i = 1 To 2\n"
        "   s = \"a\" & _\n"
        "      \"b\" &_\n"
        "'\n"
        "\n"
        "      \"c\" & _\n"
        "      \"d\"\n"
        "   Call Bar(1, _\n"
        "      2)\n"
        "Next\n"
        "y = 2\n");
}

TEST(IndentRules, ContinuationLinesAreNotClassified) {
    VerifyIndent(
        "  Public Sub Foo(ByVal a As Long, _\n"
        "   ByVal b As Long)\n"
        "x = Array(1, _\n"
        "   For, _\n"
        "   Next)\n"
        "End Sub\n",
        "  Public Sub Foo(ByVal a As Long, _\n"
        "                 ByVal b As Long)\n"
        "x = Array(1, _\n"
        "For, _\n"
        "Next)\n"
        "End Sub\n");
}

TEST(IndentRules, TabsAreTextNotIndentation) {
    // A tab-indented comment or keyword is an ordinary statement.
    VerifyIndent(
        "For i = 1 To 2\n"
        "   \tx = 1\n"
        "   \t' not a comment\n"
        "   \tNext\n"
        "   y = 2\t\n"
        "Next\n",
        "For i = 1 To 2\n"
        "\tx = 1\n"
        "  \t' not a comment\n"
        "\tNext\n"
        "y = 2\t   \n"
        "Next\n");
}

TEST(IndentRules, UnbalancedBlocksAreFlooredAtZero) {
    VerifyIndent(
        "Else\n"
        "ElseIf x Then\n"
        "Case 1\n"
        "End If\n"
        "Next\n"
        "Loop\n"
        "Wend\n"
        "End With\n"
        "End Select\n"
        "End Type\n"
        "End Enum\n"
        "For i = 1 To 2\n"
        "   x = i\n"
        "Next\n");
}

TEST(IndentRules, LabelsAndLineNumbersAreOrdinaryStatements) {
    VerifyIndent(
        "If x Then\n"
        "   10 y = 1\n"
        "   Foo_Skip:\n"
        "End If\n"
        "Foo_Err:\n");
}

}  // namespace
