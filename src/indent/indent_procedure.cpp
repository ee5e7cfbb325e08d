#include "ide/proc_range.h"
#include "indent/indent.h"

namespace Indent {

IndentedBlock IndentProcedure(platform::DialogPort& dialogs, ide::CodeModule& module,
                              const std::string& procName, long line) {
    platform::BusyCursor busy(dialogs);
    const ide::ProcRanges ranges = ide::ProbeProcRanges(module, procName, line);
    const ide::ProcKind kind = ide::SettleProcKind(ranges, line);
    IndentBlock(dialogs, module, ranges.start[kind], ranges.count[kind]);
    return {procName, kind, ranges.start[kind], ranges.count[kind], ranges.body[kind]};
}

}  // namespace Indent
