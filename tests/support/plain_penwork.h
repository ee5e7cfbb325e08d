// The generators' view of the tool window over plain fields, for tests that drive
// a generator without the window or its core.
#pragma once

#include <array>
#include <string>

#include "toolwindow/penwork.h"

namespace toolwindow {

/// Penwork over plain fields. The boxes wrap at 65 characters, the revision text
/// box at 79.
class PlainPenwork : public Penwork {
public:
    PlainPenwork(ide::VBE& vbe, platform::DialogPort& dialogs, platform::FileStore& files,
                 platform::SettingsStore& settings)
        : vbe_(vbe), dialogs_(dialogs), files_(files), settings_(settings) {}

    ide::VBE& VBE() override { return vbe_; }
    platform::DialogPort& Dialogs() override { return dialogs_; }
    platform::FileStore& Files() override { return files_; }
    platform::SettingsStore& Settings() override { return settings_; }

    // Single-line fields: a line break given to one (from an option or the
    // settings file) would end the comment line it is written into.
    std::string txtName() const override { return SingleLine(name); }
    std::string txtInitials() const override { return SingleLine(initials); }
    std::string cboRevType() const override { return SingleLine(revType); }
    std::string txtRevNumber() const override { return SingleLine(revNumber); }
    const TextBox& txtHeader(int index) const override { return boxes.at(index); }
    bool optHeader(int index) const override { return (index == 0) == headerBefore; }
    bool chkRevision(int index) const override { return revisionTargets.at(index); }
    bool optErrorHandler(int index) const override { return index == handlerKind; }

    std::string name = "Enter Your Name Here";
    std::string initials = "EYI";
    std::string revType = "Bug";
    std::string revNumber = "00000";
    std::array<PlainTextBox, 8> boxes{PlainTextBox{}, PlainTextBox{}, PlainTextBox{},
                                      PlainTextBox{}, PlainTextBox{}, PlainTextBox{"", 79},
                                      PlainTextBox{}, PlainTextBox{}};
    bool headerBefore = true;
    std::array<bool, 4> revisionTargets{false, false, false, false};
    int handlerKind = Custom;

private:
    ide::VBE& vbe_;
    platform::DialogPort& dialogs_;
    platform::FileStore& files_;
    platform::SettingsStore& settings_;
};

}  // namespace toolwindow
