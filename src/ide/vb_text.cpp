#include "ide/vb_text.h"

#include <algorithm>
#include <cstring>

#include "platform/ascii.h"

namespace ide {

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;

/// True when one of the eight bytes of `word` is `byte`.
bool HasByte(std::uint64_t word, char byte) {
    const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(byte));
    return ((x - kOnes) & ~x & (kOnes << 7)) != 0;
}

std::size_t CountByte(std::string_view s, char byte) {
    std::size_t count = 0;
    std::size_t i = 0;
    for (std::uint64_t word; i + 8 <= s.size(); i += 8) {
        std::memcpy(&word, s.data() + i, 8);
        const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(byte));
        // The high bit of each byte that was zero, and only of those.
        const std::uint64_t zero = ~(((x & kLow7) + kLow7) | x | kLow7);
        // Summed by a multiply: built for any x86-64, std::popcount becomes a
        // library call, and reading a module spent a tenth of its time there.
        count += static_cast<std::size_t>(((zero >> 7) * kOnes) >> 56);
    }
    for (; i < s.size(); ++i) count += s[i] == byte;
    return count;
}

// The text without the blanks and tabs it starts with.
std::string_view AfterBlanks(std::string_view s) {
    const std::size_t p = s.find_first_not_of(" \t");
    return p == std::string_view::npos ? std::string_view() : s.substr(p);
}

// The name characters that `s` starts with.
std::string_view FirstWord(std::string_view s) {
    const auto end = std::find_if_not(s.begin(), s.end(), IsNameChar);
    return s.substr(0, static_cast<std::size_t>(end - s.begin()));
}

bool IsWord(std::string_view word, std::string_view keyword) { return platform::EqualsNoCase(word, keyword); }

}  // namespace

std::string_view EolText(Eol eol) {
    switch (eol) {
    case Eol::CrLf: return "\r\n";
    case Eol::Lf: return "\n";
    case Eol::Cr: return "\r";
    case Eol::None: break;
    }
    return {};
}

bool LineReader::Next(LineSpan& line) {
    const std::size_t size = text_.size();
    if (pos_ >= size) return false;
    const char* data = text_.data();
    const char* p = data + pos_;
    const char* end = data + size;
    // Eight bytes at a time while none of them ends a line.
    for (std::uint64_t word; end - p >= 8; p += 8) {
        std::memcpy(&word, p, 8);
        if (HasByte(word, '\n') || HasByte(word, '\r')) break;
    }
    while (p < end && *p != '\n' && *p != '\r') ++p;
    const auto stop = static_cast<std::size_t>(p - data);
    if (p == end) {
        line = {text_.substr(pos_), Eol::None};
        pos_ = size;
    } else if (*p == '\n') {
        line = {text_.substr(pos_, stop - pos_), Eol::Lf};
        pos_ = stop + 1;
    } else if (p + 1 < end && p[1] == '\n') {
        line = {text_.substr(pos_, stop - pos_), Eol::CrLf};
        pos_ = stop + 2;
    } else {
        line = {text_.substr(pos_, stop - pos_), Eol::Cr};
        pos_ = stop + 1;
    }
    return true;
}

std::size_t LineReader::ExpectedLines() const {
    const std::string_view rest = text_.substr(std::min(pos_, text_.size()));
    if (rest.empty()) return 0;
    const std::size_t lf = CountByte(rest, '\n');
    const std::size_t cr = CountByte(rest, '\r');
    const char last = rest.back();
    return std::max(lf, cr) + (last != '\n' && last != '\r');
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    LineReader reader(text);
    std::vector<std::string_view> lines;
    lines.reserve(reader.ExpectedLines() + 1);
    LineSpan span;
    while (reader.Next(span)) lines.push_back(span.text);
    if (lines.empty() || span.eol != Eol::None) lines.emplace_back(text.substr(text.size()));
    return lines;
}

std::string_view WithoutContinuation(std::string_view line) {
    std::string_view text = line;
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (text.empty() || text.back() != '_') return line;
    text.remove_suffix(1);
    return text.empty() || IsBlank(text.back()) ? text : line;
}

Directive DirectiveOf(std::string_view line) {
    line = AfterBlanks(line);
    if (line.empty() || line.front() != '#') return Directive::None;
    const std::string_view rest = AfterBlanks(line.substr(1));
    const std::string_view word = FirstWord(rest);
    if (IsWord(word, "if")) return Directive::If;
    if (IsWord(word, "elseif")) return Directive::ElseIf;
    if (IsWord(word, "else")) return Directive::Else;
    if (IsWord(word, "endif")) return Directive::EndIf;
    if (IsWord(word, "end") && IsWord(FirstWord(AfterBlanks(rest.substr(word.size()))), "if"))
        return Directive::EndIf;
    return Directive::None;
}

}  // namespace ide
