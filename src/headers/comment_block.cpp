#include "headers/comment_block.h"

#include "ide/attempt.h"
#include "ide/statements.h"
#include "headers/header_text.h"
#include "headers/mheader.h"

namespace headers {

namespace {

constexpr char kCrLf[] = "\r\n";
constexpr long kCommentWidth = 65;

// The notice's fixed text; the trailing blanks of several lines belong to it.
constexpr const char* kRightsNotice[] = {
    "' $Copyright: Copyright \u00A9 1997 by Orrin Tavish.  All ",
    "' rights reserved.  Orrin Tavish claims copyright in this ",
    "' computer program as an unpublished work, one or more versions of which ",
    "' were first used to provide services to customers on the dates indicated ",
    "' in the foregoing notice.  Claim of copyright does not imply waiver of ",
    "' other rights. ",
    "'  ",
    "'                         NOTICE OF PROPRIETARY RIGHTS ",
    "'  ",
    "' This program is a confidential trade secret and the property of ",
    "' Orrin Tavish. Use, examination, reproduction, disassembly, ",
    "' decompiling, transfer, and/or disclosure to others of all or any part of ",
    "' this software program are strictly prohibited except by express written ",
    "' agreement with Orrin Tavish.",
};

}  // namespace

std::string sCommentBlock(const toolwindow::TextBox& box) {
    const long n = mHeader::TextBoxLineCount(box);
    if (n < 1) return {};
    std::string s = std::string("'") + kCrLf;
    for (long i = 0; i < n; ++i) s += "'\t" + mHeader::TextBoxLine(i, box, kCommentWidth) + kCrLf;
    return s + "'";
}

std::string RightsNoticeText() {
    std::string s = HeaderRule();
    for (const char* line : kRightsNotice) s += std::string(line) + kCrLf;
    return s + HeaderRule() + kCrLf;
}

void InsertRightsNotice(ide::CodeModule& module) {
    ide::Attempt([&] { module.InsertLines(1, RightsNoticeText()); });
}

void InsertCommentBlock(ide::CodeModule& module, long line, const toolwindow::TextBox& box) {
    module.InsertLines(ide::FirstLineOfStatement(module, line), sCommentBlock(box));
}

}  // namespace headers
