// The error-handler engine on real modules: VB source in, VB source out.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "handler_session.h"

namespace errorhandlers_test {
namespace {

using testsupport::Crlf;

// The On Error line and the label line with the fixed clock's stamp.
std::string OnError(const std::string& stem) { return "On Error Goto " + stem + "_Err\t\t" + kStamp; }
std::string Label(const std::string& stem) { return stem + "_Err:\t\t\t\t" + kStamp; }

/// Inserts the handler with the cursor at `line` and compares the whole module
/// with `expected`; both are written with "\n" for CR LF.
void VerifyHandler(const std::string& expected, std::string_view source, long line, int kind,
                   const std::string& customTemplate = "", const std::string& moduleName = "Module1") {
    HandlerSession s(Crlf(source), kind, customTemplate, moduleName);
    EXPECT_TRUE(s.Insert(line));
    EXPECT_TRUE(s.dialogs.messages.empty());
    EXPECT_FALSE(s.dialogs.busy);
    EXPECT_EQ(Crlf(expected), s.module.Text());
}

/// Runs the engine where it must refuse: the message shown, the module untouched
/// to the byte and the cursor back to normal.
void VerifyRefused(std::string_view title, std::string_view prompt, std::string_view source,
                   long line) {
    HandlerSession s(source, toolwindow::StandardExe);
    EXPECT_FALSE(s.Insert(line));
    ASSERT_EQ(1u, s.dialogs.messages.size());
    EXPECT_EQ(title, s.dialogs.messages[0].title);
    EXPECT_EQ(prompt, s.dialogs.messages[0].prompt);
    EXPECT_EQ(platform::vbInformation, s.dialogs.messages[0].style);
    EXPECT_EQ((std::vector<bool>{false, true}), s.dialogs.onTopCalls);
    EXPECT_FALSE(s.dialogs.busy);
    EXPECT_EQ(source, s.module.Text());
}

constexpr std::string_view kFoo =
    "Attribute VB_Name = \"Module1\"\n"
    "Option Explicit\n"
    "\n"
    "Public Sub Foo()\n"
    "    x = 1\n"
    "End Sub\n";

TEST(InsertErrorHandler, WritesTheStandardExeHandlerOfTheWorkedExample) {
    VerifyHandler("Attribute VB_Name = \"Module1\"\n"
                  "Option Explicit\n"
                  "\n"
                  "Public Sub Foo()\n"
                  "On Error Goto Foo_Err\t\t'Error Code Inserted: 2023-11-14 22:13:20\t\t----------ERR--\n"
                  "\n"
                  "    x = 1\n"
                  "Exit Sub\n"
                  "Foo_Err:\t\t\t\t'Error Code Inserted: 2023-11-14 22:13:20\t\t----------ERR--\n"
                  "If Err <> 0 Then\n"
                  "\tSelect Case MsgBox(\"Number: \" & Err.Number & vbCrLf & _ \n"
                  "\t\t\"Description: \" & Err.Description & vbCrLf & _\n"
                  "\t\t\"Location: Module1, Foo\", vbAbortRetryIgnore + vbExclamation, _ \n"
                  "\t\t\"An Error Occurred In: \" & Err.Source) \n"
                  "\t\tCase vbAbort\n"
                  "\t\t\tEnd\n"
                  "\t\tCase vbRetry\n"
                  "\t\t\tResume\n"
                  "\t\tCase vbIgnore\n"
                  "\t\t\tResume Next\n"
                  "\tEnd Select\n"
                  "End If \n"
                  "End Sub\n",
                  kFoo, 4, toolwindow::StandardExe);
}

TEST(InsertErrorHandler, ResumeNextWritesOnlyItsLine) {
    VerifyHandler("Attribute VB_Name = \"Module1\"\n"
                  "Option Explicit\n"
                  "\n"
                  "Public Sub Foo()\n"
                  "On Error Resume Next\n"
                  "    x = 1\n"
                  "End Sub\n",
                  kFoo, 4, toolwindow::ResumeNext);
}

TEST(InsertErrorHandler, FillsTheCustomTemplate) {
    // An empty template gives an empty body between the If and the End If.
    VerifyHandler("Attribute VB_Name = \"Module1\"\n"
                  "Option Explicit\n"
                  "\n"
                  "Public Sub Foo()\n" +
                      OnError("Foo") + "\n\n"
                      "    x = 1\n"
                      "Exit Sub\n" +
                      Label("Foo") + "\n"
                      "If Err <> 0 Then\n"
                      "\n"
                      "End If \n"
                      "End Sub\n",
                  kFoo, 5, toolwindow::Custom, "");
    // A caption whose first word is empty gives an empty module name.
    VerifyHandler("Attribute VB_Name = \"Module1\"\n"
                  "Option Explicit\n"
                  "\n"
                  "Public Sub Foo()\n" +
                      OnError("Foo") + "\n\n"
                      "    x = 1\n"
                      "Exit Sub\n" +
                      Label("Foo") + "\n"
                      "If Err <> 0 Then\n"
                      "    LogError \"\", \"Foo\"\n"
                      "    Resume Next\n"
                      "End If \n"
                      "End Sub\n",
                  kFoo, 5, toolwindow::Custom, Crlf("    LogError [modulename], [PROCNAME]\n    Resume Next"),
                  "");
}

TEST(InsertErrorHandler, FitsEachKindOfProcedure) {
    // A Function: the search for a Sub fails first.
    VerifyHandler("Public Function Total(ByVal a As Long) As Long\n" + OnError("Total") + "\n\n" +
                      "    Total = a\n"
                      "Exit Function\n" +
                      Label("Total") + "\n"
                      "If Err <> 0 Then\n"
                      "MsgBox \"Total\"\n"
                      "End If \n"
                      "End Function\n",
                  "Public Function Total(ByVal a As Long) As Long\n"
                  "    Total = a\n"
                  "End Function\n",
                  2, toolwindow::Custom, "MsgBox [ProcName]");

    // The three parts of a property, each as it stands and with its handler.
    const std::string head = "Private mValue As Object\n\n";
    auto part = [](const std::string& declaration, const std::string& statement) {
        return declaration + "\n" + statement + "\nEnd Property\n";
    };
    auto handled = [](const std::string& declaration, const std::string& statement,
                      const std::string& stem) {
        return declaration + "\n" + OnError(stem) + "\n\n" + statement + "\nExit Property\n" +
               Label(stem) + "\nIf Err <> 0 Then\nMsgBox \"Value\"\nEnd If \nEnd Property\n";
    };
    const std::string get = "Public Property Get Value() As Object";
    const std::string let = "Public Property Let Value(ByVal NewValue As Object)";
    const std::string set = "Public Property Set Value(ByVal NewValue As Object)";
    const std::string property = head + part(get, "    Set Value = mValue") + "\n" +
                                 part(let, "    mValue = NewValue") + "\n" +
                                 part(set, "    Set mValue = NewValue");
    // The cursor on the Get's End Property line belongs to the Get.
    VerifyHandler(head + handled(get, "    Set Value = mValue", "Get_Value") + "\n" +
                      part(let, "    mValue = NewValue") + "\n" + part(set, "    Set mValue = NewValue"),
                  property, 5, toolwindow::Custom, "MsgBox [ProcName]");
    // A line of the Let below the Get fails the Get's range and is the Let's.
    VerifyHandler(head + part(get, "    Set Value = mValue") + "\n" +
                      handled(let, "    mValue = NewValue", "Let_Value") + "\n" +
                      part(set, "    Set mValue = NewValue"),
                  property, 8, toolwindow::Custom, "MsgBox [ProcName]");
    VerifyHandler(head + part(get, "    Set Value = mValue") + "\n" + part(let, "    mValue = NewValue") +
                      "\n" + handled(set, "    Set mValue = NewValue", "Set_Value"),
                  property, 12, toolwindow::Custom, "MsgBox [ProcName]");

    // The cursor on End Sub: the Sub has no range test.
    VerifyHandler("Sub Foo()\n" + OnError("Foo") + "\n\nExit Sub\n" + Label("Foo") +
                      "\nIf Err <> 0 Then\nMsgBox \"Foo\"\nEnd If \nEnd Sub\n",
                  "Sub Foo()\nEnd Sub\n", 2, toolwindow::Custom, "MsgBox [ProcName]");
}

TEST(InsertErrorHandler, PutsTheOnErrorLineBelowTheWholeDeclaration) {
    // A declaration continued over several lines.
    VerifyHandler("Public Function Total(ByVal a As Long, _\n"
                  "                      ByVal b As Long, _   \n"
                  "                      ByVal c As Long) As Long\n" +
                      OnError("Total") + "\n\n" +
                      "    Total = a + b + c\n"
                      "Exit Function\n" +
                      Label("Total") + "\nIf Err <> 0 Then\n\nEnd If \nEnd Function\n",
                  "Public Function Total(ByVal a As Long, _\n"
                  "                      ByVal b As Long, _   \n"
                  "                      ByVal c As Long) As Long\n"
                  "    Total = a + b + c\n"
                  "End Function\n",
                  4, toolwindow::Custom);
    // Alternative declarations for 32 and 64 bits: below the #End If, so that
    // the handler is on whichever declaration is compiled.
    VerifyHandler("Option Explicit\n"
                  "\n"
                  "#If VBA7 Then\n"
                  "Private Sub Foo(ByVal h As LongPtr)\n"
                  "#ElseIf Win32 Then\n"
                  "Private Sub Foo(ByVal h As Long, _\n"
                  "                ByVal w As Long)\n"
                  "#Else\n"
                  "  #If Mac Then\n"
                  "Private Sub Foo(ByVal h As Long)\n"
                  "  #End If\n"
                  "#End If\n" +
                      OnError("Foo") + "\n\n" + "    x = h\n"
                      "Exit Sub\n" +
                      Label("Foo") + "\nIf Err <> 0 Then\n\nEnd If \nEnd Sub\n",
                  "Option Explicit\n"
                  "\n"
                  "#If VBA7 Then\n"
                  "Private Sub Foo(ByVal h As LongPtr)\n"
                  "#ElseIf Win32 Then\n"
                  "Private Sub Foo(ByVal h As Long, _\n"
                  "                ByVal w As Long)\n"
                  "#Else\n"
                  "  #If Mac Then\n"
                  "Private Sub Foo(ByVal h As Long)\n"
                  "  #End If\n"
                  "#End If\n"
                  "    x = h\n"
                  "End Sub\n",
                  13, toolwindow::Custom);
}

TEST(InsertErrorHandler, PassesOverCommentsAndStrings) {
    // "End Sub" in comments and strings before the real one; the block goes
    // directly above the closing statement.
    const std::string body =
        "    ' stop here, before End Sub\n"
        "    s = \"End Sub\": t = \"say \"\"End Sub\"\" now\"\n"
        "    Rem End Sub\n"
        "    x = 1 ' comment that goes on _\n"
        "      End Sub\n"
        "    y = 2\n";
    VerifyHandler("Public Sub Foo()\n" + OnError("Foo") + "\n\n" + body + "Exit Sub\n" + Label("Foo") +
                      "\nIf Err <> 0 Then\n\nEnd If \nEnd Sub\n",
                  "Public Sub Foo()\n" + body + "End Sub\n", 2, toolwindow::Custom);
    // A comment above the declaration that holds the declaration's text.
    VerifyHandler("Option Explicit\n"
                  "\n"
                  "' Sub Foo(x) doubles x; see Function Foo( in Module2\n"
                  "Public Sub Foo(x)\n" +
                      OnError("Foo") + "\n\n" + "    x = x * 2\n"
                      "Exit Sub\n" +
                      Label("Foo") + "\nIf Err <> 0 Then\n\nEnd If \nEnd Sub\n",
                  "Option Explicit\n"
                  "\n"
                  "' Sub Foo(x) doubles x; see Function Foo( in Module2\n"
                  "Public Sub Foo(x)\n"
                  "    x = x * 2\n"
                  "End Sub\n",
                  5, toolwindow::Custom);
    // A Function whose comment speaks of "Sub Total(": the Sub search passes it
    // over and the Function is found.
    VerifyHandler("Rem Sub Total( was renamed\n"
                  "Function Total()\n" +
                      OnError("Total") + "\n\n" +
                      "Exit Function\n" + Label("Total") +
                      "\nIf Err <> 0 Then\n\nEnd If \nEnd Function\n",
                  "Rem Sub Total( was renamed\n"
                  "Function Total()\n"
                  "End Function\n",
                  2, toolwindow::Custom);
}

TEST(InsertErrorHandler, RefusesAndLeavesTheModuleAsItWas) {
    constexpr char kNoProcTitle[] = "No Procedure Selected";
    constexpr char kNoProcPrompt[] = "Please select a procedure for this Error Handler";
    constexpr char kNoEndTitle[] = "Add Error Code Error";
    constexpr char kNoEndPrompt[] = "Unable to find start or end of routine.Place cursor within code and retry";
    // The cursor in the declarations section.
    VerifyRefused(kNoProcTitle, kNoProcPrompt, Crlf(kFoo), 1);
    // A closing statement spelled in a way the search does not match: the lines
    // the retry put in are taken out again.
    VerifyRefused(kNoEndTitle, kNoEndPrompt,
                  Crlf("Attribute VB_Name = \"Module1\"\nPublic Sub Foo()\n    x = 1\nend sub\n"), 2);
    VerifyRefused(kNoEndTitle, kNoEndPrompt,
                  "Attribute VB_Name = \"Module1\"\nSub A()\nEnd  Sub\n\nSub B()\r\n  x = 1\r\n"
                  "End  Sub",
                  5);
    // A declaration spelled in a way the search does not match.
    VerifyRefused(kNoEndTitle, kNoEndPrompt,
                  Crlf("Attribute VB_Name = \"Module1\"\nPublic Sub Foo ()\n    x = 1\nEnd Sub\n"), 3);
}

}  // namespace
}  // namespace errorhandlers_test
