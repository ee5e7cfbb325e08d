// Placing a procedure header next to the procedure, or property part, that
// holds a line.
#pragma once

#include <string>

#include "ide/ide.h"
#include "ide/proc_range.h"
#include "toolwindow/penwork.h"

namespace headers {

void InsertProcHeader(toolwindow::Penwork& window, ide::CodeModule& module, long line);

/// The name a header shows for a procedure part: "Get Total", "Let Total",
/// "Set Total", or the bare name of a Sub or Function.
std::string PartDisplayName(const std::string& procName, ide::ProcKind kind);

/// The line below which the header block of a procedure part belongs: with
/// Before (optHeader 0) the first line of the part's range; with After the line
/// that holds its declaration, or, when that is not found, the first line after
/// the message "No Get= ...". A declaration continued over lines is followed to
/// its last line, where a comment cannot break it.
long HeaderAnchorLine(toolwindow::Penwork& window, const ide::CodeModule& module, const ide::ProcPart& part);

}  // namespace headers
