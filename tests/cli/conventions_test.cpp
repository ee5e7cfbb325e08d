// The conventions every command follows: targets, statuses, --diff, --stdout,
// and bad input that leaves every file as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "cli_helpers.h"

using clitest::CliFixture;
using testsupport::Crlf;

namespace {

// Every file of the example copy, to check that a command left them alone.
std::string Snapshot(const CliFixture& f) {
    std::string all;
    for (const char* name : {"Inventory.bas", "Customer.cls", "frmMain.frm", "Inventory.vbp"})
        all += f.Read(name);
    return all;
}

}  // namespace

TEST(Cli, HelpVersionAndUsageErrors) {
    CliFixture f;
    auto help = f.Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("notice"), std::string::npos);
    EXPECT_NE(help.out.find("outline"), std::string::npos);

    auto sub = f.Run({"notice", "--help"});
    EXPECT_EQ(sub.status, 0);
    EXPECT_NE(sub.out.find("--diff"), std::string::npos);

    EXPECT_EQ(f.Run({"--version"}).status, 0);
    EXPECT_EQ(f.Run({}).status, 2);
    EXPECT_EQ(f.Run({"frobnicate"}).status, 2);
    auto noTarget = f.Run({"notice"});
    EXPECT_EQ(noTarget.status, 2);
    EXPECT_NE(noTarget.err.find("quillmark: "), std::string::npos);
    EXPECT_EQ(f.Run({"notice", "--encoding", "klingon", f.Path("Inventory.bas")}).status, 2);
    EXPECT_EQ(f.Run({"notice", "--diff", "--stdout", f.Path("Inventory.bas")}).status, 2);
}

TEST(Cli, BadTargetsGetOneMessageAndChangeNothing) {
    CliFixture f;
    const std::string before = Snapshot(f);
    testsupport::WriteFile(f.Path("blob.bas"), std::string("MZ\0\0\x90\x01", 6));
    testsupport::WriteFile(f.Path("notes.txt"), "hello\r\n");
    std::filesystem::create_directory(f.Path("folder.bas"));
    const std::string bas = f.Path("Inventory.bas");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string says;
    };
    const Case cases[] = {
        {{"notice", f.Path("missing.bas")}, 3, "missing.bas"},
        {{"notice", f.Path("folder.bas")}, 3, "folder.bas"},
        {{"notice", f.Path("blob.bas")}, 3, "binary"},
        {{"notice", f.Path("notes.txt")}, 2, "not a VB module"},
        {{"notice", bas + ":3"}, 2, "whole files"},
        {{"comment", "--text", "x", bas + ":999"}, 2, "out of range"},
        {{"comment", "--text", "x", bas + ":0"}, 2, "out of range"},
        {{"comment", "--text", "x", bas}, 2, "FILE:LINE"},
        {{"comment", "--text", "@" + f.Path("nope.txt"), bas + ":3"}, 3, "nope.txt"},
    };
    for (const Case& c : cases) {
        auto r = f.Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back() << "\n" << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_EQ(Snapshot(f), before);
}

TEST(Cli, OneFailingTargetStopsTheRunBeforeAnythingIsWritten) {
    CliFixture f;
    auto r = f.Run({"notice", f.Path("missing.bas"), f.Path("Inventory.bas")});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(f.Read("Inventory.bas").find("NOTICE OF PROPRIETARY RIGHTS"), std::string::npos);
}

TEST(Cli, DiffAndStdoutWriteNothing) {
    CliFixture f;
    const std::string before = Snapshot(f);

    auto diff = f.Run({"notice", "--diff", f.Path("Inventory.bas")});
    EXPECT_EQ(diff.status, 0) << diff.err;
    EXPECT_EQ(diff.out.rfind("--- a/" + f.Path("Inventory.bas") + "\n+++ b/" + f.Path("Inventory.bas") +
                                 "\n@@ -1,4 +1,22 @@\n",
                             0),
              0u)
        << diff.out;
    // Only added lines and context: nothing removed.
    EXPECT_EQ(diff.out.find("\n-"), std::string::npos);
    // In the module's own bytes, so that the diff applies.
    EXPECT_NE(diff.out.find("+' $Copyright: Copyright \xA9 1997"), std::string::npos);

    auto out = f.Run({"notice", "--stdout", f.Path("Inventory.bas")});
    EXPECT_EQ(out.status, 0);
    // In Windows-1252, right after the rule.
    EXPECT_EQ(out.out.find("' $Copyright: Copyright \xA9 1997"), out.out.find("'---") + 73);
    EXPECT_EQ(Snapshot(f), before);
}

TEST(Cli, AReadOnlyModuleIsLeftAlone) {
    CliFixture f;
    const std::string before = f.Read("Inventory.bas");
    chmod(f.Path("Inventory.bas").c_str(), 0444);
    auto r = f.Run({"notice", f.Path("Inventory.bas")});
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.err.find("read-only"), std::string::npos) << r.err;
    EXPECT_EQ(f.Read("Inventory.bas"), before);
}
