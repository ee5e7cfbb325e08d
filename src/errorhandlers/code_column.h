// Where a column of VB source lies: in code, or inside a comment or a string
// literal. The searches for a procedure's declaration and closing statement use
// it to pass over text that only looks like code.
#pragma once

#include <string>
#include <vector>

#include "ide/ide.h"

namespace errorhandlers {

/// Whether `column` (in characters, from 1) of the last of `lines` lies in code.
/// `lines` are the physical lines of one logical line, from its first line up to
/// the line in question. A comment starts at an apostrophe outside a string or at
/// a Rem statement, and runs to the end of the logical line, continuation lines
/// included; a string literal runs from a double quote to the next one that is
/// not doubled ("" stands for one quote) or to the end of the physical line.
bool IsCodeAt(const std::vector<std::string>& lines, long column);

/// The same for a line of a module: reads the lines above `line` as far back as
/// its logical line reaches. A line that cannot be read counts as code.
bool IsCodeColumn(const ide::CodeModule& module, long line, long column);

}  // namespace errorhandlers
