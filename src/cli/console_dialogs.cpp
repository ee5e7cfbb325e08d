#include "cli/console_dialogs.h"

namespace cli {

void PrintMessage(std::ostream& err, const std::string& title, const std::string& text) {
    err << "quillmark: ";
    if (!title.empty()) err << title << ": ";
    // A message of several lines stays readable on a terminal.
    for (char c : text)
        if (c != '\r') err << c;
    err << '\n';
}

int ConsoleDialogs::MsgBox(const std::string& prompt, int, const std::string& title) {
    ++shown_;
    PrintMessage(err_, title, prompt);
    return platform::vbOK;
}

}  // namespace cli
