// The text tests the indenter applies to a line: blank trimming, the prefix
// test and the word test. All of them are exact and case-sensitive; the editor
// has already given keywords their standard capitalisation.
#pragma once

#include <string_view>

namespace Indent {

/// The prefix test: the text's first characters are exactly `prefix`. A text
/// shorter than the prefix never matches.
constexpr bool StartsWithText(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

/// The word test: the text is exactly `word`, or starts with `word` and one
/// blank. "Do While x" and "Do" are the word "Do"; "DoEvents" and "Else:" are
/// not the words "Do" and "Else".
constexpr bool StartsWithWord(std::string_view text, std::string_view word) {
    if (text.size() == word.size()) return text == word;
    return text.size() > word.size() && text[word.size()] == ' ' &&
           text.substr(0, word.size()) == word;
}

}  // namespace Indent
