// A run as a transaction: several targets in one file, all or nothing, files
// that change under the run, and failures that are not the user's.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <tuple>

#include "cli/app.h"
#include "cli/runner.h"
#include "cli_helpers.h"

using clitest::CliFixture;
using clitest::Count;
using clitest::FolderListing;
using testsupport::Crlf;

namespace {

// First on lines 4 to 6, Second on lines 8 to 10.
const std::string kTwoSubs = Crlf("Attribute VB_Name = \"Two\"\nOption Explicit\n\n"
                                  "Public Sub First()\nDebug.Print 1\nEnd Sub\n\n"
                                  "Public Sub Second()\nDebug.Print 2\nEnd Sub\n");

// Runs `action` on each target, as a command that needs no project does; what the run says goes to `err`.
int RunEach(CliFixture& f, std::ostream& err, std::vector<std::string> targets,
            const std::function<void(cli::Session&)>& action) {
    cli::CommonOptions options;
    options.targets = std::move(targets);
    std::ostringstream out;
    cli::Runner runner(options, f.settings, out, err);
    cli::RunRules rules;
    rules.needsProject = false;
    return runner.Run(rules, nullptr, action);
}

}  // namespace

// Two targets in one module, given in either order: each line names the procedure it named in the file as it was,
// and --stdout prints the module once, as the run writes it.
TEST(SeveralTargets, EveryLineCountsInTheFileAsItWasWhateverTheOrder) {
    CliFixture f;
    const std::string two = f.Path("Two.bas");
    testsupport::WriteFile(two, kTwoSubs);
    auto printed = f.Run({"error", "--stdout", "--kind", "exe", two + ":9", two + ":5"});
    ASSERT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(f.Read("Two.bas"), kTwoSubs);
    ASSERT_EQ(f.Run({"error", "--kind", "exe", two + ":5", two + ":9"}).status, 0);
    const std::string written = f.Read("Two.bas");
    EXPECT_EQ(Count(written, "First_Err:"), 1u) << written;
    EXPECT_EQ(Count(written, "Second_Err:"), 1u) << written;
    EXPECT_LT(written.find("First_Err:"), written.find("Public Sub Second()"));
    EXPECT_EQ(printed.out, written);
}

// The README's promise, on the real binary: 0 and every file written, or 1, 2
// or 3 and nothing written (no temporary file left either).
TEST(AllOrNothing, AFailingRunWritesNoFile) {
    const std::string big(300000, '\'');
    // The arguments, the status, what the run says, and a shell command run first.
    const std::tuple<std::vector<std::string>, int, std::string, std::string> cases[] = {
        {{"procedure", "Customer.cls:37", "Inventory.bas:5"}, 1, "No Procedure Selected", ""},
        {{"notice", "Inventory.bas", "Inventory.bas:3"}, 2, "whole files", ""},
        {{"notice", "missing.bas", "Inventory.bas"}, 3, "missing.bas: no such file", ""},
        {{"revision", "--to", "code,log", "--text", "x", "Inventory.bas:33"}, 3, "read-only", ""},
        // The disk fills up while the second module is prepared.
        {{"notice", "Inventory.bas", "Big.bas"}, 3, "disk full", "trap '' XFSZ; ulimit -f 64"},
    };
    for (const auto& [args, status, says, shellBefore] : cases) {
        CliFixture f;
        testsupport::WriteFile(f.Path("REVISION.TXT"), "'\r\n");
        chmod(f.Path("REVISION.TXT").c_str(), 0444);
        testsupport::WriteFile(f.Path("Big.bas"), "Attribute VB_Name = \"Big\"\r\n" + big + "\r\n");
        const std::string before = clitest::Snapshot(f);
        auto r = f.RunBinary(args, shellBefore);
        SCOPED_TRACE(args[0] + " " + args.back());
        EXPECT_EQ(r.status, status) << r.err;
        EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
        EXPECT_EQ(clitest::Snapshot(f), before);
    }
}

// A hook in the middle of a run: after the first module is done, another
// program makes the second read-only, or saves it.
TEST(AllOrNothing, AFileThatChangesDuringTheRunStopsItWithNothingWritten) {
    const std::pair<void (*)(const std::string& path), std::string> cases[] = {
        {[](const std::string& path) { chmod(path.c_str(), 0444); }, "read-only"},
        {[](const std::string& path) { testsupport::WriteFile(path, kTwoSubs + "' saved by an editor\r\n"); },
         "Two.bas: changed by another program; run again"},
    };
    for (const auto& [meanwhile, says] : cases) {
        CliFixture f;
        testsupport::WriteFile(f.Path("Two.bas"), kTwoSubs);
        std::ostringstream err;
        bool first = true;
        // Targets with lines: both modules are read before the first one runs.
        const std::vector<std::string> targets{f.Path("Customer.cls") + ":20", f.Path("Two.bas") + ":4"};
        const int status = RunEach(f, err, targets, [&](cli::Session& s) {
            s.file.module.InsertLines(1, "' touched");
            if (first) meanwhile(f.Path("Two.bas"));
            first = false;
        });
        EXPECT_EQ(status, cli::kFileError);
        EXPECT_NE(err.str().find(says), std::string::npos) << err.str();
        EXPECT_EQ(f.Read("Customer.cls").find("' touched"), std::string::npos);
        EXPECT_EQ(f.Read("Two.bas").find("' touched"), std::string::npos);
        EXPECT_EQ(FolderListing(f.dir.Path()),
                  (std::vector<std::string>{"Customer.cls", "Inventory.bas", "Inventory.vbp", "Two.bas", "frmMain.frm"}));
    }
}

