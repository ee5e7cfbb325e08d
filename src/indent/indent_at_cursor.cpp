#include "ide/attempt.h"
#include "indent/indent.h"

namespace Indent {

std::optional<IndentedBlock> IndentAtCursor(toolwindow::Penwork& penwork) {
    ide::VBE& vbe = penwork.VBE();
    long startLine = 0;
    ide::Attempt([&] {
        long startColumn = 0, endLine = 0, endColumn = 0;
        ide::RequireActiveCodePane(vbe).GetSelection(startLine, startColumn, endLine, endColumn);
    });
    std::string procName;
    ide::Attempt([&] {
        ide::ProcKind kind = ide::vbext_pk_Proc;
        procName = ide::RequireActiveCodePane(vbe).CodeModule().ProcOfLine(startLine, kind);
    });
    if (procName.empty()) {
        platform::ShowMessage(penwork.Dialogs(), "Please select a procedure to indent.",
                              platform::vbInformation, "Indent Procedure");
        return std::nullopt;
    }
    IndentedBlock block{procName, ide::vbext_pk_Proc, 0, 0};
    ide::Attempt([&] {
        block = IndentProcedure(penwork.Dialogs(), ide::RequireActiveCodePane(vbe).CodeModule(),
                                procName, startLine);
    });
    return block;
}

}  // namespace Indent
