// Checks shared by the host's tests: a module's outline as text, and the index of
// an edited module compared with a fresh reading of the same text.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "host/source_module.h"

namespace hosttest {

/// "decl N" and then one line per procedure part:
/// "<keyword> <name> <first>-<last> body <line>".
std::string Outline(const host::SourceModule& module);

/// Every line's ProcOfLine, as "name/kind" or "-" in the declarations section,
/// joined by blanks.
std::string Owners(const host::SourceModule& module);

/// The edited module answers as a module freshly read from its text does.
void ExpectSameAsFresh(const host::SourceModule& edited);

}  // namespace hosttest
