// The workspace as a live model: selections, the focused window, and the events a
// front end follows to show the windows and the "Add-Ins" bar.
#include <gtest/gtest.h>

#include "host/workspace.h"

namespace {

/// Records every window and control event as "<event> <caption>".
struct EventLog {
    explicit EventLog(host::Workspace& vbe) {
        vbe.SubscribeWindows([this](host::WindowEvent e, ide::Window& w) {
            static const char* const kNames[] = {"opened", "closed", "focused"};
            lines.push_back(std::string(kNames[static_cast<int>(e)]) + " " + w.Caption());
        });
        vbe.SubscribeControls([this](host::ControlEvent e, ide::CommandBarControl& c) {
            static const char* const kNames[] = {"added", "renamed", "deleted"};
            lines.push_back(std::string(kNames[static_cast<int>(e)]) + " [" + c.Caption() + "]");
        });
    }
    std::vector<std::string> Take() { return std::exchange(lines, {}); }
    std::vector<std::string> lines;
};

using Lines = std::vector<std::string>;

TEST(LiveWorkspace, WindowsOpenCloseAndTakeTheFocus) {
    host::SourceModule a("Sub A()\r\nEnd Sub\r\n"), b("Sub B()\r\nEnd Sub\r\n");
    host::Workspace vbe;
    EventLog log(vbe);

    ide::CodePane& paneA = vbe.Open(a, "mA", 2);
    EXPECT_EQ(log.Take(), (Lines{"opened mA (Code)", "focused mA (Code)"}));
    ide::CodePane& paneB = vbe.Open(b, "mB");
    EXPECT_EQ(&vbe.Open(a, "mA"), &paneA) << "a module has one code window";
    EXPECT_EQ(&paneB.CodeModule(), &b);
    EXPECT_EQ(log.Take(), (Lines{"opened mB (Code)", "focused mB (Code)", "focused mA (Code)"}));
    std::string windows;
    for (ide::Window* w : vbe.Windows()) windows += w->Caption() + "/" + std::to_string(w->Type()) + "\n";
    EXPECT_EQ(windows, "Project - Project1/6\nmA (Code)/0\nmB (Code)/0\n");

    // The project window takes the focus and leaves the active code pane alone,
    // as the tool window needs it while the user works elsewhere.
    vbe.Focus(vbe.ProjectWindow());
    EXPECT_EQ(vbe.ActiveWindow(), &vbe.ProjectWindow());
    EXPECT_EQ(vbe.ActiveCodePane(), &paneA);
    vbe.Focus(paneB.Window());
    EXPECT_EQ(vbe.ActiveCodePane(), &paneB);
    EXPECT_EQ(vbe.PaneOf(paneB.Window()), &paneB);
    EXPECT_EQ(vbe.PaneOf(vbe.ProjectWindow()), nullptr);
    log.Take();

    paneB.Window().Close();
    paneB.Window().Close();
    EXPECT_EQ(log.Take(), (Lines{"closed mB (Code)"})) << "closing twice tells once";
    EXPECT_EQ(vbe.ActiveCodePane(), nullptr);
    EXPECT_EQ(vbe.ActiveWindow(), nullptr);
    EXPECT_THROW(vbe.Focus(paneB.Window()), ide::HostError) << "a closed window takes no focus";

    vbe.ProjectWindow().Close();
    EXPECT_EQ(vbe.Windows(), std::vector<ide::Window*>{&paneA.Window()});
    vbe.ShowProjectWindow();
    EXPECT_EQ(vbe.Open(b, "mB", 1).Window().Visible(), true) << "a closed window opens again";
    EXPECT_EQ(log.Take(), (Lines{"closed Project - Project1", "opened Project - Project1",
                                 "opened mB (Code)", "focused mB (Code)"}));
}

TEST(LiveWorkspace, SelectionIsWhatTheUserSelected) {
    host::SourceModule a("Sub A()\r\n  x = 1\r\nEnd Sub\r\n");
    host::Workspace vbe;
    ide::CodePane& pane = vbe.Open(a, "mA", 3);
    // Positions count from 1.
    const std::pair<host::Selection, host::Selection> cases[] = {{{1, 1, 3, 4}, {1, 1, 3, 4}},
                                                                 {{0, -4, 0, 0}, {1, 1, 1, 1}}};
    for (const auto& [set, read] : cases) {
        vbe.SetSelection(pane, set);
        long l1 = 0, c1 = 0, l2 = 0, c2 = 0;
        pane.GetSelection(l1, c1, l2, c2);
        EXPECT_EQ((host::Selection{l1, c1, l2, c2}), read);
        EXPECT_EQ(vbe.SelectionOf(pane), read);
    }
    vbe.Open(a, "mA", 2);
    EXPECT_EQ(vbe.SelectionOf(pane), (host::Selection{2, 1, 2, 1})) << "opening puts the cursor at the line";
}

TEST(LiveWorkspace, AddInsBarTellsAddedRenamedAndDeletedControls) {
    host::Workspace vbe;
    EventLog log(vbe);
    ide::CommandBar& bar = vbe.CommandBars().Item("add-ins");
    ide::CommandBarControl& first = bar.AddControl(1);
    first.SetCaption("Quillmark");
    first.SetCaption("Quillmark");
    ide::CommandBarControl& second = bar.AddControl(1);
    second.SetCaption("Other");
    int clicks = 0;
    vbe.CommandBarEvents(second).OnClick([&](ide::CommandBarControl&, bool&, bool&) { ++clicks; });
    EXPECT_EQ(vbe.AddInControls(), (std::vector<ide::CommandBarControl*>{&first, &second}));
    EXPECT_TRUE(vbe.ClickAddInCommand("Other"));
    first.Delete();
    first.Delete();
    first.SetCaption("Gone");
    EXPECT_FALSE(vbe.ClickAddInCommand(first)) << "a deleted control is not on the bar";
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(log.Take(), (Lines{"added []", "renamed [Quillmark]", "added []", "renamed [Other]",
                                 "deleted [Quillmark]"}));
    EXPECT_EQ(vbe.AddInCommands(), Lines{"Other"});
    EXPECT_FALSE(vbe.ClickAddInCommand("Gone"));
    EXPECT_THROW(vbe.CommandBars().Item("Standard"), ide::HostError);
}

}  // namespace
