// The Revision command: one revision written to every checked target, in the
// order procedure header, module, revision log, code.
#pragma once

#include <string>
#include <vector>

#include "ide/ide.h"
#include "toolwindow/penwork.h"

namespace revisions {

/// The targets, numbered as the chkRevision check boxes.
enum RevisionTarget : int { ProcedureTarget = 0, ModuleTarget = 1, LogTarget = 2, CodeTarget = 3 };

inline constexpr RevisionTarget kRevisionTargets[] = {ProcedureTarget, ModuleTarget, LogTarget, CodeTarget};

/// "procedure", "module", "log", "code": the target's name on the command line.
const char* TargetName(RevisionTarget target);

/// What one InsertRevision did with the checked targets. Targets that are not
/// checked appear in neither list.
struct RevisionOutcome {
    struct Skip {
        RevisionTarget target;
        std::string reason;  // "no project", "the project has never been saved", ...
    };
    std::vector<RevisionTarget> written;
    std::vector<Skip> skipped;

    bool Wrote(RevisionTarget target) const;
};

/// "the log target is skipped: no project".
std::string SkipNotice(const RevisionOutcome::Skip& skip);

/// Writes the revision described by the tool window's fields to each checked
/// target; `line` is the cursor line. A target whose host, file or encoding
/// step fails writes nothing and is reported as skipped; the others still run.
/// With After, a declaration that cannot be found shows "No Proc= Name(" (or
/// "No Get= ", "No Let= ", "No Set= ") and the block goes where Before puts it.
///
/// The code block goes directly above the line the cursor was on: the lines
/// that the procedure and module targets insert at or above it move it down.
RevisionOutcome InsertRevision(toolwindow::Penwork& window, ide::CodeModule& module, long line);

}  // namespace revisions
