// The tool window's logic without widgets: load and write-backs, saving, modes,
// buttons, the template box and the Insert dispatch.
#include <gtest/gtest.h>

#include "core/captions.h"
#include "core/penwork_core.h"
#include "host/workspace.h"
#include "support/support.h"

namespace {

namespace keys = platform::settings;

// A box that remembers the widths it was laid out at when read.
class SpyBox : public toolwindow::PlainTextBox {
public:
    long DisplayLineCount() const override {
        readWidths.push_back(Width());
        return PlainTextBox::DisplayLineCount();
    }
    mutable std::vector<long> readWidths;
};

struct View : core::PenworkView {
    long PlaceholderWidth() const override { return 50; }
};

// The core loaded over `stored` settings, with the cursor in a procedure.
struct Window {
    explicit Window(std::initializer_list<std::pair<platform::SettingKey, std::string>> stored = {}) {
        for (const auto& [key, value] : stored) settings.Save(key, value);
        workspace.Open(module, "Module1", 4);
        core.Load();
    }
    std::string Stored(const platform::SettingKey& k) { return settings.GetSetting(k.app, k.section, k.key, "-"); }
    // Every setting the store holds, "Section/Key=value" a line.
    std::string Stored() {
        std::string s;
        for (const platform::SettingKey& k : keys::All())
            if (Stored(k) != "-") s += std::string(k.section) + "/" + k.key + "=" + Stored(k) + "\n";
        return s;
    }

