#include "revisions/insert_revision.h"

#include <optional>

#include "addin/attempt.h"
#include "addin/proc_range.h"
#include "addin/statements.h"
#include "headers/proc_header.h"
#include "revisions/module_revision.h"
#include "revisions/revision_log.h"
#include "revisions/revision_text.h"

namespace revisions {

namespace {

// A host, file or encoding failure, as a reason a user can read.
struct Failure {
    int number = 0;  // the host's error number; 0 for a file or encoding error
    std::string reason;
};

template <class Step>
std::optional<Failure> Run(Step&& step) {
    try {
        step();
        return std::nullopt;
    } catch (const ide::HostError& e) {
        return Failure{e.Number(), e.Description()};
    } catch (const platform::FileError& e) {
        return Failure{0, e.what()};
    } catch (const platform::EncodingError& e) {
        return Failure{0, e.what()};
    }
}

// The line the cursor was on, followed as lines are inserted: each line
// inserted at or above it moves it down by one.
class CursorLine {
public:
    explicit CursorLine(long line) : line_(line) {}
    long Line() const { return line_; }

    void Inserted(long at, const std::string& text) {
        if (at <= line_) line_ += InsertedLineCount(text);
    }

private:
    // The host splits an inserted text at CR LF, lone LF and lone CR; a final
    // line end leaves an empty line after it.
    static long InsertedLineCount(const std::string& text) {
        long lines = 1;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            if (text[i] == '\r' || text[i] == '\n') ++lines;
        }
        return lines;
    }

    long line_;
};

// The text that finds a part's declaration, and the message prefix when it
// cannot be found.
// The comment scan fails only by running past the last line.
std::optional<Failure> NamingTheScan(std::optional<Failure> failure) {
    if (failure && failure->number == ide::kSubscriptOutOfRange)
        failure->reason = "the module holds no line that is not a comment";
    return failure;
}

// Why the log could not be written: the project's state says it better than
// the error the object model raised for it.
std::string LogSkipReason(toolwindow::Penwork& window, const Failure& failure) {
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
    auto record = [&outcome](RevisionTarget target, const std::optional<Failure>& failure) {
        if (failure)
            outcome.skipped.push_back({target, failure->reason});
        else
            outcome.written.push_back(target);
    };
    CursorLine cursor(line);

    std::string procName;
    ide::ProcKind reportedKind = ide::vbext_pk_Proc;
    ide::Attempt([&] { procName = module.ProcOfLine(line, reportedKind); });

    std::string noteLine, codeBlock, procedureBlock;
    ide::Attempt([&] { noteLine = NoteLine(window); });
    ide::Attempt([&] { codeBlock = CodeBlock(noteLine, sRevisionText(window)); });
    ide::Attempt([&] { procedureBlock = ProcedureBlock(noteLine, sRevisionText(window)); });

    ide::ProcRanges ranges;
    if (!procName.empty()) ranges = ide::ProbeProcRanges(module, procName);
    const ide::ProcKind kind = ide::SettleProcKind(ranges, line);
    const std::string label = ProcedureLabel(procName, kind);

    if (window.chkRevision(ProcedureTarget)) {
        // Below the header, which stands where the procedure header would go.
        const long start = headers::HeaderAnchorLine(window, module, procName, ranges, kind);
        record(ProcedureTarget, NamingTheScan(Run([&] {
                   const long at = lFirstCodeLine(window, start + 1);
                   module.InsertLines(at, procedureBlock);
                   cursor.Inserted(at, procedureBlock);
               })));
    }

    std::string entry;
    ide::Attempt([&] { entry = LogEntry(window, label); });

    if (window.chkRevision(ModuleTarget)) {
        record(ModuleTarget, NamingTheScan(Run([&] {
                   cursor.Inserted(InsertModuleRevision(window, module, entry), entry);
               })));
    }

    if (window.chkRevision(LogTarget)) {
        std::optional<Failure> failure = Run([&] { AppendRevisionLog(window, entry); });
        if (failure) failure->reason = LogSkipReason(window, *failure);
        record(LogTarget, failure);
    }

    // Directly above the line the cursor was on, wherever the targets above
    // have moved it; its old number could now fall inside another statement.
    // On a continuation line, above the statement it continues.
    if (window.chkRevision(CodeTarget))
        record(CodeTarget, Run([&] {
                   module.InsertLines(ide::FirstLineOfStatement(module, cursor.Line()), codeBlock);
               }));

    return outcome;
}

}  // namespace revisions
