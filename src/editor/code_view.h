// The text area of a code window: a view of the module's code lines, drawn
// straight from the host's SourceModule (the editor keeps no copy of the text),
// coloured by the host's scanner, with line numbers, a cursor and a selection.
// Typing edits the module through its undo history; edits made by anyone else
// (an add-in) show at once, and the cursor follows the line it stood on.
#pragma once

#include <QAbstractScrollArea>
#include <QElapsedTimer>

#include "editor/undoable_module.h"
#include "host/workspace.h"

namespace editor {

/// A position in the module: line and column from 1, the column in characters.
struct TextPos {
    long line = 1;
    long column = 1;
    bool operator==(const TextPos&) const = default;
    auto operator<=>(const TextPos&) const = default;
};

class CodeView final : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CodeView(UndoableModule& module, QWidget* parent = nullptr);
    ~CodeView() override;

    UndoableModule& Module() { return module_; }
    TextPos Cursor() const { return cursor_; }
    /// The selection as the IDE reports it: start and end in text order when
    /// something is selected, else the cursor twice.
    host::Selection Selection() const;
    bool HasSelection() const { return anchor_ != cursor_; }
    /// Moves the cursor (clamped into the text) and shows it; with `keepAnchor`
    /// the selection grows from where it started.
    void SetCursor(TextPos pos, bool keepAnchor = false);
    /// Selects from `from` to `to`, the cursor at `to`.
    void Select(TextPos from, TextPos to);
    /// Scrolls so the cursor's line is seen, in the middle when it was far off.
    void ShowCursor();
    long FirstVisibleLine() const;

    /// Replaces the selection (or inserts at the cursor) by `text`, which may hold
    /// line breaks; one undo step.
    void InsertText(const QString& text);
    /// Typed text: inserted as InsertText does, and one undo step with the
    /// typing before it while the user types on within a word without a pause.
    void Type(const QString& text);
    void Cut();
    void Copy() const;
    void Paste();

    /// The text as screen readers and input methods count it: the code lines
    /// joined by "\n", positions in UTF-16 units.
    QString AllText() const;
    long OffsetOf(TextPos pos) const;
    TextPos PosOfOffset(long offset) const;
    /// The rectangle of a cursor standing at `pos`, on the viewport.
    QRect RectOf(TextPos pos) const;
    TextPos PosAtPoint(const QPoint& viewportPoint) const { return PosAt(viewportPoint); }

signals:
    void cursorMoved(long line, long column);
    /// The module's text changed, by the user or anyone else.
    void textChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    QString LineText(long line) const;
    long LineCount() const;
    int LineHeight() const;
    int GutterWidth() const;
    int VisibleLines() const;
    TextPos PosAt(const QPoint& point) const;
    int XOfColumn(const QString& text, long column) const;
    void OnModuleChanged(const host::LineChange& change);
    void UpdateScrollRange();
    void Moved();
    void DeleteSelection();
    void Backspace();
    void DeleteForward();
    /// The cursor's column as an index into the line's UTF-16 text.
    int IndexOfColumn(long line, long column) const;

    UndoableModule& module_;
    int subscription_ = 0;
    TextPos cursor_;
    TextPos anchor_;
    bool editing_ = false;  // our own edit: the cursor is set by the editing code
    QString preedit_;       // what an input method is composing, not yet in the text
    // The last typing, which the next may run on from.
    std::uint64_t typedState_ = 0;
    TextPos typedEnd_;
    bool typedBlank_ = false;
    QElapsedTimer typedAt_;
};

}  // namespace editor
