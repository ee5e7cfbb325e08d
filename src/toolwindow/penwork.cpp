#include "toolwindow/penwork.h"

#include "ide/vb_text.h"
#include "platform/utf8.h"

namespace toolwindow {

PlainTextBox::PlainTextBox(std::string text, long width, long limit)
    : text_(std::move(text)), width_(width), limit_(limit) {
    Wrap();
}

void PlainTextBox::SetText(std::string text) {
    text_ = std::move(text);
    Wrap();
}

void PlainTextBox::SetWidth(long width) {
    width_ = width;
    Wrap();
}

std::string PlainTextBox::DisplayLine(long index) const {
    if (index < 0 || index >= static_cast<long>(lines_.size())) return {};
    return lines_[static_cast<std::size_t>(index)];
}

// An edit control keeps the blanks after a word on the line they follow, and
// breaks a line after the last blank that lets the text fit.
std::vector<std::string> WrapWords(std::string_view rest, long width) {
    std::vector<std::string> lines;
    if (width < 1) width = 1;
    do {
        // Only the next `width` characters are walked, never the whole rest:
        // a long text without line breaks wraps in time along its length.
        const std::size_t limit = platform::utf8::OffsetOf(rest, static_cast<std::size_t>(width));
        if (limit == rest.size()) {
            lines.emplace_back(rest);
            break;
        }
        // The longest head of at most `width` characters that ends after a
        // blank; blanks directly after it stay on this line.
        std::size_t cut = std::string_view::npos;
        if (rest[limit] == ' ') cut = limit;  // the word ends right at the width
        for (std::size_t i = limit; cut == std::string_view::npos && i > 0; --i) {
            if (rest[i - 1] == ' ') cut = i;
        }
        if (cut == std::string_view::npos) cut = limit;  // one long word: break it
        while (cut < rest.size() && rest[cut] == ' ') ++cut;
        lines.emplace_back(rest.substr(0, cut));
        rest.remove_prefix(cut);
    } while (!rest.empty());
    return lines;
}

std::vector<std::string> WrapText(std::string_view text, long width) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    for (const std::string_view hard : ide::SplitLines(text))
        for (std::string& line : WrapWords(hard, width)) lines.push_back(std::move(line));
    return lines;
}

void PlainTextBox::Wrap() { lines_ = WrapText(text_, limit_ > 0 && limit_ < width_ ? limit_ : width_); }

std::string SingleLine(const std::string& text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            line += ' ';
        } else {
            line += text[i];
        }
    }
    return line;
}

}  // namespace toolwindow
