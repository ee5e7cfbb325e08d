// Command-line targets: FILE, FILE:LINE, or FILE:LINE:COL as compilers and
// editors print it (the column is ignored).
#pragma once

#include <string>

namespace cli {

struct Target {
    std::string file;
    bool hasLine = false;
    long line = 0;  // as an editor shows it, from 1
    /// Why the text is no usable target ("'x' is not a line number..."), or empty.
    std::string problem;
};

/// Splits "FILE:LINE" or "FILE:LINE:COL" at their colons when what follows is
/// a number; anything else is a FILE alone, so that colons inside a path stay
/// part of it. A module file followed by a colon and no number is a problem.
Target ParseTarget(const std::string& text);

}  // namespace cli
