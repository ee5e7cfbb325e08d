// Reading a multi-line text box as the lines it displays.
#pragma once

#include <string>

#include "toolwindow/penwork.h"

namespace mHeader {

/// 0 when the box's text is empty, else the number of lines it displays.
long TextBoxLineCount(const toolwindow::TextBox& box);
/// Display line `index` (from 0), cut to at most `maxLength` characters.
std::string TextBoxLine(long index, const toolwindow::TextBox& box, long maxLength);

}  // namespace mHeader
