// Unified diffs of whole files, for --diff.
#pragma once

#include <optional>
#include <string>

namespace cli {

/// A unified diff ("--- a/PATH", "+++ b/PATH", hunks with three lines of
/// context) of `before` and `after`, both UTF-8 text; `before` nullopt means a
/// new file. Lines keep their own line ends; a last line without one is marked
/// "\ No newline at end of file". Empty when the texts are equal.
std::string UnifiedDiff(const std::string& path, const std::optional<std::string>& before,
                        const std::string& after);

}  // namespace cli
