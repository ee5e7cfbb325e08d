#include "host/line_scanner.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace host {

namespace {

using ide::IsBlank;
using ide::IsNameChar;
using ide::IsNameStart;

using platform::IsDigit;

std::size_t SkipBlanks(std::string_view s, std::size_t p) {
    while (p < s.size() && IsBlank(s[p])) ++p;
    return p;
}

/// The name starting at `p`, or empty.
std::string_view WordAt(std::string_view s, std::size_t p) {
    if (p >= s.size() || !IsNameStart(s[p])) return {};
    std::size_t e = p + 1;
    while (e < s.size() && IsNameChar(s[e])) ++e;
    return s.substr(p, e - p);
}

bool IsAnyOf(std::string_view word, std::initializer_list<std::string_view> keywords) {
    for (std::string_view k : keywords)
        if (EqualsNoCase(word, k)) return true;
    return false;
}

/// After a keyword: the end of the statement, a blank, a comment or a colon.
bool KeywordEndsAt(std::string_view s, std::size_t p) {
    return p >= s.size() || IsBlank(s[p]) || s[p] == '\'' || s[p] == ':';
}

LineKind ClassifyConditional(std::string_view s) {
    switch (ide::DirectiveOf(s)) {
    case ide::Directive::If: return LineKind::CondIf;
    case ide::Directive::ElseIf:
    case ide::Directive::Else: return LineKind::CondElse;
    case ide::Directive::EndIf: return LineKind::CondEnd;
    case ide::Directive::None: break;
    }
    return LineKind::Code;
}

/// Skips a line number or a line label ("10 ", "Done: ") before a statement.
/// Returns false when the line holds nothing else.
bool SkipLineLabel(std::string_view s, std::size_t& p) {
    if (IsDigit(s[p])) {
        std::size_t q = p;
        while (q < s.size() && IsDigit(s[q])) ++q;
        if (q < s.size() && !IsBlank(s[q]) && s[q] != ':') return true;  // not a line number
        if (q < s.size() && s[q] == ':') ++q;
        p = SkipBlanks(s, q);
        return p < s.size();
    }
    std::string_view word = WordAt(s, p);
    std::size_t q = p + word.size();
    if (!word.empty() && q < s.size() && s[q] == ':' && (q + 1 >= s.size() || s[q + 1] != '=')) {
        p = SkipBlanks(s, q + 1);
        return p < s.size();
    }
    return true;
}

bool IsEndLine(std::string_view s, std::size_t p) {
    std::string_view word = WordAt(s, p);
    if (!EqualsNoCase(word, "End")) return false;
    std::size_t q = p + word.size();
    if (q >= s.size() || !IsBlank(s[q])) return false;
    q = SkipBlanks(s, q);
    std::string_view what = WordAt(s, q);
    return IsAnyOf(what, {"Sub", "Function", "Property"}) && KeywordEndsAt(s, q + what.size());
}

}  // namespace

std::vector<RawLine> SplitFileLines(std::string_view text) {
    LineReader reader(text);
    std::vector<RawLine> lines;
    lines.reserve(reader.ExpectedLines());
    for (LineSpan span; reader.Next(span);) lines.push_back({std::string(span.text), span.eol});
    return lines;
}

namespace {

/// Matches a procedure declaration without copying its name.
bool MatchDeclaration(std::string_view s, ide::ProcKind& kindOut, const char*& keywordOut,
                      std::string_view& nameOut) {
    std::size_t p = SkipBlanks(s, 0);
    std::string_view word = WordAt(s, p);
    while (IsAnyOf(word, {"Public", "Private", "Friend", "Static"})) {
        p += word.size();
        if (p >= s.size() || !IsBlank(s[p])) return false;
        p = SkipBlanks(s, p);
        word = WordAt(s, p);
    }
    ide::ProcKind kind = ide::vbext_pk_Proc;
    const char* keyword = nullptr;
    if (EqualsNoCase(word, "Sub")) {
        keyword = "Sub";
    } else if (EqualsNoCase(word, "Function")) {
        keyword = "Function";
    } else if (EqualsNoCase(word, "Property")) {
        p += word.size();
        if (p >= s.size() || !IsBlank(s[p])) return false;
        p = SkipBlanks(s, p);
        word = WordAt(s, p);
        if (EqualsNoCase(word, "Get")) {
            kind = ide::vbext_pk_Get;
            keyword = "Property Get";
        } else if (EqualsNoCase(word, "Let")) {
            kind = ide::vbext_pk_Let;
            keyword = "Property Let";
        } else if (EqualsNoCase(word, "Set")) {
            kind = ide::vbext_pk_Set;
            keyword = "Property Set";
        } else {
            return false;  // e.g. a Type member named Property
        }
    } else {
        return false;
    }
    p += word.size();
    if (p >= s.size() || !IsBlank(s[p])) return false;
    p = SkipBlanks(s, p);
    std::string_view name;
    if (p < s.size() && s[p] == '[') {
        std::size_t close = s.find(']', p + 1);
        if (close == std::string_view::npos || close == p + 1) return false;
        name = s.substr(p + 1, close - p - 1);
        p = close + 1;
    } else {
        name = WordAt(s, p);
        if (name.empty()) return false;
        p += name.size();
        if (p < s.size() && std::strchr("%&!#@$", s[p]) != nullptr && s[p] != '\0') ++p;
    }
    p = SkipBlanks(s, p);
    // A procedure's name is followed by its parameter list; "Function As String"
    // (a Type member) is not a declaration.
    if (p < s.size() && s[p] != '(' && s[p] != '\'') return false;
    nameOut = name;
    kindOut = kind;
    keywordOut = keyword;
    return true;
}

}  // namespace

