#include "host/command_bars.h"

#include <algorithm>

#include "host/line_scanner.h"
#include "platform/listeners.h"

namespace host {

namespace {

using Notify = std::function<void(ControlEvent, ide::CommandBarControl&)>;

class Control final : public ide::CommandBarControl {
public:
    explicit Control(const Notify& notify) : notify_(notify) {}
    std::string Caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override {
        if (deleted_ || caption == caption_) {
            caption_ = caption;
            return;
        }
        caption_ = caption;
        notify_(ControlEvent::Renamed, *this);
    }
    // A deleted control leaves the bar; the object stays valid for whoever holds it.
    void Delete() override {
        if (deleted_) return;
        deleted_ = true;
        notify_(ControlEvent::Deleted, *this);
    }
    bool Deleted() const { return deleted_; }

private:
    const Notify& notify_;
    std::string caption_;
    bool deleted_ = false;
};

}  // namespace

class HostCommandBars::Bar final : public ide::CommandBar {
public:
    explicit Bar(std::string name) : name_(std::move(name)) {
        notify_ = [this](ControlEvent event, ide::CommandBarControl& control) {
            listeners_.Notify(event, control);
        };
    }
    std::string Name() const override { return name_; }
    ide::CommandBarControl& AddControl(int /*type: every control is a button here*/) override {
        controls_.push_back(std::make_unique<Control>(notify_));
        notify_(ControlEvent::Added, *controls_.back());
        return *controls_.back();
    }
    std::vector<Control*> Live() const {
        std::vector<Control*> live;
        for (const auto& c : controls_)
            if (!c->Deleted()) live.push_back(c.get());
        return live;
    }
    int Subscribe(ControlListener listener) { return listeners_.Add(std::move(listener)); }
    void Unsubscribe(int id) { listeners_.Remove(id); }

private:
    std::string name_;
    Notify notify_;
    std::vector<std::unique_ptr<Control>> controls_;
    platform::Listeners<ControlEvent, ide::CommandBarControl&> listeners_;
};

class HostCommandBars::Events final : public ide::CommandBarEvents {
public:
    void OnClick(ClickHandler handler) override { handlers_.push_back(std::move(handler)); }
    void Click(ide::CommandBarControl& control) {
        bool handled = false;
        bool cancelDefault = false;
        // A copy, so a handler may register another one.
        const auto current = handlers_;
        for (const ClickHandler& handler : current) handler(control, handled, cancelDefault);
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

std::vector<ide::CommandBarControl*> HostCommandBars::AddInControls() const {
    std::vector<ide::CommandBarControl*> controls;
    for (Control* c : addIns_->Live()) controls.push_back(c);
    return controls;
}

std::vector<std::string> HostCommandBars::AddInCaptions() const {
    std::vector<std::string> captions;
    for (Control* c : addIns_->Live()) captions.push_back(c->Caption());
    return captions;
}

bool HostCommandBars::ClickAddIn(const std::string& caption) {
    for (Control* c : addIns_->Live())
        if (c->Caption() == caption) return Click(*c);
    return false;
}

bool HostCommandBars::Click(ide::CommandBarControl& control) {
    const auto live = addIns_->Live();
    if (std::find(live.begin(), live.end(), &control) == live.end()) return false;
    auto it = events_.find(&control);
    if (it != events_.end()) it->second->Click(control);
    return true;
}

int HostCommandBars::Subscribe(ControlListener listener) { return addIns_->Subscribe(std::move(listener)); }
void HostCommandBars::Unsubscribe(int id) { addIns_->Unsubscribe(id); }

}  // namespace host
