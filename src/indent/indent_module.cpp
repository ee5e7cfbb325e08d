#include <algorithm>

#include "ide/attempt.h"
#include "indent/indent.h"

namespace Indent {

std::vector<IndentedBlock> IndentModule(platform::DialogPort& dialogs, ide::CodeModule& module) {
    platform::BusyCursor busy(dialogs);
    std::vector<IndentedBlock> blocks;
    long lineCount = 0;
    long line = 1;
    if (!ide::Attempt([&] {
            lineCount = module.CountOfLines();
            line = module.CountOfDeclarationLines() + 1;
        }))
        return blocks;

    // The first procedure starts right after the declarations section and each
    // next one right after the previous one's block. Indenting replaces line
    // by line, so these numbers stay valid.
    while (line <= lineCount) {
        // The part the host names at the line, in the copy that holds the line:
        // a procedure kept twice under #If ... #Else is indented twice. (Not the
        // range rule's probing: a walk over every part needs no settling, and
        // the probes' failures would cost more than the indenting.)
        IndentedBlock block;
        const bool found = ide::Attempt([&] {
            block.procName = module.ProcOfLine(line, block.kind);
            if (block.procName.empty()) return;
            const ide::ProcLines lines = module.ProcLinesAt(block.procName, block.kind, line);
            block.startLine = lines.start;
            block.lineCount = lines.count;
            block.bodyLine = lines.body;
        });
        if (!found || block.procName.empty() || block.lineCount <= 0) {
            ++line;  // no procedure here: nothing to indent
            continue;
        }
        IndentBlock(dialogs, module, block.startLine, block.lineCount);
        line = std::max(line + 1, block.startLine + block.lineCount);
        blocks.push_back(std::move(block));
    }
    return blocks;
}

}  // namespace Indent
