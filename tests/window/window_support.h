// What the window tests share: a dialog port that opens nothing and records
// everything.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

#include "window/window_dialogs.h"

namespace windowtest {

inline bool IsOnTop(const QWidget& w) { return w.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

/// The real port for on-top, the cursor and events; every dialog only recorded,
/// with the window's on-top state while it was up.
class TestDialogs : public window::WindowDialogs {
public:
    int MsgBox(const std::string&, int, const std::string& title) override {
        titles.push_back(title);
        onTopAtMessage.push_back(Window() && IsOnTop(*Window()));
        return platform::vbOK;
    }
    /// Shows and hides the dialog without waiting.
    void ShowModal(QDialog& dialog) override {
        ++modals;
        onTopDuringModal = Window() && IsOnTop(*Window());
        dialog.show();
        dialog.hide();
    }
    void ShowHelp(const QString& document) override { helps.push_back(document); }
    void OpenUrl(const QUrl& url) override { urls.push_back(url); }

    std::vector<std::string> titles;
    std::vector<bool> onTopAtMessage;
    std::vector<QString> helps;
    std::vector<QUrl> urls;
    int modals = 0;
    bool onTopDuringModal = true;
};

}  // namespace windowtest
