// frmPenwork, the tool window "VB Quillmark": the widgets that show the tool
// window's logic (core::PenworkCore) and hand it the user's actions.
#pragma once

#include <array>
#include <memory>

#include <QMainWindow>

#include "core/penwork_core.h"
#include "window/about_box.h"
#include "window/window_dialogs.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace window {

class HeaderBox;

class frmPenwork : public QMainWindow, private core::PenworkView {
    Q_OBJECT
public:
    /// The stores and the port must outlive the window.
    frmPenwork(platform::SettingsStore& settings, platform::FileStore& files, WindowDialogs& dialogs,
               QWidget* parent = nullptr);
    ~frmPenwork() override;

    /// The IDE the window works on; handed over before the window is shown.
    void SetVBE(ide::VBE& vbe) { vbe_ = &vbe; }
    /// Shows the window (not modal), loading it first when it is not loaded.
    void ShowWindow();
    bool Loaded() const { return core_ != nullptr; }
    /// The logic the window shows; nullptr while it is not loaded.
    const core::PenworkCore* Core() const { return core_.get(); }
    AboutBox& About() { return *about_; }

signals:
    /// The window was unloaded (closed, or Exit).
    void Unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWidgets();
    QWidget* BuildTypeFrame();
    QWidget* BuildFrames();
    QWidget* BuildAuthorFrame();
    QWidget* BuildToolRow();
    void BuildMenus();
    void ConnectWidgets();
    void FormLoad();
    void Refresh() override;
    void Focus(int target) override;
    long PlaceholderWidth() const override;
    void ShowHelp();
    void ShowAbout();
    void Unload();

    platform::SettingsStore& settings_;
    platform::FileStore& files_;
    WindowDialogs& dialogs_;
    ide::VBE* vbe_ = nullptr;
    std::unique_ptr<core::PenworkCore> core_;
    bool refreshing_ = false;

    std::array<QRadioButton*, 5> optHeaderType_{};
    std::array<QRadioButton*, 4> optProcSection_{};
    std::array<QRadioButton*, 2> optHeader_{};
    std::array<QCheckBox*, 4> chkRevision_{};
    std::array<QRadioButton*, 4> optErrorHandler_{};
    std::array<HeaderBox*, 8> txtHeader_{};
    std::array<QGroupBox*, 5> frames_{};  // by header type
    QStackedWidget* frameStack_ = nullptr;
    QStackedWidget* txtDescription_ = nullptr;
    QLabel* picTitle_ = nullptr;
    QLineEdit* txtName_ = nullptr;
    QLineEdit* txtInitials_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QComboBox* cboRevType_ = nullptr;
    QLineEdit* txtRevNumber_ = nullptr;
    QCheckBox* chkOnTop_ = nullptr;
    QPushButton* cmdInsertText_ = nullptr;
    QPushButton* cmd2nd_ = nullptr;
    QPushButton* cmdClear_ = nullptr;
    QPushButton* cmdIndent_ = nullptr;
    QPushButton* cmdCopyRight_ = nullptr;
    QPushButton* cmdCloseAll_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    QPushButton* cmdAbout_ = nullptr;
    QAction* mnuFileExit_ = nullptr;
    QAction* mnuHelpInfo_ = nullptr;
    QAction* mnuHelpWebPage_ = nullptr;
    QAction* mnuHelpAbout_ = nullptr;
    AboutBox* about_ = nullptr;
};

}  // namespace window
