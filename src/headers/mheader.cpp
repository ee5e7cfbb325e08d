#include "headers/mheader.h"

#include "platform/vbruntime.h"

namespace mHeader {

long TextBoxLineCount(const toolwindow::TextBox& box) {
    if (box.Text().empty()) return 0;
    return box.DisplayLineCount();
}

std::string TextBoxLine(long index, const toolwindow::TextBox& box, long maxLength) {
    if (maxLength <= 0) return {};
    return platform::Left(box.DisplayLine(index), maxLength);
}

}  // namespace mHeader
