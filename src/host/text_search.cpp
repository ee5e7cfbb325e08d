#include "host/text_search.h"

#include <algorithm>

#include "platform/utf8.h"

namespace host {

namespace {

bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

/// Lower-cases ASCII letters and the two-byte letters of the Latin-1 and Latin
/// Extended-A blocks (all letters of Windows-1252) in place. Each letter keeps its
/// length in bytes, so offsets into the folded text are offsets into the original.
void FoldCase(std::string& s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 'A' && c <= 'Z') {
            s[i] = static_cast<char>(c + 32);
            continue;
        }
        if ((c != 0xC3 && c != 0xC4 && c != 0xC5) || i + 1 >= s.size()) continue;
        unsigned char d = static_cast<unsigned char>(s[i + 1]);
        if (!IsContinuationByte(d)) continue;
        unsigned cp = ((c & 0x1Fu) << 6) | (d & 0x3Fu);
        unsigned lower = cp;
        if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)
            lower = cp + 0x20;
        else if ((cp >= 0x100 && cp <= 0x137 && cp != 0x130) || (cp >= 0x14A && cp <= 0x177))
            lower = (cp % 2 == 0) ? cp + 1 : cp;
        else if ((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E))
            lower = (cp % 2 == 1) ? cp + 1 : cp;
        else if (cp == 0x178)
            lower = 0xFF;
        if (lower != cp) {
            s[i] = static_cast<char>(0xC0 | (lower >> 6));
            s[i + 1] = static_cast<char>(0x80 | (lower & 0x3F));
        }
        ++i;
    }
}

char32_t DecodeAt(std::string_view s, std::size_t i) { return platform::utf8::Next(s, i); }

/// Letters, digits and the underscore: what a VB name is made of.
bool IsWordChar(char32_t cp) {
    if (cp < 0x80)
        return (cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z') || (cp >= '0' && cp <= '9') ||
               cp == '_';
    if (cp < 0xC0) return cp == 0xAA || cp == 0xB5 || cp == 0xBA;
    return cp != 0xD7 && cp != 0xF7;
}

bool WordBefore(std::string_view s, std::size_t at) {
    if (at == 0) return false;
    std::size_t i = at - 1;
    while (i > 0 && IsContinuationByte(static_cast<unsigned char>(s[i]))) --i;
    return IsWordChar(DecodeAt(s, i));
}

bool WordAfter(std::string_view s, std::size_t at) {
    return at < s.size() && IsWordChar(DecodeAt(s, at));
}

}  // namespace

LineSearch::LineSearch(std::string_view target, bool wholeWord, bool matchCase)
    : target_(target), wholeWord_(wholeWord), matchCase_(matchCase) {
    if (!matchCase_) FoldCase(target_);
}

std::size_t LineSearch::FindIn(std::string_view line, std::size_t from, std::size_t limit) const {
    if (target_.empty()) return std::string_view::npos;
    limit = std::min(limit, line.size());
    std::string_view haystack = line;
    if (!matchCase_) {
        folded_.assign(line);
        FoldCase(folded_);
        haystack = folded_;
    }
    for (std::size_t at = haystack.find(target_, from); at != std::string_view::npos;
         at = haystack.find(target_, at + 1)) {
        if (at + target_.size() > limit) break;
        if (wholeWord_ && (WordBefore(line, at) || WordAfter(line, at + target_.size()))) continue;
        return at;
    }
    return std::string_view::npos;
}

}  // namespace host
