// What the window tests share: a dialog port that opens nothing and records
// everything, and the tool window over a module in the host's workspace.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QTest>

#include "host/module_file.h"
#include "host/workspace.h"
#include "platform/files.h"
#include "platform/settings.h"
#include "support/memory_settings.h"
#include "support/recording_dialogs.h"
#include "window/frm_penwork.h"

namespace windowtest {

/// The real port for on-top, cursor and events; every dialog only recorded.
class TestDialogs : public window::WindowDialogs {
public:
    struct Message {
        std::string prompt;
        int style;
        std::string title;
    };
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    /// Shows the dialog without waiting, as far as its show and hide events go.
    void ShowModal(QDialog& dialog) override;
    void ShowHelp(const QString& document) override { helps.push_back(document); }
    void OpenUrl(const QUrl& url) override { urls.push_back(url); }

    std::vector<Message> messages;
    std::vector<bool> onTopAtMessage;  // the window's on-top state while each box was up
    std::vector<QString> helps;
    std::vector<QUrl> urls;
    int modals = 0;
    bool onTopDuringModal = true;
};

bool IsOnTop(const QWidget& w);

/// The tool window over a module of the example project (copied to a temporary
/// folder), shown in a workspace with the cursor at `line`.
class PenworkFixture {
public:
    explicit PenworkFixture(const std::string& moduleFile = "Inventory.bas", long line = 1);
    ~PenworkFixture();

    template <class W>
    W* Find(const QString& name) const {
        W* w = window->findChild<W*>(name);
        if (!w) qFatal("no control %s", qPrintable(name));
        return w;
    }
    /// Clicks a button, check box or option button as a user does.
    void Click(const QString& name) const;
    /// Empties a text control and types `text`; "\n" presses Return.
    void Type(const QString& name, const QString& text) const;
    void Trigger(const QString& actionName) const;
    std::string ModuleBytes() const { return file->Bytes(); }
    std::string Dir() const { return dir; }
    /// The cursor on `line` of the file (as an editor numbers it).
    void MoveCursor(long fileLine);

    std::string dir;
    platform::MemorySettings settings;
    platform::StagedFiles files;
    std::unique_ptr<host::ModuleFile> file;
    std::unique_ptr<host::Project> project;
    host::Workspace workspace;
    TestDialogs dialogs;
    std::unique_ptr<window::frmPenwork> window;
};

}  // namespace windowtest
