// A run as a transaction: several targets in one file, all or nothing, files
// that change under the run, and failures that are not the user's.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <tuple>

#include "cli/app.h"
#include "cli/runner.h"
#include "cli_helpers.h"
#include "platform/os.h"

using clitest::CliFixture;
using clitest::Count;
using clitest::FolderListing;
using testsupport::Crlf;

namespace {

// First on lines 4 to 6, Second on lines 8 to 10.
const std::string kTwoSubs = Crlf("Attribute VB_Name = \"Two\"\nOption Explicit\n\n"
                                  "Public Sub First()\nDebug.Print 1\nEnd Sub\n\n"
                                  "Public Sub Second()\nDebug.Print 2\nEnd Sub\n");

}  // namespace

// Two targets in one module, given in either order: each line names the procedure it named in the file as it was,
// and --stdout prints the module once, as the run writes it. Line 9 counted in the edited file would fall in First,
// which refuses a second handler, so one handler in Second and the same bytes both ways say the lines followed.
TEST(SeveralTargets, EveryLineCountsInTheFileAsItWasWhateverTheOrder) {
    CliFixture f;
    const std::string two = f.Path("Two.bas");
    testsupport::WriteFile(two, kTwoSubs);
    auto printed = f.Run({"error", "--stdout", "--kind", "exe", two + ":9", two + ":5"});
    ASSERT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(f.Read("Two.bas"), kTwoSubs);
    ASSERT_EQ(f.Run({"error", "--kind", "exe", two + ":5", two + ":9"}).status, 0);
    const std::string written = f.Read("Two.bas");
    EXPECT_EQ(Count(written, "Second_Err:"), 1u) << written;
    EXPECT_EQ(printed.out, written);
}

// One module named twice, through a linked folder or by a second hard link: both comments go into it, each
// above the line it named in the file as it was.
TEST(SeveralTargets, OneFileUnderTwoNamesGetsEveryEdit) {
    const std::pair<std::string, std::string> cases[] = {  // how the second name is made; the name
        {"ln -s . view", "view/Inventory.bas"},
        {"ln Inventory.bas Stock.bas", "Stock.bas"},
    };
    for (const auto& [make, name] : cases) {
        CliFixture f;
        auto r = f.RunBinary({"comment", "--text", "Noted.", "Inventory.bas:21", name + ":33"}, make);
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string written = f.Read("Inventory.bas");
        EXPECT_EQ(Count(written, "Noted."), 2u) << written;
        EXPECT_LT(written.find("Noted."), written.find("If Item.Quantity < REORDER_LEVEL"));
        EXPECT_GT(written.rfind("Noted."), written.find("Item.Quantity = Item.Quantity + Delta"));
    }
}

