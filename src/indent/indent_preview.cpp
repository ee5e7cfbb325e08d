#include "indent/indent.h"

namespace Indent {

std::string IndentPreview::Lines(long startLine, long count) const { return m_.Lines(startLine, count); }
void IndentPreview::InsertLines(long, const std::string&) { ide::Raise(ide::kInvalidCall); }
void IndentPreview::ReplaceLine(long line, const std::string& text) {
    if (m_.Lines(line, 1) != text) moved.push_back(line);
}
void IndentPreview::DeleteLines(long, long) { ide::Raise(ide::kInvalidCall); }
long IndentPreview::CountOfLines() const { return m_.CountOfLines(); }
long IndentPreview::CountOfDeclarationLines() const { return m_.CountOfDeclarationLines(); }
long IndentPreview::ProcStartLine(const std::string& name, ide::ProcKind kind) const {
    return m_.ProcStartLine(name, kind);
}
long IndentPreview::ProcCountLines(const std::string& name, ide::ProcKind kind) const {
    return m_.ProcCountLines(name, kind);
}
long IndentPreview::ProcBodyLine(const std::string& name, ide::ProcKind kind) const {
    return m_.ProcBodyLine(name, kind);
}
std::string IndentPreview::ProcOfLine(long line, ide::ProcKind& kind) const { return m_.ProcOfLine(line, kind); }
ide::ProcLines IndentPreview::ProcLinesAt(const std::string& name, ide::ProcKind kind, long line) const {
    return m_.ProcLinesAt(name, kind, line);
}
bool IndentPreview::Find(const std::string& target, long& startLine, long& startColumn, long& endLine,
                         long& endColumn, bool wholeWord, bool matchCase, bool patternSearch) const {
    return m_.Find(target, startLine, startColumn, endLine, endColumn, wholeWord, matchCase, patternSearch);
}

}  // namespace Indent
