#include "ide/text_lines.h"

#include "ide/vb_text.h"

namespace ide {

std::vector<std::string_view> SplitKeepingEnds(std::string_view text) {
    std::vector<std::string_view> lines;
    LineReader reader(text);
    lines.reserve(reader.ExpectedLines());
    for (LineSpan span; reader.Next(span);)
        lines.emplace_back(span.text.data(), span.text.size() + EolText(span.eol).size());
    return lines;
}

}  // namespace ide