    host::SourceModule module{testsupport::Crlf("Option Explicit\n\nSub Foo()\n   x = 1\nEnd Sub\n")};
    host::Workspace workspace;
    platform::RecordingDialogs dialogs;
    platform::StagedFiles files;
    platform::MemorySettings settings;
    std::array<SpyBox, 8> boxes;
    View view;
    core::PenworkCore core{workspace, dialogs, files, settings,
                           {&boxes[0], &boxes[1], &boxes[2], &boxes[3], &boxes[4], &boxes[5], &boxes[6], &boxes[7]},
                           view};
};

TEST(PenworkCore, StoredFlagsCheckOnlyOnOneAndWriteBackOnlyWhatTheyCheck) {
    // A name the user cleared stays empty.
    Window w({{keys::RevisionProcedure, "1.0"}, {keys::RevisionModule, "2"}, {keys::RevisionText, "yes"},
              {keys::AuthorName, ""}});
    EXPECT_EQ((std::array<bool, 4>{true, false, false, false}), w.core.State().revision);
    EXPECT_EQ("Author/Name=\nAuthor/Initials=EYI\nRevision/Type=Bug\nRevision/Number=00000\nRevision/Procedure=1\n"
              "Revision/Module=2\nRevision/Text=yes\n",
              w.Stored());
}

// A name of blanks passes, the empty initials do not; a second Save stores both
// fields over what the store holds.
TEST(PenworkCore, SaveChecksOnlyTheLengthAndTheFieldsReadAsOneLine) {
    Window w;
    w.core.SetName("   ");
    w.core.SetInitials("");
    w.core.Save();
    ASSERT_EQ(1u, w.dialogs.messages.size());
    EXPECT_EQ("Save Author's Initials", w.dialogs.messages[0].title);
    w.core.SetInitials("JD");
    w.settings.Save(keys::AuthorName, "other");
    w.core.Save();
    w.core.PickRevType("ALT");
    EXPECT_EQ("Author/Name=   \nAuthor/Initials=JD\nRevision/Type=ALT\nRevision/Number=00000\n", w.Stored());

    // What the generators read of a single-line field never ends a line, or the
    // rest of the text would become code: each kind of line break reads as one blank.
    w.core.SetName("Jane\r\nEnd Sub");
    w.core.SetInitials("J\nD");
    w.core.SetRevNumber("1\r2");
    w.core.PickRevType("BUG\r\n");
    EXPECT_EQ("Jane End Sub|J D|1 2|BUG ",
              w.core.txtName() + "|" + w.core.txtInitials() + "|" + w.core.txtRevNumber() + "|" + w.core.cboRevType());
}

TEST(PenworkCore, TemplateBoxFollowsTheHandlerKindAndTakesTypingOnlyForCustom) {
    Window w({{keys::ErrorHandlerCustom, "MsgBox [ProcName]"}});
    w.core.SelectHeaderType(toolwindow::Error);
    EXPECT_EQ("MsgBox [ProcName]", w.core.Box(7).Text());
    EXPECT_EQ(core::kSaveHandlerCaption, w.core.State().second.caption);
    w.core.Box(7).SetText("edited");
    w.core.Second();
    EXPECT_EQ("edited", w.Stored(keys::ErrorHandlerCustom));
    // A fixed handler's text, which takes no typing, is seen on the window; it
    // cannot be saved over the custom one.
    w.core.SelectHandler(toolwindow::ResumeNext);
    EXPECT_FALSE(w.core.State().second.enabled);
}

TEST(PenworkCore, ClearEmptiesTheBoxInViewAndClearAllEverySection) {
    Window w;
    for (int i = 0; i < 7; ++i) w.core.Box(i).SetText("t" + std::to_string(i));
    w.core.SelectSection(toolwindow::Inputs);
    w.core.Clear();
    EXPECT_EQ("", w.core.Box(1).Text());
    EXPECT_EQ("t0", w.core.Box(0).Text());
    w.core.SelectHeaderType(toolwindow::Comment);
    w.core.SelectHeaderType(toolwindow::Procedure);
    EXPECT_EQ(1, w.core.State().boxInView);  // the section that was selected
    EXPECT_EQ(core::kClearAllCaption, w.core.State().second.caption);
    w.core.Second();
    for (int i = 0; i < 4; ++i) EXPECT_EQ("", w.core.Box(i).Text());
    EXPECT_EQ("t5", w.core.Box(5).Text());
}

// The revision lines are the box's display lines at 1.4 times the placeholder's
// width; the box gets its width back afterwards.
TEST(PenworkCore, RevisionInsertReadsTheBoxWiderAndPutsItBack) {
    Window w;
    w.core.SelectHeaderType(toolwindow::Revision);
    w.core.ClickRevision(3, true);
    w.core.Box(5).SetText("fixed");
    w.core.Box(5).SetWidth(10);
    w.boxes[5].readWidths.clear();
    ASSERT_TRUE(w.core.Insert().revision);
    ASSERT_FALSE(w.boxes[5].readWidths.empty());
    for (long width : w.boxes[5].readWidths) EXPECT_EQ(70, width);
    EXPECT_EQ(50, w.core.Box(5).Width());
    EXPECT_NE(std::string::npos, w.module.Text().find("fixed"));
    // With no target left Insert is disabled; each click is stored.
    w.core.ClickRevision(3, false);
    EXPECT_FALSE(w.core.State().insert.enabled);
    EXPECT_EQ("0", w.Stored(keys::RevisionCode));
}

TEST(PenworkCore, InsertWithoutACodePaneInsertsNothingAndSaysNothing) {
    Window w;
    const std::string before = w.module.Text();
    w.workspace.Unfocus();
    for (int mode : {toolwindow::Comment, toolwindow::Module}) {
        w.core.SelectHeaderType(mode);
        w.core.Box(mode + 3).SetText("text");
        w.core.Insert();
        EXPECT_EQ(before, w.module.Text());
        EXPECT_TRUE(w.dialogs.messages.empty());
    }
}

// Module mode: the header goes above everything, Option Explicit included,
// wherever the cursor is.
TEST(PenworkCore, ModuleHeaderGoesToTheFirstLine) {
    Window w;
    const std::string before = w.module.Text();
    w.core.SelectHeaderType(toolwindow::Module);
    w.core.Box(toolwindow::kModuleDescriptionBox).SetText("Stock levels.");
    w.core.Insert();
    const std::string rule = "'" + std::string(70, '-') + "\r\n";
    const std::string text = w.module.Text();
    ASSERT_TRUE(text.ends_with(rule + before)) << text;
    EXPECT_TRUE(text.starts_with(rule + "' Module Name:\tModule1\r\n")) << text;
    EXPECT_NE(text.find("Stock levels."), std::string::npos) << text;
}

// Close all leaves the project window and closes every code window.
TEST(PenworkCore, CloseAllLeavesOnlyTheProjectWindow) {
    host::SourceModule other("Sub Bar()\r\nEnd Sub\r\n");  // outlives the window's workspace
    Window w;
    w.workspace.Open(other, "Module2");
    ASSERT_EQ(3u, w.workspace.Windows().size());
    w.core.CloseAll();
    EXPECT_EQ(std::vector<ide::Window*>{&w.workspace.ProjectWindow()}, w.workspace.Windows());
}

// About puts the window back on top even with chkOnTop off (what help does is
// checked on the window); a resize to the normal state restores what chkOnTop says.
TEST(PenworkCore, AboutRestoresTheTopAndANormalResizeWhatChkOnTopSays) {
    Window w;
    w.core.ClickOnTop(false);
    w.dialogs.onTopCalls.clear();
    bool shown = false;
    w.core.About([&] { shown = true; });
    EXPECT_TRUE(shown);
    EXPECT_EQ((std::vector<bool>{false, true}), w.dialogs.onTopCalls);
    w.core.Resize(false);
    EXPECT_EQ(2u, w.dialogs.onTopCalls.size());
    w.core.Resize(true);
    EXPECT_EQ((std::vector<bool>{false, true, false}), w.dialogs.onTopCalls);
}

}  // namespace
