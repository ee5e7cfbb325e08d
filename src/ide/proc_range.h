// The procedure range rule: which part of a procedure (a Sub or Function, or the
// Get, Let or Set part of a property) holds a line. Every command that works on
// "the procedure at the cursor" asks here.
#pragma once

#include <string>

#include "ide/ide.h"

namespace ide {

struct ProcRanges {
    // Indexed by ProcKind (0 Sub or Function, 1 Let, 2 Set, 3 Get); a kind the
    // procedure does not have keeps start 0, count 0 and body 0.
    long start[4] = {0, 0, 0, 0};
    long count[4] = {0, 0, 0, 0};
    long body[4] = {0, 0, 0, 0};

    bool Holds(ProcKind kind, long line) const {
        return start[kind] <= line && line <= start[kind] + count[kind] - 1;
    }
};

/// Probes the procedure's parts in the kinds 3, 1, 2, 0, a failed probe leaving
/// 0. Where the module holds whole copies of the procedure (under #If ... #Else),
/// each part is the copy whose range holds `line`.
ProcRanges ProbeProcRanges(const CodeModule& module, const std::string& procName, long line);

/// The first of Get, Let and Set whose range holds `line`; otherwise the Sub or
/// Function, without a range test.
ProcKind SettleProcKind(const ProcRanges& ranges, long line);

/// The procedure part that holds a line.
struct ProcPart {
    std::string name;  // ProcOfLine's; empty when the line is in no procedure
    ProcKind kind = vbext_pk_Proc;
    ProcRanges ranges;

    long Start() const { return ranges.start[kind]; }
    long Count() const { return ranges.count[kind]; }
    long Body() const { return ranges.body[kind]; }
};

/// The procedure that ProcOfLine names for `line` (a failing host step leaves no
/// name), its ranges probed and its kind settled by the rule above. Without a
/// name the ranges stay 0 and the kind is Sub or Function.
ProcPart ProcPartAt(const CodeModule& module, long line);

}  // namespace ide
