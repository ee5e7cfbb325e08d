// Statements continued over several physical lines with " _". A comment line
// between two lines of one statement breaks the code, so whatever inserts
// comments asks where a statement begins and ends.
#pragma once

#include <climits>
#include <string_view>
#include <utility>

#include "ide/ide.h"
#include "ide/vb_text.h"

namespace ide {

/// The physical lines of one statement, first to last.
struct StatementLines {
    long first = 0;
    long last = 0;
    bool continues = false;  // its last line ends in the continuation mark (the text ends first)
};

/// Reads lines `first` to `end - 1` statement by statement; `lineAt(n)` gives line
/// n's text (a string or a view of it), and is asked once for each line.
template <typename LineAt>
class StatementReader {
public:
    StatementReader(LineAt lineAt, long first, long end) : lineAt_(std::move(lineAt)), next_(first), end_(end) {}

    bool Next(StatementLines& statement) {
        if (next_ >= end_) return false;
        statement.first = statement.last = next_;
        statement.continues = ContinuesOnNextLine(lineAt_(next_));
        while (statement.continues && statement.last + 1 < end_)
            statement.continues = ContinuesOnNextLine(lineAt_(++statement.last));
        next_ = statement.last + 1;
        return true;
    }

private:
    LineAt lineAt_;
    long next_;
    long end_;
};

/// The first line of the statement that holds `line`, looking back no further
/// than `top`; `lineAt` as for StatementReader.
template <typename LineAt>
long StatementStart(const LineAt& lineAt, long line, long top) {
    while (line > top && ContinuesOnNextLine(lineAt(line - 1))) --line;
    return line;
}

/// The last physical line of the statement that begins on `line`, looking no
/// further than `lastLine`. A line that cannot be read ends the statement.
long LastLineOfStatement(const CodeModule& module, long line, long lastLine = LONG_MAX);

/// The first physical line of the statement that holds `line`. A line that
/// cannot be read ends the statement above it.
long FirstLineOfStatement(const CodeModule& module, long line);

}  // namespace ide
