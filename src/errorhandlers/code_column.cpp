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
    std::vector<std::string> lines(1);
    if (!ide::Attempt([&] { lines[0] = module.Lines(line, 1); })) return true;
    for (long above = line - 1; above >= 1; --above) {
        std::string text;
        if (!ide::Attempt([&] { text = module.Lines(above, 1); })) break;
        if (!ide::ContinuesOnNextLine(text)) break;
        lines.insert(lines.begin(), std::move(text));
    }
    return IsCodeAt(lines, column);
}

}  // namespace errorhandlers
