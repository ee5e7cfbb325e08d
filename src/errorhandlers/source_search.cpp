#include "errorhandlers/source_search.h"

#include "ide/attempt.h"
#include "ide/vb_text.h"
#include "errorhandlers/code_column.h"
#include "platform/vbruntime.h"

namespace errorhandlers {

namespace {

std::string LineText(const ide::CodeModule& module, long line, bool& ok) {
    std::string text;
    ok = ide::Attempt([&] { text = module.Lines(line, 1); });
    return text;
}

}  // namespace

long FindCodeLine(const ide::CodeModule& module, const std::string& target, long first, long last) {
    long fromLine = first;
    long fromColumn = 1;
    while (fromLine <= last) {
        long startLine = fromLine, startColumn = fromColumn, endLine = last, endColumn = 1;
        bool found = false;
        ide::Attempt([&] {
            found = module.Find(target, startLine, startColumn, endLine, endColumn, false, true, false);
        });
        if (!found) return 0;
        if (IsCodeColumn(module, startLine, startColumn)) return startLine;
        if (startLine < fromLine || (startLine == fromLine && startColumn < fromColumn))
            return 0;  // a search that went backwards would never end
        // Go on one column after the match passed over, or on the next line when
        // the rest of this one cannot hold the target.
        bool ok = false;
        const long length = platform::Len(LineText(module, startLine, ok));
        if (ok && startColumn + platform::Len(target) <= length) {
            fromLine = startLine;
            fromColumn = startColumn + 1;
        } else {
            fromLine = startLine + 1;
            fromColumn = 1;
        }
    }
    return 0;
}

long FindLabelLine(const ide::CodeModule& module, const std::string& label, long first, long last) {
    const std::string definition = label + ":";
    for (long line = first; line <= last; ++line) {
        bool ok = false;
        const std::string text = LineText(module, line, ok);
        if (!ok) break;
        const std::size_t code = text.find_first_not_of(" \t");
        if (code != std::string::npos &&
            platform::InStrText(1, std::string_view(text).substr(code), definition) == 1)
            return line;
    }
    return 0;
}

long LineBelowDeclaration(const ide::CodeModule& module, long lastDeclLine, long limit) {
    const long below = lastDeclLine + 1;
    bool ok = false;
    const ide::Directive next = ide::DirectiveOf(LineText(module, below, ok));
    if (!ok || (next != ide::Directive::Else && next != ide::Directive::ElseIf && next != ide::Directive::EndIf))
        return below;
    int depth = 0;
    for (long line = below; line <= limit; ++line) {
        const ide::Directive directive = ide::DirectiveOf(LineText(module, line, ok));
        if (!ok) break;
        if (directive == ide::Directive::If) {
            ++depth;
        } else if (directive == ide::Directive::EndIf) {
            if (depth == 0) return line + 1;
            --depth;
        }
    }
    return below;  // no #End If before the closing statement
}

}  // namespace errorhandlers
