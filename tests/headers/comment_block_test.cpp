#include <sstream>

#include "headers/comment_block.h"
#include "stage.h"

namespace {

using stage::Crlf;

TEST(CommentBlock, IsTheBoxsDisplayLinesBetweenLoneApostrophes) {
    const struct {
        std::string text;
        long width;
        std::string expected;  // "\n" stands for CR LF
    } cases[] = {
        {"", 65, ""},
        {"a\n\nb\n", 65, "'\n'\ta\n'\t\n'\tb\n'\t\n'"},
        {"one two three", 5, "'\n'\tone \n'\ttwo \n'\tthree\n'"},
        {std::string(65, 'x') + "yyy", 80, "'\n'\t" + std::string(65, 'x') + "\n'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(headers::sCommentBlock(toolwindow::PlainTextBox(c.text, c.width)), Crlf(c.expected)) << c.text;
}

// The notice is sixteen comment lines, its owner's copyright between two rules,
// and two empty lines; it goes above everything, each time it is inserted.
TEST(RightsNotice, StandsAboveEverythingElseEachTimeItIsInserted) {
    const std::string code = "Option Explicit\n\nPublic Sub Foo()\nEnd Sub\n";
    stage::Stage stage(Crlf(stage::kNameLine + code));
    headers::InsertRightsNotice(stage.module);
    const std::string once = stage.Code();
    ASSERT_TRUE(once.starts_with(stage::kNameLine + stage::kRule + "\n") && once.ends_with(code)) << once;
    const std::size_t name = stage::kNameLine.size();
    const std::string notice = once.substr(name, once.size() - name - code.size());
    EXPECT_TRUE(notice.ends_with("\n" + stage::kRule + "\n\n\n")) << notice;
    EXPECT_NE(notice.find("' $Copyright: Copyright \u00a9 1997 by Orrin Tavish."), std::string::npos) << notice;
    std::istringstream lines(notice);
    int comments = 0;
    for (std::string line; std::getline(lines, line) && !line.empty();) comments += line.starts_with("'");
    EXPECT_EQ(comments, 16) << notice;
    headers::InsertRightsNotice(stage.module);
    EXPECT_EQ(stage.Code(), stage::kNameLine + notice + notice + code);
}

}  // namespace
