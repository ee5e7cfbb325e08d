// Unified diffs of whole files, for --diff.
#pragma once

#include <optional>
#include <string>

namespace cli {

/// A unified diff ("--- a/PATH", "+++ b/PATH", hunks with three lines of
/// context) of `before` and `after`, the files' own bytes, so that `patch` and
/// `git apply` write exactly `after`; `before` nullopt means a new file (with
/// the header git needs to create it). Lines keep their own line ends; a last
/// line without one is marked "\ No newline at end of file". Empty when the
/// files are equal.
std::string UnifiedDiff(const std::string& path, const std::optional<std::string>& before,
                        const std::string& after);

}  // namespace cli
