#include "platform/encoding.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/ascii.h"
#include "platform/files.h"
#include "platform/utf8.h"

namespace platform {

namespace {

constexpr char kUtf8[] = "utf-8";
constexpr char kLatin1[] = "iso-8859-1";

// Windows-1252 bytes 0x80 to 0x9F. The five bytes the code page leaves
// undefined keep their own value, so every byte has a character.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

// Each byte's UTF-8 form (up to three bytes, in memory order) and its length,
// for decoding by table.
struct ByteTable {
    std::array<std::uint32_t, 256> utf8{};
    std::array<unsigned char, 256> length{};
};

constexpr unsigned CodePointOfByte(unsigned byte, bool cp1252) {
    return cp1252 && byte >= 0x80 && byte <= 0x9F ? kCp1252High[byte - 0x80] : byte;
}

constexpr ByteTable MakeTable(bool cp1252) {
    ByteTable table;
    for (unsigned b = 0; b < 256; ++b) {
        const unsigned cp = CodePointOfByte(b, cp1252);
        std::array<unsigned, 3> out{};
        unsigned char length;
        if (cp < 0x80) {
            out = {cp, 0, 0};
            length = 1;
        } else if (cp < 0x800) {
            out = {0xC0 | (cp >> 6), 0x80 | (cp & 0x3F), 0};
            length = 2;
        } else {
            out = {0xE0 | (cp >> 12), 0x80 | ((cp >> 6) & 0x3F), 0x80 | (cp & 0x3F)};
            length = 3;
        }
        // Little-endian order, so that storing the word writes the bytes in turn.
        table.utf8[b] = out[0] | (out[1] << 8) | (out[2] << 16);
        table.length[b] = length;
    }
    return table;
}

static_assert(std::endian::native == std::endian::little, "the decoding tables assume a little-endian machine");

constexpr ByteTable kCp1252Table = MakeTable(true);
constexpr ByteTable kLatin1Table = MakeTable(false);

bool AsciiWord(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return (word & 0x8080808080808080ULL) == 0;
}

// Eight bytes at a time: a word of ASCII, the bulk of any module, is copied
// whole; any other word goes through the table byte by byte. Empty when the
// bytes are all ASCII: they are then their own text.
std::optional<std::string> DecodeByTable(std::string_view bytes, const ByteTable& table) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    const std::size_t whole = n - n % 8;
    std::size_t size = 0;
    for (std::size_t i = 0; i < whole; i += 8) {
        if (AsciiWord(bytes.data() + i)) {
            size += 8;
        } else {
            for (std::size_t k = i; k < i + 8; ++k) size += table.length[in[k]];
        }
    }
    for (std::size_t k = whole; k < n; ++k) size += table.length[in[k]];
    if (size == n) return std::nullopt;

    // Three spare bytes let every byte store a full word; they are cut off after.
    std::string out(size + 3, '\0');
    char* o = out.data();
    auto put = [&](unsigned char b) {
        std::memcpy(o, &table.utf8[b], 4);
        o += table.length[b];
    };
    for (std::size_t i = 0; i < whole; i += 8) {
        if (AsciiWord(bytes.data() + i)) {
            std::memcpy(o, in + i, 8);
            o += 8;
        } else {
            for (std::size_t k = i; k < i + 8; ++k) put(in[k]);
        }
    }
    for (std::size_t k = whole; k < n; ++k) put(in[k]);
    out.resize(size);
    return out;
}

// The Windows-1252 byte of a code point above 0xFF, or 0 when it has none.
unsigned char Cp1252ByteOf(char32_t cp) {
    for (unsigned i = 0; i < kCp1252High.size(); ++i)
        if (kCp1252High[i] == cp) return static_cast<unsigned char>(0x80 + i);
    return 0;
}

std::string CharacterName(char32_t cp) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(cp));
    std::string name = hex;
    const bool control = cp < 0x20 || (cp >= 0x7F && cp <= 0x9F);
    if (!control) name += " '" + utf8::Encode(cp) + "'";
    return name;
}

