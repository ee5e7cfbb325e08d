#include <limits>
#include <string>
#include <string_view>

#include "ide/attempt.h"
#include "indent/classification.h"
#include "indent/continuation.h"
#include "indent/indent.h"
#include "indent/keywords.h"
#include "indent/line_actions.h"
#include "platform/ascii.h"

namespace Indent {

namespace {

struct RunState {
    Level level = 0;
    ContinuationState continuation = kNotContinued;
};

/// Writes one line by the rules; false when the run must end at it.
bool IndentLine(ide::CodeModule& module, std::string_view trimmed, long line, RunState& run) {
    Level& level = run.level;
    // Comments and blank lines go to column 1 and touch neither state nor level.
    if (trimmed.empty() || trimmed.front() == '\'') return WriteFlush(module, trimmed, line, level);

    const ContinuationStep step = NextContinuation(run.continuation, trimmed);
    if (!ChangeLevel(level, step.levelChange)) return false;
    run.continuation = step.after;
    if (run.continuation == kContinuedFurther || run.continuation == kLastContinuationLine)
        return WriteAtLevel(module, trimmed, line, level);

    switch (Classify(trimmed)) {
    case Rule::IfRule:
        return IsBlockIf(trimmed, run.continuation) ? WriteThenIndent(module, trimmed, line, level)
                                                    : WriteAtLevel(module, trimmed, line, level);
    case Rule::WriteFlush: return WriteFlush(module, trimmed, line, level);
    case Rule::WriteAtLevel: return WriteAtLevel(module, trimmed, line, level);
    case Rule::WriteOutdented: return WriteOutdented(module, trimmed, line, level);
    case Rule::WriteThenIndent: return WriteThenIndent(module, trimmed, line, level);
    case Rule::OutdentThenWrite: return OutdentThenWrite(module, trimmed, line, level);
    case Rule::SelectCase:
        return WriteAtLevel(module, trimmed, line, level) && ChangeLevel(level, +2);
    case Rule::EndSelect:
        return ChangeLevel(level, -1) && OutdentThenWrite(module, trimmed, line, level);
    case Rule::Keep: return Keep(module, trimmed, line, level);
    }
    return false;
}

}  // namespace

void IndentBlock(platform::DialogPort& dialogs, ide::CodeModule& module, long startLine,
                 long lineCount) {
    if (lineCount <= 0) return;
    // The last line is fixed before the first; a range past the end of the
    // module ends where the host refuses to read.
    const long lastLine = startLine > std::numeric_limits<long>::max() - (lineCount - 1)
                              ? std::numeric_limits<long>::max()
                              : startLine + (lineCount - 1);
    RunState run;
    ide::Attempt([&] {
        for (long line = startLine;; ++line) {
            dialogs.DoEvents();
            const std::string text = module.Lines(line, 1);
            if (!IndentLine(module, platform::TrimSpaces(text), line, run)) return;
            if (line == lastLine) return;
        }
    });
}

}  // namespace Indent
