// The generator commands: each block in its place from FILE:LINE, and the fields only the command line fills. The
// blocks' texts are the generators' own tests' matter; the window's tests check that it writes what the same
// options write (the procedure and module headers, --author, --initials, --type, --number and the component
// handler among them).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <tuple>

#include "cli_helpers.h"

using clitest::CliFixture;
using testing::HasSubstr;

TEST(GeneratorCommands, EachPutsItsBlockInItsPlaceAndChangesNothingElse) {
    // The arguments (the target last, a file name with its line), the block, and the text it goes in before.
    const std::tuple<std::vector<std::string>, std::string, std::string> cases[] = {
        // Code and comment blocks go above the statement that holds the line: line 27 continues line 26.
        {{"comment", "--text", "Totals are kept in cents.", "Inventory.bas:27"},
         "'\r\n'\tTotals are kept in cents.\r\n'\r\n", "Public Sub AdjustStock("},
        {{"revision", "--to", "code", "--type", "BUG", "--number", "12", "--initials", "JD", "--text",
          "Stock no longer goes below zero.", "Inventory.bas:27"},
         "' BUG: 00012  Vers: 2.1.0017 By: JD @ 2026-07-04 13:05:09\r\n' Stock no longer goes below zero.\r\n",
         "Public Sub AdjustStock("},
        // A class's file lines count its hidden header.
        {{"error", "--kind", "resume-next", "Customer.cls:24"}, "On Error Resume Next\r\n", "mName = Trim$(Value)"},
    };
    for (const auto& [args, block, before] : cases) {
        CliFixture f;
        const std::string file = args.back().substr(0, args.back().find(':'));
        std::string expected = f.Read(file);
        expected.insert(expected.find(before), block);
        std::vector<std::string> withPath = args;
        withPath.back() = f.Path(args.back());
        auto r = f.Run(withPath);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(f.Read(file), expected) << args[0] << " " << args[1];
    }

    CliFixture f;
    auto t = f.Run({"error", "--template", "MsgBox [ProcName]", f.Path("frmMain.frm") + ":36"});
    ASSERT_EQ(t.status, 0) << t.err;
    EXPECT_THAT(f.Read("frmMain.frm"), HasSubstr("If Err <> 0 Then\r\nMsgBox \"Form_Load\"\r\nEnd If \r\nEnd Sub"));
    // A program's handler ends the program on Abort; a component's raises the error to its caller.
    ASSERT_EQ(f.Run({"error", "--kind", "exe", f.Path("Inventory.bas") + ":27"}).status, 0);
    EXPECT_THAT(f.Read("Inventory.bas"), HasSubstr("\t\t\tEnd\r\n"));
}

// The stored settings are a run's defaults, and --to (names in any case) replaces the stored targets. A message
// that refuses nothing is a warning: the header still lands (as for Before) and the run succeeds.
TEST(GeneratorCommands, StoredSettingsAreTheDefaultsAndAWarningKeepsTheRunGoing) {
    CliFixture f;
    f.settings.SaveSetting("VB Quillmark", "Author", "Initials", "SA");
    f.settings.SaveSetting("VB Quillmark", "Revision", "Code", "1");
    f.settings.SaveSetting("VB Quillmark", "Revision", "Type", "NEW");
    ASSERT_EQ(f.Run({"revision", f.Path("Inventory.bas") + ":33"}).status, 0);
    EXPECT_THAT(f.Read("Inventory.bas"), HasSubstr("' NEW: 00000  Vers: 2.1.0017 By: SA @ "));
    ASSERT_EQ(f.Run({"revision", "--to", "Module", f.Path("Inventory.bas") + ":33"}).status, 0);
    EXPECT_THAT(f.Read("Inventory.bas"), HasSubstr("' NEW: 00000, 2.1.0017, SA "));
    EXPECT_EQ(clitest::Count(f.Read("Inventory.bas"), "By: SA @ "), 1u);

    testsupport::WriteFile(f.Path("Spaced.bas"), "Attribute VB_Name = \"Spaced\"\r\nPublic Sub Foo (x)\r\nEnd Sub\r\n");
    auto w = f.Run({"procedure", "--after", f.Path("Spaced.bas") + ":3"});
    EXPECT_EQ(w.status, 0) << w.err;
    EXPECT_EQ(w.err, "quillmark: No Proc= Foo(\n");
}

