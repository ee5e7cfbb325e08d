// What the generators read of the tool window, and the dialogs they show.
//
// The desktop tool window implements Penwork with its widgets; the command line
// and the tests use PlainPenwork, whose fields are plain values.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "ide/ide.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/settings.h"

namespace toolwindow {

enum HeaderType : int { Procedure = 0, Module = 1, Revision = 2, Comment = 3, Error = 4 };
enum ProcSection : int { Description = 0, Inputs = 1, Assumptions = 2, Results = 3 };
enum HandlerKind : int { Custom = 0, ResumeNext = 1, StandardExe = 2, ComponentMsgBox = 3 };

// txtHeader elements.
inline constexpr int kModuleDescriptionBox = 4;
inline constexpr int kRevisionTextBox = 5;
inline constexpr int kCommentTextBox = 6;
inline constexpr int kHandlerTemplateBox = 7;

/// A multi-line text box as it displays its text: hard line breaks and soft wraps
/// both end a display line; a display line holds no line-end characters.
class TextBox {
public:
    virtual ~TextBox() = default;
    virtual std::string Text() const = 0;
    /// Number of display lines; 0 when the text is empty.
    virtual long DisplayLineCount() const = 0;
    /// The display line `index` (from 0); empty past the last one.
    virtual std::string DisplayLine(long index) const = 0;
};

/// A text box that the tool window's logic fills and lays out: its width is in
/// the box's own units (characters for a plain box, pixels on screen).
class EditableTextBox : public TextBox {
public:
    virtual void SetText(std::string text) = 0;
    virtual long Width() const = 0;
    virtual void SetWidth(long width) = 0;
};

/// Wraps one line of text (no line ends in it) at `width` characters, as an edit
/// control does: a line breaks after the last blank that fits, and a word longer
/// than the width is broken at the width. Nothing is dropped.
std::vector<std::string> WrapWords(std::string_view line, long width);

/// A box that wraps words at a width in characters (see WrapWords). `limit`, when
/// above 0, is the longest display line the box ever gives, whatever its width:
/// the generator that reads it keeps no more of a line.
class PlainTextBox : public EditableTextBox {
public:
    explicit PlainTextBox(std::string text = "", long width = 65, long limit = 0);
    void SetText(std::string text) override;
    void SetWidth(long width) override;
    long Width() const override { return width_; }
    std::string Text() const override { return text_; }
    long DisplayLineCount() const override { return static_cast<long>(lines_.size()); }
    std::string DisplayLine(long index) const override;

private:
    void Wrap();
    std::string text_;
    long width_;
    long limit_;
    std::vector<std::string> lines_;
};

class Penwork {
public:
    virtual ~Penwork() = default;

    virtual ide::VBE& VBE() = 0;
    virtual platform::DialogPort& Dialogs() = 0;
    virtual platform::FileStore& Files() = 0;
    virtual platform::SettingsStore& Settings() = 0;

    virtual std::string txtName() const = 0;
    virtual std::string txtInitials() const = 0;
    virtual std::string cboRevType() const = 0;
    virtual std::string txtRevNumber() const = 0;
    /// The eight text boxes (0 to 3 the procedure sections, 4 module description,
    /// 5 revision text, 6 comment text, 7 error-handler template).
    virtual const TextBox& txtHeader(int index) const = 0;
    /// Whether optHeader element `index` (0 Before, 1 After) is selected.
    virtual bool optHeader(int index) const = 0;
    /// Whether chkRevision element `index` is checked (value 1).
    virtual bool chkRevision(int index) const = 0;
    /// Whether optErrorHandler element `index` is selected.
    virtual bool optErrorHandler(int index) const = 0;
};

/// A single-line box's text: each line break (CR LF, LF or CR) shown as a blank.
std::string SingleLine(const std::string& text);

/// Penwork over plain fields. The boxes wrap at 65 characters, the revision text
/// box at 79.
class PlainPenwork : public Penwork {
public:
    PlainPenwork(ide::VBE& vbe, platform::DialogPort& dialogs, platform::FileStore& files,
                 platform::SettingsStore& settings);

    ide::VBE& VBE() override { return vbe_; }
    platform::DialogPort& Dialogs() override { return dialogs_; }
    platform::FileStore& Files() override { return files_; }
    platform::SettingsStore& Settings() override { return settings_; }

    // Single-line fields: a line break given to one (from an option or the
    // settings file) would end the comment line it is written into.
    std::string txtName() const override { return SingleLine(name); }
    std::string txtInitials() const override { return SingleLine(initials); }
    std::string cboRevType() const override { return SingleLine(revType); }
    std::string txtRevNumber() const override { return SingleLine(revNumber); }
    const TextBox& txtHeader(int index) const override { return boxes.at(index); }
    bool optHeader(int index) const override { return (index == 0) == headerBefore; }
    bool chkRevision(int index) const override { return revisionTargets.at(index); }
    bool optErrorHandler(int index) const override { return index == handlerKind; }

    std::string name = "Enter Your Name Here";
    std::string initials = "EYI";
    std::string revType = "Bug";
    std::string revNumber = "00000";
    std::array<PlainTextBox, 8> boxes{PlainTextBox{}, PlainTextBox{}, PlainTextBox{},
                                      PlainTextBox{}, PlainTextBox{}, PlainTextBox{"", 79},
                                      PlainTextBox{}, PlainTextBox{}};
    bool headerBefore = true;
    std::array<bool, 4> revisionTargets{false, false, false, false};
    int handlerKind = Custom;

private:
    ide::VBE& vbe_;
    platform::DialogPort& dialogs_;
    platform::FileStore& files_;
    platform::SettingsStore& settings_;
};

}  // namespace toolwindow
