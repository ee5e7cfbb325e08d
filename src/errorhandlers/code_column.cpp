#include "errorhandlers/code_column.h"

#include "ide/attempt.h"
#include "ide/statements.h"
#include "ide/vb_syntax.h"
#include "platform/utf8.h"

namespace errorhandlers {

bool IsCodeAt(const std::vector<std::string>& lines, long column) {
    if (lines.empty()) return true;
    ide::SyntaxState state;
    std::vector<ide::SyntaxSpan> spans;
    for (const std::string& line : lines) spans = ide::ScanSyntax(line, state);
    const std::string& text = lines.back();
    const std::size_t at = platform::utf8::OffsetOfColumn(text, column);
    for (const ide::SyntaxSpan& span : spans) {
        switch (span.kind) {
        case ide::SyntaxKind::Comment:
            if (at >= span.begin) return false;  // to the end of the line and past it
            break;
        case ide::SyntaxKind::String:
            // The opening quote is code; past the end of the line, a literal
            // without its closing quote is still open.
            if (at > span.begin && (at < span.end || (span.unterminated && at == span.end))) return false;
            break;
        default:
            break;
        }
    }
    return true;
}

bool IsCodeColumn(const ide::CodeModule& module, long line, long column) {
    std::vector<std::string> lines;
    for (long from = ide::FirstLineOfStatement(module, line); from <= line; ++from)
        if (!ide::Attempt([&] { lines.push_back(module.Lines(from, 1)); })) return true;
    return IsCodeAt(lines, column);
}

}  // namespace errorhandlers
