// The texts of one revision: the note line, the revision lines and the blocks
// and log entry built from them. Every line ends in CR LF unless said otherwise.
#pragma once

#include <string>

#include "ide/ide.h"
#include "toolwindow/penwork.h"

namespace revisions {

/// "' BUG: 00012  Vers: 2.1.0017 By: ABC @ <general date>" and CR LF: type,
/// number as "00000", the project version, the initials as typed and the time.
std::string NoteLine(toolwindow::Penwork& window);

/// One "' " line per display line of the revision text box (79 wide): the first
/// line always, each later one only when it holds more than blanks. Empty when
/// the box is empty.
std::string sRevisionText(toolwindow::Penwork& window);

/// What goes above the changed code: the note line and the revision lines, less
/// the final line end.
std::string CodeBlock(const std::string& noteLine, const std::string& revisionLines);

/// What goes into a procedure's header: the note line, the revision lines and
/// the closing rule (no line end).
std::string ProcedureBlock(const std::string& noteLine, const std::string& revisionLines);

/// "[PropertyGet] Name", "[PropertyLet] Name", "[PropertySet] Name", the plain
/// name of a Sub or Function, or "(Declarations)" outside every procedure.
std::string ProcedureLabel(const std::string& procName, ide::ProcKind kind);

/// One entry of the revision log and of the module's opening comments: a first
/// line whose fields fill the log's column title (type, number, version,
/// initials padded to three, short date, module, procedure), the revision lines,
/// then a lone apostrophe with no line end.
std::string LogEntry(toolwindow::Penwork& window, const std::string& procedureLabel);

}  // namespace revisions
