#include "ide/attempt.h"
#include "headers/header_text.h"
#include "platform/vbruntime.h"

namespace headers {

std::string sModuleName(toolwindow::Penwork& window) {
    std::string caption;
    ide::Attempt([&] {
        ide::CodePane& pane = ide::RequireActiveCodePane(window.VBE());
        caption = pane.Window().Caption();
    });
    const long blank = platform::InStr(1, caption, " ");
    if (blank == 0) return {};
    return platform::Trim(platform::Left(caption, blank - 1));
}

}  // namespace headers
