#include "revisions/revision_text.h"

#include "headers/header_text.h"
#include "headers/mheader.h"
#include "platform/clock.h"
#include "platform/vbruntime.h"

namespace revisions {

namespace {

constexpr char kCrLf[] = "\r\n";
constexpr long kRevisionLineLength = 79;

// The revision number as the runtime reads it: its leading number, at least
// five digits ("12abc" gives 00012, "" gives 00000).
std::string RevisionNumber(toolwindow::Penwork& window) {
    return platform::Format(platform::Val(window.txtRevNumber()), "00000");
}

std::string WithoutFinalLineEnd(const std::string& text) {
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, kCrLf) == 0)
        return text.substr(0, text.size() - 2);
    return text;
}

}  // namespace

std::string NoteLine(toolwindow::Penwork& window) {
    const std::string number = RevisionNumber(window);
    const std::string type = window.cboRevType();
    const std::string version = headers::ProjectVersion(window);
    const std::string initials = window.txtInitials();
    const std::string when = platform::GeneralDate(platform::Now());
    return "' " + type + ": " + number + "  Vers: " + version + " By: " + initials + " @ " + when +
           kCrLf;
}

std::string sRevisionText(toolwindow::Penwork& window) {
    const toolwindow::TextBox& box = window.txtHeader(toolwindow::kRevisionTextBox);
    std::string text;
    const long count = mHeader::TextBoxLineCount(box);
    for (long i = 0; i < count; ++i) {
        const std::string line = mHeader::TextBoxLine(i, box, kRevisionLineLength);
        if (i == 0 || !platform::Trim(line).empty()) text += "' " + line + kCrLf;
    }
    return text;
}

std::string CodeBlock(const std::string& noteLine, const std::string& revisionLines) {
    if (revisionLines.empty()) return WithoutFinalLineEnd(noteLine);
    return noteLine + WithoutFinalLineEnd(revisionLines);
}

std::string ProcedureBlock(const std::string& noteLine, const std::string& revisionLines) {
    return noteLine + revisionLines + headers::HeaderEndRule();
}

std::string ProcedureLabel(const std::string& procName, ide::ProcKind kind) {
    if (procName.empty()) return "(Declarations)";
    switch (kind) {
    case ide::vbext_pk_Get: return "[PropertyGet] " + procName;
    case ide::vbext_pk_Let: return "[PropertyLet] " + procName;
    case ide::vbext_pk_Set: return "[PropertySet] " + procName;
    case ide::vbext_pk_Proc: break;
    }
    return procName;
}

std::string LogEntry(toolwindow::Penwork& window, const std::string& procedureLabel) {
    const std::string number = RevisionNumber(window);
    const std::string type = window.cboRevType();
    const std::string version = headers::ProjectVersion(window);
    const std::string initials = platform::Format(window.txtInitials(), "@@@!");
    const std::string date = platform::ShortDate(platform::Now());
    const std::string moduleName = headers::sModuleName(window);
    const std::string revisionLines = sRevisionText(window);
    return "' " + type + ": " + number + ", " + version + ", " + initials + ", " + date + ", " +
           moduleName + ", " + procedureLabel + kCrLf + revisionLines + "'";
}

}  // namespace revisions
