// A run over many modules on several threads: the same output, status and files as on one.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <tuple>
#include <vector>

#include "cli_helpers.h"

using clitest::CliFixture;
using testsupport::Crlf;

namespace {

struct Seen {
    int status;
    std::string out, err, files;
};

// A large module first, so that the small ones after it are done long before it.
std::vector<std::string> WriteModules(const CliFixture& f) {
    std::string big = "Attribute VB_Name = \"Big\"\n";
    for (int i = 0; i < 400; ++i)
        big += "Public Sub Step" + std::to_string(i) + "()\nIf Ready Then\nCount = Count + 1\nEnd If\nEnd Sub\n";
    testsupport::WriteFile(f.Path("Big.bas"), Crlf(big));
    testsupport::WriteFile(f.Path("Tidy.bas"), Crlf("Attribute VB_Name = \"Tidy\"\nPublic Sub Tidy()\n"
                                                    "   On Error GoTo Tidy_Err\nTidy_Err:\nEnd Sub\n"));
    // Not valid UTF-8, so a run that reads it as such fails.
    testsupport::WriteFile(f.Path("Latin.bas"), Crlf("Attribute VB_Name = \"Latin\"\nPublic Sub Caf\xE9()\nEnd Sub\n"));
    std::vector<std::string> modules;
    for (const char* name : {"Big.bas", "Inventory.bas", "Tidy.bas", "Customer.cls", "Latin.bas", "frmMain.frm"})
        modules.push_back(f.Path(name));
    return modules;
}

Seen RunWith(const std::vector<std::string>& command, const char* jobs, bool readOnlyModule) {
    CliFixture f;
    std::vector<std::string> args = command;
    if (jobs != nullptr) args.insert(args.end(), {"--jobs", jobs});
    for (const std::string& module : WriteModules(f)) args.push_back(module);
    if (readOnlyModule) chmod(f.Path("Customer.cls").c_str(), 0444);
    const std::string before = clitest::Snapshot(f);
    clitest::Result r = f.Run(args);
    const std::string after = clitest::Snapshot(f);
    for (std::string* text : {&r.out, &r.err})
        for (std::size_t at; (at = text->find(f.dir.Path())) != std::string::npos;)
            text->replace(at, f.dir.Path().size(), "DIR");
    return {r.status, r.out, r.err, after == before ? "unchanged" : after};
}

}  // namespace

// Each of the commands that take many modules, on one thread, on three and on as many as the machine has: what
// it prints, its status and what the files then hold are the same. A module that cannot be read as UTF-8, or
// a read-only one, in the middle fails the run on any number of threads and leaves every file as it was.
TEST(Jobs, ManyModulesOnSeveralThreadsPrintAndWriteWhatOneThreadDoes) {
    const std::tuple<std::vector<std::string>, bool, int, bool> runs[] = {
        // command, read-only module, status, files changed
        {{"indent", "--all"}, false, 0, true},
        {{"indent", "--all", "--check"}, false, 1, false},
        {{"indent", "--all", "--stdout"}, false, 0, false},
        {{"notice"}, false, 0, true},
        {{"notice"}, true, 3, false},
        {{"notice", "--encoding", "utf-8"}, false, 3, false},
        {{"module", "--description", "Stock."}, false, 0, true},
        {{"module", "--diff"}, false, 0, false},
        {{"outline"}, false, 0, false},
        {{"outline", "--json"}, false, 0, false},
        {{"check"}, false, 1, false},
        {{"check", "--fix", "--format", "json"}, false, 0, true},
        {{"check", "--fix", "--encoding", "utf-8"}, false, 3, false},
    };
    for (const auto& [command, readOnly, status, changes] : runs) {
        std::string name;
        for (const std::string& word : command) name += word + " ";
        const Seen one = RunWith(command, "1", readOnly);
        EXPECT_EQ(one.status, status) << name << "\n" << one.err;
        EXPECT_EQ(one.files != "unchanged", changes) << name;
        for (const char* jobs : {"3", static_cast<const char*>(nullptr)}) {
            const Seen many = RunWith(command, jobs, readOnly);
            EXPECT_EQ(many.status, one.status) << name << (jobs ? jobs : "");
            EXPECT_EQ(many.out, one.out) << name << (jobs ? jobs : "");
            EXPECT_EQ(many.err, one.err) << name << (jobs ? jobs : "");
            EXPECT_EQ(many.files, one.files) << name << (jobs ? jobs : "");
        }
    }
}
