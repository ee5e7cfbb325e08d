#include "host/command_bars.h"

#include "host/line_scanner.h"

namespace host {

namespace {

class Control final : public ide::CommandBarControl {
public:
    std::string Caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    // A deleted control leaves the bar; the object stays valid for whoever holds it.
    void Delete() override { deleted_ = true; }
    bool Deleted() const { return deleted_; }

private:
    std::string caption_;
    bool deleted_ = false;
};

}  // namespace

class HostCommandBars::Bar final : public ide::CommandBar {
public:
    explicit Bar(std::string name) : name_(std::move(name)) {}
    std::string Name() const override { return name_; }
    ide::CommandBarControl& AddControl(int /*type: every control is a button here*/) override {
        controls_.push_back(std::make_unique<Control>());
        return *controls_.back();
    }
    std::vector<Control*> Live() const {
        std::vector<Control*> live;
        for (const auto& c : controls_)
            if (!c->Deleted()) live.push_back(c.get());
        return live;
    }

private:
    std::string name_;
    std::vector<std::unique_ptr<Control>> controls_;
};

class HostCommandBars::Events final : public ide::CommandBarEvents {
public:
    void OnClick(ClickHandler handler) override { handlers_.push_back(std::move(handler)); }
    void Click(ide::CommandBarControl& control) {
        bool handled = false;
        bool cancelDefault = false;
        for (const ClickHandler& handler : handlers_) handler(control, handled, cancelDefault);
    }

private:
    std::vector<ClickHandler> handlers_;
};

HostCommandBars::HostCommandBars() : addIns_(std::make_unique<Bar>("Add-Ins")) {}
HostCommandBars::~HostCommandBars() = default;

ide::CommandBar& HostCommandBars::Item(const std::string& name) {
    if (!EqualsNoCase(name, addIns_->Name())) ide::Raise(ide::kSubscriptOutOfRange);
    return *addIns_;
}

ide::CommandBarEvents& HostCommandBars::EventsOf(ide::CommandBarControl& control) {
    std::unique_ptr<Events>& events = events_[&control];
    if (!events) events = std::make_unique<Events>();
    return *events;
}

std::vector<std::string> HostCommandBars::AddInCaptions() const {
    std::vector<std::string> captions;
    for (Control* c : addIns_->Live()) captions.push_back(c->Caption());
    return captions;
}

bool HostCommandBars::ClickAddIn(const std::string& caption) {
    for (Control* c : addIns_->Live()) {
        if (c->Caption() != caption) continue;
        auto it = events_.find(c);
        if (it != events_.end()) it->second->Click(*c);
        return true;
    }
    return false;
}

}  // namespace host
