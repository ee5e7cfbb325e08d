#include "window/cwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>
#include <QWidget>
#include <QWindow>

namespace window {

namespace {

constexpr char kSource[] = "CApplication";

ClipboardStatus Failure(long offset, const char* description) {
    return {vbObjectError + offset, kSource, description};
}

// The text control that has the focus: its selected text, and a way to replace it.
struct TextControl {
    QLineEdit* line = nullptr;
    QPlainTextEdit* plain = nullptr;
    QTextEdit* rich = nullptr;

    bool Found() const { return line || plain || rich; }
    QString Selected() const {
        if (line) return line->selectedText();
        if (plain) return plain->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n');
        return rich->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n');
    }
    bool ReadOnly() const {
        if (line) return line->isReadOnly();
        return plain ? plain->isReadOnly() : rich->isReadOnly();
    }
    void Replace(const QString& text) const {
        if (line) {
            line->insert(text);
        } else if (plain) {
            plain->insertPlainText(text);
        } else {
            rich->insertPlainText(text);
        }
    }
};

TextControl FocusedControl() {
    QWidget* w = QApplication::focusWidget();
    if (auto* combo = qobject_cast<QComboBox*>(w)) w = combo->lineEdit();
    TextControl c;
    c.line = qobject_cast<QLineEdit*>(w);
    c.plain = qobject_cast<QPlainTextEdit*>(w);
    c.rich = qobject_cast<QTextEdit*>(w);
    return c;
}

}  // namespace

// Qt re-creates a window whose flags change through QWidget; the native window's
// own flag is changed instead, and the widget told of it, so the window keeps its
// place, its size and its activation.
void CWindow::OnTop(QWidget& frmTop, bool bSetOnTop) const {
    const Qt::WindowFlags flags = frmTop.windowFlags();
    const Qt::WindowFlags wanted = bSetOnTop ? flags | Qt::WindowStaysOnTopHint : flags & ~Qt::WindowStaysOnTopHint;
    if (wanted == flags) return;
    if (QWindow* native = frmTop.windowHandle()) native->setFlag(Qt::WindowStaysOnTopHint, bSetOnTop);
    frmTop.overrideWindowFlags(wanted);
}

void CWindow::Center(QWidget& frm) const {
    QRect area;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(&frm); sub && sub->mdiArea()) {
        area = QRect(QPoint(0, 0), sub->mdiArea()->viewport()->size());
    } else {
        QScreen* screen = frm.screen() ? frm.screen() : QGuiApplication::primaryScreen();
        if (!screen) return;
        area = screen->geometry();
    }
    CenterIn(frm, area);
}

void CWindow::CenterIn(QWidget& frm, const QRect& area) const {
    const QSize size = frm.frameGeometry().size();
    frm.move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
}

namespace {

constexpr char kCouldNotSet[] = "Could not set text from active control to clipboard.";

// Clears the clipboard and puts the focused control's selection on it: the
// steps copy and cut share. `control` receives the focused control.
ClipboardStatus CopySelection(TextControl& control) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return Failure(515, "Could not clear clipboard.");
    clipboard->clear();
    control = FocusedControl();
    if (!control.Found()) return Failure(516, kCouldNotSet);
    clipboard->setText(control.Selected());
    return {};
}

}  // namespace

ClipboardStatus CWindow::EditCopy() const {
    TextControl control;
    return CopySelection(control);
}

ClipboardStatus CWindow::EditCut() const {
    TextControl control;
    const ClipboardStatus copied = CopySelection(control);
    if (!copied.Ok()) return copied;
    // A control that takes no typing keeps its selection; the failure is the copy's.
    if (control.ReadOnly()) return Failure(516, kCouldNotSet);
    control.Replace(QString());
    return {};
}

ClipboardStatus CWindow::EditPaste() const {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const TextControl control = FocusedControl();
    if (!clipboard || !control.Found() || control.ReadOnly())
        return Failure(517, "Could not paste text from clipboard to active control.");
    control.Replace(clipboard->text());
    return {};
}

}  // namespace window
