// What the command line tells and takes: outline's numbers, projects, code
// pages, settings that cannot be read, diffs that apply, and the messages of
// mistyped command lines.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "cli/app.h"
#include "cli_helpers.h"

using clitest::CliFixture;
using clitest::Count;
using clitest::ShellQuoted;
using testsupport::Crlf;

namespace {

namespace fs = std::filesystem;

// A settings store that counts its reads.
class CountingSettings : public platform::MemorySettings {
public:
    std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                           const std::string& defaultValue) override {
        ++reads;
        return MemorySettings::GetSetting(app, section, key, defaultValue);
    }
    int reads = 0;
};

}  // namespace

TEST(Outline, SpeaksInTheLinesFileLineTargetsUse) {
    CliFixture f;
    auto r = f.Run({"outline", "--json", f.Path("frmMain.frm"), f.Path("Customer.cls")});
    ASSERT_EQ(r.status, 0) << r.err;
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out;
    ASSERT_EQ(json.array().size(), 2);
    int procedures = 0;
    for (const QJsonValue module : json.array()) {
        const std::string file = module["file"].toString().toStdString();
        for (const QJsonValue p : module["procedures"].toArray()) {
            // A procedure header at the outline's declaration line names that procedure.
            const std::string at = file + ":" + std::to_string(p["declaration"].toInt());
            auto header = f.Run({"procedure", "--stdout", at});
            ASSERT_EQ(header.status, 0) << at << header.err;
            const std::size_t name = header.out.find("' Name:\t\t\t");
            ASSERT_NE(name, std::string::npos) << at;
            const std::string shown = header.out.substr(name, header.out.find('\r', name) - name);
            EXPECT_TRUE(shown.ends_with(" " + p["name"].toString().toStdString()) ||
                        shown.ends_with("\t" + p["name"].toString().toStdString()))
                << at << ": " << shown;
            EXPECT_GT(p["start"].toInt(), p["code"]["start"].toInt());
            ++procedures;
        }
    }
    EXPECT_EQ(procedures, 7);
}

TEST(Projects, FoundAboveTheModuleOrGivenAndChecked) {
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

    // Two projects list it: the first is taken, and the choice is said.
    testsupport::WriteFile(f.Path("Another.vbp"), vbp);
    auto two = f.Run({"revision", "--to", "log", "--text", "y", module});
    EXPECT_EQ(two.status, 0) << two.err;
    EXPECT_NE(two.err.find("is listed by " + f.Path("Another.vbp") + ", " + f.Path("Inventory.vbp") +
                           "; using " + f.Path("Another.vbp")),
              std::string::npos)
        << two.err;

    struct Case {
        std::string project;
        std::string says;
    };
    testsupport::WriteFile(f.Path("Other.vbp"), "Type=Exe\r\nModule=Other; Other.bas\r\n");
    const Case cases[] = {
        {f.Path("Other.vbp"), "does not list Inventory.bas"},
        {f.Path("None.vbp"), "None.vbp"},
        {f.Path("Customer.cls"), "not a project file"},
    };
    for (const Case& c : cases) {
        auto r = f.Run({"revision", "--to", "log", "--project", c.project, "--text", "z", module});
        EXPECT_EQ(r.status, 2) << c.project;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }

    // No project at all: the log is skipped, and the message says how to give one.
    fs::create_directory(f.Path("loose"));
    fs::copy(f.Path("Customer.cls"), f.Path("loose/Customer.cls"));
    auto loose = f.Run({"revision", "--to", "log", "--text", "x", f.Path("loose/Customer.cls") + ":37"});
    EXPECT_EQ(loose.status, 0);
    EXPECT_NE(loose.err.find("give --project FILE.vbp"), std::string::npos) << loose.err;
}

TEST(Encodings, Utf16KeepsItsByteOrderAndBadBytesAreRefusedByLine) {
    CliFixture f;
    for (const std::string mark : {"\xFF\xFE", "\xFE\xFF"}) {
        const bool little = mark[0] == '\xFF';
        std::string bytes = mark;
        for (char c : Crlf("Attribute VB_Name = \"Wide\"\nPublic Sub A()\nEnd Sub\n")) {
            bytes += little ? std::string{c, '\0'} : std::string{'\0', c};
        }
        testsupport::WriteFile(f.Path("Wide.bas"), bytes);
        ASSERT_EQ(f.Run({"comment", "--text", "x", f.Path("Wide.bas") + ":2"}).status, 0);
        const std::string after = f.Read("Wide.bas");
        EXPECT_EQ(after.substr(0, 2), mark);
        const std::string comment = little ? std::string("'\0\t\0x\0", 6) : std::string("\0'\0\t\0x", 6);
        EXPECT_NE(after.find(comment), std::string::npos);
        EXPECT_EQ(after.size() % 2, 0u);
    }
    // Without a mark it is refused with the way to read it.
    std::string bare;
    for (char c : Crlf("Attribute VB_Name = \"Bare\"\n")) bare += std::string{c, '\0'};
    testsupport::WriteFile(f.Path("Bare.bas"), bare);
    auto refused = f.Run({"notice", f.Path("Bare.bas")});
    EXPECT_EQ(refused.status, 3);
    EXPECT_NE(refused.err.find("--encoding utf-16le"), std::string::npos) << refused.err;
    ASSERT_EQ(f.Run({"notice", "--encoding", "utf-16le", f.Path("Bare.bas")}).status, 0);
    const std::string wide = f.Read("Bare.bas");
    EXPECT_EQ(wide.substr(0, 4), std::string("A\0t\0", 4));  // still without a mark
    EXPECT_NE(wide.find(std::string("N\0O\0T\0I\0C\0E\0", 12)), std::string::npos);

    testsupport::WriteFile(f.Path("Bad.bas"), "Attribute VB_Name = \"Bad\"\r\n' ok\r\n' \xE9t\xE9\r\n");
    auto bad = f.Run({"notice", "--encoding", "utf-8", f.Path("Bad.bas")});
    EXPECT_EQ(bad.status, 3);
    EXPECT_NE(bad.err.find("line 3"), std::string::npos) << bad.err;
}

