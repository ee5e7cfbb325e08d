// The `quillmark` command line.
#pragma once

#include <iosfwd>

#include "platform/settings.h"

namespace cli {

/// Runs one command line; returns the exit status.
int Run(int argc, const char* const* argv, platform::SettingsStore& settings, std::ostream& out,
        std::ostream& err);

}  // namespace cli
