#include "errorhandlers/handler_templates.h"

#include "platform/settings.h"
#include "platform/vbruntime.h"

namespace errorhandlers {

namespace {

constexpr char kProcPlaceholder[] = "[ProcName]";
constexpr char kModulePlaceholder[] = "[ModuleName]";

// The message-box handler: the prompt shows the error's number, description and
// location; Abort ends the program (Standard EXE) or raises the error again to
// the caller (a component), Retry resumes, Ignore resumes with the next line.
std::string MsgBoxBody(const std::string& ModuleName, const std::string& ProcName,
                       bool standardExe) {
    std::string body;
    body += "\tSelect Case MsgBox(\"Number: \" & Err.Number & vbCrLf & _ \r\n";
    body += "\t\t\"Description: \" & Err.Description & vbCrLf & _\r\n";
    body += "\t\t\"Location: " + ModuleName + ", " + ProcName +
            "\", vbAbortRetryIgnore + vbExclamation, _ \r\n";
    body += "\t\t\"An Error Occurred In: \" & Err.Source) \r\n";
    body += "\t\tCase vbAbort\r\n";
    if (standardExe) {
        body += "\t\t\tEnd\r\n";
    } else {
        body += "\t\t\tOn Error GoTo 0\r\n";
        body += "\t\t\tErr.Raise Err.Number\r\n";
    }
    body += "\t\tCase vbRetry\r\n";
    body += "\t\t\tResume\r\n";
    body += "\t\tCase vbIgnore\r\n";
    body += "\t\t\tResume Next\r\n";
    body += "\tEnd Select";
    return body;
}

}  // namespace

std::string sHandlerBody(const toolwindow::Penwork& window, const std::string& ModuleName,
                         const std::string& ProcName) {
    if (window.optErrorHandler(toolwindow::Custom)) return sCustomHandler(window, ModuleName, ProcName);
    if (window.optErrorHandler(toolwindow::ResumeNext)) return {};
    return MsgBoxBody(ModuleName, ProcName, window.optErrorHandler(toolwindow::StandardExe));
}

std::string sCustomHandler(const toolwindow::Penwork& window, const std::string& ModuleName,
                           const std::string& ProcName) {
    using platform::InStrText;
    std::string text = window.txtHeader(toolwindow::kHandlerTemplateBox).Text();
    // One pass over both placeholders, leftmost first, going on after each name
    // put in: a name that holds a placeholder is left as it is.
    long from = 1;
    for (;;) {
        const long proc = InStrText(from, text, kProcPlaceholder);
        const long mod = InStrText(from, text, kModulePlaceholder);
        if (proc == 0 && mod == 0) break;
        const bool isProc = proc != 0 && (mod == 0 || proc < mod);
        const long at = isProc ? proc : mod;
        const std::string quoted = "\"" + (isProc ? ProcName : ModuleName) + "\"";
        const long placeholderLength = platform::Len(isProc ? kProcPlaceholder : kModulePlaceholder);
        text = platform::Left(text, at - 1) + quoted + platform::Mid(text, at + placeholderLength);
        from = at + platform::Len(quoted);
    }
    return text;
}

HandlerTemplateBox TemplateBoxFor(toolwindow::Penwork& window, int Index) {
    switch (Index) {
        case toolwindow::Custom:
            return {window.Settings().Get(platform::settings::ErrorHandlerCustom), true};
        case toolwindow::ResumeNext:
            return {"On Error Resume Next", false};
        case toolwindow::StandardExe:
            return {"Standard EXE Message Box Error Handler", false};
        case toolwindow::ComponentMsgBox:
            return {"Active X Message Box Error Handler", false};
        default:
            return {std::nullopt, false};
    }
}

}  // namespace errorhandlers