TEST(Settings, ReadOnceAndADamagedStoreIsSaidOnce) {
    CliFixture f;
    CountingSettings counting;
    const std::string inv = f.Path("Inventory.bas");
    std::vector<const char*> argv{"quillmark", "notice", "--diff"};
    const std::string targets[] = {inv, f.Path("Customer.cls"), f.Path("frmMain.frm")};
    for (const std::string& t : targets) argv.push_back(t.c_str());
    std::ostringstream out, err;
    ASSERT_EQ(cli::Run(static_cast<int>(argv.size()), argv.data(), counting, out, err), 0) << err.str();
    EXPECT_EQ(counting.reads, static_cast<int>(platform::settings::All().size()));

    fs::create_directories(f.Path(".config/Quillmark"));
    testsupport::WriteFile(f.Path(".config/Quillmark/VB Quillmark.ini"), "[Author\nName=Jane\n");
    auto damaged = f.RunBinary({"procedure", "--diff", "Inventory.bas:30", "Customer.cls:37"});
    EXPECT_EQ(damaged.status, 0) << damaged.err;
    EXPECT_EQ(Count(damaged.err, "VB Quillmark.ini"), 1u) << damaged.err;
    EXPECT_NE(damaged.out.find("Enter Your Name Here"), std::string::npos);

    fs::remove(f.Path(".config/Quillmark/VB Quillmark.ini"));
    fs::create_directory(f.Path(".config/Quillmark/VB Quillmark.ini"));
    auto folder = f.RunBinary({"notice", "--diff", "Inventory.bas"});
    EXPECT_EQ(folder.status, 0);
    EXPECT_EQ(Count(folder.err, "VB Quillmark.ini"), 1u) << folder.err;
}

TEST(Diff, AppliesWithPatchAndGitToExactlyWhatTheCommandWrites) {
    for (const char* tool : {"patch -s -p1 <", "git apply"}) {
        CliFixture f;
        const std::vector<std::string> args{"revision", "--to", "code,log,module", "--text", "Cents \xC2\xA9",
                                            "Inventory.bas:33"};
        testsupport::TempDir copy;
        fs::copy(f.dir.Path(), copy.Path(), fs::copy_options::recursive);
        std::vector<std::string> diffArgs = args;
        diffArgs.insert(diffArgs.begin() + 1, "--diff");
        auto diff = f.RunBinary(diffArgs);
        ASSERT_EQ(diff.status, 0) << diff.err;
        EXPECT_EQ(diff.out.find("--- a/Inventory.bas\n+++ b/Inventory.bas\n"), 0u) << diff.out;
        testsupport::WriteFile(copy.File("change.patch"), diff.out);
        ASSERT_EQ(std::system(("cd " + ShellQuoted(copy.Path()) + " && " + tool + " change.patch").c_str()), 0)
            << tool;
        ASSERT_EQ(f.RunBinary(args).status, 0);
        for (const char* name : {"Inventory.bas", "Inventory.vbp", "REVISION.TXT"})
            EXPECT_EQ(testsupport::ReadFile(copy.File(name)), f.Read(name)) << tool << " " << name;
    }
}

TEST(Mistakes, EachMessageSaysWhatToDo) {
    CliFixture f;
    const std::string inv = f.Path("Inventory.bas");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string says;
    };
    const Case cases[] = {
        {{"frobnicate"}, 2, "unknown command 'frobnicate'; the commands are procedure, module, comment"},
        {{"comment", "--text", "x", inv + ":abc"}, 2, "'abc' is not a line number; give FILE:LINE"},
        {{"comment", "--text", "x", inv + ":0"}, 2, "lines count from 1"},
        {{"indent", inv}, 2, "or give --all"},
        {{"comment", "--author", "Jane", "--text", "x", inv + ":3"}, 2, "--author"},
        {{"notice", "--project", f.Path("Inventory.vbp"), inv}, 2, "--project"},
        {{"error", "--project", f.Path("Inventory.vbp"), inv + ":30"}, 2, "--project"},
        {{"indent", "--project", f.Path("Inventory.vbp"), inv + ":30"}, 2, "--project"},
    };
    const std::string before = f.Read("Inventory.bas");
    for (const Case& c : cases) {
        auto r = f.Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back();
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
    EXPECT_EQ(f.Read("Inventory.bas"), before);

    // FILE:LINE:COL, as compilers print it: the column is ignored.
    auto col = f.Run({"comment", "--stdout", "--text", "x", inv + ":33:9"});
    auto line = f.Run({"comment", "--stdout", "--text", "x", inv + ":33"});
    ASSERT_EQ(col.status, 0) << col.err;
    EXPECT_EQ(col.out, line.out);
}
