#include "errorhandlers/error_handler.h"

#include <string>

#include "ide/attempt.h"
#include "ide/proc_range.h"
#include "ide/statements.h"
#include "errorhandlers/handler_templates.h"
#include "errorhandlers/source_search.h"
#include "headers/header_text.h"
#include "platform/clock.h"
#include "platform/dialogs.h"

namespace errorhandlers {

namespace {

// The texts of one kind of procedure: what its declaration holds, the stem of
// its label, how it is left early and how it ends.
struct KindTexts {
    std::string declaration;
    std::string labelStem;
    std::string exitStatement;
    std::string closingStatement;
};

KindTexts SubTexts(const std::string& name) { return {"Sub " + name + "(", name, "Exit Sub", "End Sub"}; }

KindTexts FunctionTexts(const std::string& name) {
    return {"Function " + name + "(", name, "Exit Function", "End Function"};
}

KindTexts PropertyTexts(ide::ProcKind kind, const std::string& name) {
    const std::string part = kind == ide::vbext_pk_Get ? "Get" : kind == ide::vbext_pk_Let ? "Let" : "Set";
    return {"Property " + part + " " + name + "(", part + "_" + name, "Exit Property", "End Property"};
}

// The comment that marks a generated line, with the time read afresh.
std::string InsertedStamp() {
    return "'Error Code Inserted: " + platform::GeneralDate(platform::Now()) + "\t\t----------ERR--";
}

long LineCount(const ide::CodeModule& module, bool& ok) {
    long count = 0;
    ok = ide::Attempt([&] { count = module.CountOfLines(); });
    return count;
}

// The closing statement between `first` and `last`. When it is not there, a
// blank line pair is put in at `last` and the search runs once more; if that
// fails too, the lines put in are taken out again, so that a refused command
// leaves the module as it found it.
long FindClosingLine(ide::CodeModule& module, const std::string& closing, long first, long last) {
    if (const long found = FindCodeLine(module, closing, first, last)) return found;
    bool countedBefore = false;
    bool countedAfter = false;
    const long before = LineCount(module, countedBefore);
    ide::Attempt([&] { module.InsertLines(last, "\r\n \r\n"); });
    const long after = LineCount(module, countedAfter);
    const long endLine = FindCodeLine(module, closing, first, last);
    if (endLine == 0 && countedBefore && countedAfter && after > before)
        ide::Attempt([&] { module.DeleteLines(last, after - before); });
    return endLine;
}

void Tell(platform::DialogPort& dialogs, const std::string& prompt, const std::string& title) {
    platform::ShowMessage(dialogs, prompt, platform::vbOKOnly + platform::vbInformation, title);
}

}  // namespace

bool InsertErrorHandler(toolwindow::Penwork& window, ide::CodeModule& module, long line) {
    platform::DialogPort& dialogs = window.Dialogs();
    const platform::BusyCursor busy(dialogs);

    const std::string ModuleName = headers::sModuleName(window);
    const ide::ProcPart part = ide::ProcPartAt(module, line);
    const std::string& ProcName = part.name;
    if (ProcName.empty()) {
        Tell(dialogs, "Please select a procedure for this Error Handler", "No Procedure Selected");
        return false;
    }

    const ide::ProcKind Kind = part.kind;
    const long start = part.Start();
    const long count = part.Count();

    // A Sub is looked for first; only when there is none, a Function.
    KindTexts texts = Kind == ide::vbext_pk_Proc ? SubTexts(ProcName) : PropertyTexts(Kind, ProcName);
    long DeclLine = FindCodeLine(module, texts.declaration, start, start + count - 1);
    if (DeclLine == 0 && Kind == ide::vbext_pk_Proc) {
        texts = FunctionTexts(ProcName);
        DeclLine = FindCodeLine(module, texts.declaration, start, start + count - 1);
    }
    // A second label of the same name would not compile: refused before anything is written.
    const bool resumeNext = window.optErrorHandler(toolwindow::ResumeNext);
    const std::string label = texts.labelStem + "_Err";
    if (DeclLine != 0 && !resumeNext && FindLabelLine(module, label, start, start + count - 1) != 0) {
        Tell(dialogs,
             ProcName + " already has the label " + label +
                 ":, so a second handler would not compile. Remove the handler that is there first.",
             "Add Error Code Error");
        return false;
    }
    const long EndLine =
        DeclLine == 0 ? 0 : FindClosingLine(module, texts.closingStatement, DeclLine, DeclLine + count - 1);
    if (EndLine == 0) {
        Tell(dialogs, "Unable to find start or end of routine.Place cursor within code and retry",
             "Add Error Code Error");
        return false;
    }

    std::string onError = "On Error Goto " + label + "\t\t" + InsertedStamp() + "\r\n";
    const std::string block = texts.exitStatement + "\r\n" + label + ":\t\t\t\t" +
                              InsertedStamp() + "\r\nIf Err <> 0 Then\r\n" +
                              sHandlerBody(window, ModuleName, ProcName) + "\r\nEnd If ";

    // The lower place first, so that the declaration's line stays where it was.
    if (!resumeNext) ide::Attempt([&] { module.InsertLines(EndLine, block); });
    const long below = LineBelowDeclaration(module, ide::LastLineOfStatement(module, DeclLine, EndLine), EndLine);
    if (resumeNext) onError = "On Error Resume Next";
    ide::Attempt([&] { module.InsertLines(below, onError); });
    return true;
}

}  // namespace errorhandlers
