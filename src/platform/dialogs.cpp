#include "platform/dialogs.h"

namespace platform {

int ShowMessage(DialogPort& port, const std::string& prompt, int style, const std::string& title) {
    port.SetBusy(false);
    port.OnTop(false);
    const int answer = port.MsgBox(prompt, style, title);
    port.OnTop(true);
    return answer;
}

}  // namespace platform
