#include "ide/statements.h"

#include <algorithm>
#include <string>

#include "ide/attempt.h"

namespace ide {

namespace {

// A line of the module; one that cannot be read is empty, which continues nothing.
std::string LineOrNothing(const CodeModule& module, long line) {
    std::string text;
    Attempt([&] { text = module.Lines(line, 1); });
    return text;
}

}  // namespace

long LastLineOfStatement(const CodeModule& module, long line, long lastLine) {
    Attempt([&] { lastLine = std::min(lastLine, module.CountOfLines()); });
    const long end = std::min(lastLine, LONG_MAX - 1) + 1;
    StatementReader reader([&module](long n) { return LineOrNothing(module, n); }, line, end);
    StatementLines statement;
    return reader.Next(statement) ? statement.last : line;
}

long FirstLineOfStatement(const CodeModule& module, long line) {
    return StatementStart([&module](long n) { return LineOrNothing(module, n); }, line, 1);
}

}  // namespace ide
