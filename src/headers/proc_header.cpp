#include "headers/proc_header.h"

#include <string_view>

#include "ide/attempt.h"
#include "ide/proc_range.h"
#include "ide/statements.h"
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
    const ide::ProcPart part = ide::ProcPartAt(module, line);
    if (part.name.empty()) {
        platform::ShowMessage(window.Dialogs(), "Please select a procedure for this header",
                              platform::vbInformation, "No Procedure Selected");
        return;
    }

    const std::string header = sProcHeader(window, PartDisplayName(part.name, part.kind));
    const long start = HeaderAnchorLine(window, module, part);
    ide::Attempt([&] { module.InsertLines(start + 1, header); });
}

std::string PartDisplayName(const std::string& procName, ide::ProcKind kind) {
    return TextsOf(kind).displayPrefix + procName;
}

long HeaderAnchorLine(toolwindow::Penwork& window, const ide::CodeModule& module, const ide::ProcPart& part) {
    const PartTexts texts = TextsOf(part.kind);
    const long rangeEnd = part.Start() + part.Count() - 1;
    long start = part.Start();
    if (!window.optHeader(0)) {
        const std::string target = texts.keyword + part.name + "(";
        long foundLine = part.Start(), startColumn = 1, endLine = rangeEnd, endColumn = 1;
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
