// The error-handler engine and its templates: VB source in, VB source out.

#include "errorhandlers/error_handler.h"
#include "errorhandlers/handler_templates.h"
#include "ide/statements.h"
#include "headers/stage.h"

namespace {

using stage::Crlf;
using namespace toolwindow;

const std::string kStamp = "\t\t'Error Code Inserted: 2026-07-04 13:05:09\t\t----------ERR--";
const std::string kFoo = stage::kNameLine + "Option Explicit\n\nPublic Sub Foo()\n";

/// A module holding `bytes` in Module1's code window, and a tool window with
/// the handler kind and custom template given.
struct Handler : stage::Stage {
    Handler(std::string_view bytes, int kind, const std::string& customTemplate = "") : Stage(bytes) {
        window.handlerKind = kind;
        window.boxes[kHandlerTemplateBox].SetText(customTemplate);
    }
    bool Insert(long line) { return errorhandlers::InsertErrorHandler(window, module, line); }
};

TEST(sCustomHandler, ReplacesEveryPlaceholderOnce) {
    const std::vector<std::vector<std::string>> cases = {  // template, module, procedure, result
        // Any letter case, more than once, and at the very end.
        {"Log [ProcName] & [PrOcNaMe]\r\nRaise [MODULENAME], [ProcName]", "Mod", "Foo",
         "Log \"Foo\" & \"Foo\"\r\nRaise \"Mod\", \"Foo\""},
        // Names that hold a placeholder are put in as they stand, not searched again.
        {"[ProcName] [ModuleName]", "a[ModuleName]b", "[ProcName]", "\"[ProcName]\" \"a[ModuleName]b\""},
    };
    for (const auto& c : cases) {
        Handler s("", Custom, c[0]);
        EXPECT_EQ(c[3], errorhandlers::sCustomHandler(s.window, c[1], c[2])) << c[0];
    }
}

/// Inserts the handler with the cursor at `line` and compares the whole module
/// with `expected`; both are written with "\n" for CR LF.
void VerifyHandler(const std::string& expected, const std::string& source, long line, int kind,
                   const std::string& customTemplate = "") {
    Handler s(Crlf(source), kind, Crlf(customTemplate));
    EXPECT_TRUE(s.Insert(line));
    EXPECT_EQ("", s.Messages());
    EXPECT_FALSE(s.dialogs.busy);
    EXPECT_EQ(Crlf(expected), s.module.Text()) << source;
}

// The message-box handlers: one MsgBox statement showing the error and where it
// happened, whose buttons end the program (Standard EXE) or raise the error
// again to its caller (a component), retry the line, or go on with the next.
TEST(InsertErrorHandler, MessageBoxHandlersTellTheErrorAndActOnEachButton) {
    const std::pair<int, std::string> kinds[] = {{StandardExe, "End"},
                                                 {ComponentMsgBox, "On Error GoTo 0 Err.Raise Err.Number"}};
    for (const auto& [kind, onAbort] : kinds) {
        Handler s(Crlf(kFoo + "    x = 1\nEnd Sub\n"), kind);
        ASSERT_TRUE(s.Insert(4));
        long first = 1;  // the handler's first line, below "If Err <> 0 Then"
        while (first < s.module.CountOfLines() && s.module.Lines(first++, 1) != "If Err <> 0 Then") {}
        const long last = ide::LastLineOfStatement(s.module, first);
        const std::string call = s.module.Lines(first, last - first + 1);
        EXPECT_TRUE(call.starts_with("\tSelect Case MsgBox(")) << call;
        for (const char* shown : {"Err.Number", "Err.Description", "Err.Source", "\"Location: Module1, Foo\""})
            EXPECT_NE(call.find(shown), std::string::npos) << shown << " in " << call;
        std::string buttons;  // "|button: what it does"
        for (long n = last + 1; n < s.module.CountOfLines() && s.module.Lines(n, 1) != "End If "; ++n) {
            const std::string line = s.module.Lines(n, 1).substr(s.module.Lines(n, 1).find_first_not_of('\t'));
            buttons += line.starts_with("Case ") ? "|" + line.substr(5) + ":" : " " + line;
        }
        EXPECT_EQ(buttons, "|vbAbort: " + onAbort + "|vbRetry: Resume|vbIgnore: Resume Next End Select");
    }
    // Resume Next is one line below the declaration, and goes in even where a
    // handler's label stands already.
    const std::string handled = "On Error Goto Foo_Err\n    x = 1\nExit Sub\nFoo_Err:\nEnd Sub\n";
    VerifyHandler(kFoo + "On Error Resume Next\n" + handled, kFoo + handled, 5, ResumeNext);
}

TEST(InsertErrorHandler, PutsTheHandlerAroundTheBodyOfTheRightProcedure) {
    struct Case {
        std::string head, body, keyword, stem;  // head: up to the declaration's last line
        long line;
        std::string customTemplate = "", filled = "", tail = "";
    };
    const std::string props = "Private mValue As Object\n\n";
    const std::string get = "Public Property Get Value() As Object\n", getBody = "    Set Value = mValue\n";
    const std::string let = "Public Property Let Value(ByVal NewValue As Object)\n";
    const std::string set = "Public Property Set Value(ByVal NewValue As Object)\n";
    const std::string letBody = "    mValue = NewValue\n", setBody = "    Set mValue = NewValue\n";
    const std::string getPart = get + getBody + "End Property\n", letPart = let + letBody + "End Property\n";
    const std::string setPart = set + setBody + "End Property\n";
    const std::string ifDeclarations =
        "Option Explicit\n\n#If VBA7 Then\nPrivate Sub Foo(ByVal h As LongPtr)\n#ElseIf Win32 Then\n"
        "Private Sub Foo(ByVal h As Long, _\n                ByVal w As Long)\n#Else\n  #If Mac Then\n"
        "Private Sub Foo(ByVal h As Long)\n  #End If\n#End If\n";
    const Case cases[] = {
        // Property parts; the cursor on the Get's End line is the Get's, and a
        // line of the Let below the Get is the Let's.
        {props + get, getBody, "Property", "Get_Value", 5, "MsgBox [ProcName]", "MsgBox \"Value\"\n",
         "\n" + letPart + "\n" + setPart},
        {props + getPart + "\n" + let, letBody, "Property", "Let_Value", 8, "", "", "\n" + setPart},
        {props + getPart + "\n" + letPart + "\n" + set, setBody, "Property", "Set_Value", 12},
        {"Sub Foo()\n", "", "Sub", "Foo", 2},  // the cursor on End Sub
        // No Sub of the name, so a Function, declared over three lines.
        {"Public Function Total(ByVal a As Long, _\n                      ByVal b As Long, _   \n"
         "                      ByVal c As Long) As Long\n",
         "    Total = a + b + c\n", "Function", "Total", 4},
        {ifDeclarations, "    x = h\n", "Sub", "Foo", 13},  // below the #End If
        {"Public Sub Foo()\n",
         "    ' stop here, before End Sub\n    s = \"End Sub\": t = \"say \"\"End Sub\"\" now\"\n"
         "    Rem End Sub\n    x = 1 ' comment that goes on _\n      End Sub\n    y = 2\n",
         "Sub", "Foo", 2},
    };
    for (const Case& c : cases) {
        const std::string closing = "End " + c.keyword + "\n" + c.tail;
        VerifyHandler(c.head + "On Error Goto " + c.stem + "_Err" + kStamp + "\n\n" + c.body + "Exit " + c.keyword +
                          "\n" + c.stem + "_Err:\t\t" + kStamp + "\nIf Err <> 0 Then\n" +
                          (c.filled.empty() ? "\n" : c.filled) + "End If \n" + closing,
                      c.head + c.body + closing, c.line, Custom, c.customTemplate);
    }
}

TEST(InsertErrorHandler, RefusesAndLeavesTheModuleByteForByte) {
    const std::string noEnd = "Add Error Code Error|64|Unable to find start or end of routine.Place cursor within "
                              "code and retry\n";
    const std::vector<std::vector<std::string>> cases = {  // module, line, messages
        {Crlf(kFoo + "    x = 1\nEnd Sub\n"), "1",
         "No Procedure Selected|64|Please select a procedure for this Error Handler\n"},
        // A closing statement the search does not match: the retry's lines go again,
        // line ends and the last line's lack of one as they were.
        {"Attribute VB_Name = \"Module1\"\nSub A()\nEnd  Sub\n\nSub B()\r\n  x = 1\r\nEnd  Sub", "5", noEnd},
        {Crlf(stage::kNameLine + "Public Sub Foo ()\n    x = 1\nEnd Sub\n"), "3", noEnd},  // a declaration not matched
        // A second handler: its label would stand twice (letter case does not tell labels apart).
        {Crlf(stage::kNameLine + "Public Sub Foo()\nOn Error Goto Foo_Err\n    x = 1\nExit Sub\n  foo_err:\nEnd Sub\n"),
         "3",
         "Add Error Code Error|64|Foo already has the label Foo_Err:, so a second handler would not compile. Remove "
         "the handler that is there first.\n"},
    };
    for (const auto& c : cases) {
        Handler s(c[0], StandardExe);
        EXPECT_FALSE(s.Insert(std::stol(c[1])));
        EXPECT_EQ(c[2], s.Messages());
        EXPECT_EQ((std::vector<bool>{false, true}), s.dialogs.onTopCalls);
        EXPECT_FALSE(s.dialogs.busy);
        EXPECT_EQ(c[0], s.module.Text());
    }
}

}  // namespace
