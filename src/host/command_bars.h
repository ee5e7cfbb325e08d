// The IDE's command bars as far as add-ins use them: an "Add-Ins" bar whose
// buttons an add-in adds and deletes, and the Click event source of a button.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "addin/ide.h"

namespace host {

class HostCommandBars final : public ide::CommandBars {
public:
    HostCommandBars();
    ~HostCommandBars() override;

    /// "Add-Ins" (letter case ignored); kSubscriptOutOfRange for any other name.
    ide::CommandBar& Item(const std::string& name) override;
    /// The Click event source of a control; the same object for the same control.
    ide::CommandBarEvents& EventsOf(ide::CommandBarControl& control);
    /// Captions of the controls on the "Add-Ins" bar, in order.
    std::vector<std::string> AddInCaptions() const;
    /// Runs the Click handlers of the "Add-Ins" control with that caption; false
    /// when there is none.
    bool ClickAddIn(const std::string& caption);

private:
    class Bar;
    class Events;
    std::unique_ptr<Bar> addIns_;
    std::map<const ide::CommandBarControl*, std::unique_ptr<Events>> events_;
};

}  // namespace host
