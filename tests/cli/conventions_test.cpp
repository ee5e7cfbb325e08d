// The conventions every command follows: help, --diff, the project that lists
// the module, the settings a run reads, and code pages. Refused runs are the
// transaction tests' matter.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "cli_helpers.h"

using clitest::CliFixture;
using clitest::Count;
using testing::HasSubstr;

namespace fs = std::filesystem;

// Asking for help or the version is a run that succeeds (CLI11 throws both as parse errors); a command's help is
// its own.
TEST(Usage, HelpAndVersionSucceed) {
    CliFixture f;
    for (const char* ask : {"--help", "--version"})
        EXPECT_EQ(f.Run({ask}).status, 0) << ask;
    EXPECT_THAT(f.Run({"notice", "--help"}).out, HasSubstr("--diff"));
}

// On the real binary, in a folder whose name holds a blank: the diff writes nothing and applies, with git and with
// GNU patch, to exactly the files the same run writes, the new REVISION.TXT among them. git apply takes a hunk only
// where it fits exactly (patch would apply one with wrong line numbers or context); patch reads a name only up to
// a blank unless a tab ends it.
TEST(Diff, AppliesWithGitAndPatchToWhatTheRunWrites) {
    CliFixture f;
    fs::create_directory(f.Path("my project"));
    for (const char* name : {"Inventory.bas", "Inventory.vbp"})
        fs::rename(f.Path(name), f.Path(std::string("my project/") + name));
    std::vector<std::string> args{"revision", "--diff", "--to", "code,log,module", "--text", "Cents \xC2\xA9",
                                  "my project/Inventory.bas:33"};
    auto diff = f.RunBinary(args);
    ASSERT_EQ(diff.status, 0) << diff.err;
    std::vector<testsupport::TempDir> copies(2);
    const char* apply[] = {"git apply --whitespace=nowarn change.patch", "patch -p1 --batch --silent -i change.patch"};
    for (std::size_t i = 0; i < copies.size(); ++i) {
        fs::copy(f.dir.Path(), copies[i].Path(), fs::copy_options::recursive);
        testsupport::WriteFile(copies[i].File("change.patch"), diff.out);
        ASSERT_EQ(std::system(("cd " + clitest::ShellQuoted(copies[i].Path()) + " && " + apply[i]).c_str()), 0)
            << apply[i] << "\n" << diff.out;
    }
    args.erase(args.begin() + 1);
    ASSERT_EQ(f.RunBinary(args).status, 0);
    for (const char* name : {"Inventory.bas", "Inventory.vbp", "REVISION.TXT"})
        for (std::size_t i = 0; i < copies.size(); ++i)
            EXPECT_EQ(testsupport::ReadFile(copies[i].File(std::string("my project/") + name)),
                      f.Read(std::string("my project/") + name))
                << apply[i] << " " << name;
}

// The project is the one that lists the module, in its folder or above; of
// two, the first is taken and the choice said; with none the log is skipped.
TEST(Projects, FoundAboveTheModuleOrTheLogSkipped) {
    CliFixture f;
    fs::create_directory(f.Path("src"));
    fs::rename(f.Path("Inventory.bas"), f.Path("src/Inventory.bas"));
    std::string vbp = f.Read("Inventory.vbp");
    vbp.replace(vbp.find("Inventory; Inventory.bas"), 24, "Inventory; src\\Inventory.bas");
    testsupport::WriteFile(f.Path("Inventory.vbp"), vbp);
    const std::string module = f.Path("src/Inventory.bas") + ":33";
    auto up = f.Run({"revision", "--to", "log", "--text", "x", module});
    ASSERT_EQ(up.status, 0) << up.err;
    EXPECT_EQ(up.err, "");
    EXPECT_TRUE(fs::exists(f.Path("REVISION.TXT")));

    testsupport::WriteFile(f.Path("Another.vbp"), vbp);
    auto two = f.Run({"revision", "--to", "log", "--text", "y", module});
    EXPECT_EQ(two.status, 0) << two.err;
    EXPECT_THAT(two.err, HasSubstr("is listed by " + f.Path("Another.vbp") + ", " + f.Path("Inventory.vbp") +
                                   "; using " + f.Path("Another.vbp")));

    fs::create_directory(f.Path("loose"));
    fs::copy(f.Path("src/Inventory.bas"), f.Path("loose/Inventory.bas"));
    auto r = f.Run({"revision", "--to", "log,code", "--text", "x", f.Path("loose/Inventory.bas") + ":33"});
    EXPECT_EQ(r.status, 0);
    EXPECT_THAT(r.err, HasSubstr("the log target is skipped: no project"));
    EXPECT_THAT(f.Read("loose/Inventory.bas"), HasSubstr("' x\r\nSelect Case Reason"));
    EXPECT_FALSE(fs::exists(f.Path("loose/REVISION.TXT")));
}

