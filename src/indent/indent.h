// The indenter: re-indents a procedure so that each nested block steps in by
// three blanks. It reads and writes the code only through ide::CodeModule, one
// read and at most one ReplaceLine per line, and keeps nothing between runs.
// Failing host steps are passed over; nothing here throws HostError.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ide/ide.h"
#include "platform/dialogs.h"
#include "toolwindow/penwork.h"

namespace Indent {

/// Re-indents lines startLine .. startLine + lineCount - 1 (a count of 0 or less
/// does nothing). Level and continuation state start at 0 on the first line.
/// Pending events run before each line. The run ends early, without a message,
/// where the host refuses to read or replace a line, or where the level or its
/// width in blanks would leave the signed 16-bit range; lines already written
/// keep their new text.
void IndentBlock(platform::DialogPort& dialogs, ide::CodeModule& module, long startLine,
                 long lineCount);

/// One block that the indenter ran over.
struct IndentedBlock {
    std::string procName;
    ide::ProcKind kind = ide::vbext_pk_Proc;
    long startLine = 0;
    long lineCount = 0;
    long bodyLine = 0;  // the declaration's first line
};

/// Re-indents the part of `procName` that holds `line`: the first of its Get,
/// Let and Set parts whose range holds the line, else its Sub or Function
/// (which runs over no lines when there is none). Shows the busy cursor meanwhile.
/// Returns the block it ran over.
IndentedBlock IndentProcedure(platform::DialogPort& dialogs, ide::CodeModule& module,
                              const std::string& procName, long line);

/// Re-indents every procedure part of the module, one block after another, in
/// the order they stand, each copy of a procedure kept under #If ... #Else too;
/// the declarations section stays exactly as it is.
/// Shows the busy cursor meanwhile. Returns the blocks it ran over.
std::vector<IndentedBlock> IndentModule(platform::DialogPort& dialogs, ide::CodeModule& module);

/// One block IndentModule would run over, and the first line in it that it
/// would write differently (0 when it would leave the block as it stands).
struct PreviewedBlock {
    IndentedBlock block;
    long firstMoved = 0;
};

/// What IndentModule would do, without changing the module. `lineText` reads
/// a line's text as Lines(line, 1) gives it, without copying it.
std::vector<PreviewedBlock> PreviewModule(platform::DialogPort& dialogs, const ide::CodeModule& module,
                                          const std::function<std::string_view(long line)>& lineText);

/// The Indent button: re-indents the procedure part that holds the start of the
/// active code pane's selection. With no procedure there (the cursor in the
/// declarations section, no code pane, or a failing host step while looking),
/// shows "Please select a procedure to indent." under "Indent Procedure",
/// changes nothing and returns nothing. Otherwise returns the block it ran over.
std::optional<IndentedBlock> IndentAtCursor(toolwindow::Penwork& penwork);

}  // namespace Indent
