// The procedure range rule: which part of a procedure (a Sub or Function, or the
// Get, Let or Set part of a property) holds a line.
#pragma once

#include <string>

#include "addin/ide.h"

namespace ide {

struct ProcRanges {
    // Indexed by ProcKind (0 Sub or Function, 1 Let, 2 Set, 3 Get); a kind the
    // procedure does not have keeps start 0 and count 0.
    long start[4] = {0, 0, 0, 0};
    long count[4] = {0, 0, 0, 0};

    bool Holds(ProcKind kind, long line) const {
        return start[kind] <= line && line <= start[kind] + count[kind] - 1;
    }
};

/// Probes ProcStartLine with the kinds 3, 1, 2, 0 and ProcCountLines with 0, 3,
/// 1, 2, a failed probe leaving 0.
ProcRanges ProbeProcRanges(const CodeModule& module, const std::string& procName);

/// The first of Get, Let and Set whose range holds `line`; otherwise the Sub or
/// Function, without a range test.
ProcKind SettleProcKind(const ProcRanges& ranges, long line);

}  // namespace ide
