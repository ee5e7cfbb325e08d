// The tool window's logic without its widgets: the fields the generators read,
// the load with its write-backs, saving at every change, the modes and sections,
// which buttons are enabled and what they say, and the commands. The desktop
// window shows this state and forwards the user's actions; the command line sets
// the fields from its options and presses Insert.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "indent/indent.h"
#include "revisions/insert_revision.h"
#include "toolwindow/penwork.h"

namespace core {

/// Where the window puts the focus: a txtHeader element (0 to 7) or a button.
inline constexpr int kFocusClear = 8;

/// What the logic needs of the widgets that show it.
class PenworkView {
public:
    virtual ~PenworkView() = default;
    /// The state changed; show it.
    virtual void Refresh() {}
    /// Gives the focus to a txtHeader element or to kFocusClear.
    virtual void Focus(int) {}
    /// The width of the placeholder txtDescription, in the text boxes' units.
    virtual long PlaceholderWidth() const = 0;
};

struct ButtonState {
    bool visible = true;
    bool enabled = true;
    std::string caption;
    std::string tooltip;
};

/// Everything the window shows that its logic decides.
struct PenworkState {
    std::string name, initials, revType, revNumber;
    std::array<bool, 4> revision{false, false, false, false};  // chkRevision
    bool headerBefore = true;                                   // optHeader 0 selected
    bool onTop = false;                                         // chkOnTop
    int headerType = toolwindow::Procedure;                     // optHeaderType
    int procSection = toolwindow::Description;                  // optProcSection
    int handlerKind = toolwindow::Custom;                       // optErrorHandler
    int boxInView = 0;   // the txtHeader element in the placeholder's place
    int frontFrame = toolwindow::Procedure;  // the frame of that mode is in front
    std::array<bool, 5> frameEnabled{true, true, true, true, true};
    bool templateLocked = false;  // txtHeader 7 takes no typing
    ButtonState insert, second, clear;
    PenworkState();
};

/// What one Insert did, for the front ends that report it.
struct InsertResult {
    int headerType = 0;
    std::optional<revisions::RevisionOutcome> revision;  // the Revision type only
};

/// The revision targets stored in the settings, as the load reads them: a box is
/// checked when the stored text's leading number is 1.
std::array<bool, 4> StoredRevisionTargets(platform::SettingsStore& settings);

class PenworkCore : public toolwindow::Penwork {
public:
    /// The boxes and the view must outlive the core.
    PenworkCore(ide::VBE& vbe, platform::DialogPort& dialogs, platform::FileStore& files,
                platform::SettingsStore& settings, std::array<toolwindow::EditableTextBox*, 8> boxes,
                PenworkView& view);

    // toolwindow::Penwork: what the generators read.
    ide::VBE& VBE() override { return vbe_; }
    platform::DialogPort& Dialogs() override { return dialogs_; }
    platform::FileStore& Files() override { return files_; }
    platform::SettingsStore& Settings() override { return settings_; }
    // Single-line fields: a line break given to one would end the comment line
    // it is written into.
    std::string txtName() const override { return toolwindow::SingleLine(state_.name); }
    std::string txtInitials() const override { return toolwindow::SingleLine(state_.initials); }
    std::string cboRevType() const override { return toolwindow::SingleLine(state_.revType); }
    std::string txtRevNumber() const override { return toolwindow::SingleLine(state_.revNumber); }
    const toolwindow::TextBox& txtHeader(int index) const override { return *boxes_.at(index); }
    bool optHeader(int index) const override { return (index == 0) == state_.headerBefore; }
    bool chkRevision(int index) const override { return state_.revision.at(index); }
    bool optErrorHandler(int index) const override { return index == state_.handlerKind; }

    const PenworkState& State() const { return state_; }
    toolwindow::EditableTextBox& Box(int index) { return *boxes_.at(index); }

    /// The load's steps after the window is shown: Before selected, the settings
    /// read into the fields (each change stored back at once), Procedure mode with
    /// the Description section, events run twice, on top with chkOnTop checked.
    void Load();

    // Fields: each change is stored at once.
    void SetName(const std::string& text);
    void SetInitials(const std::string& text);
    /// A typed revision type (stored when it changed).
    void SetRevType(const std::string& text);
    /// A revision type picked from the list (always stored).
    void PickRevType(const std::string& text);
    void SetRevNumber(const std::string& text);
    /// A click on chkRevision `index`, leaving it `checked`.
    void ClickRevision(int index, bool checked);
    void SetHeaderBefore(bool before);
    void ClickOnTop(bool checked);
    /// The window was resized; `normal` when neither minimised nor maximised.
    void Resize(bool normal);
    /// The window is unloaded.
    void Unload();

    /// cmdSave: name and initials, each checked for being empty.
    void Save();

    // Modes and sections.
    void SelectHeaderType(int index);
    void SelectSection(int index);
    void SelectHandler(int index);
    /// Shows handler kind `index` in the template box.
    void ShowHandlerKind(int index);
    void Clear();
    /// cmd2nd: Clear All Proc Headers, or Save Custom Handler in Error mode.
    void Second();
    /// Whether a key typed into txtHeader `index` is kept.
    bool AcceptsKey(int index) const;

    // Commands.
    InsertResult Insert();
    /// cmdIndent; the block it indented, or nothing when it refused.
    std::optional<Indent::IndentedBlock> IndentProcedure();
    void InsertRightsNotice();
    void CloseAll();
    /// Help: shows it, then releases the on-top state.
    void Help(const std::function<void()>& show);
    /// About: off the top, the modal box, on top again.
    void About(const std::function<void()>& showModal);

private:
    void Store(const platform::SettingKey& key, const std::string& value);
    /// A text field's change: kept, stored at once (also when unchanged, if
    /// `always`), and the buttons follow.
    void SetField(std::string& field, const platform::SettingKey& key, const std::string& text, bool always);
    void EnableInsertByTargets();
    void Changed();

    ide::VBE& vbe_;
    platform::DialogPort& dialogs_;
    platform::FileStore& files_;
    platform::SettingsStore& settings_;
    std::array<toolwindow::EditableTextBox*, 8> boxes_;
    PenworkView& view_;
    PenworkState state_;
};

namespace detail {
struct PlainParts {
    struct View : PenworkView {
        long PlaceholderWidth() const override { return 65; }
    } view;
    std::array<toolwindow::PlainTextBox, 8> boxes;
    PlainParts();
};
}  // namespace detail

/// The core over plain word-wrapping boxes (65 characters wide; the revision box's
/// lines at most 79), for the command line and the tests.
class PlainPenworkCore : private detail::PlainParts, public PenworkCore {
public:
    PlainPenworkCore(ide::VBE& vbe, platform::DialogPort& dialogs, platform::FileStore& files,
                     platform::SettingsStore& settings);
};

}  // namespace core
