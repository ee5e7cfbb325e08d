// Searching one line of code the way the code window's Find does: in bytes of
// UTF-8 text (platform::utf8 turns columns into bytes), letter case may be
// ignored, a match may have to stand as a whole word.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace host {

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
