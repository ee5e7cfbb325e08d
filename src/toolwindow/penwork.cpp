#include "toolwindow/penwork.h"

#include "platform/vbruntime.h"

namespace toolwindow {

namespace {

// Length in characters of a UTF-8 text, and the byte offset of character n.
long CharCount(std::string_view s) { return platform::Len(s); }

std::size_t ByteOffset(std::string_view s, long chars) {
    std::size_t i = 0;
    for (long n = 0; n < chars && i < s.size(); ++n) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    }
    return i;
}

// Splits at CR LF, lone LF and lone CR.
std::vector<std::string> HardLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += text[i];
        }
    }
    return lines;
}

}  // namespace

PlainTextBox::PlainTextBox(std::string text, long width) : text_(std::move(text)), width_(width) {
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
void PlainTextBox::Wrap() {
    lines_.clear();
    if (text_.empty()) return;
    const long width = width_ < 1 ? 1 : width_;
    for (const std::string& hard : HardLines(text_)) {
        std::string_view rest = hard;
        do {
            if (CharCount(rest) <= width) {
                lines_.emplace_back(rest);
                break;
            }
            // The longest head of at most `width` characters that ends after a
            // blank; blanks directly after it stay on this line.
            const std::size_t limit = ByteOffset(rest, width);
            std::size_t cut = std::string_view::npos;
            if (rest[limit] == ' ') cut = limit;  // the word ends right at the width
            for (std::size_t i = limit; cut == std::string_view::npos && i > 0; --i) {
                if (rest[i - 1] == ' ') cut = i;
            }
            if (cut == std::string_view::npos) cut = limit;  // one long word: break it
            while (cut < rest.size() && rest[cut] == ' ') ++cut;
            lines_.emplace_back(rest.substr(0, cut));
            rest.remove_prefix(cut);
        } while (!rest.empty());
    }
}

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

PlainPenwork::PlainPenwork(ide::VBE& vbe, platform::DialogPort& dialogs, platform::FileStore& files,
                           platform::SettingsStore& settings)
    : vbe_(vbe), dialogs_(dialogs), files_(files), settings_(settings) {}

void PlainPenwork::LoadSettings() {
    namespace keys = platform::settings;
    name = settings_.Get(keys::AuthorName);
    initials = settings_.Get(keys::AuthorInitials);
    revType = settings_.Get(keys::RevisionType);
    revNumber = settings_.Get(keys::RevisionNumber);
    const platform::SettingKey targets[] = {keys::RevisionProcedure, keys::RevisionModule,
                                            keys::RevisionText, keys::RevisionCode};
    for (std::size_t i = 0; i < 4; ++i)
        revisionTargets[i] = platform::Val(settings_.Get(targets[i])) == 1;
}

}  // namespace toolwindow
