// The error-handler engine and its templates: VB source in, VB source out.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "errorhandlers/error_handler.h"
#include "errorhandlers/handler_templates.h"
#include "host/source_module.h"
#include "host/workspace.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/settings.h"
#include "support/support.h"
#include "toolwindow/penwork.h"

namespace {

using testsupport::Crlf;
using namespace toolwindow;

const std::string kStamp = "\t\t'Error Code Inserted: 2023-11-14 22:13:20\t\t----------ERR--";

/// A module in a code window under a fixed clock, and a tool window with the
/// handler kind and custom template given.
struct Session {
    Session(std::string_view source, int kind, const std::string& customTemplate = "",
            const std::string& moduleName = "Module1")
        : module(source), window(workspace, dialogs, files, settings) {
        workspace.Open(module, moduleName, 1);
        window.handlerKind = kind;
        window.boxes[kHandlerTemplateBox].SetText(customTemplate);
    }
    bool Insert(long line) { return errorhandlers::InsertErrorHandler(window, module, line); }

    testsupport::FixedClock clock{1700000000};
    platform::MemorySettings settings;
    platform::RecordingDialogs dialogs;
    platform::StagedFiles files;
    host::SourceModule module;  // outlives the workspace that shows it
    host::Workspace workspace;
    PlainPenwork window;
};

std::string Filled(const std::string& customTemplate, const std::string& moduleName,
                   const std::string& procName) {
    Session s("", Custom, customTemplate);
    return errorhandlers::sCustomHandler(s.window, moduleName, procName);
}

TEST(sCustomHandler, ReplacesEveryPlaceholderOnce) {
    const std::vector<std::vector<std::string>> cases = {  // template, module, procedure, result
        {"", "M", "Foo", ""},
        {"x [procname] y", "M", "Foo", "x \"Foo\" y"},
        {"MsgBox [PrOcNaMe]", "M", "Foo", "MsgBox \"Foo\""},  // twice, and at the very end
        {"Log [ProcName] & [ProcName]\r\nRaise [MODULENAME], [ProcName]", "Mod", "Foo",
         "Log \"Foo\" & \"Foo\"\r\nRaise \"Mod\", \"Foo\""},
        {"[ModuleName], [ProcName]", "", "Foo", "\"\", \"Foo\""},
        // Names that hold a placeholder are put in as they stand, not searched again.
        {"[ProcName] [ModuleName]", "a[ModuleName]b", "[ProcName]", "\"[ProcName]\" \"a[ModuleName]b\""},
        {"[ProcName] and [ModuleName]", "M", "x[procname][procname]", "\"x[procname][procname]\" and \"M\""},
    };
    for (const auto& c : cases) EXPECT_EQ(c[3], Filled(c[0], c[1], c[2])) << c[0];
}

TEST(sHandlerBody, GivesTheBodyOfEachKind) {
    Session s("", ComponentMsgBox, "Stop [ProcName]");
    EXPECT_EQ(Crlf("\tSelect Case MsgBox(\"Number: \" & Err.Number & vbCrLf & _ \n"
                   "\t\t\"Description: \" & Err.Description & vbCrLf & _\n"
                   "\t\t\"Location: , Foo\", vbAbortRetryIgnore + vbExclamation, _ \n"
                   "\t\t\"An Error Occurred In: \" & Err.Source) \n"
                   "\t\tCase vbAbort\n\t\t\tOn Error GoTo 0\n\t\t\tErr.Raise Err.Number\n"
                   "\t\tCase vbRetry\n\t\t\tResume\n\t\tCase vbIgnore\n\t\t\tResume Next\n\tEnd Select"),
              errorhandlers::sHandlerBody(s.window, "", "Foo"));
    s.window.handlerKind = ResumeNext;
    EXPECT_EQ("", errorhandlers::sHandlerBody(s.window, "M", "Foo"));
    s.window.handlerKind = Custom;
    EXPECT_EQ("Stop \"Foo\"", errorhandlers::sHandlerBody(s.window, "M", "Foo"));
}

TEST(TemplateBoxFor, ShowsTheStoredTemplateOrTheKindsTitle) {
    auto box = [](int index, const char* stored) {
        Session s("", StandardExe);
        if (stored != nullptr) s.settings.Save(platform::settings::ErrorHandlerCustom, stored);
        const errorhandlers::HandlerTemplateBox b = errorhandlers::TemplateBoxFor(s.window, index);
        return b.text.value_or("(kept)") + (b.editable ? "|editable" : "|locked");
    };
    EXPECT_EQ("|editable", box(0, nullptr));
    EXPECT_EQ("Stop [ProcName]\r\nResume|editable", box(0, "Stop [ProcName]\r\nResume"));
    EXPECT_EQ("On Error Resume Next|locked", box(1, "x"));
    EXPECT_EQ("Standard EXE Message Box Error Handler|locked", box(2, "x"));
    EXPECT_EQ("Active X Message Box Error Handler|locked", box(3, "x"));
    EXPECT_EQ("(kept)|locked", box(4, "x"));
    EXPECT_EQ("(kept)|locked", box(-1, "x"));
}

/// Inserts the handler with the cursor at `line` and compares the whole module
/// with `expected`; both are written with "\n" for CR LF.
void VerifyHandler(const std::string& expected, const std::string& source, long line, int kind,
                   const std::string& customTemplate = "", const std::string& moduleName = "Module1") {
    Session s(Crlf(source), kind, Crlf(customTemplate), moduleName);
    EXPECT_TRUE(s.Insert(line));
    EXPECT_TRUE(s.dialogs.messages.empty());
    EXPECT_FALSE(s.dialogs.busy);
    EXPECT_EQ(Crlf(expected), s.module.Text()) << source;
}

const std::string kFoo = "Attribute VB_Name = \"Module1\"\nOption Explicit\n\nPublic Sub Foo()\n";

TEST(InsertErrorHandler, WritesTheStandardExeHandlerOfTheWorkedExample) {
    VerifyHandler(kFoo +
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
                  kFoo + "    x = 1\nEnd Sub\n", 4, StandardExe);
    VerifyHandler(kFoo + "On Error Resume Next\n    x = 1\nEnd Sub\n", kFoo + "    x = 1\nEnd Sub\n", 4,
                  ResumeNext);
}

TEST(InsertErrorHandler, PutsTheHandlerAroundTheBodyOfTheRightProcedure) {
    struct Case {
        std::string head, body, keyword, stem;  // head: up to the declaration's last line
        long line;
        std::string customTemplate, filled, tail = "", moduleName = "Module1";
    };
    const std::string props = "Private mValue As Object\n\n";
    const std::string get = "Public Property Get Value() As Object\n", getBody = "    Set Value = mValue\n";
    const std::string let = "Public Property Let Value(ByVal NewValue As Object)\n", letBody = "    mValue = NewValue\n";
    const std::string set = "Public Property Set Value(ByVal NewValue As Object)\n", setBody = "    Set mValue = NewValue\n";
    const std::string getPart = get + getBody + "End Property\n", letPart = let + letBody + "End Property\n";
    const std::string setPart = set + setBody + "End Property\n";
    const std::string ifDeclarations =
        "Option Explicit\n\n#If VBA7 Then\nPrivate Sub Foo(ByVal h As LongPtr)\n#ElseIf Win32 Then\n"
        "Private Sub Foo(ByVal h As Long, _\n                ByVal w As Long)\n#Else\n  #If Mac Then\n"
        "Private Sub Foo(ByVal h As Long)\n  #End If\n#End If\n";
    const Case cases[] = {
        {kFoo, "    x = 1\n", "Sub", "Foo", 5, "", ""},  // an empty template: an empty body
        {kFoo, "    x = 1\n", "Sub", "Foo", 5, "    LogError [modulename], [PROCNAME]\n    Resume Next",
         "    LogError \"\", \"Foo\"\n    Resume Next\n", "", ""},  // an empty module name
        {"Public Function Total(ByVal a As Long) As Long\n", "    Total = a\n", "Function", "Total", 2,
         "MsgBox [ProcName]", "MsgBox \"Total\"\n"},
        // Property parts; the cursor on the Get's End line is the Get's, and a
        // line of the Let below the Get is the Let's.
        {props + get, getBody, "Property", "Get_Value", 5, "MsgBox [ProcName]", "MsgBox \"Value\"\n",
         "\n" + letPart + "\n" + setPart},
        {props + getPart + "\n" + let, letBody, "Property", "Let_Value", 8, "MsgBox [ProcName]",
         "MsgBox \"Value\"\n", "\n" + setPart},
        {props + getPart + "\n" + letPart + "\n" + set, setBody, "Property", "Set_Value",
         12, "MsgBox [ProcName]", "MsgBox \"Value\"\n"},
        {"Sub Foo()\n", "", "Sub", "Foo", 2, "", ""},  // the cursor on End Sub
        {"Public Function Total(ByVal a As Long, _\n                      ByVal b As Long, _   \n"
         "                      ByVal c As Long) As Long\n",
         "    Total = a + b + c\n", "Function", "Total", 4, "", ""},
        {ifDeclarations, "    x = h\n", "Sub", "Foo", 13, "", ""},  // below the #End If
        {"Public Sub Foo()\n",
         "    ' stop here, before End Sub\n    s = \"End Sub\": t = \"say \"\"End Sub\"\" now\"\n"
         "    Rem End Sub\n    x = 1 ' comment that goes on _\n      End Sub\n    y = 2\n",
         "Sub", "Foo", 2, "", ""},
        {"Option Explicit\n\n' Sub Foo(x) doubles x; see Function Foo( in Module2\nPublic Sub Foo(x)\n",
         "    x = x * 2\n", "Sub", "Foo", 5, "", ""},
        {"Rem Sub Total( was renamed\nFunction Total()\n", "", "Function", "Total", 2, "", ""},
    };
    for (const Case& c : cases) {
        const std::string closing = "End " + c.keyword + "\n" + c.tail;
        VerifyHandler(c.head + "On Error Goto " + c.stem + "_Err" + kStamp + "\n\n" + c.body + "Exit " +
                          c.keyword + "\n" + c.stem + "_Err:\t\t" + kStamp + "\nIf Err <> 0 Then\n" +
                          (c.filled.empty() ? "\n" : c.filled) + "End If \n" + closing,
                      c.head + c.body + closing, c.line, Custom, c.customTemplate, c.moduleName);
    }
}

TEST(InsertErrorHandler, RefusesAndLeavesTheModuleByteForByte) {
    const std::string noEnd = "Unable to find start or end of routine.Place cursor within code and retry";
    const std::vector<std::vector<std::string>> cases = {  // source, line, title, prompt
        {Crlf(kFoo + "    x = 1\nEnd Sub\n"), "1", "No Procedure Selected",
         "Please select a procedure for this Error Handler"},
        // Closing statements the search does not match: the retry's lines go again.
        {Crlf("Attribute VB_Name = \"Module1\"\nPublic Sub Foo()\n    x = 1\nend sub\n"), "2",
         "Add Error Code Error", noEnd},
        {"Attribute VB_Name = \"Module1\"\nSub A()\nEnd  Sub\n\nSub B()\r\n  x = 1\r\nEnd  Sub", "5",
         "Add Error Code Error", noEnd},
        {Crlf("Attribute VB_Name = \"Module1\"\nPublic Sub Foo ()\n    x = 1\nEnd Sub\n"), "3",
         "Add Error Code Error", noEnd},  // a declaration the search does not match
        // A second handler: its label would stand twice (letter case does not tell labels apart).
        {Crlf("Attribute VB_Name = \"Module1\"\nPublic Sub Foo()\nOn Error Goto Foo_Err\n    x = 1\n"
              "Exit Sub\n  foo_err:\nEnd Sub\n"),
         "3", "Add Error Code Error",
         "Foo already has the label Foo_Err:, so a second handler would not compile. Remove the handler that "
         "is there first."},
    };
    for (const auto& c : cases) {
        Session s(c[0], StandardExe);
        EXPECT_FALSE(s.Insert(std::stol(c[1])));
        ASSERT_EQ(1u, s.dialogs.messages.size());
        EXPECT_EQ(c[2], s.dialogs.messages[0].title);
        EXPECT_EQ(c[3], s.dialogs.messages[0].prompt);
        EXPECT_EQ(platform::vbInformation, s.dialogs.messages[0].style);
        EXPECT_EQ((std::vector<bool>{false, true}), s.dialogs.onTopCalls);
        EXPECT_FALSE(s.dialogs.busy);
        EXPECT_EQ(c[0], s.module.Text());
    }
}

TEST(InsertErrorHandler, HandlesEveryProcedureOfALargeModule) {
    // Random parts with comments above that hold the declaration's text,
    // continued and #If declarations, and closing statements in the body.
    std::mt19937 random(20240601);
    struct Part { std::string name, keyword, declaration, body; };
    std::vector<Part> parts;
    for (int i = 0; i < 60; ++i) {
        const std::string name = "Proc" + std::to_string(i);
        const std::vector<std::vector<std::string>> kinds = {
            {"Sub"}, {"Function"}, {"Property Get", "Property Let"}, {"Property Set", "Property Get"}};
        for (const std::string& keyword : kinds[random() % 4]) {
            const std::string closing = keyword.starts_with("Property") ? "End Property" : "End " + keyword;
            const std::string head = (random() % 2 ? "Public " : "Private ") + keyword + " " + name + "(";
            const std::string returns = keyword == "Function" || keyword == "Property Get" ? " As Long" : "";
            Part p{name, keyword, random() % 2 ? "' " + keyword + " " + name + "( does the work\r\n" : "", ""};
            if (keyword == "Sub" && random() % 3 == 0)
                p.declaration += "#If VBA7 Then\r\n" + head + "ByVal h As LongPtr)\r\n#Else\r\n" + head +
                                 "ByVal h As Long)\r\n#End If\r\n";
            else if (random() % 3 == 0)
                p.declaration += head + "ByVal a As Long, _\r\n    ByVal b As Long)" + returns + "\r\n";
            else
                p.declaration += head + "ByVal a As Long)" + returns + "\r\n";
            for (auto n = random() % 4; n > 0; --n)
                p.body += std::vector<std::string>{"    ' " + closing + " comes later", "    s = \"" + closing + "\"",
                                                   "    Rem " + closing, "    x = x + 1"}[random() % 4] + "\r\n";
            parts.push_back(p);
        }
    }
    std::string source = "Attribute VB_Name = \"Big\"\r\nOption Explicit\r\n";
    for (const Part& p : parts) source += p.declaration + p.body + "End " + p.keyword.substr(0, 8) + "\r\n";

    Session s(source, Custom, "Log [ModuleName], [ProcName]\r\nResume Next", "Big");
    const std::vector<host::ProcInfo> procs = s.module.Procedures();
    ASSERT_EQ(parts.size(), procs.size());
    std::string expected = "Attribute VB_Name = \"Big\"\r\nOption Explicit\r\n";
    for (std::size_t i = parts.size(); i-- > 0;) {  // last to first: the cursor lines stay valid
        s.window.handlerKind = static_cast<int>(i % 4);
        const long line = i % 3 == 0 ? procs[i].bodyLine : procs[i].startLine + procs[i].countLines - 1;
        ASSERT_TRUE(s.Insert(line)) << parts[i].keyword << " " << parts[i].name;
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const Part& p = parts[i];
        const bool property = p.keyword.starts_with("Property");
        const std::string stem = (property ? p.keyword.substr(9) + "_" : "") + p.name;
        const std::string word = p.keyword.substr(0, 8);  // "Sub", "Function" or "Property"
        s.window.handlerKind = static_cast<int>(i % 4);
        expected += p.declaration;
        if (i % 4 == ResumeNext)
            expected += "On Error Resume Next\r\n" + p.body;
        else
            expected += "On Error Goto " + stem + "_Err" + kStamp + "\r\n\r\n" + p.body + "Exit " + word + "\r\n" +
                        stem + "_Err:\t\t" + kStamp + "\r\nIf Err <> 0 Then\r\n" +
                        errorhandlers::sHandlerBody(s.window, "Big", p.name) + "\r\nEnd If \r\n";
        expected += "End " + word + "\r\n";
    }
    EXPECT_EQ(expected, s.module.Text());
    EXPECT_TRUE(s.dialogs.messages.empty());
}

}  // namespace
