// Placing a procedure header next to the procedure, or property part, that
// holds a line.
#pragma once

#include "addin/ide.h"
#include "toolwindow/penwork.h"

namespace headers {

void InsertProcHeader(toolwindow::Penwork& window, ide::CodeModule& module, long line);

}  // namespace headers
