// Positions as the protocol gives them: a line from 0 and a character offset
// counted in UTF-16 code units (the default) or in UTF-8 bytes, when the client
// offers that; the lines of a document are UTF-8 here.
#pragma once

#include <cstddef>
#include <string_view>

namespace lsp {

enum class PositionEncoding { kUtf16, kUtf8 };

/// The byte offset in `line` (without its line end) of `character`; a
/// character beyond the line is its end, one inside a character its start.
std::size_t OffsetOfCharacter(std::string_view line, long character, PositionEncoding encoding);
/// The character offset of the byte offset `offset` in `line`.
long CharacterOfOffset(std::string_view line, std::size_t offset, PositionEncoding encoding);

}  // namespace lsp
