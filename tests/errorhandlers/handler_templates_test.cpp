// The handler bodies, the custom template and the template box of each kind.
#include <gtest/gtest.h>

#include <string>

#include "errorhandlers/handler_templates.h"
#include "handler_session.h"

namespace errorhandlers_test {
namespace {

using testsupport::Crlf;

/// The custom template `customTemplate` filled for `ModuleName` and `ProcName`.
std::string Filled(const std::string& customTemplate, const std::string& ModuleName,
                   const std::string& ProcName) {
    HandlerSession s("", toolwindow::Custom, customTemplate);
    return errorhandlers::sCustomHandler(s.window, ModuleName, ProcName);
}

TEST(sCustomHandler, ReplacesEveryPlaceholderOnce) {
    EXPECT_EQ("", Filled("", "Module1", "Foo"));
    EXPECT_EQ("no placeholder here", Filled("no placeholder here", "Module1", "Foo"));
    EXPECT_EQ("x \"Foo\" y", Filled("x [procname] y", "Module1", "Foo"));
    EXPECT_EQ("MsgBox \"Foo\"", Filled("MsgBox [PrOcNaMe]", "Module1", "Foo"));
    // Twice, and at the very end: nothing follows the closing quote.
    EXPECT_EQ(Crlf("Log \"Foo\" & \"Foo\"\nRaise \"Mod\", \"Foo\""),
              Filled(Crlf("Log [ProcName] & [ProcName]\nRaise [MODULENAME], [ProcName]"), "Mod", "Foo"));
    EXPECT_EQ("\"\", \"Foo\"", Filled("[ModuleName], [ProcName]", "", "Foo"));
    // Names that hold a placeholder are put in as they stand and never searched
    // again, so the replacement ends and the name is not replaced within.
    EXPECT_EQ("\"[ProcName]\" \"a[ModuleName]b\"",
              Filled("[ProcName] [ModuleName]", "a[ModuleName]b", "[ProcName]"));
    EXPECT_EQ("\"x[procname][procname]\" and \"M\"",
              Filled("[ProcName] and [ModuleName]", "M", "x[procname][procname]"));
}

/// The body sHandlerBody gives for handler kind `kind`.
std::string Body(int kind, const std::string& customTemplate, const std::string& ModuleName) {
    HandlerSession s("", kind, customTemplate);
    return errorhandlers::sHandlerBody(s.window, ModuleName, "Foo");
}

// The Standard EXE body is pinned by the engine's worked example.
TEST(sHandlerBody, GivesTheBodyOfEachKind) {
    EXPECT_EQ("Stop \"Foo\"", Body(toolwindow::Custom, "Stop [ProcName]", "Module1"));
    EXPECT_EQ("", Body(toolwindow::Custom, "", "Module1"));
    EXPECT_EQ("", Body(toolwindow::ResumeNext, "Stop [ProcName]", "Module1"));
    EXPECT_EQ(Crlf("\tSelect Case MsgBox(\"Number: \" & Err.Number & vbCrLf & _ \n"
                   "\t\t\"Description: \" & Err.Description & vbCrLf & _\n"
                   "\t\t\"Location: , Foo\", vbAbortRetryIgnore + vbExclamation, _ \n"
                   "\t\t\"An Error Occurred In: \" & Err.Source) \n"
                   "\t\tCase vbAbort\n"
                   "\t\t\tOn Error GoTo 0\n"
                   "\t\t\tErr.Raise Err.Number\n"
                   "\t\tCase vbRetry\n"
                   "\t\t\tResume\n"
                   "\t\tCase vbIgnore\n"
                   "\t\t\tResume Next\n"
                   "\tEnd Select"),
              Body(toolwindow::ComponentMsgBox, "", ""));
}

/// The template box for kind `index`, as "text|editable" ("(kept)" for no text).
std::string Box(int index, const char* stored) {
    HandlerSession s("", toolwindow::StandardExe);
    if (stored != nullptr) s.settings.Save(platform::settings::ErrorHandlerCustom, stored);
    const errorhandlers::HandlerTemplateBox box = errorhandlers::TemplateBoxFor(s.window, index);
    return box.text.value_or("(kept)") + (box.editable ? "|editable" : "|locked");
}

TEST(TemplateBoxFor, ShowsTheStoredTemplateOrTheKindsTitle) {
    EXPECT_EQ("|editable", Box(0, nullptr));
    EXPECT_EQ("Stop [ProcName]\r\nResume|editable", Box(0, "Stop [ProcName]\r\nResume"));
    EXPECT_EQ("On Error Resume Next|locked", Box(1, "x"));
    EXPECT_EQ("Standard EXE Message Box Error Handler|locked", Box(2, "x"));
    EXPECT_EQ("Active X Message Box Error Handler|locked", Box(3, "x"));
    EXPECT_EQ("(kept)|locked", Box(4, "x"));
    EXPECT_EQ("(kept)|locked", Box(-1, "x"));
}

}  // namespace
}  // namespace errorhandlers_test
