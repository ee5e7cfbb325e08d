#include "host/workspace.h"

#include <algorithm>
#include <utility>

#include "platform/listeners.h"

namespace host {

namespace {

using Notify = std::function<void(WindowEvent, ide::Window&)>;

class CodeWindow;

class CodeWindowFrame final : public ide::Window {
public:
    explicit CodeWindowFrame(CodeWindow& owner) : owner_(owner) {}
    std::string Caption() const override;
    bool Visible() const override;
    int Type() const override { return ide::vbext_wt_CodeWindow; }
    void Close() override;
    CodeWindow& Owner() { return owner_; }

private:
    CodeWindow& owner_;
};

/// A module opened in a code window: the window and its one code pane.
class CodeWindow final : public ide::CodePane {
public:
    CodeWindow(ide::CodeModule& module, std::string moduleName, const Notify& notify)
        : module_(module), name_(std::move(moduleName)), notify_(notify), frame_(*this) {}

    void GetSelection(long& startLine, long& startColumn, long& endLine, long& endColumn) const override {
        startLine = selection_.startLine;
        startColumn = selection_.startColumn;
        endLine = selection_.endLine;
        endColumn = selection_.endColumn;
    }
    ide::CodeModule& CodeModule() override { return module_; }
    ide::Window& Window() override { return frame_; }

    void Rename(std::string moduleName) { name_ = std::move(moduleName); }
    void Select(const Selection& selection) {
        selection_ = selection;
        for (long* v : {&selection_.startLine, &selection_.startColumn, &selection_.endLine,
                        &selection_.endColumn})
            *v = std::max(*v, 1L);
    }
    const Selection& Selected() const { return selection_; }
    const ide::CodeModule& Module() const { return module_; }
    const std::string& ModuleName() const { return name_; }
    bool IsOpen() const { return open_; }
    /// True when it was closed before.
    bool MarkOpen() { return !std::exchange(open_, true); }
    void Close() {
        if (!open_) return;
        open_ = false;
        notify_(WindowEvent::Closed, frame_);
    }

private:
    ide::CodeModule& module_;
    std::string name_;
    const Notify& notify_;
    Selection selection_;
    bool open_ = false;
    CodeWindowFrame frame_;
};

std::string CodeWindowFrame::Caption() const { return owner_.ModuleName() + " (Code)"; }
bool CodeWindowFrame::Visible() const { return owner_.IsOpen(); }
void CodeWindowFrame::Close() { owner_.Close(); }

class ProjectFrame final : public ide::Window {
public:
    ProjectFrame(Project*& project, const Notify& notify) : project_(project), notify_(notify) {}
    std::string Caption() const override {
        return "Project - " + (project_ != nullptr ? project_->Name() : std::string("Project1"));
    }
    bool Visible() const override { return visible_; }
    int Type() const override { return ide::vbext_wt_ProjectWindow; }
    void Close() override {
        if (!visible_) return;
        visible_ = false;
        notify_(WindowEvent::Closed, *this);
    }
    void Show() {
        if (visible_) return;
        visible_ = true;
        notify_(WindowEvent::Opened, *this);
    }

private:
    Project*& project_;
    const Notify& notify_;
    bool visible_ = true;
};

}  // namespace

struct Workspace::Impl {
    Impl() {
        notify = [this](WindowEvent event, ide::Window& window) {
            if (event == WindowEvent::Closed && &window == focused) focused = nullptr;
            if (event == WindowEvent::Closed && active != nullptr && &window == &active->Window())
                active = nullptr;
            windowListeners.Notify(event, window);
        };
    }

    CodeWindow* Find(const ide::CodePane& pane) const {
        for (const auto& window : codeWindows)
            if (window.get() == &pane) return window.get();
        return nullptr;
    }

    CodeWindow& Require(const ide::CodePane& pane) const {
        CodeWindow* window = Find(pane);
        if (window == nullptr) ide::Raise(ide::kInvalidCall);
        return *window;
    }

