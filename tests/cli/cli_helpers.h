// Runs the command line in-process, or as the real binary, on a copy of the example project.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/settings.h"
#include "support/support.h"

namespace clitest {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

class CliFixture {
public:
    CliFixture();
    /// Runs `quillmark ARGS...` in-process, with `settings`.
    Result Run(std::initializer_list<std::string> args) { return Run(std::vector<std::string>(args)); }
    Result Run(const std::vector<std::string>& args);
    /// Runs the real binary in the copy's folder, with settings of its own there, so that statuses, files and
    /// parallel runs are the process's own; `shellBefore` runs first. Only the command line's tests have it.
    Result RunBinary(const std::vector<std::string>& args, const std::string& shellBefore = "") const;
    std::string Path(const std::string& name) const { return dir.File(name); }
    std::string Read(const std::string& name) const { return testsupport::ReadFile(Path(name)); }

    testsupport::TempDir dir;
    platform::MemorySettings settings;
    testsupport::FixedClock clock{1783170309};  // Saturday, 4 July 2026, 13:05:09 UTC
};

/// A word quoted for the shell.
std::string ShellQuoted(const std::string& word);
/// The names in a folder, sorted: to see that no temporary file was left.
std::vector<std::string> FolderListing(const std::string& folder);
/// Every name in the copy's folder with its bytes: what a run that writes
/// nothing must leave exactly as it was.
std::string Snapshot(const CliFixture& f);

/// How many times `what` stands in `text`.
std::size_t Count(const std::string& text, const std::string& what);

}  // namespace clitest
