// The continuation table: how a statement continued over several lines with a
// trailing "_" moves its continuation lines one level deeper.
#pragma once

#include <string_view>

namespace Indent {

/// 0: not in a continued statement; 1: the first line of one; 2: a continuation
/// line that is continued further; 3: its last continuation line.
enum ContinuationState : int {
    kNotContinued = 0,
    kFirstLine = 1,
    kContinuedFurther = 2,
    kLastContinuationLine = 3,
};

struct ContinuationStep {
    int levelChange;  // applied before the line is classified; not floored
    ContinuationState after;
};

/// The step for a line that is neither blank nor a comment, from the state the
/// previous such line left. Only the last character of the trimmed text counts.
ContinuationStep NextContinuation(ContinuationState before, std::string_view trimmed);

}  // namespace Indent
