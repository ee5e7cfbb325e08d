#include "revisions/module_revision.h"

#include "platform/vbruntime.h"

namespace revisions {

long lFirstCodeLine(toolwindow::Penwork& window, long line) {
    const ide::CodeModule& module = ide::RequireActiveCodePane(window.VBE()).CodeModule();
    for (long n = line;; ++n) {
        // Past the last line the scan fails, whatever the host would hand back.
        if (n > module.CountOfLines()) ide::Raise(ide::kSubscriptOutOfRange);
        const std::string text = platform::Trim(module.Lines(n, 1));
        if (text.empty() || text.front() != '\'') return n;
    }
}

long InsertModuleRevision(toolwindow::Penwork& window, ide::CodeModule& module,
                          const std::string& entry) {
    const long line = lFirstCodeLine(window, 1);
    module.InsertLines(line, entry);
    return line;
}

}  // namespace revisions
