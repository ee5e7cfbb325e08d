#include "lsp/text_edits.h"

#include <dtl/dtl.hpp>

#include <QJsonObject>
#include <QString>

#include "ide/text_lines.h"

namespace lsp {

namespace {

using Lines = std::vector<std::string_view>;

QJsonObject Position(long line, long character) { return {{"line", qint64{line}}, {"character", qint64{character}}}; }

// Where line `line` of `lines` starts; the end of the document past the last
// line (after a last line without a line end, the end of that line).
QJsonObject LineStart(const Lines& lines, std::size_t line, PositionEncoding encoding) {
    if (line < lines.size() || lines.empty()) return Position(static_cast<long>(line), 0);
    const std::string_view last = lines.back();
    if (!last.empty() && (last.back() == '\n' || last.back() == '\r')) return Position(static_cast<long>(line), 0);
    return Position(static_cast<long>(lines.size() - 1), CharacterOfOffset(last, last.size(), encoding));
}

}  // namespace

QJsonArray LineEdits(const std::string& before, const std::string& after, PositionEncoding encoding) {
    QJsonArray edits;
    if (before == after) return edits;
    const Lines a = ide::SplitKeepingEnds(before);
    const Lines b = ide::SplitKeepingEnds(after);
    // Most edits touch a few lines of a long module: only the lines between the
    // common head and tail are compared.
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const Lines middleA(a.begin() + static_cast<std::ptrdiff_t>(head), a.end() - static_cast<std::ptrdiff_t>(tail));
    const Lines middleB(b.begin() + static_cast<std::ptrdiff_t>(head), b.end() - static_cast<std::ptrdiff_t>(tail));
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

    std::size_t line = head;  // in `before`
    std::size_t removedFrom = 0, removed = 0;
    std::string inserted;
    bool open = false;
    const auto close = [&] {
        if (!open) return;
        edits.append(QJsonObject{
            {"range", QJsonObject{{"start", LineStart(a, removedFrom, encoding)},
                                  {"end", LineStart(a, removedFrom + removed, encoding)}}},
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
