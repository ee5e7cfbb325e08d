#include "revisions/insert_revision.h"

#include <optional>

#include "ide/attempt.h"
#include "ide/proc_range.h"
#include "ide/statements.h"
#include "ide/vb_text.h"
#include "headers/proc_header.h"
#include "revisions/module_revision.h"
#include "revisions/revision_log.h"
#include "revisions/revision_text.h"

namespace revisions {

namespace {

// The line the cursor was on, followed as lines are inserted: each line
// inserted at or above it moves it down by one.
class CursorLine {
public:
    explicit CursorLine(long line) : line_(line) {}
    long Line() const { return line_; }

    void Inserted(long at, const std::string& text) {
        if (at <= line_) line_ += static_cast<long>(ide::SplitLines(text).size());
    }

private:
    long line_;
};

// A failure of the scan for the first line below the comments: it fails only
// by running past the last line, which the reason then says in words.
std::optional<ide::Failure> NamingTheScan(std::optional<ide::Failure> failure) {
    if (failure && failure->number == ide::kSubscriptOutOfRange)
        failure->reason = "the module holds no line that is not a comment";
    return failure;
}

// Why the log could not be written: the project's state says it better than
// the error the object model raised for it.
std::string LogSkipReason(toolwindow::Penwork& window, const ide::Failure& failure) {
    if (failure.number == 0) return failure.reason;
    ide::VBProject* project = window.VBE().ActiveVBProject();
    if (project == nullptr) return "no project";
    if (project->FileName().empty()) return "the project has never been saved";
    return failure.reason;
}

}  // namespace

const char* TargetName(RevisionTarget target) {
    switch (target) {
    case ProcedureTarget: return "procedure";
    case ModuleTarget: return "module";
    case LogTarget: return "log";
    case CodeTarget: return "code";
    }
    return "unknown";
}

bool RevisionOutcome::Wrote(RevisionTarget target) const {
    for (RevisionTarget t : written)
        if (t == target) return true;
    return false;
}

std::string SkipNotice(const RevisionOutcome::Skip& skip) {
    return std::string("the ") + TargetName(skip.target) + " target is skipped: " + skip.reason;
}

RevisionOutcome InsertRevision(toolwindow::Penwork& window, ide::CodeModule& module, long line) {
    RevisionOutcome outcome;
    auto record = [&outcome](RevisionTarget target, const std::optional<ide::Failure>& failure) {
        if (failure)
            outcome.skipped.push_back({target, failure->reason});
        else
            outcome.written.push_back(target);
    };
    CursorLine cursor(line);

    const ide::ProcPart part = ide::ProcPartAt(module, line);

    std::string noteLine, codeBlock, procedureBlock;
    ide::Attempt([&] { noteLine = NoteLine(window); });
    ide::Attempt([&] { codeBlock = CodeBlock(noteLine, sRevisionText(window)); });
    ide::Attempt([&] { procedureBlock = ProcedureBlock(noteLine, sRevisionText(window)); });

    const std::string label = ProcedureLabel(part.name, part.kind);

    if (window.chkRevision(ProcedureTarget)) {
        // Below the header, which stands where the procedure header would go.
        const long start = headers::HeaderAnchorLine(window, module, part);
        record(ProcedureTarget, NamingTheScan(ide::Failed([&] {
                   const long at = lFirstCodeLine(window, start + 1);
                   module.InsertLines(at, procedureBlock);
                   cursor.Inserted(at, procedureBlock);
               })));
    }

    std::string entry;
    ide::Attempt([&] { entry = LogEntry(window, label); });

    if (window.chkRevision(ModuleTarget)) {
        record(ModuleTarget, NamingTheScan(ide::Failed([&] {
                   cursor.Inserted(InsertModuleRevision(window, module, entry), entry);
               })));
    }

    if (window.chkRevision(LogTarget)) {
        std::optional<ide::Failure> failure = ide::Failed([&] { AppendRevisionLog(window, entry); });
        if (failure) failure->reason = LogSkipReason(window, *failure);
        record(LogTarget, failure);
    }

    // Directly above the line the cursor was on, wherever the targets above
    // have moved it; its old number could now fall inside another statement.
    // On a continuation line, above the statement it continues.
    if (window.chkRevision(CodeTarget))
        record(CodeTarget, ide::Failed([&] {
                   module.InsertLines(ide::FirstLineOfStatement(module, cursor.Line()), codeBlock);
               }));

    return outcome;
}

}  // namespace revisions