// A store that cannot be parsed, by a bad section line or as random bytes: the defaults, and one warning a run
// however many targets. Storing a setting then writes a fresh file and keeps the unreadable one beside it, saying
// where. (A folder in its place takes another branch to the same warning and defaults.)
TEST(Settings, ADamagedStoreIsSaidOnceAndKeptAsideWhenASettingIsStored) {
    CliFixture f;
    const std::string ini = f.Path(".config/Quillmark/VB Quillmark.ini");
    std::filesystem::create_directories(f.Path(".config/Quillmark"));
    std::string noise;
    std::mt19937 random(17);
    for (int i = 0; i < 3000; ++i) noise += static_cast<char>(random());
    for (const std::string& bytes : {std::string("[Author\nName=Jane\n"), noise}) {
        testsupport::WriteFile(ini, bytes);
        auto damaged = f.RunBinary({"procedure", "--diff", "Inventory.bas:30", "Customer.cls:37"});
        EXPECT_EQ(damaged.status, 0) << damaged.err;
        EXPECT_EQ(Count(damaged.err, "VB Quillmark.ini': the file is damaged; using the defaults"), 1u) << damaged.err;
        EXPECT_THAT(damaged.out, HasSubstr("Enter Your Name Here"));
    }
    auto stored = f.RunBinary({"settings", "Author/Name", "Jane Roe"});
    EXPECT_EQ(stored.status, 0) << stored.err;
    EXPECT_THAT(stored.err, HasSubstr("the unreadable one is kept as '" + ini + ".unreadable'"));
    EXPECT_EQ(testsupport::ReadFile(ini + ".unreadable"), noise);
    EXPECT_EQ(f.RunBinary({"settings", "Author/Name"}).out, "Jane Roe\n");
}

// Names in any letter case; a value from a file loses its last line break; shown as stored, listed on one line.
TEST(Settings, StoreShowAndList) {
    CliFixture f;
    testsupport::WriteFile(f.Path("handler.txt"), "MsgBox [ProcName]\r\nResume Next\r\n");
    ASSERT_EQ(f.Run({"settings", "errorhandler/custom", "@" + f.Path("handler.txt")}).status, 0);
    EXPECT_EQ(f.Run({"settings", "ErrorHandler/Custom"}).out, "MsgBox [ProcName]\r\nResume Next\n");
    EXPECT_THAT(f.Run({"settings"}).out,
                HasSubstr("\nErrorHandler/Custom = \"MsgBox [ProcName]\\r\\nResume Next\"  (default \""));
}

// UTF-16 is written back in its byte order, with its byte order mark or, when
// --encoding named it, without one.
TEST(Encodings, Utf16KeepsItsByteOrderAndItsMarkOrLackOfOne) {
    CliFixture f;
    for (const std::string mark : {"\xFF\xFE", "\xFE\xFF", ""}) {
        const auto wide = [&](const std::string& text) {
            std::string bytes = mark;
            for (char c : testsupport::Crlf(text))
                bytes += mark == "\xFE\xFF" ? std::string{'\0', c} : std::string{c, '\0'};
            return bytes;
        };
        testsupport::WriteFile(f.Path("Wide.bas"), wide("Attribute VB_Name = \"Wide\"\nPublic Sub A()\nEnd Sub\n"));
        std::vector<std::string> args{"comment", "--text", "x", f.Path("Wide.bas") + ":2"};
        if (mark.empty()) args.insert(args.begin() + 1, {"--encoding", "utf-16le"});
        auto r = f.Run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(f.Read("Wide.bas"), wide("Attribute VB_Name = \"Wide\"\n'\n'\tx\n'\nPublic Sub A()\nEnd Sub\n"));
    }
}

// A UTF-8 byte order mark with --encoding naming UTF-8 (in any spelling) is still a mark, not text: the module
// keeps its name and its mark, and the module header goes in at code line 1, above Option Explicit.
TEST(Encodings, AMarkAndTheEncodingItNamesKeepTheModulesName) {
    CliFixture f;
    const std::string mark = "\xEF\xBB\xBF", name = "Attribute VB_Name = \"Stock\"\r\n";
    const std::string rule = "'" + std::string(70, '-') + "\r\n";
    testsupport::WriteFile(f.Path("Marked.bas"), mark + name + "Option Explicit\r\n");
    auto r = f.Run({"module", "--encoding", "UTF8", "--description", "Levels.", f.Path("Marked.bas")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string written = f.Read("Marked.bas");
    EXPECT_TRUE(written.starts_with(mark + name + rule + "' Module Name:\tStock\r\n")) << written;
    EXPECT_TRUE(written.ends_with(rule + "Option Explicit\r\n")) << written;
}