// The README's promise, on the real binary: 0 and every file written, or 1, 2 or 3 and nothing written (no
// temporary file left either). A refused run says in one line what to do (and, for a mistyped command line,
// where the help is).
TEST(AllOrNothing, ARefusedOrFailedRunSaysWhatToDoAndWritesNoFile) {
    CliFixture f;
    testsupport::WriteFile(f.Path("notes.txt"), "hello\r\n");
    std::filesystem::create_directory(f.Path("folder.bas"));
    std::filesystem::copy(f.Path("Inventory.bas"), f.Path("ReadOnly.bas"));
    chmod(f.Path("ReadOnly.bas").c_str(), 0444);
    testsupport::WriteFile(f.Path("Other.vbp"), "Type=Exe\r\nModule=Other; Other.bas\r\n");
    testsupport::WriteFile(f.Path("Bare.bas"), std::string("A\0t\0t\0r\0\r\0\n\0", 12));  // UTF-16 without a mark
    testsupport::WriteFile(f.Path("REVISION.TXT"), "'\r\n");
    chmod(f.Path("REVISION.TXT").c_str(), 0444);
    testsupport::WriteFile(f.Path("Big.bas"), "Attribute VB_Name = \"Big\"\r\n" + std::string(300000, '\'') + "\r\n");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string says;
        std::string shellBefore = "";
    };
    const Case cases[] = {
        {{}, 2, "A subcommand is required"},
        {{"frobnicate"}, 2, "unknown command 'frobnicate'; the commands are procedure, module, comment"},
        {{"notice", "--encoding", "klingon", "Inventory.bas"}, 2, "unknown encoding 'klingon'"},
        {{"error", "--kind", "loud", "Inventory.bas:30"}, 2, "--kind: loud"},
        {{"revision", "Inventory.bas:33"}, 2, "give --to procedure,module,log,code"},
        {{"revision", "--to", "code,shoe", "Inventory.bas:33"}, 2, "--to: shoe not in {procedure,module,log,code}"},
        {{"settings", "Author/Shoe"}, 2, "unknown setting 'Author/Shoe'"},
        {{"notice", "folder.bas"}, 3, "folder.bas"},
        {{"notice", "notes.txt"}, 2, "not a VB module"},
        {{"notice", "ReadOnly.bas"}, 3, "read-only"},
        {{"notice", "Bare.bas"}, 3, "--encoding utf-16le"},
        {{"indent", "Inventory.bas"}, 2, "or give --all"},
        {{"comment", "--text", "x", "Inventory.bas:abc"}, 2, "'abc' is not a line number; give FILE:LINE"},
        {{"comment", "--text", "x", "Inventory.bas:999"}, 2, "out of range"},
        {{"comment", "--text", "x", "Inventory.bas:0"}, 2, "out of range; lines count from 1"},
        {{"comment", "--text", "x", "Inventory.bas:3:1:2"}, 2, "too many numbers; give FILE:LINE or FILE:LINE:COL"},
        // An endless @PATH is refused by its size, not read until memory runs out.
        {{"comment", "--text", "@/dev/zero", "Inventory.bas:3"}, 3, "larger than 1 MB"},
        {{"revision", "--to", "log", "--project", "Other.vbp", "Inventory.bas:33"}, 2, "does not list Inventory.bas"},
        // Each with a first target that would have been written.
        {{"procedure", "Customer.cls:37", "Inventory.bas:5"}, 1,
         ": No Procedure Selected: Please select a procedure for this header\n"},
        {{"notice", "Inventory.bas", "Inventory.bas:3"}, 2, "whole files"},
        {{"notice", "Inventory.bas", "missing.bas"}, 3, "missing.bas: no such file"},
        {{"revision", "--to", "code,log", "--text", "x", "Inventory.bas:33"}, 3, "read-only"},
        // The disk fills up while the second module is prepared.
        {{"notice", "Inventory.bas", "Big.bas"}, 3, "disk full", "trap '' XFSZ; ulimit -f 64"},
    };
    const std::string hint = "Run 'quillmark --help' for the commands, or 'quillmark COMMAND --help' for one.\n";
    const std::string before = clitest::Snapshot(f);
    for (const Case& c : cases) {
        auto r = f.RunBinary(c.args, c.shellBefore);
        SCOPED_TRACE(c.args.empty() ? "(nothing)" : c.args.front() + " " + c.args.back());
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_TRUE(r.err.starts_with("quillmark: ")) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(Count(r.err, "\n"), r.err.ends_with(hint) ? 2u : 1u) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(clitest::Snapshot(f), before);
    }
}

// A module named in another code page than UTF-8 (byte E9, "é" in windows-1252): it is read and written by its
// name's bytes, and a message names it in them.
TEST(FileNames, ANameOfAnyBytesIsReadWrittenAndNamed) {
    CliFixture f;
    const std::string name = "cp1252-\xe9.bas", readOnly = "read-only-\xe9.bas";
    for (const std::string& copy : {name, readOnly}) std::filesystem::copy(f.Path("Inventory.bas"), f.Path(copy));
    chmod(f.Path(readOnly).c_str(), 0444);
    auto written = f.RunBinary({"notice", name});
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(Count(f.Read(name), "$Copyright: "), 1u);
    auto refused = f.RunBinary({"comment", "--text", "x", readOnly + ":3"});
    EXPECT_EQ(refused.status, 3);
    EXPECT_EQ(refused.err, "quillmark: cannot write '" + f.Path(readOnly) +
                               "': the file is read-only; make it writable and try again\n");
}

