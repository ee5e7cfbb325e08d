#include "headers/proc_header.h"

#include <string_view>

#include "addin/attempt.h"
#include "addin/proc_range.h"
#include "addin/statements.h"
#include "headers/header_text.h"
#include "platform/dialogs.h"

namespace headers {

namespace {

// The Name line's prefix, the text that marks the declaration, and the message
// shown when that text is not found, for each procedure kind.
struct PartTexts {
    const char* displayPrefix;
    const char* keyword;
    const char* notFound;
};

PartTexts TextsOf(ide::ProcKind kind) {
    switch (kind) {
    case ide::vbext_pk_Get: return {"Get ", "Property Get ", "No Get= "};
    case ide::vbext_pk_Let: return {"Let ", "Property Let ", "No Let= "};
    case ide::vbext_pk_Set: return {"Set ", "Property Set ", "No Set= "};
    case ide::vbext_pk_Proc: break;
    }
    // No keyword: a Sub, a Function and any modifier in front match alike.
    return {"", "", "No Proc= "};
}

}  // namespace

void InsertProcHeader(toolwindow::Penwork& window, ide::CodeModule& module, long line) {
    std::string name;
    ide::Attempt([&] {
        ide::ProcKind ignored = ide::vbext_pk_Proc;
        name = module.ProcOfLine(line, ignored);
    });
    if (name.empty()) {
        platform::ShowMessage(window.Dialogs(), "Please select a procedure for this header",
                              platform::vbInformation, "No Procedure Selected");
        return;
    }

    const ide::ProcRanges ranges = ide::ProbeProcRanges(module, name);
    const ide::ProcKind kind = ide::SettleProcKind(ranges, line);
    const std::string header = sProcHeader(window, PartDisplayName(name, kind));
    const long start = HeaderAnchorLine(window, module, name, ranges, kind);
    ide::Attempt([&] { module.InsertLines(start + 1, header); });
}

std::string PartDisplayName(const std::string& procName, ide::ProcKind kind) {
    return TextsOf(kind).displayPrefix + procName;
}

long HeaderAnchorLine(toolwindow::Penwork& window, const ide::CodeModule& module,
                      const std::string& procName, const ide::ProcRanges& ranges, ide::ProcKind kind) {
    const PartTexts texts = TextsOf(kind);
    const long rangeEnd = ranges.start[kind] + ranges.count[kind] - 1;
    long start = ranges.start[kind];
    if (!window.optHeader(0)) {
        const std::string target = texts.keyword + procName + "(";
        long foundLine = ranges.start[kind], startColumn = 1, endLine = rangeEnd, endColumn = 1;
        bool found = false;
        ide::Attempt([&] {
            found = module.Find(target, foundLine, startColumn, endLine, endColumn, false, true,
                                false);
        });
        if (found)
            start = foundLine;
        else
            platform::ShowMessage(window.Dialogs(), texts.notFound + target, platform::vbOKOnly,
                                  "");
    }
    return ide::LastLineOfStatement(module, start, rangeEnd);
}

}  // namespace headers
