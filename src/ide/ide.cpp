#include "ide/ide.h"

namespace ide {

namespace {
const char* StandardText(int number) {
    switch (number) {
    case kInvalidCall: return "Invalid procedure call or argument";
    case kSubscriptOutOfRange: return "Subscript out of range";
    case kSubNotDefined: return "Sub or Function not defined";
    case kObjectNotSet: return "Object variable or With block variable not set";
    default: return "Application-defined or object-defined error";
    }
}
}  // namespace

void Raise(int number) { throw HostError(number, StandardText(number)); }

ProcLines CodeModule::ProcLinesAt(const std::string& procName, ProcKind kind, long /*line*/) const {
    return {ProcStartLine(procName, kind), ProcCountLines(procName, kind), ProcBodyLine(procName, kind)};
}

CodePane& RequireActiveCodePane(VBE& vbe) {
    CodePane* pane = vbe.ActiveCodePane();
    if (pane == nullptr) Raise(kObjectNotSet);
    return *pane;
}

VBProject& RequireActiveVBProject(VBE& vbe) {
    VBProject* project = vbe.ActiveVBProject();
    if (project == nullptr) Raise(kObjectNotSet);
    return *project;
}

}  // namespace ide
