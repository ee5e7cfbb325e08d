#include "lsp/document.h"

#include <algorithm>
#include <string_view>

#include "ide/text_lines.h"

namespace lsp {

namespace {

// Whether every line break in `text` is `eol`.
bool BreaksAreAll(std::string_view text, std::string_view eol) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        if (text.substr(i, eol.size()) != eol) return false;
        i += eol.size() - 1;
    }
    return true;
}

std::string_view WithoutEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    return line;
}

// The byte offset in `text` of a position; past the last line, the end.
std::size_t OffsetOf(std::string_view text, const std::vector<std::string_view>& lines, long line, long character,
                     PositionEncoding encoding) {
    if (line < 0) return 0;
    if (static_cast<std::size_t>(line) >= lines.size()) return text.size();
    const std::string_view l = lines[static_cast<std::size_t>(line)];
    return static_cast<std::size_t>(l.data() - text.data()) + OffsetOfCharacter(WithoutEnd(l), character, encoding);
}

}  // namespace

Document::Document(std::string path, const std::string& text, long version)
    : file_{std::move(path), "windows-1252", false, host::SourceModule(text), {}, {}, 0}, version_(version) {}

void Document::Reset(const std::string& text) { file_.module = host::SourceModule(text); }

bool Document::ChangeInLine(const Range& range, const std::string& text, PositionEncoding encoding) {
    host::SourceModule& m = file_.module;
    const long fileLine = range.startLine + 1;
    if (range.endLine != range.startLine || fileLine > m.CountOfFileLines() || fileLine < 1 || m.CountOfLines() == 0)
        return false;
    const long line = m.CodeLineOfFileLine(fileLine);
    if (m.FileLineOfCodeLine(line) != fileLine || !BreaksAreAll(text, m.LineEnd())) return false;
    // A CR typed before a line's own LF would make one line end of the two;
    // lines typed into the last line take line ends it may not have.
    const bool breaks = text.find_first_of("\r\n") != std::string::npos;
    if (breaks && (m.LineEnd() == "\r" || fileLine == m.CountOfFileLines())) return false;
    const std::string old = m.Lines(line, 1);
    const std::size_t start = OffsetOfCharacter(old, range.startCharacter, encoding);
    const std::size_t end = std::max(start, OffsetOfCharacter(old, range.endCharacter, encoding));
    const std::string now = old.substr(0, start) + text + old.substr(end);
    // An empty last line is how the module holds a file that ends in a line end.
    if (now.empty() && fileLine == m.CountOfFileLines()) return false;
    // A line split in two keeps its own line end after the last piece; the
    // breaks typed take the module's, which they are.
    m.ReplaceLine(line, now);
    return true;
}

bool Document::ChangeAcrossLines(const Range& range, const std::string& text, PositionEncoding encoding) {
    host::SourceModule& m = file_.module;
    const long firstFileLine = range.startLine + 1, lastFileLine = range.endLine + 1;
    // The file's last line keeps the whole-text path, as in ChangeInLine.
    if (firstFileLine < 1 || lastFileLine <= firstFileLine || lastFileLine >= m.CountOfFileLines() ||
        m.CountOfLines() == 0)
        return false;
    const long first = m.CodeLineOfFileLine(firstFileLine), last = m.CodeLineOfFileLine(lastFileLine);
    // Code lines only, with no hidden line among them, and the joined line
    // ending as the last one did.
    if (m.FileLineOfCodeLine(first) != firstFileLine || m.FileLineOfCodeLine(last) != lastFileLine ||
        last - first != lastFileLine - firstFileLine || m.LineEndOf(first) != m.LineEndOf(last) ||
        !BreaksAreAll(text, m.LineEnd()))
        return false;
    if (text.find_first_of("\r\n") != std::string::npos && m.LineEnd() == "\r") return false;
    const std::string head = m.Lines(first, 1), tail = m.Lines(last, 1);
    const std::size_t start = OffsetOfCharacter(head, range.startCharacter, encoding);
    const std::size_t end = OffsetOfCharacter(tail, range.endCharacter, encoding);
    const std::string now = head.substr(0, start) + text + tail.substr(end);
    // The lines after the first go, with the hidden lines that follow the last;
    // those then follow the first, which takes the text the edit leaves.
    m.DeleteLines(first + 1, last - first);
    m.ReplaceLine(first, now);
    return true;
}

void Document::Change(const Range& range, const std::string& text, PositionEncoding encoding) {
    if (ChangeInLine(range, text, encoding) || ChangeAcrossLines(range, text, encoding)) return;
    const std::string before = file_.module.Text();
    const std::vector<std::string_view> lines = ide::SplitKeepingEnds(before);
    const std::size_t start = OffsetOf(before, lines, range.startLine, range.startCharacter, encoding);
    const std::size_t end =
        std::max(start, OffsetOf(before, lines, range.endLine, range.endCharacter, encoding));
    Reset(before.substr(0, start) + text + before.substr(end));
}

}  // namespace lsp
