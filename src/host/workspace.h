// The host's IDE: modules opened in code windows, the active code pane, the
// active project. The command line and the tests drive generators through it;
// the desktop editor shows it and keeps it in step with its own windows.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ide/ide.h"
#include "host/command_bars.h"
#include "host/source_module.h"
#include "platform/files.h"
#include "host/project.h"

namespace host {

/// A code pane's selection; lines and columns count from 1, a column in
/// characters. The end is where the cursor stands.
struct Selection {
    long startLine = 1;
    long startColumn = 1;
    long endLine = 1;
    long endColumn = 1;
    bool operator==(const Selection&) const = default;
};

enum class WindowEvent { Opened, Closed, Focused };

/// The stand-in for the IDE's root object: the project window, the code windows
/// with their selections, the window with the focus and the command bars. A
/// front end that shows them follows it through the window and control events.
class Workspace final : public ide::VBE {
public:
    using WindowListener = std::function<void(WindowEvent, ide::Window&)>;
    using ControlListener = HostCommandBars::ControlListener;

    Workspace();
    ~Workspace() override;

    /// Opens `module` in a code window captioned "<name> (Code)" (the window it
    /// already has, when it has one) and gives it the focus, with the cursor at
    /// `line`. The module must outlive the workspace.
    ide::CodePane& Open(ide::CodeModule& module, const std::string& moduleName, long line = 1);
    /// Gives an open window the focus: a code window becomes the active code pane;
    /// the project window takes the focus and leaves the active code pane as it is.
    void Focus(ide::Window& window);
    /// Leaves no code pane active.
    void Unfocus();
    /// The window with the focus, or none.
    ide::Window* ActiveWindow();
    /// Sets a code pane's selection (as the user moves the cursor). Positions
    /// below 1 are taken as 1.
    void SetSelection(ide::CodePane& pane, const Selection& selection);
    Selection SelectionOf(const ide::CodePane& pane) const;
    /// The code pane of a code window, or nullptr for any other window.
    ide::CodePane* PaneOf(ide::Window& window);
    ide::Window& ProjectWindow();
    /// Shows the project window again after it was closed.
    void ShowProjectWindow();
    /// The active project, or none. It must outlive the workspace.
    void SetProject(Project* project);

    ide::CodePane* ActiveCodePane() override;
    ide::VBProject* ActiveVBProject() override;
    /// The visible windows: the project window, then the code windows in the
    /// order they were first opened.
    std::vector<ide::Window*> Windows() override;
    ide::CommandBars& CommandBars() override;
    ide::CommandBarEvents& CommandBarEvents(ide::CommandBarControl& control) override;

    /// Calls `listener` after a window opens, closes or gains the focus, until
    /// UnsubscribeWindows(id).
    int SubscribeWindows(WindowListener listener);
    void UnsubscribeWindows(int id);
    /// Calls `listener` after an add-in adds, renames or deletes a control of the
    /// "Add-Ins" bar, until UnsubscribeControls(id).
    int SubscribeControls(ControlListener listener);
    void UnsubscribeControls(int id);

    /// The buttons add-ins put on the "Add-Ins" bar, in order.
    std::vector<ide::CommandBarControl*> AddInControls() const;
    /// Captions of the buttons add-ins put on the "Add-Ins" bar, in order.
    std::vector<std::string> AddInCommands() const;
    /// Clicks the "Add-Ins" button with that caption as the user would: its
    /// CommandBarEvents handlers run. False when there is no such button.
    bool ClickAddInCommand(const std::string& caption);
    /// The same for one button; false when it was deleted.
    bool ClickAddInCommand(ide::CommandBarControl& control);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace host
