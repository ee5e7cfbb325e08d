#include "addin/connect.h"

#include <exception>

#include "window/cwindow.h"

namespace addin {

Connect::Connect(platform::SettingsStore& settings, platform::DialogPort& messages, WindowFactory makeWindow)
    : settings_(settings), messages_(messages), makeWindow_(std::move(makeWindow)) {}

Connect::~Connect() = default;

// What was done before a failure stays done; the host is told nothing.
void Connect::OnConnection(ide::VBE& VBInst, ide::ConnectMode ConnectMode) {
    try {
        vbe_ = &VBInst;
        if (ConnectMode != ide::ext_cm_External) {
            menuCommand_ = AddToAddInCommandBar(kMenuCaption);
            if (menuCommand_) {
                vbe_->CommandBarEvents(*menuCommand_)
                    .OnClick([this](ide::CommandBarControl& control, bool& handled, bool& cancelDefault) {
                        MenuHandler_Click(control, handled, cancelDefault);
                    });
            }
        } else {
            Show();
        }
        if (ConnectMode == ide::ext_cm_AfterStartup && settings_.Get(platform::settings::DisplayOnConnect) == "1")
            Show();
    } catch (const std::exception& e) {
        messages_.MsgBox(e.what(), platform::vbOKOnly, platform::settings::kConnectionApp);
    }
}

ide::CommandBarControl* Connect::AddToAddInCommandBar(const std::string& sCaption) {
    try {
        ide::CommandBarControl& control = vbe_->CommandBars().Item("Add-Ins").AddControl(1);
        control.SetCaption(sCaption);
        return &control;
    } catch (const std::exception&) {
        return nullptr;
    }
}

void Connect::MenuHandler_Click(ide::CommandBarControl&, bool&, bool&) { Show(); }

void Connect::Show() {
    if (!window_) window_ = makeWindow_();
    if (vbe_) window_->SetVBE(*vbe_);
    windowShown_ = true;
    window_->ShowWindow();
    window::CWindow().OnTop(*window_, true);
}

void Connect::Hide() {
    windowShown_ = false;
    if (window_) window_->hide();
}

// Every step runs even when one before it failed.
void Connect::OnDisconnection(ide::DisconnectMode) {
    try {
        if (menuCommand_) menuCommand_->Delete();
    } catch (const std::exception&) {
    }
    menuCommand_ = nullptr;
    try {
        if (windowShown_) {
            settings_.Save(platform::settings::DisplayOnConnect, "1");
            windowShown_ = false;
        } else {
            settings_.Save(platform::settings::DisplayOnConnect, "0");
        }
    } catch (const std::exception&) {
    }
    if (window_ && window_->Loaded()) window_->close();
}

}  // namespace addin
