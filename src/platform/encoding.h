// Text encodings of module files. Windows-1252 is mapped losslessly for all 256
// bytes (the five bytes it leaves undefined map to U+0081, U+008D, U+008F,
// U+0090 and U+009D and back), so any file decodes and encodes to itself.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

inline constexpr char kDefaultEncoding[] = "windows-1252";

/// A text that cannot be decoded, or a character the encoding cannot hold.
class EncodingError : public std::runtime_error {
public:
    EncodingError(const std::string& message, long charIndex)
        : std::runtime_error(message), charIndex_(charIndex) {}
    /// 0-based index of the offending character (encode) or byte (decode).
    long CharIndex() const { return charIndex_; }

private:
    long charIndex_;
};

/// The canonical name of an encoding ("windows-1252", "utf-8", ...), or empty
/// when it is not known. Accepts the usual aliases (cp1252, utf8, latin1...).
std::string CanonicalEncoding(std::string_view name);
/// Bytes in `encoding` to UTF-8. Throws EncodingError for bytes that are not
/// valid in it (only possible for UTF-8 and multi-byte encodings).
std::string DecodeText(std::string_view bytes, std::string_view encoding);
/// The same, using up `bytes`: text that reads as itself (ASCII, or valid UTF-8
/// read as UTF-8) is returned without a copy, and any other input is freed once
/// the text exists. On EncodingError `bytes` is left as it was.
std::string DecodeText(std::string&& bytes, std::string_view encoding);
inline std::string DecodeText(const char* bytes, std::string_view encoding) {
    return DecodeText(std::string_view(bytes), encoding);
}
/// UTF-8 to bytes in `encoding`. Throws EncodingError naming the first character
/// that the encoding cannot hold, e.g. "U+4E2D '中' cannot be stored in windows-1252".
std::string EncodeText(std::string_view utf8, std::string_view encoding);

/// A text file the user wrote (a template, a comment): UTF-8, or Windows-1252
/// when it is not valid UTF-8, with one final line end dropped. Throws FileError
/// (at most `limit` bytes).
std::string ReadUserText(const std::string& path, std::uintmax_t limit);

}  // namespace platform
