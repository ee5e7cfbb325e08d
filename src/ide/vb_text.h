// The text rules of VB source that every layer shares: where a line ends, whether
// a line goes on over the next one, and which conditional-compilation directive
// a line is. Plain text in; nothing here knows the IDE's objects or Qt.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/ascii.h"

namespace ide {

enum class Eol : std::uint8_t { None, CrLf, Lf, Cr };

/// A blank between words of code: a space or a tab.
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }
/// A character that may open a name: an ASCII letter, or a byte of a non-ASCII
/// character (names may hold the code page's letters).
constexpr bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
}
/// A character that may go on a name: what opens one, digits and "_".
constexpr bool IsNameChar(char c) { return IsNameStart(c) || platform::IsDigit(c) || c == '_'; }

/// The text without the blanks and tabs it starts and ends with.
constexpr std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

/// The text without the blanks and tabs it starts with: a line without its indent.
constexpr std::string_view WithoutIndent(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

/// "\r\n", "\n", "\r", or empty for None.
std::string_view EolText(Eol eol);

/// A physical line inside a text that outlives it.
struct LineSpan {
    std::string_view text;
    Eol eol = Eol::None;
};

/// Reads a text line by line, splitting at CR LF, lone LF and lone CR. A text
/// ending in a line end gives no empty line after it; an empty text gives no
/// line. This is how a file is read.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    bool Next(LineSpan& line);
    /// Lines left to read, estimated without reading them: exact unless the
    /// text mixes CR LF with lone CRs.
    std::size_t ExpectedLines() const;

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

/// Splits text as InsertLines does (and a text box shows it): at CR LF, lone LF
/// and lone CR; always at least one line, and a text ending in a line break
/// gives an empty last line.
std::vector<std::string_view> SplitLines(std::string_view text);

/// The line without its continuation mark: the "_" that ends it after a blank
/// or a tab (or alone), and the blanks and tabs after that "_". A line without
/// the mark is returned whole.
std::string_view WithoutContinuation(std::string_view line);
/// Whether the line goes on over the next one: it has a continuation mark.
inline bool ContinuesOnNextLine(std::string_view line) { return WithoutContinuation(line).size() != line.size(); }

enum class Directive : std::uint8_t { None, If, ElseIf, Else, EndIf };

/// The conditional-compilation directive that the line is: "#If", "#ElseIf",
/// "#Else", "#End If" or "#EndIf", in any letter case, blanks allowed around the
/// "#"; None for any other line (including "#Const").
Directive DirectiveOf(std::string_view line);

}  // namespace ide
