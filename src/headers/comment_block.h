// Free comment blocks and the rights notice.
#pragma once

#include <string>

#include "ide/ide.h"
#include "toolwindow/penwork.h"

namespace headers {

/// The box's display lines as a comment block; empty for an empty box.
std::string sCommentBlock(const toolwindow::TextBox& box);
/// Inserts the box's comment block before `line`; on a line that continues a
/// statement, before the statement's first line, where a comment cannot break it.
void InsertCommentBlock(ide::CodeModule& module, long line, const toolwindow::TextBox& box);
/// The rights notice: rule, fourteen lines, rule, and one more line end.
std::string RightsNoticeText();
/// Inserts the rights notice at line 1 of the module.
void InsertRightsNotice(ide::CodeModule& module);

}  // namespace headers
