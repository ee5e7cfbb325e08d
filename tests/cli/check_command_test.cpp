// quillmark check over the example project: what it reports, what --fix writes
// (the single-procedure commands' bytes), the baseline, the formats, bad input.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdlib>
#include <filesystem>
#include <tuple>
#include <functional>
#include <map>
#include <set>

#include "cli_helpers.h"
#include "vbgen/module_writer.h"

using clitest::CliFixture;
using testing::HasSubstr;

namespace {

const std::string kFixable = "procedure-header,module-header,notice,error-handler,indent";

// Each module's findings from --format json: the procedures' declaration lines and the rules.
std::map<std::string, std::set<long, std::greater<>>> DeclarationLines(const std::string& json) {
    std::map<std::string, std::set<long, std::greater<>>> lines;
    for (const QJsonValue& v : QJsonDocument::fromJson(QByteArray::fromStdString(json)).array()) {
        const QJsonObject o = v.toObject();
        EXPECT_TRUE(o.value("fixable").toBool());
        if (o.value("rule").toString() == "procedure-header")
            lines[o.value("file").toString().toStdString()].insert(o.value("line").toInt());
    }
    return lines;
}

}  // namespace

TEST(CheckCommand, FixWritesWhatTheSingleCommandsWriteAndLeavesNothingToFix) {
    for (const bool after : {false, true}) {
        CliFixture fixed, byHand;
        const std::string rules = "[check]\nrules = " + kFixable + "\nhandler = exe\nheader = " +
                                  (after ? "after" : "before") + "\n";
        testsupport::WriteFile(fixed.Path(".quillmark.ini"), rules);
        auto r = fixed.Run({"check", "--fix", fixed.Path("Inventory.vbp")});
        ASSERT_EQ(r.status, 0) << r.err;

        // The same by hand: each procedure from the bottom up, then each module's header and notice.
        auto found = byHand.Run({"check", "--format", "json", "--rules", kFixable, byHand.Path("Inventory.vbp")});
        ASSERT_EQ(found.status, 1) << found.err;
        const auto lines = DeclarationLines(found.out);
        ASSERT_EQ(lines.size(), 3u);
        for (const auto& [file, declarations] : lines) {
            for (long line : declarations) {
                const std::string target = file + ":" + std::to_string(line);
                ASSERT_EQ(byHand.Run({"error", "--kind", "exe", target}).status, 0);
                ASSERT_EQ(byHand.Run(after ? std::vector<std::string>{"procedure", "--after", target}
                                           : std::vector<std::string>{"procedure", target})
                              .status,
                          0);
                ASSERT_EQ(byHand.Run({"indent", target}).status, 0);
            }
            ASSERT_EQ(byHand.Run({"module", file}).status, 0);
            ASSERT_EQ(byHand.Run({"notice", file}).status, 0);
        }
        for (const char* module : {"Inventory.bas", "Customer.cls", "frmMain.frm"})
            EXPECT_EQ(fixed.Read(module), byHand.Read(module)) << module << (after ? " after" : " before");

        const std::string once = clitest::Snapshot(fixed);
        EXPECT_EQ(fixed.Run({"check", fixed.dir.Path()}).status, 0);
        EXPECT_EQ(fixed.Run({"check", "--fix", fixed.dir.Path()}).status, 0);
        EXPECT_EQ(clitest::Snapshot(fixed), once);
    }
}

// Generated modules, with their continued declarations, #If blocks and keywords in
// strings, and forms and classes with their designer blocks (nested controls and
// property blocks) and hidden attribute lines: once fixed, nothing fixable is left,
// the designer block and every attribute line are as they were, and fixing again
// changes nothing.
TEST(CheckCommand, FixedGeneratedModulesHaveNothingLeftToFix) {
    CliFixture f;
    std::filesystem::create_directory(f.Path("gen"));
    for (const char* after : {"before", "after"}) {
        std::map<std::string, std::string> written;
        for (std::uint32_t seed = 1; seed <= 6; ++seed) {
            const std::string n = std::to_string(seed);
            written["gen/M" + n + ".bas"] = vbgen::GenerateModule("M" + n, 300, seed);
            if (seed > 2) continue;
            written["gen/F" + n + ".frm"] = vbgen::GenerateForm("F" + n, 300, seed);
            written["gen/C" + n + ".cls"] = vbgen::GenerateClass("C" + n, 200, seed);
        }
        for (const auto& [name, text] : written) testsupport::WriteFile(f.Path(name), text);
        testsupport::WriteFile(f.Path("gen/.quillmark.ini"),
                               "[check]\nrules = " + kFixable + "\nhandler = component\nheader = " + after + "\n");
        auto fix = f.Run({"check", "--fix", f.Path("gen")});
        EXPECT_EQ(fix.status, 0) << fix.out << fix.err;
        for (const auto& [name, text] : written) {
            const std::string fixed = f.Read(name), top = text.substr(0, text.find("Option Explicit"));
            EXPECT_EQ(fixed.substr(0, top.size()), top) << name;
            EXPECT_EQ(clitest::Count(fixed, "\nAttribute "), clitest::Count(text, "\nAttribute ")) << name;
        }
        const std::string once = clitest::Snapshot(f);
        auto again = f.Run({"check", "--fix", f.Path("gen")});
        EXPECT_EQ(again.status, 0) << again.out;
        EXPECT_EQ(clitest::Snapshot(f), once) << after;
    }
}

