#include "ide/statements.h"

#include <algorithm>

#include "ide/attempt.h"

namespace ide {

long LastLineOfStatement(const CodeModule& module, long line, long lastLine) {
    Attempt([&] { lastLine = std::min(lastLine, module.CountOfLines()); });
    bool more = true;
    while (more && line < lastLine) {
        if (!Attempt([&] { more = ContinuesOnNextLine(module.Lines(line, 1)); })) break;
        if (more) ++line;
    }
    return line;
}

long FirstLineOfStatement(const CodeModule& module, long line) {
    bool continued = true;
    while (continued && line > 1) {
        if (!Attempt([&] { continued = ContinuesOnNextLine(module.Lines(line - 1, 1)); })) break;
        if (continued) --line;
    }
    return line;
}

}  // namespace ide
