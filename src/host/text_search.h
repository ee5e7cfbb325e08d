// Searching one line of code the way the code window's Find does: columns count
// characters (UTF-8 code points), letter case may be ignored, a match may have
// to stand as a whole word.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace host {

/// Characters (code points) in UTF-8 text.
long CountChars(std::string_view text);
/// Byte offset of a 1-based column; the end of the text for columns beyond it.
std::size_t ByteOfColumn(std::string_view text, long column);

class LineSearch {
public:
    LineSearch(std::string_view target, bool wholeWord, bool matchCase);

    /// Byte offset of the first match in `line` that starts at or after byte
    /// `from` and ends at or before byte `limit`; npos when there is none.
    std::size_t FindIn(std::string_view line, std::size_t from, std::size_t limit) const;
    std::size_t TargetBytes() const { return target_.size(); }

private:
    std::string target_;
    bool wholeWord_;
    bool matchCase_;
    mutable std::string folded_;  // the line in one letter case, reused between lines
};

}  // namespace host
