#include "addin/statements.h"

#include <algorithm>

#include "addin/attempt.h"

namespace ide {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

bool ContinuesOnNextLine(std::string_view line) {
    while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
    if (line.empty() || line.back() != '_') return false;
    return line.size() == 1 || IsBlank(line[line.size() - 2]);
}

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
