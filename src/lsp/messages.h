// The dialog port of one command of the server: message boxes are kept, for
// the client to show; there is no cursor or window to handle.
#pragma once

#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace lsp {

class Messages : public platform::DialogPort {
public:
    int MsgBox(const std::string& prompt, int, const std::string& title) override {
        shown.push_back(title.empty() ? prompt : title + ": " + prompt);
        return platform::vbOK;
    }
    void OnTop(bool) override {}
    void SetBusy(bool) override {}
    void DoEvents() override {}

    std::vector<std::string> shown;
};

}  // namespace lsp
