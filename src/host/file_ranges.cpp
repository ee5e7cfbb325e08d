#include "host/file_ranges.h"

namespace host {

namespace {

// The file line where code line `line` ends: the line before the next code
// line's, or the file's last line.
long LastFileLineOf(const SourceModule& m, long line) {
    if (line < m.CountOfLines()) return m.FileLineOfCodeLine(line + 1) - 1;
    return m.CountOfFileLines();
}

}  // namespace

FileRange FileRangeOf(const SourceModule& m, const ProcInfo& p) {
    const long start = m.FileLineOfCodeLine(p.startLine);
    return {start, LastFileLineOf(m, p.startLine + p.countLines - 1) - start + 1, m.FileLineOfCodeLine(p.bodyLine)};
}

long DeclarationFileLines(const SourceModule& m) {
    if (m.CountOfLines() == 0) return m.CountOfFileLines();
    const long code = m.CountOfDeclarationLines();
    return code == 0 ? m.FileLineOfCodeLine(1) - 1 : LastFileLineOf(m, code);
}

}  // namespace host
