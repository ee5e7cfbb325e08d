#include "ide/vb_syntax.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <string>

#include "ide/vb_text.h"
#include "platform/ascii.h"

namespace ide {

namespace {

using platform::IsDigit;

// Sorted, lower case.
constexpr std::string_view kKeywords[] = {
    "alias",    "and",       "as",       "boolean",  "byref",    "byte",     "byval",
    "call",     "case",      "close",    "const",    "currency", "date",     "debug",
    "declare",  "defbool",   "defbyte",  "defcur",   "defdate",  "defdbl",   "defdec",
    "defint",   "deflng",    "deflnglng", "deflngptr", "defobj",  "defsng",   "defstr",
    "defvar",   "dim",      "do",       "double",   "each",
    "else",     "elseif",    "empty",    "end",      "enum",     "eqv",      "erase",
    "error",    "event",     "exit",     "explicit", "false",    "for",      "friend",
    "function", "get",       "global",   "gosub",    "goto",     "if",       "imp",
    "implements", "in",      "input",    "integer",  "is",       "let",      "lib",
    "like",     "line",      "long",     "longlong", "longptr",  "loop",     "lset",     "me",       "mod",
    "new",      "next",      "not",      "nothing",  "object",   "on",       "open",
    "option",   "optional",  "or",       "paramarray", "preserve", "print",  "private",
    "property", "ptrsafe",   "public",    "put",      "raiseevent", "redim",  "resume",   "return",
    "rset",     "select",    "set",      "single",   "static",   "step",     "stop",
    "string",   "sub",       "then",     "to",       "true",     "type",     "typeof",
    "until",    "variant",   "wend",     "while",    "with",     "withevents", "xor",
};

// "Rem" in any letter case as a whole word: followed by the end of the line, a
// blank or a tab.
bool IsRemAt(std::string_view s, std::size_t i) {
    return i + 3 <= s.size() && platform::EqualsNoCase(s.substr(i, 3), "rem") &&
           (i + 3 == s.size() || IsBlank(s[i + 3]));
}

}  // namespace

bool IsVbKeyword(std::string_view word) {
    if (word.empty() || word.size() > 12) return false;
    return std::binary_search(std::begin(kKeywords), std::end(kKeywords), platform::AsciiLowered(word));
}

std::vector<SyntaxSpan> ScanSyntax(std::string_view s, SyntaxState& state) {
    std::vector<SyntaxSpan> spans;
    const bool continues = ContinuesOnNextLine(s);
    const bool firstLine = std::exchange(state.firstLine, !continues);
    // A comment holds the rest of its line and, through continuation marks, the
    // lines after it; a new statement starts after its last line.
    const auto comment = [&](std::size_t from) {
        spans.push_back({from, s.size(), SyntaxKind::Comment});
        state.inComment = continues;
        if (!continues) state.statementStart = true;
        return spans;
    };
    if (state.inComment) return comment(0);
    // The continuation mark: the underscore at the end, trailing blanks left out.
    const std::size_t markAt = continues ? s.find_last_not_of(" \t") : s.size();
    std::size_t i = 0;
    if (firstLine) {
        // A line number opening the statement is code.
        while (i < s.size() && IsBlank(s[i])) ++i;
        std::size_t k = i;
        while (k < s.size() && IsDigit(s[k])) ++k;
        if (k > i && (k == s.size() || IsBlank(s[k]))) i = k;
    }
    while (i < s.size()) {
        const char c = s[i];
        if (c == '\'' || (state.statementStart && IsRemAt(s, i))) return comment(i);
        if (IsBlank(c)) {
            ++i;
            continue;
        }
        if (c == '"') {
            std::size_t e = i + 1;
            bool open = false;
            for (;;) {
                e = s.find('"', e);
                if (e == std::string_view::npos) {
                    e = s.size();
                    open = true;
                    break;
                }
                if (e + 1 < s.size() && s[e + 1] == '"') {
                    e += 2;
                    continue;
                }
                ++e;
                break;
            }
            spans.push_back({i, e, SyntaxKind::String, open});
            state.statementStart = false;
            i = e;
            continue;
        }
        if (c == ':') {
            // "x:=" passes a named argument; any other colon ends a statement.
            state.statementStart = !(i + 1 < s.size() && s[i + 1] == '=');
            ++i;
            continue;
        }
        state.statementStart = false;
        if (i == markAt) {
            spans.push_back({i, i + 1, SyntaxKind::Continuation});
            ++i;
            continue;
        }
        if (IsNameStart(c) || c == '#') {
            std::size_t e = i + 1;
            while (e < s.size() && IsNameChar(s[e])) ++e;
            // "#If" and its kin are keywords too.
            const std::size_t from = c == '#' ? i + 1 : i;
            const bool member = i > 0 && s[i - 1] == '.';
            if (!member && IsVbKeyword(s.substr(from, e - from))) spans.push_back({i, e, SyntaxKind::Keyword});
            i = e;
            continue;
        }
        ++i;
    }
    if (!continues) state.statementStart = true;
    return spans;
}

}  // namespace ide
