// A dialog port that shows nothing and records every message box.
#pragma once

#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace platform {

class RecordingDialogs : public DialogPort {
public:
    struct Message {
        std::string prompt;
        int style = 0;
        std::string title;
    };
    int MsgBox(const std::string& prompt, int style, const std::string& title) override {
        messages.push_back({prompt, style, title});
        return vbOK;
    }
    void OnTop(bool onTop) override { onTopCalls.push_back(onTop); }
    void SetBusy(bool isBusy) override { busy = isBusy; }
    void DoEvents() override { ++eventRuns; }

    std::vector<Message> messages;
    std::vector<bool> onTopCalls;
    bool busy = false;
    long eventRuns = 0;
};

}  // namespace platform
