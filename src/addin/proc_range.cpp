#include "addin/proc_range.h"

#include "addin/attempt.h"

namespace ide {

ProcRanges ProbeProcRanges(const CodeModule& module, const std::string& procName) {
    ProcRanges r;
    for (ProcKind k : {vbext_pk_Get, vbext_pk_Let, vbext_pk_Set, vbext_pk_Proc})
        Attempt([&] { r.start[k] = module.ProcStartLine(procName, k); });
    for (ProcKind k : {vbext_pk_Proc, vbext_pk_Get, vbext_pk_Let, vbext_pk_Set})
        Attempt([&] { r.count[k] = module.ProcCountLines(procName, k); });
    return r;
}

ProcKind SettleProcKind(const ProcRanges& ranges, long line) {
    for (ProcKind k : {vbext_pk_Get, vbext_pk_Let, vbext_pk_Set})
        if (ranges.Holds(k, line)) return k;
    return vbext_pk_Proc;
}

}  // namespace ide
