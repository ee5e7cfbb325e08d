// The command line's dialog port: a message box becomes a line on standard
// error, "quillmark: TITLE: TEXT".
#pragma once

#include <ostream>
#include <string>

#include "platform/dialogs.h"

namespace cli {

class ConsoleDialogs : public platform::DialogPort {
public:
    explicit ConsoleDialogs(std::ostream& err) : err_(err) {}
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    void OnTop(bool) override {}
    void SetBusy(bool) override {}
    void DoEvents() override {}

    /// Message boxes shown since the last Reset.
    int Shown() const { return shown_; }
    void Reset() { shown_ = 0; }

private:
    std::ostream& err_;
    int shown_ = 0;
};

/// Prints "quillmark: TEXT" (or "quillmark: TITLE: TEXT") on `err`.
void PrintMessage(std::ostream& err, const std::string& title, const std::string& text);

}  // namespace cli
