// The IDE's command bars as far as add-ins use them: an "Add-Ins" bar whose
// buttons an add-in adds, renames and deletes, and the Click event source of a
// button. Whoever shows the bar (the editor's "Add-Ins" menu) follows it through
// the control events.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ide/ide.h"

namespace host {

enum class ControlEvent { Added, Renamed, Deleted };

class HostCommandBars final : public ide::CommandBars {
public:
    using ControlListener = std::function<void(ControlEvent, ide::CommandBarControl&)>;

    HostCommandBars();
    ~HostCommandBars() override;

    /// "Add-Ins" (letter case ignored); kSubscriptOutOfRange for any other name.
    ide::CommandBar& Item(const std::string& name) override;
    /// The Click event source of a control; the same object for the same control.
    ide::CommandBarEvents& EventsOf(ide::CommandBarControl& control);
    /// The controls on the "Add-Ins" bar that are not deleted, in order.
    std::vector<ide::CommandBarControl*> AddInControls() const;
    /// Captions of the controls on the "Add-Ins" bar, in order.
    std::vector<std::string> AddInCaptions() const;
    /// Runs the Click handlers of the "Add-Ins" control with that caption; false
    /// when there is none.
    bool ClickAddIn(const std::string& caption);
    /// Runs the Click handlers of a control; false when it is deleted or not on
    /// the bar.
    bool Click(ide::CommandBarControl& control);

    /// Calls `listener` after a control is added, gets a new caption or is
    /// deleted, until Unsubscribe(id).
    int Subscribe(ControlListener listener);
    void Unsubscribe(int id);

private:
    class Bar;
    class Events;
    std::unique_ptr<Bar> addIns_;
    std::map<const ide::CommandBarControl*, std::unique_ptr<Events>> events_;
};

}  // namespace host
