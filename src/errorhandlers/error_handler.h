// The error-handler engine: error handling for the procedure that holds a line.
#pragma once

#include "ide/ide.h"
#include "toolwindow/penwork.h"

namespace errorhandlers {

/// Writes error handling into the procedure, or property part, that holds `line`:
/// unless the window's handler kind is Resume Next, the exit statement, the label,
/// "If Err <> 0 Then", the kind's body and "End If " directly above the closing
/// statement; then the On Error line directly below the declaration. Host
/// failures are passed over. Without a procedure at the line, or when its
/// declaration or closing statement cannot be found, or when the procedure
/// already holds the label a handler would add, a message is shown and the
/// module is left exactly as it was. Returns whether the handler was written.
bool InsertErrorHandler(toolwindow::Penwork& window, ide::CodeModule& module, long line);

}  // namespace errorhandlers
