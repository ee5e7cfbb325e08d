// The tool window's dialog port: message boxes, the busy cursor, pending events,
// and the window's own dialogs (the About box, help, the web page), so that tests
// can stand in for every one of them.
#pragma once

#include <QPointer>
#include <QString>
#include <QUrl>

#include "platform/dialogs.h"

class QDialog;
class QWidget;

namespace window {

class WindowDialogs : public platform::DialogPort {
public:
    /// The window whose on-top state OnTop switches; none switches nothing.
    void SetWindow(QWidget* window) { window_ = window; }
    QWidget* Window() const { return window_; }

    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    void OnTop(bool onTop) override;
    void SetBusy(bool busy) override;
    /// Lets pending events run, but no input: the user cannot edit the module or
    /// start another command meanwhile.
    void DoEvents() override;

    /// Shows a modal dialog and waits until it is closed.
    virtual void ShowModal(QDialog& dialog);
    /// Shows the help document in the help browser.
    virtual void ShowHelp(const QString& document);
    /// Opens an address with the desktop's browser.
    virtual void OpenUrl(const QUrl& url);

private:
    QPointer<QWidget> window_;
    bool busy_ = false;
};

}  // namespace window
