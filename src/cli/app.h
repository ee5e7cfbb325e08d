// The `quillmark` command line.
#pragma once

#include <functional>
#include <iosfwd>

#include "platform/settings.h"

namespace cli {

/// Runs `run` and returns its status; the last resort for a failure nothing
/// else handled (a fault of the program, or no memory left): prints one line
/// naming it and returns kInternalError. A run writes nothing until its very
/// end, so nothing was written then.
int Guarded(const std::function<int()>& run, std::ostream& err);

/// Runs one command line; returns the exit status.
int Run(int argc, const char* const* argv, platform::SettingsStore& settings, std::ostream& out,
        std::ostream& err);

}  // namespace cli
