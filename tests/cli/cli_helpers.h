// Runs the command line in-process on a copy of the example project.
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
    /// Runs `quillmark ARGS...`.
    Result Run(std::initializer_list<std::string> args) { return Run(std::vector<std::string>(args)); }
    Result Run(const std::vector<std::string>& args);
    /// Path of a file in the copy of the example project.
    std::string Path(const std::string& name) const { return dir.File(name); }
    std::string Read(const std::string& name) const { return testsupport::ReadFile(Path(name)); }

    testsupport::TempDir dir;
    platform::MemorySettings settings;
    testsupport::FixedClock clock{1783170309};  // Saturday, 4 July 2026, 13:05:09 UTC
};

}  // namespace clitest
