// quillmark revision: every target at once, the log and the project file.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_helpers.h"

using clitest::CliFixture;
using clitest::Count;

TEST(RevisionCommand, TwiceLeavesOneHeadingTwoEntriesAndOneRelatedDoc) {
    CliFixture f;
    // "Select Case Reason" is line 33, then 41: the first run adds three lines
    // at the top, three above the procedure and two above the line.
    for (const auto& [number, line] : {std::pair{"12", ":33"}, std::pair{"13", ":41"}}) {
        auto r = f.Run({"revision", "--to", "procedure,module,log,code", "--type", "BUG", "--number", number,
                        "--initials", "JD", "--text", "Stock no longer goes below zero.",
                        f.Path("Inventory.bas") + line});
        ASSERT_EQ(r.status, 0) << r.err;
    }
    const std::string log = f.Read("REVISION.TXT");
    EXPECT_EQ(Count(log, "REVISION.TXT  for "), 1u);
    EXPECT_NE(log.find("' BUG: 00012, 2.1.0017, JD , 2026-07-04, Inventory, AdjustStock\r\n"
                       "' Stock no longer goes below zero.\r\n'\r\n"
                       "' BUG: 00013, 2.1.0017, JD , 2026-07-04, Inventory, AdjustStock\r\n"),
              std::string::npos)
        << log;
    EXPECT_EQ(Count(f.Read("Inventory.vbp"), "RelatedDoc="), 1u);

    // The code block stands directly above the cursor's line each time.
    EXPECT_NE(f.Read("Inventory.bas").find("' BUG: 00012  Vers: 2.1.0017 By: JD @ 2026-07-04 13:05:09\r\n"
                                           "' Stock no longer goes below zero.\r\n"
                                           "' BUG: 00013  Vers: 2.1.0017 By: JD @ 2026-07-04 13:05:09\r\n"
                                           "' Stock no longer goes below zero.\r\n"
                                           "Select Case Reason\r\n"),
              std::string::npos);
}

TEST(RevisionCommand, DiffShowsEveryFileAndWritesNone) {
    CliFixture f;
    const std::string vbp = f.Read("Inventory.vbp");
    auto r = f.Run({"revision", "--diff", "--to", "log", "--text", "x", f.Path("Inventory.bas") + ":33"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("--- /dev/null\n+++ b/" + f.Path("REVISION.TXT") + "\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("+RelatedDoc=REVISION.TXT\r\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(f.Path("REVISION.TXT")));
    EXPECT_EQ(f.Read("Inventory.vbp"), vbp);
}

TEST(RevisionCommand, TargetsComeFromSettingsAndAreRequired) {
    CliFixture f;
    auto none = f.Run({"revision", f.Path("Inventory.bas") + ":33"});
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("--to"), std::string::npos);
    EXPECT_EQ(f.Run({"revision", "--to", "code,shoe", f.Path("Inventory.bas") + ":33"}).status, 2);

    f.settings.SaveSetting("VB Quillmark", "Revision", "Code", "1");
    f.settings.SaveSetting("VB Quillmark", "Revision", "Type", "NEW");
    ASSERT_EQ(f.Run({"revision", f.Path("Inventory.bas") + ":33"}).status, 0);
    EXPECT_NE(f.Read("Inventory.bas").find("' NEW: 00000  Vers: 2.1.0017 By: EYI @ "), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(f.Path("REVISION.TXT")));
}

TEST(RevisionCommand, CodeAndCommentBlocksNeverSplitAContinuedStatement) {
    CliFixture f;
    // Line 27 continues the declaration that begins on line 26; after the
    // revision note it begins on line 28 and line 30 continues it.
    ASSERT_EQ(f.Run({"revision", "--to", "code", "--text", "x", f.Path("Inventory.bas") + ":27"}).status, 0);
    ASSERT_EQ(f.Run({"comment", "--text", "y", f.Path("Inventory.bas") + ":30"}).status, 0);
    EXPECT_NE(f.Read("Inventory.bas").find("' x\r\n'\r\n'\ty\r\n'\r\nPublic Sub AdjustStock(ByRef Item As StockItem, _\r\n"
                                           "                      ByVal Delta"),
              std::string::npos)
        << f.Read("Inventory.bas");
}

TEST(RevisionCommand, WithoutAProjectTheLogIsSkippedAndTheRestRuns) {
    CliFixture f;
    std::filesystem::create_directory(f.Path("loose"));
    std::filesystem::copy(f.Path("Inventory.bas"), f.Path("loose/Inventory.bas"));
    auto r = f.Run({"revision", "--to", "log,code", "--text", "x", f.Path("loose/Inventory.bas") + ":33"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err,
              "quillmark: the log target is skipped: no project; give --project FILE.vbp, or list the module in a "
              ".vbp in its folder or a folder above\n");
    EXPECT_NE(f.Read("loose/Inventory.bas").find("' x\r\nSelect Case Reason"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(f.Path("loose/REVISION.TXT")));
}
