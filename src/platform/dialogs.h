// The dialog port: how a command talks to the user. The desktop window shows
// message boxes and cursors; the command line prints to standard error; tests
// record what was shown (tests/support/recording_dialogs.h).
#pragma once

#include <string>
#include <vector>

namespace platform {

// MsgBox styles, as the VB runtime numbers them.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbCritical = 16;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbOK = 1;  // the answer of an OK button

class DialogPort {
public:
    virtual ~DialogPort() = default;
    /// A modal message box; an empty title shows the application's title.
    virtual int MsgBox(const std::string& prompt, int style, const std::string& title) = 0;
    /// Keeps the tool window above all others, or releases it.
    virtual void OnTop(bool onTop) = 0;
    /// The application-wide wait cursor (true) or the default cursor (false).
    virtual void SetBusy(bool busy) = 0;
    /// Lets pending window events run.
    virtual void DoEvents() = 0;
};

/// Shows the wait cursor for its lifetime and restores the default on every way out.
class BusyCursor {
public:
    explicit BusyCursor(DialogPort& port) : port_(port) { port_.SetBusy(true); }
    ~BusyCursor() { port_.SetBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    DialogPort& port_;
};

/// A message box shown the way the tool window shows its own: default cursor,
/// off the top while the box is open, on top again afterwards.
int ShowMessage(DialogPort& port, const std::string& prompt, int style, const std::string& title);

}  // namespace platform
