#include <algorithm>

#include "addin/attempt.h"
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
        IndentedBlock block;
        const bool found = ide::Attempt([&] {
            block.procName = module.ProcOfLine(line, block.kind);
            if (block.procName.empty()) return;
            block.startLine = module.ProcStartLine(block.procName, block.kind);
            block.lineCount = module.ProcCountLines(block.procName, block.kind);
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
