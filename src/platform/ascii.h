// Digits, letter case and blanks of ASCII text: VB's keywords, names, encoding names and
// file extensions compare this way; other characters stay as they are.
#pragma once

#include <string>
#include <string_view>

namespace platform {

/// An ASCII digit, 0 to 9.
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

/// The text with its ASCII letters in lower case.
inline std::string AsciiLowered(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) c = AsciiLower(c);
    return lowered;
}

/// Whether two texts are equal but for the letter case of ASCII letters.
constexpr bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

/// The text without the blanks (U+0020 only; a tab stays) it starts and ends with,
/// as VB's Trim takes them off.
constexpr std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace platform
