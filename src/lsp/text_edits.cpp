#include "lsp/text_edits.h"

#include <dtl/dtl.hpp>

#include <algorithm>

#include <QJsonObject>
#include <QString>

#include "ide/text_lines.h"

namespace lsp {

namespace {

using Lines = std::vector<std::string_view>;

QJsonObject Position(long line, long character) { return {{"line", qint64{line}}, {"character", qint64{character}}}; }

// Whether a line starts at byte `i` of `text` (at its end: after a last line end).
bool StartsLine(std::string_view text, std::size_t i) {
    if (i == 0) return true;
    const char c = text[i - 1];
    return c == '\n' || (c == '\r' && (i == text.size() || text[i] != '\n'));
}

long CountLines(std::string_view text) {
    long lines = 0;
    for (std::size_t i = 1; i <= text.size(); ++i)
        if (StartsLine(text, i) && (text[i - 1] == '\n' || text[i - 1] == '\r')) ++lines;
    return lines;
}

// The lines that differ, between a common head and tail of whole lines.
struct Middle {
    long first = 0;     // the line the middle starts at
    Lines a, b;         // its lines in the text before and after
    bool atEnd = true;  // no common tail: the middle runs to the end
};

Middle MiddleOf(std::string_view before, std::string_view after) {
    std::size_t head = static_cast<std::size_t>(
        std::mismatch(before.begin(), before.end(), after.begin(), after.end()).first - before.begin());
    while (head > 0 && !(StartsLine(before, head) && StartsLine(after, head))) --head;
    std::size_t tail = 0;
    const std::size_t most = std::min(before.size(), after.size()) - head;
    while (tail < most && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
    while (tail > 0 && !(StartsLine(before, before.size() - tail) && StartsLine(after, after.size() - tail))) --tail;
    Middle m;
    m.first = CountLines(before.substr(0, head));
    m.a = ide::SplitKeepingEnds(before.substr(head, before.size() - head - tail));
    m.b = ide::SplitKeepingEnds(after.substr(head, after.size() - head - tail));
    m.atEnd = tail == 0;
    return m;
}

// Where line `line` of the middle starts; at the end of the document, after
// a last line without a line end, the end of that line.
QJsonObject LineStart(const Middle& m, std::size_t line, PositionEncoding encoding) {
    const long at = m.first + static_cast<long>(line);
    if (line < m.a.size() || m.a.empty() || !m.atEnd) return Position(at, 0);
    const std::string_view last = m.a.back();
    if (last.back() == '\n' || last.back() == '\r') return Position(at, 0);
    return Position(at - 1, CharacterOfOffset(last, last.size(), encoding));
}

}  // namespace

QJsonArray LineEdits(const std::string& before, const std::string& after, PositionEncoding encoding) {
    QJsonArray edits;
    if (before == after) return edits;
    // Most edits touch a few lines of a long module: only the lines between the
    // common head and tail are split and compared.
    const Middle middle = MiddleOf(before, after);
    const Lines& middleA = middle.a;
    const Lines& middleB = middle.b;
    // Lines replaced one for one (the indenter's edits) are compared pairwise:
    // the shortest edit script of a module whose every line changed is costly.
    std::vector<std::pair<std::string_view, dtl::elemInfo>> script;
    if (middleA.size() == middleB.size()) {
        for (std::size_t i = 0; i < middleA.size(); ++i) {
            if (middleA[i] == middleB[i]) {
                script.push_back({middleA[i], {0, 0, dtl::SES_COMMON}});
                continue;
            }
            script.push_back({middleA[i], {0, 0, dtl::SES_DELETE}});
            script.push_back({middleB[i], {0, 0, dtl::SES_ADD}});
        }
    } else {
        dtl::Diff<std::string_view, Lines> diff(middleA, middleB);
        diff.onHuge();
        diff.compose();
        script = diff.getSes().getSequence();
    }

    std::size_t line = 0;  // in the middle of `before`
    std::size_t removedFrom = 0, removed = 0;
    std::string inserted;
    bool open = false;
    const auto close = [&] {
        if (!open) return;
        edits.append(QJsonObject{
            {"range", QJsonObject{{"start", LineStart(middle, removedFrom, encoding)},
                                  {"end", LineStart(middle, removedFrom + removed, encoding)}}},
            {"newText", QString::fromStdString(inserted)}});
        open = false;
        removed = 0;
        inserted.clear();
    };
    for (const auto& [text, info] : script) {
        if (info.type == dtl::SES_COMMON) {
            close();
            ++line;
            continue;
        }
        if (!open) {
            open = true;
            removedFrom = line;
        }
        if (info.type == dtl::SES_DELETE) {
            ++removed;
            ++line;
        } else {
            inserted += text;
        }
    }
    close();
    return edits;
}

}  // namespace lsp