// Ctrl-C while the modules are prepared: the run removes its temporary files
// and ends as the signal ends it, with every module whole and all old or all new.
TEST(AllOrNothing, AnInterruptLeavesNoTemporaryFile) {
    const int kModules = 60;
    const std::string body = std::string(100000, '\'') + "\r\n";
    for (int attempt = 0; attempt < 5; ++attempt) {
        CliFixture f;
        std::vector<std::string> args{"notice"};
        for (int i = 0; i < kModules; ++i) {
            testsupport::WriteFile(f.Path("M" + std::to_string(i) + ".bas"), body);
            args.push_back(f.Path("M" + std::to_string(i) + ".bas"));
        }
        const std::vector<std::string> before = FolderListing(f.dir.Path());
        const pid_t child = fork();
        if (child == 0) {
            // A watcher sends SIGINT the moment the first temporary file shows.
            std::thread([&f] {
                for (;;)
                    for (const std::string& name : FolderListing(f.dir.Path()))
                        if (name.find(".quillmark-") != std::string::npos) {
                            kill(getpid(), SIGINT);
                            return;
                        }
            }).detach();
            _exit(f.Run(args).status);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) continue;  // done before the watcher looked
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << "status " << status;
        EXPECT_EQ(FolderListing(f.dir.Path()), before);
        int written = 0;
        for (int i = 0; i < kModules; ++i) written += f.Read("M" + std::to_string(i) + ".bas") != body;
        EXPECT_TRUE(written == 0 || written == kModules) << written << " of " << kModules << " written";
        return;
    }
    FAIL() << "no run was interrupted while its modules were prepared";
}

// A temporary file a killed run left is nobody's data: the run neither reads it
// as a module or project nor removes it (it may be another run's).
TEST(AllOrNothing, AStaleTemporaryFileIsNeverTakenForData) {
    CliFixture f;
    const std::string stale[] = {".Inventory.vbp.quillmark-7.tmp", ".Inventory.bas.quillmark-7.tmp"};
    for (const std::string& name : stale) testsupport::WriteFile(f.Path(name), "Type=Exe\r\nModule=Half; written\r\n");
    auto r = f.RunBinary({"revision", "--to", "code,log", "--text", "x", "Inventory.bas:33"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(Count(f.Read("Inventory.vbp"), "RelatedDoc="), 1u);
    for (const std::string& name : stale) EXPECT_EQ(f.Read(name), "Type=Exe\r\nModule=Half; written\r\n");
}

// A fault of the program's own, thrown while the second module is done: the last resort says it in one line with
// a status of its own, and the first module is not written.
TEST(Failures, ALogicErrorSurfacesAndBadInputIsRefused) {
    CliFixture f;
    const std::string before = f.Read("Inventory.bas");
    std::ostringstream err;
    int targets = 0;
    const auto run = [&] {
        return RunEach(f, err, {f.Path("Inventory.bas"), f.Path("Customer.cls")}, [&](cli::Session& s) {
            s.file.module.InsertLines(1, "' touched");
            if (++targets == 2) throw std::logic_error("index past the end");
        });
    };
    EXPECT_EQ(cli::Guarded(run, err), cli::kInternalError);
    EXPECT_EQ(err.str(), "quillmark: internal error: index past the end; nothing was written. Please report it.\n");
    EXPECT_EQ(f.Read("Inventory.bas"), before);

    // An endless @PATH is refused by its size, not read until memory runs out.
    auto zero = f.Run({"comment", "--text", "@/dev/zero", f.Path("Inventory.bas") + ":3"});
    EXPECT_EQ(zero.status, 3);
    EXPECT_NE(zero.err.find("larger than 1 MB"), std::string::npos) << zero.err;
    EXPECT_EQ(f.Read("Inventory.bas"), before);
}

// Eight runs at once on one project, ten rounds: every entry is kept whole,
// and the project lists the log once.
TEST(Concurrency, ParallelRevisionRunsKeepEveryLogEntry) {
    CliFixture f;
    std::string script = "cd " + clitest::ShellQuoted(f.dir.Path()) + " && export XDG_CONFIG_HOME=.config; ";
    for (int run = 1; run <= 8; ++run)
        script += "(" + clitest::ShellQuoted(QUILLMARK_BINARY) + " revision --to log --type PAR --number " +
                  std::to_string(run) + " --text 'Entry of run " + std::to_string(run) +
                  ".' Inventory.bas:33 2>>errors; echo $? >>statuses) & ";
    script += "wait";
    for (int round = 1; round <= 10; ++round) {
        ASSERT_EQ(std::system(("sh -c " + clitest::ShellQuoted(script)).c_str()), 0);
    }
    const std::string statuses = f.Read("statuses");
    EXPECT_EQ(Count(statuses, "0\n"), 80u) << statuses << f.Read("errors");
    const std::string log = f.Read("REVISION.TXT");
    EXPECT_EQ(Count(log, "REVISION.TXT  for "), 1u);
    for (int run = 1; run <= 8; ++run) {
        const std::string number = "0000" + std::to_string(run);
        EXPECT_EQ(Count(log, "' PAR: " + number + ", 2.1.0017, EYI, 2026-07-04, Inventory, AdjustStock\r\n"
                              "' Entry of run " + std::to_string(run) + ".\r\n'\r\n"),
                  10u)
            << log;
    }
    EXPECT_EQ(Count(f.Read("Inventory.vbp"), "RelatedDoc="), 1u);
}