bool ParseDeclaration(std::string_view s, Declaration& out) {
    std::string_view name;
    if (!MatchDeclaration(s, out.kind, out.keyword, name)) return false;
    out.name = std::string(name);
    return true;
}

LineRole ClassifyStatement(std::string_view s) {
    LineRole role;
    std::size_t p = SkipBlanks(s, 0);
    if (p >= s.size()) {
        role.kind = LineKind::Blank;
        return role;
    }
    char c = s[p];
    if (c == '\'') {
        role.kind = LineKind::Comment;
        return role;
    }
    if (c == '#') {
        role.kind = ClassifyConditional(s.substr(p));
        return role;
    }
    const std::string_view word = WordAt(s, p);
    const std::size_t afterWord = p + word.size();
    const bool labelled = IsDigit(c) || (!word.empty() && afterWord < s.size() && s[afterWord] == ':');
    if (!labelled) {
        // Only statements starting with these letters can matter.
        switch (c | 0x20) {
        case 'r':
            if (EqualsNoCase(word, "Rem") && KeywordEndsAt(s, p + 3)) role.kind = LineKind::Comment;
            return role;
        case 'p':
        case 'f':
        case 's': {
            ide::ProcKind kind = ide::vbext_pk_Proc;
            const char* keyword = nullptr;
            std::string_view name;
            if (MatchDeclaration(s, kind, keyword, name)) {
                role.kind = LineKind::Declaration;
                role.procKind = static_cast<std::uint8_t>(kind);
            }
            return role;
        }
        case 'e':
            if (IsEndLine(s, p)) role.kind = LineKind::End;
            return role;
        default:
            return role;
        }
    }
    if (SkipLineLabel(s, p) && IsEndLine(s, p)) role.kind = LineKind::End;
    return role;
}

std::string JoinContinued(const std::vector<std::string_view>& lines) {
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i + 1 < lines.size()) {
            joined.append(ide::WithoutContinuation(lines[i]));
            joined += ' ';
        } else {
            joined.append(lines[i]);
        }
    }
    return joined;
}

bool IsAttributeLine(std::string_view s) {
    std::size_t p = SkipBlanks(s, 0);
    if (p >= s.size() || (s[p] | 0x20) != 'a') return false;
    std::string_view word = WordAt(s, p);
    if (!EqualsNoCase(word, "Attribute")) return false;
    p += word.size();
    if (p >= s.size() || !IsBlank(s[p])) return false;
    p = SkipBlanks(s, p);
    std::size_t nameStart = p;
    while (p < s.size() && (IsNameChar(s[p]) || s[p] == '.')) ++p;
    if (p == nameStart) return false;
    p = SkipBlanks(s, p);
    return p < s.size() && s[p] == '=';
}

std::string VbNameOf(std::string_view s) {
    if (!IsAttributeLine(s)) return {};
    std::size_t p = SkipBlanks(s, 0) + 9;
    p = SkipBlanks(s, p);
    std::string_view name = WordAt(s, p);
    if (!EqualsNoCase(name, "VB_Name")) return {};
    p = SkipBlanks(s, p + name.size());
    if (p >= s.size() || s[p] != '=') return {};
    p = SkipBlanks(s, p + 1);
    std::string_view value = s.substr(p);
    while (!value.empty() && IsBlank(value.back())) value.remove_suffix(1);
    if (value.size() >= 2 && value.front() == '"') {
        std::size_t close = value.find('"', 1);
        value = value.substr(1, (close == std::string_view::npos ? value.size() : close) - 1);
    }
    return std::string(value);
}

std::size_t PreludeLength(std::string_view fileText) {
    // The prelude is short: read the first lines of the file until it ends.
    LineReader reader(fileText);
    std::vector<std::string_view> lines;
    auto lineAt = [&](std::size_t k, std::string_view& line) {
        for (LineSpan span; lines.size() <= k && reader.Next(span);) lines.push_back(span.text);
        if (k >= lines.size()) return false;
        line = lines[k];
        return true;
    };
    auto firstWord = [](std::string_view s) { return WordAt(s, SkipBlanks(s, 0)); };
    std::size_t i = 0;
    std::string_view line;
    // Only files that start with "VERSION <number>" (classes, forms, controls,
    // pages, designers) carry designer blocks; a .bas starts with its attributes.
    auto isVersionLine = [](std::string_view s) {
        const std::size_t start = SkipBlanks(s, 0);
        const std::string_view word = WordAt(s, start);
        const std::size_t p = SkipBlanks(s, start + word.size());
        return EqualsNoCase(word, "VERSION") && p < s.size() && IsDigit(s[p]);
    };
    if (lineAt(0, line) && isVersionLine(line)) {
        i = 1;
        while (lineAt(i, line)) {
            std::string_view word = firstWord(line);
            if (EqualsNoCase(word, "Object")) {
                std::size_t p = SkipBlanks(line, SkipBlanks(line, 0) + word.size());
                if (p >= line.size() || line[p] != '=') break;
                ++i;
            } else if (EqualsNoCase(word, "Begin")) {
                int depth = 0;
                std::size_t k = i;
                for (; lineAt(k, line); ++k) {
                    std::string_view w = firstWord(line);
                    if (EqualsNoCase(w, "Begin") || EqualsNoCase(w, "BeginProperty"))
                        ++depth;
                    else if (EqualsNoCase(w, "End") || EqualsNoCase(w, "EndProperty"))
                        --depth;
                    if (depth == 0) break;
                }
                i = k + 1;  // an unclosed block hides the rest of the file
                if (k >= lines.size()) return lines.size();
            } else {
                break;
            }
        }
    }
    while (lineAt(i, line) && IsAttributeLine(line)) ++i;
    return i;
}


}  // namespace host
