// The line actions: how one line is written back at the current level.
//
// Each action but Keep rewrites its line with one CodeModule::ReplaceLine, even
// where the text does not change. The level is a signed 16-bit count of open
// blocks; a line at level n is written with exactly 3 * n blanks before its
// trimmed text. An action that would take the level, or that width in blanks,
// out of the signed 16-bit range does not take that step and returns false: the
// run ends at that line.
#pragma once

#include <cstdint>
#include <string_view>

#include "ide/ide.h"

namespace Indent {

using Level = std::int16_t;

/// Blanks written per level.
inline constexpr int kIndentUnit = 3;

/// Adds `change` to the level; false, with the level unchanged, when the sum
/// leaves the signed 16-bit range.
[[nodiscard]] bool ChangeLevel(Level& level, int change);

/// Writes the trimmed text flush left. Level unchanged.
[[nodiscard]] bool WriteFlush(ide::CodeModule& module, std::string_view trimmed, long line,
                              Level& level);
/// Writes the trimmed text after 3 * level blanks. Level unchanged.
[[nodiscard]] bool WriteAtLevel(ide::CodeModule& module, std::string_view trimmed, long line,
                                Level& level);
/// Writes the trimmed text one level out (never left of column 1). Level unchanged.
[[nodiscard]] bool WriteOutdented(ide::CodeModule& module, std::string_view trimmed, long line,
                                  Level& level);
/// Writes at the level, then opens a level.
[[nodiscard]] bool WriteThenIndent(ide::CodeModule& module, std::string_view trimmed, long line,
                                   Level& level);
/// Closes a level (never below 0), then writes at the new level.
[[nodiscard]] bool OutdentThenWrite(ide::CodeModule& module, std::string_view trimmed, long line,
                                    Level& level);
/// Leaves the line exactly as it stands: nothing is written.
[[nodiscard]] bool Keep(ide::CodeModule& module, std::string_view trimmed, long line,
                        Level& level);

}  // namespace Indent
