// Where comment lines end: the scan that places the procedure and module
// revision entries.
#pragma once

#include <string>

#include "ide/ide.h"
#include "toolwindow/penwork.h"

namespace revisions {

/// The first line from `line` on, in the active code pane's module, that does
/// not begin with an apostrophe once its leading and trailing blanks are gone
/// (tabs stay; an empty line does not begin with one). The scan has no upper
/// bound: in a module that is all comments from `line` on it reads past the
/// last line, and the host's error (kSubscriptOutOfRange) ends it. Throws
/// kObjectNotSet when no code pane is active.
long lFirstCodeLine(toolwindow::Penwork& window, long line);

/// Inserts `entry` into `module` before lFirstCodeLine(1): below the comment
/// lines that open the module, earlier entries included. Returns that line.
long InsertModuleRevision(toolwindow::Penwork& window, ide::CodeModule& module,
                          const std::string& entry);

}  // namespace revisions