// Two whole copies of one procedure under #If ... #Else ... #End If: a line in the second copy means that copy, for
// every command that looks for the procedure at a line (the indenter asks the host its own way). What --stdout
// prints is what the run writes: the several-targets test holds that.
TEST(GeneratorCommands, EachActsOnTheCopyOfAProcedureThatHoldsTheLine) {
    const std::string copy =
        "Public Sub Blink(ByVal Times As Long)\r\nDim i As Long\r\nFor i = 1 To Times\r\n"
        "Beep\r\nNext\r\nEnd Sub\r\n";
    const std::string first = "Attribute VB_Name = \"Copies\"\r\nOption Explicit\r\n\r\n#If Win64 Then\r\n" + copy;
    const std::string second = "#Else\r\n" + copy + "#End If\r\n";
    // File lines: the first copy's Beep is line 8, the second's line 15.
    // The arguments ("@" for the file), and whether each copy changes.
    const std::tuple<std::vector<std::string>, bool, bool> cases[] = {
        {{"error", "--stdout", "@:15"}, false, true},
        {{"procedure", "--stdout", "--after", "@:15"}, false, true},
        {{"revision", "--stdout", "--to", "procedure", "--after", "@:15"}, false, true},
        {{"indent", "--stdout", "@:15"}, false, true},
        {{"indent", "--stdout", "--all", "@"}, true, true},
    };
    for (const auto& [given, firstChanges, secondChanges] : cases) {
        CliFixture f;
        testsupport::WriteFile(f.Path("Copies.bas"), first + second);
        std::vector<std::string> args;
        for (const std::string& a : given) args.push_back(a[0] == '@' ? f.Path("Copies.bas") + a.substr(1) : a);
        const clitest::Result r = f.Run(args);
        SCOPED_TRACE(given[0] + " " + given.back());
        ASSERT_EQ(r.status, 0) << r.err;
        const std::size_t split = r.out.find("#Else\r\n");
        ASSERT_NE(split, std::string::npos) << r.out;
        EXPECT_EQ(r.out.substr(0, split) != first, firstChanges) << r.out;
        EXPECT_EQ(r.out.substr(split) != second, secondChanges) << r.out;
    }
}

// One procedure or whole modules; --check lists what would change and writes nothing. What the indenter
// does to a line is its own tests' matter.
TEST(IndentCommand, OneProcedureOrWholeModulesAndCheckWritesNothing) {
    CliFixture f;
    const std::string inv = f.Path("Inventory.bas");
    const std::string before = f.Read("Inventory.bas");
    const std::vector<std::string> all{"indent", "--all", inv, f.Path("Customer.cls"), f.Path("frmMain.frm")};
    std::vector<std::string> check = all;
    check.insert(check.begin() + 2, "--check");
    auto listed = f.Run(check);
    EXPECT_EQ(listed.status, 1);
    EXPECT_EQ(listed.out, inv + ":20: NeedsReorder\n" + inv + ":26: AdjustStock\n" + inv + ":49: ReportAll\n");
    EXPECT_EQ(f.Read("Inventory.bas"), before);

    ASSERT_EQ(f.Run({"indent", inv + ":35"}).status, 0);
    // AdjustStock moved, and only it: NeedsReorder's body is still flush left.
    EXPECT_NE(f.Read("Inventory.bas"), before);
    EXPECT_THAT(f.Read("Inventory.bas"), HasSubstr("Boolean\r\nIf Item.Quantity < REORDER_LEVEL Then\r\nNeedsReorder"));

    // --all writes every procedure --check listed, so --check then finds nothing to do; a module it leaves as
    // it was is not written again (a rename would give it a new inode).
    struct stat untouched {};
    ASSERT_EQ(::stat(f.Path("Customer.cls").c_str(), &untouched), 0);
    ASSERT_EQ(f.Run(all).status, 0);
    struct stat after {};
    ASSERT_EQ(::stat(f.Path("Customer.cls").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, untouched.st_ino);
    auto again = f.Run(check);
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, "");
}
