#include "host/vb_syntax.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "addin/vb_text.h"
#include "host/line_scanner.h"

namespace host {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
}
bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c) || c == '_'; }

// Sorted, lower case.
constexpr std::string_view kKeywords[] = {
    "alias",    "and",       "as",       "boolean",  "byref",    "byte",     "byval",
    "call",     "case",      "close",    "const",    "currency", "date",     "debug",
    "declare",  "defint",    "defstr",   "dim",      "do",       "double",   "each",
    "else",     "elseif",    "empty",    "end",      "enum",     "eqv",      "erase",
    "error",    "event",     "exit",     "explicit", "false",    "for",      "friend",
    "function", "get",       "global",   "gosub",    "goto",     "if",       "imp",
    "implements", "in",      "input",    "integer",  "is",       "let",      "lib",
    "like",     "line",      "long",     "loop",     "lset",     "me",       "mod",
    "new",      "next",      "not",      "nothing",  "object",   "on",       "open",
    "option",   "optional",  "or",       "paramarray", "preserve", "print",  "private",
    "property", "public",    "put",      "raiseevent", "redim",  "resume",   "return",
    "rset",     "select",    "set",      "single",   "static",   "step",     "stop",
    "string",   "sub",       "then",     "to",       "true",     "type",     "typeof",
    "until",    "variant",   "wend",     "while",    "with",     "withevents", "xor",
};

bool IsRemAt(std::string_view s, std::size_t i) {
    return i + 3 <= s.size() && EqualsNoCase(s.substr(i, 3), "rem") &&
           (i + 3 == s.size() || IsBlank(s[i + 3]));
}

}  // namespace

bool IsVbKeyword(std::string_view word) {
    if (word.empty() || word.size() > 12) return false;
    const std::string folded = FoldName(word);
    return std::binary_search(std::begin(kKeywords), std::end(kKeywords), std::string_view(folded));
}

std::vector<SyntaxSpan> ScanSyntax(std::string_view s, SyntaxState& state) {
    std::vector<SyntaxSpan> spans;
    const bool continues = ide::ContinuesOnNextLine(s);
    // The continuation mark: the underscore at the end, trailing blanks left out.
    std::size_t markAt = s.size();
    if (continues) {
        markAt = s.find_last_not_of(" \t");
    }
    if (state.inComment) {
        spans.push_back({0, s.size(), SyntaxKind::Comment});
        state.inComment = continues;
        return spans;
    }
    std::size_t i = 0;
    if (state.statementStart) {
        // A line number opening the statement is code.
        while (i < s.size() && IsBlank(s[i])) ++i;
        std::size_t k = i;
        while (k < s.size() && IsDigit(s[k])) ++k;
        if (k > i && (k == s.size() || IsBlank(s[k]))) i = k;
    }
    while (i < s.size()) {
        const char c = s[i];
        if (c == '\'' || (state.statementStart && IsRemAt(s, i))) {
            spans.push_back({i, s.size(), SyntaxKind::Comment});
            state.inComment = continues;
            return spans;
        }
        if (IsBlank(c)) {
            ++i;
            continue;
        }
        if (c == '"') {
            std::size_t e = i + 1;
            for (;;) {
                e = s.find('"', e);
                if (e == std::string_view::npos) {
                    e = s.size();
                    break;
                }
                if (e + 1 < s.size() && s[e + 1] == '"') {
                    e += 2;
                    continue;
                }
                ++e;
                break;
            }
            spans.push_back({i, e, SyntaxKind::String});
            state.statementStart = false;
            i = e;
            continue;
        }
        if (continues && i == markAt) {
            spans.push_back({i, i + 1, SyntaxKind::Continuation});
            ++i;
            continue;
        }
        if (c == ':') {
            // "x:=" passes a named argument; any other colon ends a statement.
            state.statementStart = !(i + 1 < s.size() && s[i + 1] == '=');
            ++i;
            continue;
        }
        state.statementStart = false;
        if (IsNameStart(c) || c == '#') {
            std::size_t e = i + 1;
            while (e < s.size() && IsNameChar(s[e])) ++e;
            // "#If" and its kin are keywords too; a name may end in a type sign.
            std::string_view word = s.substr(c == '#' ? i + 1 : i, e - (c == '#' ? i + 1 : i));
            const bool member = i > 0 && s[i - 1] == '.';
            if (!member && IsVbKeyword(word)) spans.push_back({i, e, SyntaxKind::Keyword});
            i = e;
            continue;
        }
        ++i;
    }
    state.inComment = false;
    if (!continues) state.statementStart = true;
    return spans;
}

}  // namespace host
