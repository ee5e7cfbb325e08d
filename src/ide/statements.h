// Statements continued over several physical lines with " _". A comment line
// between two lines of one statement breaks the code, so whatever inserts
// comments asks where a statement begins and ends.
#pragma once

#include <climits>
#include <string_view>

#include "ide/ide.h"
#include "ide/vb_text.h"

namespace ide {

/// The last physical line of the statement that begins on `line`, looking no
/// further than `lastLine`. A line that cannot be read ends the statement.
long LastLineOfStatement(const CodeModule& module, long line, long lastLine = LONG_MAX);

/// The first physical line of the statement that holds `line`.
long FirstLineOfStatement(const CodeModule& module, long line);

}  // namespace ide
