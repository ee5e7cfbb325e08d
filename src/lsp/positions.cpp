#include "lsp/positions.h"

#include <algorithm>

#include "platform/utf8.h"

namespace lsp {

namespace {

// UTF-16 code units of the code point that starts at `i`, moving `i` past it;
// a byte of an invalid sequence counts as one.
long Units(std::string_view line, std::size_t& i) {
    const char32_t cp = platform::utf8::Next(line, i);
    return cp != platform::utf8::kInvalid && cp >= 0x10000 ? 2 : 1;
}

}  // namespace

std::size_t OffsetOfCharacter(std::string_view line, long character, PositionEncoding encoding) {
    if (character <= 0) return 0;
    if (encoding == PositionEncoding::kUtf8) return std::min(line.size(), static_cast<std::size_t>(character));
    std::size_t i = 0;
    for (long units = 0; i < line.size();) {
        std::size_t next = i;
        units += Units(line, next);
        if (units > character) break;
        i = next;
    }
    return i;
}

long CharacterOfOffset(std::string_view line, std::size_t offset, PositionEncoding encoding) {
    offset = std::min(offset, line.size());
    if (encoding == PositionEncoding::kUtf8) return static_cast<long>(offset);
    long units = 0;
    for (std::size_t i = 0; i < offset;) units += Units(line, i);
    return units;
}

}  // namespace lsp
