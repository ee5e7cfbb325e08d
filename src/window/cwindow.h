// CWindow: window chores on a form: keeping it above all other windows or
// releasing it, centring it, and moving text between the focused control and
// the clipboard.
#pragma once

#include <string>

class QRect;
class QWidget;

namespace window {

/// What a clipboard command recorded: number 0 when it succeeded.
struct ClipboardStatus {
    long number = 0;
    std::string source;
    std::string description;
    bool Ok() const { return number == 0; }
};

inline constexpr long vbObjectError = static_cast<long>(0x80040000L);

class CWindow {
public:
    /// Makes the form a topmost window or an ordinary one, without moving,
    /// resizing or activating it.
    void OnTop(QWidget& frmTop, bool bSetOnTop) const;
    /// Moves the form to the centre of its screen, or of its MDI area when it is
    /// an MDI child; a form larger than the area gets a negative position.
    void Center(QWidget& frm) const;
    /// Moves the form so that its frame stands in the middle of `area`, each
    /// offset halved dropping any remainder.
    void CenterIn(QWidget& frm, const QRect& area) const;
    /// The focused control's selected text to the clipboard.
    ClipboardStatus EditCopy() const;
    /// Same, then the selection is removed.
    ClipboardStatus EditCut() const;
    /// The clipboard's plain text over the focused control's selection.
    ClipboardStatus EditPaste() const;
};

}  // namespace window