// A hook in the middle of a run: another program changes one character of the second module after the first is
// done, or of the first after it was prepared, just before the files would replace their originals, and puts the
// file's time back (same size, same time: only the bytes tell); or the program's own fault throws
// while the second is done, which the last resort says in one line with a status of its own. Either way neither
// module is written, the other program's bytes stay and no temporary file is left. (A second module that cannot
// be prepared is the disk-full row of the table above.)
TEST(AllOrNothing, AFileThatChangesDuringTheRunOrAFaultStopsItWithNothingWritten) {
    const auto edited = [](std::string bytes) { return bytes.replace(bytes.size() - 3, 1, "~"); };
    const std::tuple<std::string, int, int, std::string> cases[] = {  // file changed, at which call; status, message
        {"Two.bas", 1, cli::kFileError, "Two.bas: changed by another program; run again"},
        {"Customer.cls", 2, cli::kFileError, "Customer.cls: changed by another program; run again"},
        {"", 2, cli::kInternalError,
         "quillmark: internal error: index past the end; nothing was written. Please report it.\n"},
    };
    for (const auto& [file, when, status, says] : cases) {
        CliFixture f;
        testsupport::WriteFile(f.Path("Two.bas"), kTwoSubs);
        const std::string customer = f.Read("Customer.cls");
        std::ostringstream err;
        int calls = 0;
        const auto run = [&] {
            cli::CommonOptions options;
            // Targets with lines: both modules are read before the first one runs.
            options.targets = {f.Path("Customer.cls") + ":20", f.Path("Two.bas") + ":4"};
            std::ostringstream out;
            cli::Runner runner(options, f.settings, out, err);
            cli::RunRules rules;
            rules.needsProject = false;
            return runner.Run(rules, nullptr, [&](cli::Session& s) {
                s.file.module.InsertLines(1, "' touched");
                if (++calls != when) return;
                if (file.empty()) throw std::logic_error("index past the end");
                const auto time = std::filesystem::last_write_time(f.Path(file));
                testsupport::WriteFile(f.Path(file), edited(f.Read(file)));
                std::filesystem::last_write_time(f.Path(file), time);
            });
        };
        EXPECT_EQ(cli::Guarded(run, err), status);
        EXPECT_NE(err.str().find(says), std::string::npos) << err.str();
        EXPECT_EQ(f.Read("Customer.cls"), file == "Customer.cls" ? edited(customer) : customer);
        EXPECT_EQ(f.Read("Two.bas"), file == "Two.bas" ? edited(kTwoSubs) : kTwoSubs);
        EXPECT_EQ(FolderListing(f.dir.Path()),
                  (std::vector<std::string>{"Customer.cls", "Inventory.bas", "Inventory.vbp", "Two.bas", "frmMain.frm"}));
    }
}