[[noreturn]] void ThrowUnstorable(char32_t cp, long charIndex, std::string_view encoding) {
    throw EncodingError(CharacterName(cp) + " cannot be stored in " + std::string(encoding), charIndex);
}

[[noreturn]] void ThrowInvalidUtf8(std::size_t byteIndex, long index, std::string_view what) {
    throw EncodingError(std::string(what) + " is not valid UTF-8 at byte " + std::to_string(byteIndex + 1),
                        index);
}

// Text to encode must be valid UTF-8; the error names the byte and gives the
// index of the character there.
void CheckText(std::string_view utf8) {
    const std::size_t bad = utf8::FirstInvalid(utf8);
    if (bad != std::string_view::npos)
        ThrowInvalidUtf8(bad, static_cast<long>(utf8::Count(utf8.substr(0, bad))), "the text");
}

// To a single-byte code page: Windows-1252 (cp1252 true) or ISO-8859-1.
std::string EncodeSingleByte(std::string_view utf8, bool cp1252, std::string_view encoding) {
    std::string out;
    out.reserve(utf8.size());
    long charIndex = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (i + 8 <= utf8.size() && AsciiWord(utf8.data() + i)) {
            out.append(utf8.data() + i, 8);
            i += 8;
            charIndex += 8;
            continue;
        }
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            ++charIndex;
            continue;
        }
        const std::size_t at = i;
        const char32_t cp = utf8::Next(utf8, i);
        if (cp == utf8::kInvalid) ThrowInvalidUtf8(at, charIndex, "the text");
        unsigned char byte = 0;
        if (cp <= 0xFF) {
            const bool c1 = cp >= 0x80 && cp <= 0x9F;
            if (!c1 || !cp1252 || CodePointOfByte(cp, true) == cp) byte = static_cast<unsigned char>(cp);
        } else if (cp1252) {
            byte = Cp1252ByteOf(cp);
        }
        if (byte == 0) ThrowUnstorable(cp, charIndex, encoding);
        out += static_cast<char>(byte);
        ++charIndex;
    }
    return out;
}

// Qt's converters, for every other code page it knows.
std::string DecodeWithQt(std::string_view bytes, const std::string& encoding) {
    QStringDecoder decoder(encoding.c_str(), QStringConverter::Flag::Stateless);
    const QByteArray input(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const QString text = decoder(input);
    if (!decoder.hasError()) {
        // Some code pages read several byte sequences as one character and write
        // it back as only one of them: such bytes would change on a save that
        // did not touch them.
        QStringEncoder encoder(encoding.c_str(), QStringConverter::Flag::Stateless);
        const QByteArray back = encoder(text);
        // A lone surrogate of UTF-16 decodes and encodes back, but has no UTF-8
        // form: the module would hold U+FFFD in its place.
        if (back == input && text.isValidUtf16()) return text.toStdString();
        if (back == input) {
            qsizetype unit = 0;
            for (; unit < text.size(); ++unit) {
                const QChar c = text[unit];
                if (c.isHighSurrogate() && unit + 1 < text.size() && text[unit + 1].isLowSurrogate()) {
                    ++unit;
                    continue;
                }
                if (c.isSurrogate()) break;
            }
            const long at = static_cast<long>(back.size() * unit / std::max<qsizetype>(text.size(), 1));
            throw EncodingError("byte " + std::to_string(at + 1) + " starts half a character pair of " + encoding,
                                at);
        }
        const auto [mismatch, ignored] = std::mismatch(input.begin(), input.end(), back.begin(), back.end());
        const auto at = static_cast<long>(mismatch - input.begin());
        throw EncodingError("byte " + std::to_string(at + 1) + " does not read back as itself in " + encoding, at);
    }
    // Finds the first bad byte by feeding one byte at a time.
    QStringDecoder probe(encoding.c_str());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        // The converters work lazily: only the conversion to a string runs them.
        const QString ignored = probe(QByteArrayView(bytes.data() + i, 1));
        if (probe.hasError())
            throw EncodingError("byte " + std::to_string(i + 1) + " is not valid " + encoding,
                                static_cast<long>(i));
    }
    throw EncodingError("the text ends inside a character of " + encoding,
                        static_cast<long>(bytes.size()));
}

