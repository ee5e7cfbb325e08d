// Which lines belong to which procedure, read from tricky VB source.
#include <gtest/gtest.h>

#include "host/source_module.h"
#include "host_check.h"
#include "support/support.h"

using testsupport::Crlf;

namespace {

void ExpectOutline(std::string_view vb, std::string_view expected) {
    host::SourceModule module(Crlf(vb));
    EXPECT_EQ(hosttest::Outline(module), expected) << vb;
}

void ExpectOwners(std::string_view vb, std::string_view expected) {
    host::SourceModule module(Crlf(vb));
    EXPECT_EQ(hosttest::Owners(module), expected) << vb;
}

TEST(Outline, RangesTakeInTheCommentsAboveAndTheLinesAfterTheLastEnd) {
    ExpectOutline(
        "Option Explicit\n"
        "Private mCount As Long\n"
        "' about Foo\n"
        "\n"
        "Public Sub Foo()\n"
        "End Sub\n"
        "\n"
        "' about Bar\n"
        "Private Function Bar() As Long\n"
        "Bar = 1\n"
        "End Function\n"
        "' trailing\n",
        "decl 2\n"
        "Sub Foo 3-6 body 5\n"
        "Function Bar 7-12 body 9\n");
    // Without code in the declarations section the first procedure starts at line 1.
    ExpectOutline("' header\n\nSub Main()\nEnd Sub\n", "decl 0\nSub Main 1-4 body 3\n");
    // Without procedures the declarations section ends at its last code line.
    ExpectOutline("Option Explicit\nDim x As Long\n' note\n\n", "decl 2\n");
    ExpectOutline("", "decl 0\n");
}

TEST(Outline, ModifiersContinuationsAndPropertyParts) {
    ExpectOutline(
        "Public Static Function Counter() As Long\nEnd Function\n"
        "Static Private Sub Quiet()\nEnd Sub\n"
        "Friend Property Get Value() As Long\nEnd Property\n"
        "Public Property Let Value(ByVal v As Long)\nEnd Property\n"
        "Public Property Set Value(ByVal v As Object)\nEnd Property\n"
        "private sub lower()\nend sub\n"
        "Public Sub _\n    Wrapped(ByVal a As Long, _\n            ByVal b As Long)\nEnd Sub\n"
        "Function Typed$(ByVal s As String)\nEnd Function\n"
        "Sub [Odd Name]()\nEnd Sub\n",
        "decl 0\n"
        "Function Counter 1-2 body 1\n"
        "Sub Quiet 3-4 body 3\n"
        "Property Get Value 5-6 body 5\n"
        "Property Let Value 7-8 body 7\n"
        "Property Set Value 9-10 body 9\n"
        "Sub lower 11-12 body 11\n"
        "Sub Wrapped 13-16 body 13\n"
        "Function Typed 17-18 body 17\n"
        "Sub Odd Name 19-20 body 19\n");
    ExpectOwners(
        "Dim x\nProperty Get P()\nEnd Property\nProperty Let P(v)\nEnd Property\n",
        "- P/3 P/3 P/1 P/1");
}

TEST(Outline, WhatLooksLikeAProcedureButIsNot) {
    ExpectOutline(
        "Private Declare Function GetTickCount Lib \"kernel32\" () As Long\n"
        "Public Declare Sub Sleep Lib \"kernel32\" (ByVal ms As Long)\n"
        "Public Event Changed(ByVal What As String)\n"
        "Private Type Slot\n"
        "    Property As Long\n"
        "    Function As String\n"
        "    Sub(1 To 3) As Integer\n"
        "End Type\n"
        "Public Enum Colour\n    Red\nEnd Enum\n"
        "Sub Main()\n"
        "sUB\n"
        "SubTotal = 1\n"
        "Sub_Main\n"
        "s = \"End Sub\"\n"
        "' End Sub\n"
        "Rem End Sub\n"
        "x = 1 ' End Sub\n"
        "Exit Sub\n"
        "End Sub\n",
        "decl 11\n"
        "Sub Main 12-21 body 12\n");
}

TEST(Outline, EndLinesWithCommentsLabelsAndNumbers) {
    ExpectOutline(
        "Sub A()\nEnd Sub ' done\n"
        "Sub B()\n10 End Sub\n"
        "Sub C()\nDone: End Sub\n"
        "Sub D()\nEnd Select\nEND SUB\n",
        "decl 0\n"
        "Sub A 1-2 body 1\n"
        "Sub B 3-4 body 3\n"
        "Sub C 5-6 body 5\n"
        "Sub D 7-9 body 7\n");
}

TEST(Outline, AlternativeDeclarationsUnderIfAreOneProcedure) {
    ExpectOutline(
        "Option Explicit\n"
        "#If VBA7 Then\n"
        "Public Function Elapsed(ByVal t As LongPtr) As LongPtr\n"
        "#Else\n"
        "Public Function Elapsed(ByVal t As Long) As Long\n"
        "#End If\n"
        "Elapsed = t\n"
        "End Function\n"
        "\n"
        "#If Win64 Then\n"
        "Private Sub Tick(ByVal t As LongLong)\n"
        "#ElseIf Win32 Then\n"
        "Private Sub Tick(ByVal t As Long)\n"
        "#Else\n"
        "Private Sub Tick(ByVal t As Integer)\n"
        "#End If\n"
        "End Sub\n",
        "decl 1\n"
        "Function Elapsed 2-8 body 3\n"
        "Sub Tick 9-17 body 11\n");
    // A whole procedure under #If is no alternative: the #If stays with the declarations.
    ExpectOutline("#If DEBUG Then\nSub Trace()\nEnd Sub\n#End If\n",
                  "decl 1\nSub Trace 2-4 body 2\n");
}

TEST(Outline, HiddenLinesAndLineEnds) {
    // The prelude and member attributes are not code lines.
    ExpectOutline(
        "VERSION 1.0 CLASS\n"
        "BEGIN\n"
        "  MultiUse = -1  'True\n"
        "END\n"
        "Attribute VB_Name = \"Customer\"\n"
        "Attribute VB_Exposed = False\n"
        "Option Explicit\n"
        "Public Property Get Name() As String\n"
        "Attribute Name.VB_UserMemId = 0\n"
        "Name = \"x\"\n"
        "End Property\n",
        "decl 1\nProperty Get Name 2-4 body 2\n");
    ExpectOutline(
        "VERSION 5.00\n"
        "Object = \"{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0\"; \"mscomctl.ocx\"\n"
        "Begin VB.Form frmMain\n"
        "   Begin VB.CommandButton cmdGo\n"
        "      BeginProperty Font\n"
        "         Name = \"Tahoma\"\n"
        "      EndProperty\n"
        "   End\n"
        "   Begin VB.Menu mnuFile\n"
        "      Caption = \"End Sub\"\n"
        "   End\n"
        "End\n"
        "Attribute VB_Name = \"frmMain\"\n"
        "Private Sub cmdGo_Click()\n"
        "End Sub\n",
        "decl 0\nSub cmdGo_Click 1-2 body 1\n");
    // LF-only and CR-only files, and a last line without a line end.
    for (std::string text : {std::string("Dim a\nSub X()\nEnd Sub"), std::string("Dim a\rSub X()\rEnd Sub\r")}) {
        host::SourceModule module(text);
        EXPECT_EQ(hosttest::Outline(module), "decl 1\nSub X 2-3 body 2\n") << text;
        EXPECT_EQ(module.Text(), text);
    }
}

TEST(Outline, ProcOfLineAndLookupsOutsideTheModule) {
    host::SourceModule module(Crlf("Dim a\nSub X()\nEnd Sub\n"));
    ide::ProcKind kind = ide::vbext_pk_Get;
    EXPECT_EQ(module.ProcOfLine(1, kind), "");
    EXPECT_EQ(kind, ide::vbext_pk_Proc);
    EXPECT_EQ(module.ProcOfLine(3, kind), "X");
    EXPECT_EQ(module.ProcStartLine("x", ide::vbext_pk_Proc), 2) << "names compare without letter case";
    for (long line : {0L, 4L, -1L}) {
        try {
            module.ProcOfLine(line, kind);
            ADD_FAILURE() << line;
        } catch (const ide::HostError& e) {
            EXPECT_EQ(e.Number(), ide::kSubscriptOutOfRange);
        }
    }
    try {
        module.ProcStartLine("X", ide::vbext_pk_Get);
        ADD_FAILURE();
    } catch (const ide::HostError& e) {
        EXPECT_EQ(e.Number(), ide::kSubNotDefined);
        EXPECT_EQ(e.Description(), "Sub or Function not defined");
    }
}

}  // namespace
