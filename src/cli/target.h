// Command-line targets: FILE or FILE:LINE.
#pragma once

#include <string>

namespace cli {

struct Target {
    std::string file;
    bool hasLine = false;
    long line = 0;  // as an editor shows it, from 1
};

/// Splits "FILE:LINE" at its last colon when what follows is a line number;
/// anything else is a FILE alone.
Target ParseTarget(const std::string& text);

}  // namespace cli
