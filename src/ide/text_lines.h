// A text as its lines, each with its own line end, for comparing files line by line.
#pragma once

#include <string_view>
#include <vector>

namespace ide {

/// The lines of `text` (views into it) (split at CR LF, lone LF and lone CR), each keeping its
/// line end; the last keeps none when the text ends without one.
std::vector<std::string_view> SplitKeepingEnds(std::string_view text);

}  // namespace ide
