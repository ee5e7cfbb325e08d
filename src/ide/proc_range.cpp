#include "ide/proc_range.h"

#include "ide/attempt.h"

namespace ide {

ProcRanges ProbeProcRanges(const CodeModule& module, const std::string& procName, long line) {
    ProcRanges r;
    for (ProcKind k : {vbext_pk_Get, vbext_pk_Let, vbext_pk_Set, vbext_pk_Proc})
        Attempt([&] {
            const ProcLines lines = module.ProcLinesAt(procName, k, line);
            r.start[k] = lines.start;
            r.count[k] = lines.count;
            r.body[k] = lines.body;
        });
    return r;
}

ProcKind SettleProcKind(const ProcRanges& ranges, long line) {
    for (ProcKind k : {vbext_pk_Get, vbext_pk_Let, vbext_pk_Set})
        if (ranges.Holds(k, line)) return k;
    return vbext_pk_Proc;
}

ProcPart ProcPartAt(const CodeModule& module, long line) {
    ProcPart part;
    Attempt([&] {
        ProcKind reported = vbext_pk_Proc;
        part.name = module.ProcOfLine(line, reported);
    });
    if (part.name.empty()) return part;
    part.ranges = ProbeProcRanges(module, part.name, line);
    part.kind = SettleProcKind(part.ranges, line);
    return part;
}

}  // namespace ide
