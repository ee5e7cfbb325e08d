// Trim, InStr, Len, Left$ and Mid$ over UTF-8, counting characters.
#include <QChar>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "platform/ascii.h"
#include "platform/utf8.h"
#include "platform/vbruntime.h"

namespace platform {

namespace {

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

std::vector<char32_t> FoldedCodePoints(std::string_view text) {
    std::vector<char32_t> out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char32_t cp = utf8::Next(text, i);
        out.push_back(cp == utf8::kInvalid ? cp : QChar::toCaseFolded(cp));
    }
    return out;
}

// A start before the first character is an invalid call, as in VB (error 5).
void CheckStart(long start, const char* function) {
    if (start < 1)
        throw std::invalid_argument(std::string(function) + ": the start position must be 1 or more");
}

}  // namespace

std::string LTrim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string RTrim(std::string_view text) {
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string Trim(std::string_view text) { return std::string(TrimSpaces(text)); }

long InStr(long start, std::string_view haystack, std::string_view needle) {
    CheckStart(start, "InStr");
    const std::size_t from = utf8::OffsetOf(haystack, static_cast<std::size_t>(start - 1));
    if (from >= haystack.size()) return 0;
    if (needle.empty()) return start;
    const std::size_t found = haystack.find(needle, from);
    if (found == std::string_view::npos) return 0;
    return start + static_cast<long>(utf8::Count(haystack.substr(from, found - from)));
}

long InStrText(long start, std::string_view haystack, std::string_view needle) {
    CheckStart(start, "InStr");
    const std::size_t from = utf8::OffsetOf(haystack, static_cast<std::size_t>(start - 1));
    if (from >= haystack.size()) return 0;
    if (needle.empty()) return start;
    const std::string_view rest = haystack.substr(from);

    if (IsAscii(rest) && IsAscii(needle)) {
        if (needle.size() > rest.size()) return 0;
        for (std::size_t at = 0; at + needle.size() <= rest.size(); ++at) {
            std::size_t k = 0;
            while (k < needle.size() && AsciiLower(rest[at + k]) == AsciiLower(needle[k])) ++k;
            if (k == needle.size()) return start + static_cast<long>(at);
        }
        return 0;
    }
    const std::vector<char32_t> text = FoldedCodePoints(rest);
    const std::vector<char32_t> wanted = FoldedCodePoints(needle);
    const auto found = std::search(text.begin(), text.end(), wanted.begin(), wanted.end());
    if (found == text.end()) return 0;
    return start + static_cast<long>(found - text.begin());
}

long Len(std::string_view text) { return static_cast<long>(utf8::Count(text)); }

std::string Left(std::string_view text, long length) {
    if (length < 0) throw std::invalid_argument("Left: the length must not be negative");
    return std::string(text.substr(0, utf8::OffsetOf(text, static_cast<std::size_t>(length))));
}

std::string Mid(std::string_view text, long start, long length) {
    if (start < 1) throw std::invalid_argument("Mid: the start position must be 1 or more");
    if (length < -1) throw std::invalid_argument("Mid: the length must not be negative");
    const std::size_t from = utf8::OffsetOf(text, static_cast<std::size_t>(start - 1));
    const std::string_view rest = text.substr(from);
    if (length == -1) return std::string(rest);
    return std::string(rest.substr(0, utf8::OffsetOf(rest, static_cast<std::size_t>(length))));
}

}  // namespace platform