TEST(CheckCommand, ABaselineHoldsTodaysFindingsByProcedureNotByLine) {
    CliFixture f;
    const std::string baseline = f.Path("baseline.json");
    ASSERT_EQ(f.Run({"check", "--write-baseline", baseline, f.dir.Path()}).status, 0);
    EXPECT_EQ(f.Run({"check", "--baseline", baseline, f.dir.Path()}).status, 0);

    std::string bas = f.Read("Inventory.bas");
    bas.insert(bas.find("' Stock levels"), "' Moved down.\r\n\r\n");
    testsupport::WriteFile(f.Path("Inventory.bas"), bas + "Sub Added()\r\nEnd Sub\r\n");
    auto r = f.Run({"check", "--rules", "error-handler", "--baseline", baseline, f.dir.Path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.out, testing::MatchesRegex(".*/Inventory.bas:[0-9]+:1: error-handler: Added has no On Error statement\n"));
    testsupport::WriteFile(f.Path(".quillmark.ini"), "[check]\nbaseline = baseline.json\nrules = indent\n");
    EXPECT_EQ(f.Run({"check", f.dir.Path()}).status, 0);
}

TEST(CheckCommand, BadInputIsNamedWithItsStatusAndNothingIsWritten) {
    CliFixture f;
    testsupport::WriteFile(f.Path("Binary.bas"), std::string("\x7f" "ELF\0\0\x01", 7));
    testsupport::WriteFile(f.Path("Broken.vbp"), "Module=Gone; Gone.bas\r\nModule=Inventory; Inventory.bas\r\n");
    const std::string before = clitest::Snapshot(f);
    const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
        {{"check", "--fix", f.Path("Binary.bas")}, 3, "Binary.bas"},
        {{"check", "--fix", f.Path("Broken.vbp")}, 3, "Gone.bas, which does not exist"},
        {{"check", "--fix", "--rules", "indent,headers", f.Path("Inventory.bas")}, 2, "unknown rule 'headers'"},
    };
    for (const auto& [args, status, message] : cases) {
        auto r = f.Run(args);
        EXPECT_EQ(r.status, status) << r.err;
        EXPECT_THAT(r.err, HasSubstr(message));
    }
    testsupport::WriteFile(f.Path(".quillmark.ini"), "[check]\nrules = indent\nrules = module\n");
    auto r = f.Run({"check", "--fix", f.Path("Inventory.bas")});
    EXPECT_EQ(r.status, 2);
    EXPECT_THAT(r.err, HasSubstr(".quillmark.ini:3: unknown rule 'module'"));
    std::filesystem::remove(f.Path(".quillmark.ini"));
    EXPECT_EQ(clitest::Snapshot(f), before);
}

TEST(CheckCommand, SarifPassesTheMultitoolsValidation) {
    if (std::system("command -v npx >/dev/null 2>&1") != 0) GTEST_SKIP() << "npx is not installed (scripts/setup)";
    CliFixture f;
    auto r = f.RunBinary({"check", "--format", "sarif", "--rules", "procedure-header,stale-header,indent", "."});
    ASSERT_EQ(r.status, 1) << r.err;
    testsupport::WriteFile(f.Path("check.sarif"), r.out);
    const int status = std::system(("cd " + clitest::ShellQuoted(f.dir.Path()) +
                                    " && npx --yes @microsoft/sarif-multitool validate check.sarif >validate.txt 2>&1")
                                       .c_str());
    const std::string said = f.Read("validate.txt");
    if (status != 0 && (said.find("npm ERR!") != std::string::npos || said.find("npm error") != std::string::npos))
        GTEST_SKIP() << "the multitool could not be fetched: " << said;
    // The multitool's status is 0 whatever it finds: its errors are read from what it says.
    EXPECT_EQ(status, 0) << f.Read("validate.txt");
    EXPECT_THAT(f.Read("validate.txt"), testing::AllOf(HasSubstr("1 files scanned"), testing::Not(HasSubstr(": error "))))
        << r.out;
}

TEST(CheckCommand, ProgressShowsOnATerminalOnlyAndIsErasedAtTheEnd) {
    if (std::system("command -v script >/dev/null 2>&1") != 0) GTEST_SKIP() << "no script(1) to give the run a terminal";
    CliFixture f;
    std::filesystem::create_directory(f.Path("many"));
    for (int i = 0; i < 301; ++i)
        testsupport::WriteFile(f.Path("many/M" + std::to_string(i) + ".bas"), "Attribute VB_Name = \"M\"\r\n");
    // The test itself may run under CI: the terminal's row takes CI away.
    for (const auto& [environment, shows] : {std::pair<std::string, bool>{"env -u CI ", true}, {"CI=true ", false}}) {
        const std::string run = clitest::ShellQuoted(QUILLMARK_BINARY) + " check many";
        std::system(("cd " + clitest::ShellQuoted(f.dir.Path()) + " && XDG_CONFIG_HOME=.config " + environment +
                     "script -qec " + clitest::ShellQuoted(run) + " /dev/null >tty.txt 2>&1")
                        .c_str());
        const std::string tty = f.Read("tty.txt");
        EXPECT_EQ(tty.find("checking 301/301 modules") != std::string::npos, shows) << tty;
        EXPECT_EQ(tty.find("\r\x1b[K0 findings in 0 of 301 modules") != std::string::npos, shows) << tty;
        EXPECT_THAT(tty, HasSubstr("0 findings in 0 of 301 modules"));
    }
}
