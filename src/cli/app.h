// The `quillmark` command line.
#pragma once

#include <iosfwd>

#include "platform/settings.h"

namespace cli {

/// One run reads, changes and writes whole modules of megabytes, one after
/// another: this keeps freed memory for the next module instead of giving it
/// back and faulting it in again (a third of the time of a large run). For the
/// process that runs the commands.
void KeepMemoryBetweenModules();

/// Runs one command line; returns the exit status.
int Run(int argc, const char* const* argv, platform::SettingsStore& settings, std::ostream& out,
        std::ostream& err);

}  // namespace cli
