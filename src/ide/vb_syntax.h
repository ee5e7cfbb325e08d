// What each part of a line of VB source is: keywords, string literals, comments
// (an apostrophe outside a string, or a Rem statement) and the continuation mark.
// A code window colours by it; whatever must pass over text that only looks
// like code (a declaration inside a string or a comment) asks it. Comments run
// on over continuation lines; a string literal ends at the end of its physical
// line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace ide {

enum class SyntaxKind : std::uint8_t { Keyword, String, Comment, Continuation };

/// Bytes [begin, end) of a line; what is not in a span is plain code.
struct SyntaxSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
    SyntaxKind kind = SyntaxKind::Keyword;
    bool unterminated = false;  // a string literal without its closing quote
    bool operator==(const SyntaxSpan&) const = default;
};

/// Where the line before left off: inside a comment that goes on, and whether a
/// new statement starts (a Rem there opens a comment).
struct SyntaxState {
    bool inComment = false;
    bool statementStart = true;
    bool firstLine = true;  // the line starts a statement (a line number may open it)
};

/// The spans of one physical line, in order. `state` comes in as the line above
/// left it (the default for the first line of a statement) and goes out as this
/// line leaves it for the next.
std::vector<SyntaxSpan> ScanSyntax(std::string_view line, SyntaxState& state);

/// Whether a word is one of VB's keywords (letter case ignored).
bool IsVbKeyword(std::string_view word);

}  // namespace ide
