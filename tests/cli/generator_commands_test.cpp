// procedure, module, comment and error on the example project, end to end.
#include <gtest/gtest.h>

#include "cli_helpers.h"

using clitest::CliFixture;

namespace {

// The lines a diff adds, without their "+"; fails the test when it removes any.
std::string AddedLines(const std::string& diff) {
    std::string added;
    std::size_t pos = 0;
    while (pos < diff.size()) {
        std::size_t end = diff.find('\n', pos);
        if (end == std::string::npos) end = diff.size();
        const std::string line = diff.substr(pos, end - pos);
        if (line.rfind("+++", 0) != 0 && line.rfind("---", 0) != 0) {
            if (!line.empty() && line[0] == '+') added += line.substr(1) + "\n";
            EXPECT_FALSE(!line.empty() && line[0] == '-') << "removed: " << line;
        }
        pos = end + 1;
    }
    return added;
}

const std::string kRule = "'" + std::string(70, '-');

}  // namespace

TEST(ProcedureCommand, WritesTheHeaderBeforeTheDeclarationWithTheRunsAuthor) {
    CliFixture f;
    auto r = f.Run({"procedure", "--diff", "--author", "Jane Doe", "--description", "Adds to the stock.",
                    f.Path("Inventory.bas") + ":30"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(AddedLines(r.out),
              kRule + "\r\n"
              "' Name:\t\t\tAdjustStock\r\n"
              "' Copyright:\tCopyright \xA9 2026 Harbour Lane Traders\r\n"
              "' Author:\t\tJane Doe\r\n"
              "' Created:\t\tSaturday, July 04,2026 @ 1:05:09 pm (Vers: 2.1.0017)\r\n"
              "'\r\n"
              "' Description:\tAdds to the stock.\r\n" +
                  kRule + "\r\n");
    EXPECT_NE(r.out.find("@@ -23,6 +23,14 @@"), std::string::npos) << r.out;

    // Without --diff the same lines are written, before "Public Sub AdjustStock".
    ASSERT_EQ(f.Run({"procedure", "--after", f.Path("Inventory.bas") + ":30"}).status, 0);
    const std::string text = f.Read("Inventory.bas");
    EXPECT_NE(text.find("Optional ByVal Reason As String = \"count\")\r\n" + kRule +
                        "\r\n' Name:\t\t\tAdjustStock\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("' Author:\t\tEnter Your Name Here\r\n"), std::string::npos);
}

TEST(ProcedureCommand, RefusesOutsideAProcedureAndWarnsWhenTheDeclarationIsMissing) {
    CliFixture f;
    const std::string before = f.Read("Inventory.bas");
    auto r = f.Run({"procedure", f.Path("Inventory.bas") + ":5"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quillmark: No Procedure Selected: Please select a procedure for this header\n");
    EXPECT_EQ(f.Read("Inventory.bas"), before);

    // With a blank before its bracket the declaration is not found for --after:
    // a warning, and the header lands as for Before.
    f.settings.SaveSetting("VB Quillmark", "Author", "Name", "Stored Author");
    testsupport::WriteFile(f.Path("Spaced.bas"),
                           "Attribute VB_Name = \"Spaced\"\r\nPublic Sub Foo (x)\r\nEnd Sub\r\n");
    auto w = f.Run({"procedure", "--after", f.Path("Spaced.bas") + ":3"});
    EXPECT_EQ(w.status, 0) << w.err;
    EXPECT_EQ(w.err, "quillmark: No Proc= Foo(\n");
    EXPECT_NE(f.Read("Spaced.bas").find("' Author:\t\tStored Author\r\n"), std::string::npos);
}

TEST(ModuleAndCommentCommands, InsertTheirBlocks) {
    CliFixture f;
    auto m = f.Run({"module", "--diff", "--description", "Stock levels.\nRe-order rules.", f.Path("Inventory.bas")});
    ASSERT_EQ(m.status, 0) << m.err;
    EXPECT_EQ(AddedLines(m.out),
              kRule + "\r\n"
              "' Module Name:\tInventory\r\n"
              "' Copyright:\tCopyright \xA9 2026 Harbour Lane Traders\r\n"
              "' Author:\t\tEnter Your Name Here\r\n"
              "' Created:\t\tSaturday, July 04,2026 @ 1:05:09 pm (Vers: 2.1.0017)\r\n"
              "'\r\n"
              "' Description:\tStock levels.\r\n"
              "'\t\t\t\t\tRe-order rules.\r\n"
              "'\r\n" +
                  kRule + "\r\n");

    auto c = f.Run({"comment", "--diff", "--text", "Totals are kept in cents.", f.Path("Inventory.bas") + ":29"});
    ASSERT_EQ(c.status, 0) << c.err;
    EXPECT_EQ(AddedLines(c.out), "'\r\n'\tTotals are kept in cents.\r\n'\r\n");
    EXPECT_NE(c.out.find("@@ -26,6 +26,9 @@"), std::string::npos) << c.out;
}

TEST(ErrorCommand, WritesTheHandlerOrRefusesAndLeavesTheModuleAlone) {
    CliFixture f;
    auto r = f.Run({"error", "--diff", "--kind", "resume-next", f.Path("Customer.cls") + ":24"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(AddedLines(r.out), "On Error Resume Next\r\n");

    auto t = f.Run({"error", "--template", "MsgBox [ProcName]", f.Path("frmMain.frm") + ":36"});
    ASSERT_EQ(t.status, 0) << t.err;
    EXPECT_NE(f.Read("frmMain.frm").find("If Err <> 0 Then\r\nMsgBox \"Form_Load\"\r\nEnd If \r\nEnd Sub"),
              std::string::npos);

    const std::string before = f.Read("Inventory.bas");
    auto n = f.Run({"error", f.Path("Inventory.bas") + ":2"});
    EXPECT_EQ(n.status, 1);
    EXPECT_EQ(n.err, "quillmark: No Procedure Selected: Please select a procedure for this Error Handler\n");
    EXPECT_EQ(f.Read("Inventory.bas"), before);
    EXPECT_EQ(f.Run({"error", "--kind", "loud", f.Path("Inventory.bas") + ":30"}).status, 2);
}

// Two whole copies of one procedure under #If ... #Else ... #End If: a line in
// either copy means that copy, for every command.
TEST(SameNamedProcedures, EachCommandActsOnTheCopyThatHoldsTheLine) {
    const std::string copy = "Public Sub Blink(ByVal Times As Long)\r\nDim i As Long\r\nFor i = 1 To Times\r\n"
                             "Beep\r\nNext\r\nEnd Sub\r\n";
    const std::string first = "Attribute VB_Name = \"Copies\"\r\nOption Explicit\r\n\r\n#If Win64 Then\r\n" + copy;
    const std::string second = "#Else\r\n" + copy + "#End If\r\n";
    // File lines: the first copy's Beep is line 8, the second's line 15.
    struct Case {
        std::vector<std::string> args;
        bool firstChanges, secondChanges;
    };
    const Case cases[] = {
        {{"error", "--stdout", "@:15"}, false, true},
        {{"error", "--stdout", "@:8"}, true, false},
        {{"procedure", "--stdout", "--after", "@:15"}, false, true},
        {{"revision", "--stdout", "--to", "procedure", "--after", "@:15"}, false, true},
        {{"indent", "--stdout", "@:15"}, false, true},
        {{"indent", "--stdout", "--all", "@"}, true, true},
    };
    for (const Case& c : cases) {
        CliFixture f;
        testsupport::WriteFile(f.Path("Copies.bas"), first + second);
        std::vector<std::string> args;
        for (const std::string& a : c.args) args.push_back(a[0] == '@' ? f.Path("Copies.bas") + a.substr(1) : a);
        const clitest::Result r = f.Run(args);
        SCOPED_TRACE(c.args[0] + " " + c.args.back());
        ASSERT_EQ(r.status, 0) << r.err;
        const std::size_t split = r.out.find("#Else\r\n");
        ASSERT_NE(split, std::string::npos) << r.out;
        EXPECT_EQ(r.out.substr(0, split) != first, c.firstChanges) << r.out;
        EXPECT_EQ(r.out.substr(split) != second, c.secondChanges) << r.out;
        EXPECT_EQ(testsupport::ReadFile(f.Path("Copies.bas")), first + second) << "--stdout writes nothing";
    }
}
