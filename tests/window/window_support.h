// What the window tests share: a dialog port that opens nothing and records
// everything, and the tool window over a copy of the example project.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QTest>

#include "host/module_file.h"
#include "host/workspace.h"
#include "support/support.h"
#include "window/frm_penwork.h"

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

/// The tool window shown over Inventory.bas with the cursor on `line` of the file.
class PenworkFixture {
public:
    explicit PenworkFixture(long line = 1);

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

    testsupport::TempDir dir;
    platform::MemorySettings settings;
    platform::StagedFiles files;
    std::unique_ptr<host::ModuleFile> file;
    std::unique_ptr<host::Project> project;
    host::Workspace workspace;
    TestDialogs dialogs;
    std::unique_ptr<window::frmPenwork> window;
};

}  // namespace windowtest
