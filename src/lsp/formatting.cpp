#include "lsp/formatting.h"

#include "host/file_ranges.h"
#include "indent/indent.h"
#include "lsp/messages.h"
#include "lsp/text_edits.h"

namespace lsp {

QJsonArray Formatting(const Document& document, const std::optional<Range>& range, PositionEncoding encoding) {
    const std::string before = document.Module().Text();
    host::SourceModule copy(before);
    Messages dialogs;
    if (!range) {
        Indent::IndentModule(dialogs, copy);
        return LineEdits(before, copy.Text(), encoding);
    }
    // The parts as they stand before any is indented: indenting keeps every line where it is.
    for (const host::ProcInfo& p : copy.Procedures()) {
        const host::FileRange r = host::FileRangeOf(copy, p);
        const long first = r.start - 1, last = r.start - 1 + r.count - 1;
        if (last < range->startLine || first > range->endLine) continue;
        Indent::IndentProcedure(dialogs, copy, p.name, p.startLine);
    }
    return LineEdits(before, copy.Text(), encoding);
}

}  // namespace lsp
