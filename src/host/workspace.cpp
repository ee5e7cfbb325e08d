#include "host/workspace.h"

#include "host/command_bars.h"

namespace host {

namespace {

class CodeWindow;

class CodeWindowFrame final : public ide::Window {
public:
    explicit CodeWindowFrame(CodeWindow& owner) : owner_(owner) {}
    std::string Caption() const override;
    bool Visible() const override;
    int Type() const override { return ide::vbext_wt_CodeWindow; }
    void Close() override;

private:
    CodeWindow& owner_;
};

/// A module opened in a code window: the window and its one code pane.
class CodeWindow final : public ide::CodePane {
public:
    CodeWindow(SourceModule& module, std::string moduleName, long line)
        : module_(module), name_(std::move(moduleName)), line_(line), frame_(*this) {}

    void GetSelection(long& startLine, long& startColumn, long& endLine, long& endColumn) const override {
        startLine = endLine = line_;
        startColumn = endColumn = 1;
    }
    ide::CodeModule& CodeModule() override { return module_; }
    ide::Window& Window() override { return frame_; }

    void Reopen(std::string moduleName, long line) {
        name_ = std::move(moduleName);
        line_ = line;
        open_ = true;
    }
    const SourceModule& Module() const { return module_; }
    const std::string& ModuleName() const { return name_; }
    bool Open() const { return open_; }
    void Close() { open_ = false; }

private:
    SourceModule& module_;
    std::string name_;
    long line_;
    bool open_ = true;
    CodeWindowFrame frame_;
};

std::string CodeWindowFrame::Caption() const { return owner_.ModuleName() + " (Code)"; }
bool CodeWindowFrame::Visible() const { return owner_.Open(); }
void CodeWindowFrame::Close() { owner_.Close(); }

class ProjectWindow final : public ide::Window {
public:
    explicit ProjectWindow(Project*& project) : project_(project) {}
    std::string Caption() const override {
        return "Project - " + (project_ != nullptr ? project_->Name() : std::string("Project1"));
    }
    bool Visible() const override { return visible_; }
    int Type() const override { return ide::vbext_wt_ProjectWindow; }
    void Close() override { visible_ = false; }

private:
    Project*& project_;
    bool visible_ = true;
};

}  // namespace

struct Workspace::Impl {
    Project* project = nullptr;
    ProjectWindow projectWindow{project};
    HostCommandBars commandBars;
    // Closed windows stay allocated: callers may still hold them.
    std::vector<std::unique_ptr<CodeWindow>> codeWindows;
    CodeWindow* active = nullptr;
};

Workspace::Workspace() : impl_(std::make_unique<Impl>()) {}
Workspace::~Workspace() = default;

ide::CodePane& Workspace::Open(SourceModule& module, const std::string& moduleName, long line) {
    for (const auto& window : impl_->codeWindows) {
        if (&window->Module() == &module) {
            window->Reopen(moduleName, line);
            impl_->active = window.get();
            return *window;
        }
    }
    impl_->codeWindows.push_back(std::make_unique<CodeWindow>(module, moduleName, line));
    impl_->active = impl_->codeWindows.back().get();
    return *impl_->active;
}

void Workspace::Unfocus() { impl_->active = nullptr; }

void Workspace::SetProject(Project* project) { impl_->project = project; }

ide::CodePane* Workspace::ActiveCodePane() {
    if (impl_->active != nullptr && !impl_->active->Open()) impl_->active = nullptr;
    return impl_->active;
}

ide::VBProject* Workspace::ActiveVBProject() { return impl_->project; }

std::vector<ide::Window*> Workspace::Windows() {
    std::vector<ide::Window*> windows{&impl_->projectWindow};
    for (const auto& window : impl_->codeWindows)
        if (window->Open()) windows.push_back(&window->Window());
    return windows;
}

ide::CommandBars& Workspace::CommandBars() { return impl_->commandBars; }

ide::CommandBarEvents& Workspace::CommandBarEvents(ide::CommandBarControl& control) {
    return impl_->commandBars.EventsOf(control);
}

std::vector<std::string> Workspace::AddInCommands() const { return impl_->commandBars.AddInCaptions(); }

bool Workspace::ClickAddInCommand(const std::string& caption) {
    return impl_->commandBars.ClickAddIn(caption);
}

}  // namespace host