// Ten modules, the last append-only (chattr +a): its rename fails after nine others were made, and the run puts
// those nine back: status 3, every module as it was, no file left beside them.
TEST(AllOrNothing, ARenameThatFailsPutsBackEveryFileReplacedBeforeIt) {
    CliFixture f;
    std::vector<std::string> args{"notice"};
    for (int i = 0; i < 10; ++i) {
        testsupport::WriteFile(f.Path("M" + std::to_string(i) + ".bas"), kTwoSubs);
        args.push_back("M" + std::to_string(i) + ".bas");
    }
    const std::string before = clitest::Snapshot(f);
    const std::string last = clitest::ShellQuoted(f.Path("M9.bas"));
    if (std::system(("chattr +a " + last + " 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "chattr +a does not work on this file system";
    auto r = f.RunBinary(args);
    ASSERT_EQ(std::system(("chattr -a " + last).c_str()), 0);
    EXPECT_EQ(r.status, cli::kFileError) << r.err;
    EXPECT_NE(r.err.find("M9.bas"), std::string::npos) << r.err;
    EXPECT_EQ(clitest::Snapshot(f), before);
}

// Just before the second module replaces its original, its temporary file goes (a rename that fails, wherever
// chattr does not work), or another program appends a line to it, which the run finds in the original it
// replaced; or a logger opens it then and writes a moment after the rename, through the handle it holds on the
// original. Either way the first module is put back too, and the appended line stays.
TEST(AllOrNothing, WhatHappensJustBeforeARenamePutsBackEveryOriginal) {
    const std::string appended = "' appended by a logger\r\n";
    enum { kRemovesTemporary, kAppends, kWritesAfterTheRename };
    const std::tuple<int, std::string> cases[] = {
        {kRemovesTemporary, "Two.bas"},
        {kAppends, "Two.bas: changed by another program; run again"},
        {kWritesAfterTheRename, "Two.bas: changed by another program; run again"},
    };
    for (const auto& [other, says] : cases) {
        CliFixture f;
        testsupport::WriteFile(f.Path("Two.bas"), kTwoSubs);
        const std::string customer = f.Read("Customer.cls");
        const std::vector<std::string> names = FolderListing(f.dir.Path());
        cli::CommonOptions options;
        options.targets = {f.Path("Customer.cls"), f.Path("Two.bas")};
        std::ostringstream out, err;
        cli::Runner runner(options, f.settings, out, err);
        std::thread logger;
        runner.SetHooks({nullptr, [&](const std::string& path) {
                             if (path != f.Path("Two.bas")) return;
                             if (other == kAppends) {
                                 std::ofstream(path, std::ios::binary | std::ios::app) << appended;
                             } else if (other == kWritesAfterTheRename) {
                                 logger = std::thread([log = std::make_shared<std::ofstream>(
                                                           path, std::ios::binary | std::ios::app),
                                                       &appended] {
                                     std::this_thread::sleep_for(std::chrono::milliseconds(100));
                                     *log << appended;
                                 });
                             } else {
                                 for (const std::string& name : FolderListing(f.dir.Path()))
                                     if (name.starts_with(".Two.bas.quillmark-")) std::filesystem::remove(f.Path(name));
                             }
                         }});
        cli::RunRules rules;
        rules.needsProject = false;
        const int status = runner.Run(rules, nullptr, [](cli::Session& s) { s.file.module.InsertLines(1, "' x"); });
        if (logger.joinable()) logger.join();
        EXPECT_EQ(status, cli::kFileError) << other;
        EXPECT_NE(err.str().find(says), std::string::npos) << err.str();
        EXPECT_EQ(f.Read("Customer.cls"), customer);
        EXPECT_EQ(f.Read("Two.bas"), kTwoSubs + (other != kRemovesTemporary ? appended : "")) << other;
        EXPECT_EQ(FolderListing(f.dir.Path()), names);
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

// Ctrl-C ends the run at once, whatever it is doing: here it waits for a module that does not come (a named pipe
// nobody writes, as a stalled share would), before anything is prepared and after a module is. It ends by the signal
// (status 130) a second later, not by the kill that follows 5 seconds after, with no temporary file left behind.
TEST(AllOrNothing, AnInterruptEndsTheRunAtOnceWithNothingLeftBehind) {
    for (const std::string targets : {"Stalled.bas Inventory.bas", "Inventory.bas Stalled.bas"}) {
        CliFixture f;
        ASSERT_EQ(mkfifo(f.Path("Stalled.bas").c_str(), 0644), 0);
        const std::string before = clitest::Snapshot(f);
        const std::string command = "cd " + clitest::ShellQuoted(f.dir.Path()) + " && XDG_CONFIG_HOME=.config " +
                                    "timeout --preserve-status -s INT -k 5 1 " +
                                    clitest::ShellQuoted(QUILLMARK_BINARY) + " notice " + targets + " 2>/dev/null";
        const int status = std::system(("sh -c " + clitest::ShellQuoted(command)).c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 128 + SIGINT) << targets;
        EXPECT_EQ(clitest::Snapshot(f), before) << targets;
    }
}

// A module in a folder below its project's, and a log the project shares with others in a folder of its own: while
// the run works, it holds the module's folder, the project's and the log's, so another run waits for each. A run through a linked folder
// locks the same real folders in the same order, so two runs never each hold a lock the other waits for.
TEST(Concurrency, ARunLocksTheRealFoldersItWritesInOneOrder) {
    CliFixture f;
    std::filesystem::create_directories(f.Path("proj/src"));
    testsupport::WriteFile(f.Path("proj/src/Two.bas"), kTwoSubs);
    testsupport::WriteFile(f.Path("proj/Two.vbp"),
                           "Type=Exe\r\nModule=Two; src\\Two.bas\r\nRelatedDoc=..\\shared\\Revision.txt\r\n");
    std::filesystem::create_directory(f.Path("shared"));
    std::filesystem::create_directory_symlink("proj", f.Path("view"));
    std::vector<std::string> order[2];
    for (int run = 0; run < 2; ++run) {
        cli::CommonOptions options;
        options.targets = {f.Path(run == 0 ? "proj/src/Two.bas:4" : "view/src/Two.bas:4")};
        std::ostringstream out, err;
        cli::Runner runner(options, f.settings, out, err);
        runner.SetHooks({[&](const std::string& folder) { order[run].push_back(folder); }, nullptr});
        std::vector<std::string> unlocked;
        const int status = runner.Run(cli::RunRules{}, nullptr, [&](cli::Session& s) {
            EXPECT_NE(s.project, nullptr);
            for (const std::string& folder : {f.Path("proj"), f.Path("proj/src"), f.Path("shared")})
                if (platform::FolderLock(folder, [] { return false; }).Held()) unlocked.push_back(folder);
        });
        EXPECT_EQ(status, 0) << err.str();
        EXPECT_EQ(unlocked, std::vector<std::string>{});
    }
    EXPECT_EQ(order[0], order[1]);
}

// Eight runs at once on one project, ten rounds: every entry is kept whole, and the project lists the log once.
// A temporary file a killed run left is nobody's data: no run reads it as a module or project. A run that writes
// into its folder removes it once the process named in it is gone (here one that has ended), and leaves it while
// that process runs (here this test) or when its name tells no process.
TEST(Concurrency, ParallelRevisionRunsKeepEveryLogEntryAndOnlyDeadRunsTemporariesGo) {
    CliFixture f;
    const pid_t ended = fork();
    if (ended == 0) _exit(0);
    ASSERT_EQ(waitpid(ended, nullptr, 0), ended);
    const std::string dead = ".Inventory.bas.quillmark-" + std::to_string(ended) + "-5.tmp";
    const std::string stale[] = {".Inventory.vbp.quillmark-7.tmp",
                                 ".Inventory.bas.quillmark-" + std::to_string(getpid()) + "-5.tmp"};
    for (const std::string& name : {stale[0], stale[1], dead})
        testsupport::WriteFile(f.Path(name), "Type=Exe\r\nModule=Half; written\r\n");
    auto alone = f.RunBinary({"revision", "--to", "code,log", "--text", "x", "Inventory.bas:33"});
    ASSERT_EQ(alone.status, 0) << alone.err;
    EXPECT_EQ(alone.err, "");
    EXPECT_FALSE(std::filesystem::exists(f.Path(dead)));
    std::string script = "cd " + clitest::ShellQuoted(f.dir.Path()) + " && export XDG_CONFIG_HOME=.config; ";
    for (int run = 1; run <= 8; ++run)
        script += "(" + clitest::ShellQuoted(QUILLMARK_BINARY) + " revision --to log --type PAR --number " +
                  std::to_string(run) + " --text 'Entry of run " + std::to_string(run) +
                  ".' Inventory.bas:33 2>>errors; echo $? >>statuses) & ";
    script += "wait";
    for (int round = 1; round <= 10; ++round)
        ASSERT_EQ(std::system(("sh -c " + clitest::ShellQuoted(script)).c_str()), 0);
    EXPECT_EQ(Count(f.Read("statuses"), "0\n"), 80u) << f.Read("statuses") << f.Read("errors");
    EXPECT_EQ(f.Read("errors"), "");
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
    for (const std::string& name : stale) EXPECT_EQ(f.Read(name), "Type=Exe\r\nModule=Half; written\r\n");
}