    Notify notify;
    Project* project = nullptr;
    ProjectFrame projectWindow{project, notify};
    HostCommandBars commandBars;
    // Closed windows stay allocated: callers may still hold them.
    std::vector<std::unique_ptr<CodeWindow>> codeWindows;
    CodeWindow* active = nullptr;       // the active code pane
    ide::Window* focused = nullptr;     // the window with the focus
    platform::Listeners<WindowEvent, ide::Window&> windowListeners;
};

Workspace::Workspace() : impl_(std::make_unique<Impl>()) {}
Workspace::~Workspace() = default;

ide::CodePane& Workspace::Open(ide::CodeModule& module, const std::string& moduleName, long line) {
    CodeWindow* window = nullptr;
    for (const auto& w : impl_->codeWindows)
        if (&w->Module() == &module) window = w.get();
    if (window == nullptr) {
        impl_->codeWindows.push_back(std::make_unique<CodeWindow>(module, moduleName, impl_->notify));
        window = impl_->codeWindows.back().get();
    }
    window->Rename(moduleName);
    window->Select({line, 1, line, 1});
    if (window->MarkOpen()) impl_->notify(WindowEvent::Opened, window->Window());
    Focus(window->Window());
    return *window;
}

void Workspace::Focus(ide::Window& window) {
    if (!window.Visible()) ide::Raise(ide::kInvalidCall);
    if (&window == &impl_->projectWindow) {
        impl_->focused = &window;
    } else {
        CodeWindow& code = static_cast<CodeWindowFrame&>(window).Owner();
        impl_->Require(code);
        impl_->active = &code;
        impl_->focused = &window;
    }
    impl_->notify(WindowEvent::Focused, window);
}

void Workspace::Unfocus() {
    impl_->active = nullptr;
    impl_->focused = nullptr;
}

ide::Window* Workspace::ActiveWindow() { return impl_->focused; }

void Workspace::SetSelection(ide::CodePane& pane, const Selection& selection) {
    impl_->Require(pane).Select(selection);
}

Selection Workspace::SelectionOf(const ide::CodePane& pane) const { return impl_->Require(pane).Selected(); }

ide::CodePane* Workspace::PaneOf(ide::Window& window) {
    for (const auto& w : impl_->codeWindows)
        if (&w->Window() == &window) return w.get();
    return nullptr;
}

ide::Window& Workspace::ProjectWindow() { return impl_->projectWindow; }

void Workspace::ShowProjectWindow() { impl_->projectWindow.Show(); }

void Workspace::SetProject(Project* project) { impl_->project = project; }

ide::CodePane* Workspace::ActiveCodePane() { return impl_->active; }

ide::VBProject* Workspace::ActiveVBProject() { return impl_->project; }

std::vector<ide::Window*> Workspace::Windows() {
    std::vector<ide::Window*> windows;
    if (impl_->projectWindow.Visible()) windows.push_back(&impl_->projectWindow);
    for (const auto& window : impl_->codeWindows)
        if (window->IsOpen()) windows.push_back(&window->Window());
    return windows;
}

ide::CommandBars& Workspace::CommandBars() { return impl_->commandBars; }

ide::CommandBarEvents& Workspace::CommandBarEvents(ide::CommandBarControl& control) {
    return impl_->commandBars.EventsOf(control);
}

int Workspace::SubscribeWindows(WindowListener listener) { return impl_->windowListeners.Add(std::move(listener)); }

void Workspace::UnsubscribeWindows(int id) { impl_->windowListeners.Remove(id); }

int Workspace::SubscribeControls(ControlListener listener) {
    return impl_->commandBars.Subscribe(std::move(listener));
}

void Workspace::UnsubscribeControls(int id) { impl_->commandBars.Unsubscribe(id); }

std::vector<ide::CommandBarControl*> Workspace::AddInControls() const {
    return impl_->commandBars.AddInControls();
}

std::vector<std::string> Workspace::AddInCommands() const { return impl_->commandBars.AddInCaptions(); }

bool Workspace::ClickAddInCommand(const std::string& caption) {
    return impl_->commandBars.ClickAddIn(caption);
}

bool Workspace::ClickAddInCommand(ide::CommandBarControl& control) {
    return impl_->commandBars.Click(control);
}

}  // namespace host
