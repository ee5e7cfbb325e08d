// The classification table: which line action a statement line takes, decided
// by the first of its rules, in order, that matches the trimmed text.
#pragma once

#include <string_view>

#include "indent/continuation.h"

namespace Indent {

/// What a classification rule does with its line.
enum class Rule {
    IfRule,            // block If or single-line If: see IsBlockIf
    WriteFlush,
    WriteAtLevel,
    WriteOutdented,
    WriteThenIndent,
    OutdentThenWrite,
    SelectCase,        // WriteAtLevel, then level + 2
    EndSelect,         // level - 1 (not floored), then OutdentThenWrite
    Keep,
};

/// The rule for a trimmed statement line (neither blank nor a comment).
Rule Classify(std::string_view trimmed);

/// The If rule, for a trimmed line that starts with "If ": true for a block If
/// (nothing but a comment after the first "Then", or the line starts a
/// continued statement), false for a single-line If. The first "Then" is
/// searched from the third character on, even inside a name: in
/// "If bThenFlag Then" it is the one in "bThenFlag".
bool IsBlockIf(std::string_view trimmed, ContinuationState state);

}  // namespace Indent
