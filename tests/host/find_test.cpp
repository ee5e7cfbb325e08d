// CodeModule.Find: the range it searches and the positions it writes back.
#include <gtest/gtest.h>

#include "host/source_module.h"
#include "support/support.h"

namespace {

struct Search {
    long startLine, startColumn, endLine, endColumn;
    bool wholeWord = false;
    bool matchCase = true;
};

/// "line:column-line:column" of the match, or "none".
std::string FindIn(std::string_view vb, const std::string& target, Search s) {
    host::SourceModule module(testsupport::Crlf(vb));
    if (!module.Find(target, s.startLine, s.startColumn, s.endLine, s.endColumn, s.wholeWord, s.matchCase, false))
        return "none";
    return std::to_string(s.startLine) + ":" + std::to_string(s.startColumn) + "-" +
           std::to_string(s.endLine) + ":" + std::to_string(s.endColumn);
}

const char kCode[] =
    "' Sub Foo( in a comment\n"     // 1
    "Sub Foo(ByVal a As Long)\n"    // 2
    "    Foo = a: FooBar = a\n"     // 3
    "End Sub\n";                    // 4

TEST(Find, RangeAndColumns) {
    // The first occurrence in the range, the comment line included.
    EXPECT_EQ(FindIn(kCode, "Sub Foo(", {1, 1, 4, 1}), "1:3-1:11");
    EXPECT_EQ(FindIn(kCode, "Sub Foo(", {2, 1, 4, 1}), "2:1-2:9");
    EXPECT_EQ(FindIn(kCode, "End Sub", {1, 1, 3, 1}), "none") << "the end line bounds the search";
    // A start column on the first line only.
    EXPECT_EQ(FindIn(kCode, "Foo", {3, 6, 4, 1}), "3:14-3:17");
    EXPECT_EQ(FindIn(kCode, "Foo", {2, 6, 3, 1}), "3:5-3:8") << "Foo on line 2 starts before column 6";
    // End columns -1, 0 and 1 mean the whole last line; any other bounds the match's end.
    for (long endColumn : {-1L, 0L, 1L}) EXPECT_EQ(FindIn(kCode, "FooBar", {3, 1, 3, endColumn}), "3:14-3:20");
    EXPECT_EQ(FindIn(kCode, "FooBar", {3, 1, 3, 19}), "none");
    EXPECT_EQ(FindIn(kCode, "FooBar", {3, 1, 3, 20}), "3:14-3:20");
    // Lines beyond the module: an end past it searches to the end, a start past it finds nothing.
    EXPECT_EQ(FindIn(kCode, "End Sub", {2, 1, 99, 1}), "4:1-4:8");
    EXPECT_EQ(FindIn(kCode, "End Sub", {2, 1, -1, 1}), "4:1-4:8");
    EXPECT_EQ(FindIn(kCode, "End Sub", {5, 1, 9, 1}), "none");
    EXPECT_EQ(FindIn(kCode, "", {1, 1, 4, 1}), "none");
}

TEST(Find, CaseWordsAndCharacters) {
    EXPECT_EQ(FindIn(kCode, "end sub", {1, 1, 4, 1}), "none");
    EXPECT_EQ(FindIn(kCode, "end sub", {1, 1, 4, 1, false, false}), "4:1-4:8");
    EXPECT_EQ(FindIn(kCode, "Foo", {3, 10, 3, 1, true}), "none") << "FooBar is no whole word Foo";
    EXPECT_EQ(FindIn(kCode, "Foo", {3, 1, 3, 1, true}), "3:5-3:8");
    // Columns count characters, not bytes; letter case is ignored beyond ASCII.
    const char umlauts[] = "x = \"Größe\" & ÄRGER\n";
    EXPECT_EQ(FindIn(umlauts, "ärger", {1, 1, 1, 1, false, false}), "1:15-1:20");
    EXPECT_EQ(FindIn(umlauts, "&", {1, 1, 1, 1}), "1:13-1:14");
    EXPECT_EQ(FindIn(umlauts, "Grö", {1, 1, 1, 1, true}), "none");
    EXPECT_EQ(FindIn(umlauts, "Größe", {1, 1, 1, 1, true}), "1:6-1:11");
}

}  // namespace
