#include "errorhandlers/code_column.h"

#include <cctype>

#include "addin/attempt.h"
#include "addin/statements.h"
#include "platform/utf8.h"

namespace errorhandlers {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// "Rem" in any letter case as a whole word: followed by the end of the line, a
// blank or a tab.
bool IsRemAt(const std::string& text, std::size_t i) {
    if (i + 3 > text.size()) return false;
    for (std::size_t k = 0; k < 3; ++k) {
        if (std::tolower(static_cast<unsigned char>(text[i + k])) != "rem"[k]) return false;
    }
    return i + 3 == text.size() || IsBlank(text[i + 3]);
}

// A line number opening a logical line ("10 Rem ..."): the offset after it, or
// `i` when there is none.
std::size_t SkipLineNumber(const std::string& text, std::size_t i) {
    std::size_t k = i;
    while (k < text.size() && std::isdigit(static_cast<unsigned char>(text[k]))) ++k;
    if (k == i || (k < text.size() && !IsBlank(text[k]))) return i;
    return k;
}

}  // namespace

bool IsCodeAt(const std::vector<std::string>& lines, long column) {
    bool statementStart = true;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string& text = lines[n];
        const bool isLast = n + 1 == lines.size();
        const std::size_t target = isLast ? platform::utf8::OffsetOfColumn(text, column) : std::string::npos;
        bool inString = false;  // a literal never runs on into the next line
        std::size_t i = 0;
        if (n == 0) {
            while (i < text.size() && IsBlank(text[i])) ++i;
            i = SkipLineNumber(text, i);
            if (target < i) return true;  // leading blanks and a line number are code
        }
        for (; i < text.size(); ++i) {
            const char c = text[i];
            const bool opensComment =
                !inString && (c == '\'' || (statementStart && IsRemAt(text, i)));
            if (i == target) return !inString && !opensComment;
            if (inString) {
                if (c != '"') continue;
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    if (i + 1 == target) return false;  // the second quote of ""
                    ++i;
                } else {
                    inString = false;
                }
                continue;
            }
            // A comment holds everything after it, continuation lines included.
            if (opensComment) return false;
            if (IsBlank(c)) continue;
            if (c == '"') {
                inString = true;
                statementStart = false;
            } else if (c == ':') {
                // "x:=" passes a named argument; any other colon ends a statement.
                statementStart = !(i + 1 < text.size() && text[i + 1] == '=');
            } else {
                statementStart = false;
            }
        }
        if (isLast) return !inString;
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
