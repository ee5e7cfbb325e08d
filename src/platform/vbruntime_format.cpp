// Format$ for the patterns the system uses.
//
// Number patterns ("00000", "0000", "00", "#0.", "00.") are '#' placeholders,
// then '0' placeholders, then an optional literal point. The number is rounded
// to a whole number half away from zero, as Format$ rounds (2.5 gives 3, -2.5
// gives -3; unlike CInt and Round, which round half to even). Each '0' demands a
// digit, so the digits are zero-padded on the left to their count; wider numbers
// keep all their digits; a negative number gets a leading "-" before the
// padding ("-00012"). A number that rounds to zero shows no sign.
//
// Text patterns are '@' placeholders, with '!' anywhere to fill them from the
// left. "@@@!" gives the text left-aligned and padded with blanks on the right
// to three characters; "@@@" right-aligns it. A longer text is shown whole.
#include <cmath>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/utf8.h"
#include "platform/vb_number.h"
#include "platform/vbruntime.h"

namespace platform {

namespace {

struct NumberPattern {
    std::size_t minDigits = 0;
    bool point = false;
};

std::optional<NumberPattern> ParseNumberPattern(std::string_view pattern) {
    NumberPattern parsed;
    std::size_t i = 0;
    std::size_t placeholders = 0;
    for (; i < pattern.size() && pattern[i] == '#'; ++i) ++placeholders;
    for (; i < pattern.size() && pattern[i] == '0'; ++i) ++placeholders, ++parsed.minDigits;
    if (i < pattern.size() && pattern[i] == '.') parsed.point = true, ++i;
    if (i != pattern.size() || placeholders == 0) return std::nullopt;
    return parsed;
}

struct TextPattern {
    std::size_t width = 0;
    bool fromLeft = false;
};

std::optional<TextPattern> ParseTextPattern(std::string_view pattern) {
    TextPattern parsed;
    for (char c : pattern) {
        if (c == '@') ++parsed.width;
        else if (c == '!') parsed.fromLeft = true;
        else return std::nullopt;
    }
    if (parsed.width == 0) return std::nullopt;
    return parsed;
}

[[noreturn]] void Unsupported(std::string_view pattern) {
    throw std::invalid_argument("Format: unsupported pattern \"" + std::string(pattern) + "\"");
}

std::string FormatNumber(double value, const NumberPattern& pattern) {
    if (!std::isfinite(value)) throw std::domain_error("Format: the number is not finite");
    const double rounded = std::round(value);  // half away from zero
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.0f", std::fabs(rounded));
    std::string digits = buffer;
    if (digits == "0" && pattern.minDigits == 0) digits.clear();  // "#" shows no zero
    std::string out = rounded < 0 ? "-" : "";
    if (digits.size() < pattern.minDigits) out.append(pattern.minDigits - digits.size(), '0');
    out += digits;
    if (pattern.point) out += '.';
    return out;
}

}  // namespace

std::string Format(double value, std::string_view pattern) {
    const auto number = ParseNumberPattern(pattern);
    if (!number) Unsupported(pattern);
    return FormatNumber(value, *number);
}

std::string Format(std::string_view text, std::string_view pattern) {
    if (const auto number = ParseNumberPattern(pattern)) {
        // A text that reads as a number is formatted as that number; any other
        // text is shown as it is.
        if (const auto value = WholeNumber(text); value && std::isfinite(*value))
            return FormatNumber(*value, *number);
        return std::string(text);
    }
    const auto textPattern = ParseTextPattern(pattern);
    if (!textPattern) Unsupported(pattern);
    const std::size_t length = utf8::Count(text);
    if (length >= textPattern->width) return std::string(text);
    const std::string padding(textPattern->width - length, ' ');
    return textPattern->fromLeft ? std::string(text) + padding : padding + std::string(text);
}

}  // namespace platform
