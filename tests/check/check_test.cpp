// What check finds in a module: VB in, "RULE LINE" out, with LINE the file's.
#include <gtest/gtest.h>

#include <filesystem>

#include "check/check.h"
#include "support/support.h"

namespace {

using check::Rule;

std::string Found(const std::string& vb, std::set<Rule> rules, const std::string& skip = "") {
    check::Config config;
    config.rules = std::move(rules);
    if (!skip.empty()) config.skipProcedures = {skip};
    const host::SourceModule m(testsupport::Crlf(vb));
    std::string out;
    for (const check::Finding& f : check::CheckModule(m, config))
        out += (out.empty() ? "" : ", ") + check::RuleName(f.rule) + " " + std::to_string(f.line) + " " + f.procedure;
    return out;
}

const std::string kRule = "'" + std::string(70, '-');
const std::string kHeader = kRule + "\n' Name:\t\t\tFoo\n' Author:\t\tMe\n'\n' Description:\n" + kRule + "\n";

TEST(Check, ProcedureHeadersAreKnownAboveOrBelowTheDeclarationAndByTheirName) {
    const std::set<Rule> rules{Rule::ProcedureHeader, Rule::StaleHeader};
    const std::pair<std::string, std::string> cases[] = {
        {"Sub Foo()\nEnd Sub\n", "procedure-header 1 Foo"},
        {"' Adds the rows.\nSub Foo()\nEnd Sub\n", "procedure-header 2 Foo"},  // a plain comment is no header
        {"\n" + kHeader + "\nSub Foo()\nEnd Sub\n", ""},                       // before, a blank line between
        {"Sub Foo(a, _\n b)\n" + kHeader + "End Sub\n", ""},                   // after the continued declaration
        {"Sub Foo()\nOn Error GoTo E\n\n" + kHeader + "End Sub\n", ""},        // and after the handler's line
        {"Sub Foo()\nx = 1\n" + kHeader + "End Sub\n", "procedure-header 1 Foo"},  // not directly below
        {"Sub Foo()\nEnd Sub\n" + kHeader + "Sub Bar()\nEnd Sub\n", "procedure-header 1 Foo, stale-header 4 Bar"},
        {"Property Get Foo()\n" + kHeader + "End Property\nProperty Let Foo(v)\nEnd Property\n",
         "stale-header 3 Get Foo, procedure-header 9 Let Foo"},
        {"#If A Then\nSub Foo()\n" + kHeader + "End Sub\n#Else\nSub Foo()\nEnd Sub\n#End If\n",
         "procedure-header 11 Foo"},  // each copy under #If needs its own
        {"Sub Foo()\nEnd Sub\n", ""},  // skipped by name below
    };
    for (const auto& [vb, expected] : cases)
        EXPECT_EQ(Found(vb, rules, &vb == &cases[9].first ? "F?o" : ""), expected) << vb;
}

TEST(Check, AnOnErrorStatementCountsOnlyInCodeAndItsLabelMustNotBeReachedByFallingThrough) {
    const std::set<Rule> rules{Rule::ErrorHandler, Rule::HandlerFallthrough};
    const std::pair<std::string, std::string> cases[] = {
        {"Sub Foo()\n' On Error Resume Next\nx = \"On Error\"\nEnd Sub\n", "error-handler 1 Foo"},
        {"Function Foo()\nIf a Then: on error resume next\nEnd Function\n", ""},
        {"Sub Foo()\nOn Error GoTo Foo_Err\nx = 1\nExit Sub\nFoo_Err:\nEnd Sub\n", ""},
        {"Sub Foo()\nOn Error Goto Foo_Err\nx = 1\n' done\n\nFoo_Err:\nEnd Sub\n", "handler-fallthrough 6 Foo"},
        {"Sub Foo()\nOn Error GoTo E\nIf a Then Exit Sub\nE:\nEnd Sub\n", "handler-fallthrough 4 Foo"},
        {"Property Get P()\nOn Error GoTo E\nResume Next\nE:\nEnd Property\n", ""},
        {"Sub Foo()\nOn Error GoTo E\nx = 1: End\nE:\nEnd Sub\n", ""},
        {"Sub Foo()\nOn Error GoTo E\nGoTo Done\nE:\nEnd Sub\n", ""},
        {"Sub Foo()\nOn Error GoTo E\nEnd If\nE:\nEnd Sub\n", "handler-fallthrough 4 Foo"},
        {"#If A Then\nSub Foo()\nOn Error Resume Next\nEnd Sub\n#Else\nSub Foo()\nEnd Sub\n#End If\n",
         "error-handler 6 Foo"},
    };
    for (const auto& [vb, expected] : cases) EXPECT_EQ(Found(vb, rules), expected) << vb;
}

TEST(Check, ModuleRulesAndIndentNameTheLineTheyConcern) {
    const std::string vb = "Attribute VB_Name = \"M\"\nOption Explicit\nSub Ok()\nEnd Sub\nSub Foo()\nx = 1\nIf a Then\nb = 1\nEnd If\nEnd Sub\n";
    EXPECT_EQ(Found(vb, {Rule::ModuleHeader, Rule::Notice, Rule::Indent}),
              "module-header 2 , notice 2 , indent 8 Foo");
    const std::string headed = "Attribute VB_Name = \"M\"\n" + kRule + "\n' Module Name:\tM\n" + kRule + "\n" + vb.substr(24);
    EXPECT_EQ(Found(headed, {Rule::ModuleHeader}), "");
    // In line order, whichever rule found them first.
    EXPECT_EQ(Found("Sub Bar()\n" + kHeader + "End Sub\n", {Rule::StaleHeader, Rule::ErrorHandler}),
              "error-handler 1 Bar, stale-header 3 Bar");
}

TEST(Check, RulesFileSaysWhichRulesApplyAndABadOneNamesItsLine) {
    testsupport::TempDir dir;
    std::filesystem::create_directory(dir.File("src"));
    testsupport::WriteFile(dir.File(".quillmark.ini"),
                           "[check]\nrules = notice, Indent\nskip-procedures = *_Click, Class_Initialize\n"
                           "exclude = legacy\nheader = after\nhandler = exe\n");
    const check::Config c = check::LoadConfig(dir.File("src"));
    EXPECT_EQ(c.rules, (std::set<Rule>{Rule::Notice, Rule::Indent}));
    EXPECT_TRUE(c.Skips("cmdOK_click") && c.Skips("Class_Initialize") && !c.Skips("Click"));
    EXPECT_TRUE(c.Excludes(dir.File("legacy/a/Old.bas")) && !c.Excludes(dir.File("src/legacy.bas")));
    EXPECT_FALSE(c.headerBefore);
    EXPECT_EQ(c.handler, toolwindow::StandardExe);
    EXPECT_EQ(check::LoadConfig(dir.Path() + "/..").rules.size(), 3u);  // the defaults above it

    for (const char* bad : {"[check]\n\nrules = indent, headers\n", "[check]\nindent\n", "[check]\nheader = top\n"}) {
        testsupport::WriteFile(dir.File(".quillmark.ini"), bad);
        try {
            check::LoadConfig(dir.File("src"));
            ADD_FAILURE() << bad;
        } catch (const check::ConfigError& e) {
            EXPECT_NE(std::string(e.what()).find(".quillmark.ini:" + std::string(bad[8] == '\n' ? "3" : "2")),
                      std::string::npos)
                << e.what();
        }
    }
}

}  // namespace
