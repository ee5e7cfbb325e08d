// UTF-8 walking shared by the platform helpers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::utf8 {

inline constexpr char32_t kInvalid = 0xFFFFFFFF;

/// The code point at byte `i`, moving `i` past it. An invalid sequence (stray
/// continuation byte, overlong form, surrogate, beyond U+10FFFF, cut short)
/// gives kInvalid and moves `i` one byte on.
char32_t Next(std::string_view text, std::size_t& i);
/// The UTF-8 form of a code point.
std::string Encode(char32_t cp);
/// Byte index of the first invalid sequence, or npos when the text is valid.
std::size_t FirstInvalid(std::string_view text);
/// Number of code points; each byte of an invalid sequence counts as one.
std::size_t Count(std::string_view text);
/// Byte offset of code point `index` (0-based); text.size() when past the end.
std::size_t OffsetOf(std::string_view text, std::size_t index);
/// Byte offset of a column counted in characters from 1, as the IDE counts
/// them; a column below 1 is the first, one past the end is text.size().
std::size_t OffsetOfColumn(std::string_view text, long column);

}  // namespace platform::utf8
