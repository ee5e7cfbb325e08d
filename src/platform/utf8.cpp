#include "platform/utf8.h"

#include <cstdint>
#include <cstring>

namespace platform::utf8 {

namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Whether the eight bytes at `p` are all ASCII.
bool AsciiWord(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return (word & 0x8080808080808080ULL) == 0;
}

}  // namespace

char32_t Next(std::string_view text, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    std::size_t length;
    char32_t cp;
    char32_t minimum;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2, cp = b0 & 0x1F, minimum = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3, cp = b0 & 0x0F, minimum = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4, cp = b0 & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return kInvalid;
    }
    if (i + length > text.size()) {
        ++i;
        return kInvalid;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if (!IsContinuation(b)) {
            ++i;
            return kInvalid;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kInvalid;
    }
    i += length;
    return cp;
}

std::string Encode(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

std::size_t FirstInvalid(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (i + 8 <= text.size() && AsciiWord(text.data() + i)) {
            i += 8;
            continue;
        }
        const std::size_t at = i;
        if (Next(text, i) == kInvalid) return at;
    }
    return std::string_view::npos;
}

std::size_t Count(std::string_view text) {
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        Next(text, i);
        ++count;
    }
    return count;
}

std::size_t OffsetOf(std::string_view text, std::size_t index) {
    std::size_t i = 0;
    for (std::size_t n = 0; n < index && i < text.size(); ++n) Next(text, i);
    return i;
}

std::size_t OffsetOfColumn(std::string_view text, long column) {
    return column <= 1 ? 0 : OffsetOf(text, static_cast<std::size_t>(column - 1));
}

}  // namespace platform::utf8
