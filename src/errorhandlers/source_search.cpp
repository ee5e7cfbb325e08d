#include "errorhandlers/source_search.h"

#include <cctype>

#include "addin/attempt.h"
#include "errorhandlers/code_column.h"
#include "platform/vbruntime.h"

namespace errorhandlers {

namespace {

std::string LineText(const ide::CodeModule& module, long line, bool& ok) {
    std::string text;
    ok = ide::Attempt([&] { text = module.Lines(line, 1); });
    return text;
}

// The conditional-compilation keyword that opens a line, in lower case: "if",
// "elseif", "else", "endif" (for "#End If" and "#EndIf"), "const"...; empty for
// a line that is no directive.
std::string DirectiveOf(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i == text.size() || text[i] != '#') return {};
    auto word = [&] {
        std::string w;
        while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])))
            w += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i++])));
        return w;
    };
    ++i;
    std::string keyword = word();
    if (keyword == "end") {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        keyword += word();
    }
    return keyword;
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
    const std::string next = DirectiveOf(LineText(module, below, ok));
    if (!ok || (next != "else" && next != "elseif" && next != "endif")) return below;
    int depth = 0;
    for (long line = below; line <= limit; ++line) {
        const std::string directive = DirectiveOf(LineText(module, line, ok));
        if (!ok) break;
        if (directive == "if") {
            ++depth;
        } else if (directive == "endif") {
            if (depth == 0) return line + 1;
            --depth;
        }
    }
    return below;  // no #End If before the closing statement
}

}  // namespace errorhandlers
