#include <gtest/gtest.h>

#include <string>

#include "headers/comment_block.h"
#include "headers/mheader.h"
#include "stage.h"

namespace {

using headertest::Lf;
using headertest::ModuleFile;
using headertest::Stage;
using testsupport::Crlf;

// The comment block of a box `width` characters wide holding `text`, against
// the text it must be ("\n" stands for CR LF).
void ExpectCommentBlock(const std::string& text, const std::string& expected, long width = 65) {
    const toolwindow::PlainTextBox box(text, width);
    EXPECT_EQ(headers::sCommentBlock(box), Crlf(expected)) << text;
}

TEST(CommentBlock, IsTheBoxsDisplayLinesBetweenLoneApostrophes) {
    ExpectCommentBlock("", "");
    ExpectCommentBlock("first line\r\nsecond line", "'\n'\tfirst line\n'\tsecond line\n'");
    // Nothing is trimmed or blank-tested here.
    ExpectCommentBlock("   ", "'\n'\t   \n'");
    ExpectCommentBlock("a\n\nb\n", "'\n'\ta\n'\t\n'\tb\n'\t\n'");
    ExpectCommentBlock("one two three", "'\n'\tone \n'\ttwo \n'\tthree\n'", 5);
    // A display line shows at most 65 characters.
    ExpectCommentBlock(std::string(65, 'x') + "yyyyyyyyyyyyyyy",
                       "'\n'\t" + std::string(65, 'x') + "\n'", 80);
}

TEST(CommentBlock, ReadsDisplayLinesCutToAMaximumOfCharacters) {
    const toolwindow::PlainTextBox box("\u00e9t\u00e9 \u00e0 Qu\u00e9bec\n\nend", 65);
    EXPECT_EQ(mHeader::TextBoxLineCount(box), 3);
    EXPECT_EQ(mHeader::TextBoxLine(0, box, 5), "\u00e9t\u00e9 \u00e0");
    EXPECT_EQ(mHeader::TextBoxLine(0, box, 79), "\u00e9t\u00e9 \u00e0 Qu\u00e9bec");
    EXPECT_EQ(mHeader::TextBoxLine(1, box, 65), "");
    EXPECT_EQ(mHeader::TextBoxLine(2, box, 0), "");
    EXPECT_EQ(mHeader::TextBoxLine(3, box, 65), "");
    EXPECT_EQ(mHeader::TextBoxLineCount(toolwindow::PlainTextBox("")), 0);
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

TEST(RightsNotice, StandsAboveEverythingElseEachTimeItIsInserted) {
    EXPECT_EQ(headers::RightsNoticeText(), Crlf(kNotice));

    // A text that ends in a line break leaves an empty line after it in the
    // module, so two empty lines follow the notice.
    const std::string code = "Option Explicit\n\nPublic Sub Foo()\nEnd Sub\n";
    Stage stage(ModuleFile(code));
    headers::InsertRightsNotice(stage.module);
    EXPECT_EQ(stage.Code(), kNotice + "\n" + code);
    headers::InsertRightsNotice(stage.module);
    EXPECT_EQ(stage.Code(), kNotice + "\n" + kNotice + "\n" + code);
}

}  // namespace
