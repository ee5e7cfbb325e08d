// Connect, the add-in the IDE creates as "Quillmark.Connect": its command on the
// "Add-Ins" menu opens the tool window; whether the window was open is
// remembered from one run of the IDE to the next.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ide/extensibility.h"
#include "platform/dialogs.h"
#include "platform/settings.h"
#include "window/frm_penwork.h"

namespace addin {

inline constexpr char kProgId[] = "Quillmark.Connect";
inline constexpr char kMenuCaption[] = "Quillmark";

class Connect : public ide::IDTExtensibility {
public:
    using WindowFactory = std::function<std::unique_ptr<window::frmPenwork>()>;
    /// `messages` shows the connection's failure; `makeWindow` creates the tool
    /// window on first use.
    Connect(platform::SettingsStore& settings, platform::DialogPort& messages, WindowFactory makeWindow);
    ~Connect() override;

    void OnConnection(ide::VBE& VBInst, ide::ConnectMode ConnectMode) override;
    void OnDisconnection(ide::DisconnectMode RemoveMode) override;
    void OnStartupComplete() override {}
    void OnAddInsUpdate() override {}

    void MenuHandler_Click(ide::CommandBarControl& control, bool& handled, bool& CancelDefault);
    void Show();
    void Hide();
    /// The new button on the "Add-Ins" bar, or nullptr.
    ide::CommandBarControl* AddToAddInCommandBar(const std::string& sCaption);

    bool WindowShown() const { return windowShown_; }
    window::frmPenwork* ToolWindow() const { return window_.get(); }

private:
    platform::SettingsStore& settings_;
    platform::DialogPort& messages_;
    WindowFactory makeWindow_;
    ide::VBE* vbe_ = nullptr;
    ide::CommandBarControl* menuCommand_ = nullptr;
    std::unique_ptr<window::frmPenwork> window_;
    bool windowShown_ = false;
};

}  // namespace addin