std::string EncodeWithQt(std::string_view utf8, const std::string& encoding) {
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QStringEncoder encoder(encoding.c_str(), QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder(text);
    if (!encoder.hasError()) return bytes.toStdString();
    // Finds the character that failed: each one on its own.
    long charIndex = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t cp = utf8::Next(utf8, i);
        QStringEncoder single(encoding.c_str(), QStringConverter::Flag::Stateless);
        const char32_t ucs4[1] = {cp};
        const QByteArray ignored = single(QString::fromUcs4(ucs4, 1));
        if (single.hasError()) ThrowUnstorable(cp, charIndex, encoding);
        ++charIndex;
    }
    throw EncodingError("the text cannot be stored in " + encoding, 0);
}

std::string Normalized(std::string_view name) {
    std::string key;
    for (char c : name) {
        if (c == '-' || c == '_' || c == ' ') continue;
        key += AsciiLower(c);
    }
    return key;
}

// The text of `bytes` in `encoding`, or empty when the bytes are their own text.
std::optional<std::string> Decoded(std::string_view bytes, std::string_view encoding) {
    const std::string canonical = CanonicalEncoding(encoding);
    if (canonical == kDefaultEncoding) return DecodeByTable(bytes, kCp1252Table);
    if (canonical == kLatin1) return DecodeByTable(bytes, kLatin1Table);
    if (canonical == kUtf8) {
        const std::size_t bad = utf8::FirstInvalid(bytes);
        if (bad != std::string_view::npos) ThrowInvalidUtf8(bad, static_cast<long>(bad), "the file");
        return std::nullopt;
    }
    if (canonical.empty()) throw EncodingError("unknown encoding '" + std::string(encoding) + "'", 0);
    return DecodeWithQt(bytes, canonical);
}

}  // namespace

std::string CanonicalEncoding(std::string_view name) {
    const std::string key = Normalized(name);
    if (key.empty()) return "";
    if (key == "windows1252" || key == "cp1252" || key == "1252" || key == "ansi" || key == "winlatin1" ||
        key == "xcp1252" || key == "ms1252")
        return kDefaultEncoding;
    if (key == "utf8" || key == "unicode11utf8") return kUtf8;
    if (key == "iso88591" || key == "latin1" || key == "l1" || key == "iso885911987" || key == "cp819" ||
        key == "ibm819" || key == "isoir100")
        return kLatin1;
    QStringDecoder decoder(std::string(name).c_str());
    if (!decoder.isValid()) return "";
    return AsciiLowered(decoder.name());
}

std::string DecodeText(std::string_view bytes, std::string_view encoding) {
    std::optional<std::string> text = Decoded(bytes, encoding);
    return text ? std::move(*text) : std::string(bytes);
}

std::string DecodeText(std::string&& bytes, std::string_view encoding) {
    std::optional<std::string> text = Decoded(bytes, encoding);
    if (!text) return std::move(bytes);
    std::string().swap(bytes);  // the bytes go before the caller goes on
    return std::move(*text);
}

std::string EncodeText(std::string_view utf8, std::string_view encoding) {
    const std::string canonical = CanonicalEncoding(encoding);
    if (canonical == kDefaultEncoding) return EncodeSingleByte(utf8, true, canonical);
    if (canonical == kLatin1) return EncodeSingleByte(utf8, false, canonical);
    if (canonical.empty()) throw EncodingError("unknown encoding '" + std::string(encoding) + "'", 0);
    CheckText(utf8);
    if (canonical == kUtf8) return std::string(utf8);
    return EncodeWithQt(utf8, canonical);
}

std::string ReadUserText(const std::string& path, std::uintmax_t limit) {
    std::string bytes = ReadFileBytes(path, limit);
    if (bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0)
        bytes.resize(bytes.size() - 2);
    else if (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r'))
        bytes.pop_back();
    try {
        return DecodeText(bytes, "utf-8");
    } catch (const EncodingError&) {
        return DecodeText(bytes, kDefaultEncoding);
    }
}

}  // namespace platform
