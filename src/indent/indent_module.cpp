#include <algorithm>

#include "addin/attempt.h"
#include "addin/proc_range.h"
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
        const ide::ProcPart part = ide::ProcPartAt(module, line);
        IndentedBlock block{part.name, part.kind, part.Start(), part.Count(), part.Body()};
        if (block.procName.empty() || block.lineCount <= 0 || !part.ranges.Holds(part.kind, line)) {
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
