#include "cli/diff.h"

#include <dtl/dtl.hpp>

#include <string_view>
#include <vector>

#include "ide/text_lines.h"

namespace cli {

namespace {

void PrintLine(std::string& out, char mark, std::string_view line) {
    out += mark;
    out += line;
    const char last = line.empty() ? '\0' : line.back();
    if (last == '\n') return;
    if (last == '\r') {
        out += '\n';  // a lone CR line end: keep the CR, end the diff line
        return;
    }
    out += "\n\\ No newline at end of file\n";
}

// A file's name after "--- " or "+++ ": as git writes it, a name that holds a
// blank ends with a tab, so that patch reads the whole name rather than up to
// the blank.
std::string Label(const std::string& prefix, const std::string& path) {
    return prefix + path + (path.find(' ') == std::string::npos ? "" : "\t");
}

}  // namespace

std::string UnifiedDiff(const std::string& path, const std::optional<std::string>& before,
                        const std::string& after) {
    if (before && *before == after) return {};
    const std::vector<std::string_view> a = before ? ide::SplitKeepingEnds(*before) : std::vector<std::string_view>{};
    const std::vector<std::string_view> b = ide::SplitKeepingEnds(after);

    dtl::Diff<std::string_view, std::vector<std::string_view>> diff(a, b);
    diff.onHuge();
    diff.compose();
    diff.composeUnifiedHunks();

    std::string out;
    if (!before) out += "diff --git a/" + path + " b/" + path + "\nnew file mode 100644\n";
    out += "--- " + (before ? Label("a/", path) : std::string("/dev/null")) + "\n";
    out += "+++ " + Label("b/", path) + "\n";
    for (const auto& hunk : diff.getUniHunks()) {
        out += "@@ -" + std::to_string(hunk.a) + "," + std::to_string(hunk.b) + " +" +
               std::to_string(hunk.c) + "," + std::to_string(hunk.d) + " @@\n";
        for (const auto& e : hunk.common[0]) PrintLine(out, ' ', e.first);
        for (const auto& e : hunk.change) {
            const char mark = e.second.type == dtl::SES_ADD      ? '+'
                              : e.second.type == dtl::SES_DELETE ? '-'
                                                                 : ' ';
            PrintLine(out, mark, e.first);
        }
        for (const auto& e : hunk.common[1]) PrintLine(out, ' ', e.first);
    }
    return out;
}

}  // namespace cli
