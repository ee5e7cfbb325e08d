// What the generators read of the tool window, and the dialogs they show.
//
// The desktop tool window implements Penwork with its widgets; the command line
// uses the core's PenworkCore over plain boxes.
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
/// The display lines of a whole text: each of its lines (any line end) wrapped
/// by WrapWords; none for an empty text.
std::vector<std::string> WrapText(std::string_view text, long width);

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

}  // namespace toolwindow
