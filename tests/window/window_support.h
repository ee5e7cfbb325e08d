// What the window tests share: a dialog port that opens nothing and records
// everything.
#pragma once

#include <string>
#include <vector>

#include "window/window_dialogs.h"

namespace windowtest {

bool IsOnTop(const QWidget& w);

/// The real port for on-top, the cursor and events; every dialog only recorded,
/// with the window's on-top state while it was up.
class TestDialogs : public window::WindowDialogs {
public:
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    /// Shows and hides the dialog without waiting.
    void ShowModal(QDialog& dialog) override;
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
