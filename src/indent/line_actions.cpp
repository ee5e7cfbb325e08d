#include "indent/line_actions.h"

#include <algorithm>
#include <limits>
#include <string>

namespace Indent {

namespace {

constexpr int kLevelMin = std::numeric_limits<Level>::min();
constexpr int kLevelMax = std::numeric_limits<Level>::max();

/// Writes `width` blanks and the trimmed text over the line. The text is
/// composed in one buffer per thread that keeps its capacity, so indenting a
/// long procedure allocates nothing per line here.
bool WriteWidth(ide::CodeModule& module, std::string_view trimmed, long line, int level) {
    const int width = kIndentUnit * level;
    if (width < 0 || width > kLevelMax) return false;
    thread_local std::string lineText;
    lineText.assign(static_cast<std::size_t>(width), ' ');
    lineText.append(trimmed);
    module.ReplaceLine(line, lineText);
    return true;
}

}  // namespace

bool ChangeLevel(Level& level, int change) {
    const int changed = level + change;
    if (changed < kLevelMin || changed > kLevelMax) return false;
    level = static_cast<Level>(changed);
    return true;
}

bool WriteFlush(ide::CodeModule& module, std::string_view trimmed, long line, Level&) {
    return WriteWidth(module, trimmed, line, 0);
}

bool WriteAtLevel(ide::CodeModule& module, std::string_view trimmed, long line, Level& level) {
    return WriteWidth(module, trimmed, line, level);
}

bool WriteOutdented(ide::CodeModule& module, std::string_view trimmed, long line, Level& level) {
    Level outdented = level;
    if (!ChangeLevel(outdented, -1)) return false;
    return WriteWidth(module, trimmed, line, std::max<int>(outdented, 0));
}

bool WriteThenIndent(ide::CodeModule& module, std::string_view trimmed, long line, Level& level) {
    return WriteWidth(module, trimmed, line, level) && ChangeLevel(level, +1);
}

bool OutdentThenWrite(ide::CodeModule& module, std::string_view trimmed, long line, Level& level) {
    Level outdented = level;
    if (!ChangeLevel(outdented, -1)) return false;
    level = std::max<Level>(outdented, 0);
    return WriteWidth(module, trimmed, line, level);
}

bool Keep(ide::CodeModule&, std::string_view, long, Level&) { return true; }

}  // namespace Indent
