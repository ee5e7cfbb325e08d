// Telling code from comments and string literals.
#include <gtest/gtest.h>

#include <sstream>

#include "errorhandlers/code_column.h"
#include "platform/utf8.h"

namespace errorhandlers {
namespace {

/// Whether the column marked by '^' lies in code. `source` is one logical line,
/// its physical lines separated by "\n"; the mark stands on the last of them and
/// is taken out before the check.
bool MarkedIsCode(const std::string& source) {
    std::vector<std::string> lines;
    std::istringstream in(source);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::string& last = lines.back();
    const std::size_t mark = last.find('^');
    last.erase(mark, 1);
    return IsCodeAt(lines, static_cast<long>(platform::utf8::Count(last.substr(0, mark))) + 1);  // in characters
}

TEST(IsCodeAt, TellsCodeFromCommentsAndStrings) {
    // Where comments and strings lie is the code window's colour scanner, tested
    // there; these are the columns at and around each kind of span, in characters.
    const std::vector<std::pair<std::string, bool>> cases = {
        {"^End Sub", true}, {"' ^End Sub", false}, {"x = 1 ^' End Sub", false}, {"   REM^", false},
        {"s = ^\"End Sub\"", true}, {"s = \"^End Sub\"", false}, {"s = \"a\" & ^x", true},
        {"s = \"unterminated ^x", false}, {"s = \"unterminated^", false},  // open past the line's end
        {"s = \"é\" ^x", true}, {"s = \"é ^x\"", false},
        // Continuation lines are scanned from the statement's first: a comment runs on.
        {"x = 1 ' comment _\n  ^End Sub", false},
    };
    for (const auto& [source, code] : cases) EXPECT_EQ(code, MarkedIsCode(source)) << source;
}

}  // namespace
}  // namespace errorhandlers
