// Free comment blocks and the rights notice.
#pragma once

#include <string>

#include "addin/ide.h"
#include "toolwindow/penwork.h"

namespace headers {

/// The box's display lines as a comment block; empty for an empty box.
std::string sCommentBlock(const toolwindow::TextBox& box);
/// The rights notice: rule, fourteen lines, rule, and one more line end.
std::string RightsNoticeText();
/// Inserts the rights notice at line 1 of the module.
void InsertRightsNotice(ide::CodeModule& module);

}  // namespace headers
