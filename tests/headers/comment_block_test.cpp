#include <string>

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

const std::string kNotice =
    "'----------------------------------------------------------------------\n"
    "' $Copyright: Copyright \u00a9 1997 by Orrin Tavish.  All \n"
    "' rights reserved.  Orrin Tavish claims copyright in this \n"
    "' computer program as an unpublished work, one or more versions of which \n"
    "' were first used to provide services to customers on the dates indicated \n"
    "' in the foregoing notice.  Claim of copyright does not imply waiver of \n"
    "' other rights. \n"
    "'  \n"
    "'                         NOTICE OF PROPRIETARY RIGHTS \n"
    "'  \n"
    "' This program is a confidential trade secret and the property of \n"
    "' Orrin Tavish. Use, examination, reproduction, disassembly, \n"
    "' decompiling, transfer, and/or disclosure to others of all or any part of \n"
    "' this software program are strictly prohibited except by express written \n"
    "' agreement with Orrin Tavish.\n"
    "'----------------------------------------------------------------------\n"
    "\n";

// The text ends in a line break, which leaves an empty line after it in the
// module: two empty lines follow each notice.
TEST(RightsNotice, StandsAboveEverythingElseEachTimeItIsInserted) {
    const std::string code = "Option Explicit\n\nPublic Sub Foo()\nEnd Sub\n";
    stage::Stage stage(Crlf(stage::kNameLine + code));
    headers::InsertRightsNotice(stage.module);
    headers::InsertRightsNotice(stage.module);
    EXPECT_EQ(stage.Code(), stage::kNameLine + kNotice + "\n" + kNotice + "\n" + code);
}

}  // namespace
