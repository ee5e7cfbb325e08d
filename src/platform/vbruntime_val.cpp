// Val, as the VB runtime reads numbers: blanks, tabs and line feeds are dropped
// wherever they stand (Val("1 2 3") is 123), then the longest leading number is
// taken: an optional sign, digits with at most one decimal point, an optional
// exponent (E or D, as in 1.5E2 or 1D3); or a hexadecimal (&H) or octal (&O)
// integer, which is a 16-bit Integer when it fits 16 bits (&HFFFF is -1) and a
// 32-bit Long when it fits 32 bits (&HFFFFFFFF is -1).
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "platform/ascii.h"
#include "platform/vb_number.h"
#include "platform/vbruntime.h"

namespace platform {

namespace {

class Scanner {
public:
    Scanner(std::string_view text, bool skipBlanks) : text_(text), skipBlanks_(skipBlanks) { Skip(); }
    bool AtEnd() const { return i_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[i_]; }
    void Advance() {
        ++i_;
        Skip();
    }
    std::size_t Mark() const { return i_; }
    void Reset(std::size_t mark) { i_ = mark; }

private:
    void Skip() {
        while (skipBlanks_ && i_ < text_.size() && (text_[i_] == ' ' || text_[i_] == '\t' || text_[i_] == '\n'))
            ++i_;
    }
    std::string_view text_;
    bool skipBlanks_;
    std::size_t i_ = 0;
};

int DigitValue(char c, int radix) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < radix ? value : -1;
}

// "&H..." or "&O..." after the "&" and the letter.
// Each reader gives nullopt when the text holds no digit where the number should be.
std::optional<double> RadixNumber(Scanner& s, int radix) {
    std::uint64_t value = 0;
    bool overflow = false;
    bool digits = false;
    for (int digit; (digit = DigitValue(s.Peek(), radix)) >= 0; s.Advance()) {
        digits = true;
        if (value > (std::numeric_limits<std::uint64_t>::max() >> 4)) overflow = true;
        value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
    }
    if (!digits) return std::nullopt;
    if (overflow) return std::numeric_limits<double>::infinity();
    if (value <= 0xFFFF) return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    if (value <= 0xFFFFFFFF) return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return static_cast<double>(value);
}

std::optional<double> DecimalNumber(Scanner& s) {
    std::string number;
    if (s.Peek() == '-' || s.Peek() == '+') {
        if (s.Peek() == '-') number += '-';
        s.Advance();
    }
    bool digits = false;
    for (; IsDigit(s.Peek()); s.Advance()) number += s.Peek(), digits = true;
    if (s.Peek() == '.') {
        number += '.';
        s.Advance();
        for (; IsDigit(s.Peek()); s.Advance()) number += s.Peek(), digits = true;
    }
    if (!digits) return std::nullopt;

    bool negativeExponent = false;
    const char e = s.Peek();
    if (e == 'e' || e == 'E' || e == 'd' || e == 'D') {
        const std::size_t mark = s.Mark();
        std::string exponent = "e";
        s.Advance();
        if (s.Peek() == '-' || s.Peek() == '+') {
            negativeExponent = s.Peek() == '-';
            if (negativeExponent) exponent += '-';
            s.Advance();
        }
        if (IsDigit(s.Peek())) {
            for (; IsDigit(s.Peek()); s.Advance()) exponent += s.Peek();
            number += exponent;
        } else {
            s.Reset(mark);  // "1e" or "1e+" ends at the number
        }
    }
    double value = 0;
    const char* first = number.data();
    const auto [end, error] = std::from_chars(first, first + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        const double magnitude = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
        return number[0] == '-' ? -magnitude : magnitude;
    }
    return value;
}

std::optional<double> LeadingNumber(Scanner& s) {
    if (s.Peek() == '&') {
        const std::size_t mark = s.Mark();
        s.Advance();
        const char kind = s.Peek();
        if (kind == 'h' || kind == 'H' || kind == 'o' || kind == 'O') {
            s.Advance();
            return RadixNumber(s, kind == 'h' || kind == 'H' ? 16 : 8);
        }
        s.Reset(mark);
        return std::nullopt;
    }
    return DecimalNumber(s);
}

}  // namespace

double Val(std::string_view text) {
    Scanner s(text, true);
    return LeadingNumber(s).value_or(0.0);
}

std::optional<double> WholeNumber(std::string_view text) {
    const std::string_view trimmed = TrimSpaces(text);
    if (trimmed.empty()) return std::nullopt;
    Scanner s(trimmed, false);
    const std::optional<double> value = LeadingNumber(s);
    if (!s.AtEnd()) return std::nullopt;
    return value;
}

}  // namespace platform
