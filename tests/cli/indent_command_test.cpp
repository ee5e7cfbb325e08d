// quillmark indent: one procedure, whole modules, and --check for CI.
#include <gtest/gtest.h>

#include "cli_helpers.h"

using clitest::CliFixture;

TEST(IndentCommand, OneProcedureOrWholeModules) {
    CliFixture f;
    const std::string before = f.Read("Inventory.bas");
    ASSERT_EQ(f.Run({"indent", f.Path("Inventory.bas") + ":35"}).status, 0);
    const std::string one = f.Read("Inventory.bas");
    EXPECT_NE(one.find("Select Case Reason\r\n   Case \"count\"\r\n      Debug.Print"), std::string::npos);
    // Only AdjustStock moved: NeedsReorder's body is still flush left.
    EXPECT_NE(one.find("Boolean\r\nIf Item.Quantity < REORDER_LEVEL Then\r\nNeedsReorder = True"), std::string::npos);

    ASSERT_EQ(f.Run({"indent", "--all", f.Path("Inventory.bas"), f.Path("frmMain.frm")}).status, 0);
    const std::string all = f.Read("Inventory.bas");
    EXPECT_NE(all.find("Then\r\n   NeedsReorder = True\r\nEnd If"), std::string::npos);
    // The declarations section and the hidden lines stay as they stand.
    EXPECT_EQ(all.substr(0, all.find("' Returns True")), before.substr(0, before.find("' Returns True")));
    EXPECT_NE(f.Read("frmMain.frm").find("Begin VB.Form frmMain \r\n   Caption         =   \"Inventory\""),
              std::string::npos);

    // Only blanks at the start of lines changed.
    auto strip = [](std::string s) {
        std::string out;
        bool lineStart = true;
        for (char c : s) {
            if (lineStart && c == ' ') continue;
            lineStart = c == '\n';
            out += c;
        }
        return out;
    };
    EXPECT_EQ(strip(all), strip(before));
}

TEST(IndentCommand, CheckListsWhatWouldChangeAndWritesNothing) {
    CliFixture f;
    const std::string before = f.Read("Inventory.bas");
    auto r = f.Run({"indent", "--all", "--check", f.Path("Inventory.bas"), f.Path("Customer.cls")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, f.Path("Inventory.bas") + ":20: NeedsReorder\n" + f.Path("Inventory.bas") +
                         ":26: AdjustStock\n" + f.Path("Inventory.bas") + ":49: ReportAll\n");
    EXPECT_EQ(f.Read("Inventory.bas"), before);

    ASSERT_EQ(f.Run({"indent", "--all", f.Path("Inventory.bas")}).status, 0);
    auto again = f.Run({"indent", "--all", "--check", f.Path("Inventory.bas")});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, "");

    auto one = f.Run({"indent", "--check", f.Path("Customer.cls") + ":26"});
    EXPECT_EQ(one.status, 0) << one.out;
}

TEST(IndentCommand, RefusesOutsideAProcedure) {
    CliFixture f;
    const std::string before = f.Read("Inventory.bas");
    auto r = f.Run({"indent", f.Path("Inventory.bas") + ":3"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quillmark: Indent Procedure: Please select a procedure to indent.\n");
    EXPECT_EQ(f.Read("Inventory.bas"), before);
    EXPECT_EQ(f.Run({"indent", f.Path("Inventory.bas")}).status, 2);
    EXPECT_EQ(f.Run({"indent", "--all", f.Path("Inventory.bas") + ":30"}).status, 2);
}
