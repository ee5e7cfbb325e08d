// The text area of a code window: a view of the module's code lines, drawn
// straight from the host's SourceModule (the editor keeps no copy of the text),
// coloured by the host's scanner, with line numbers, a cursor and a selection.
// Typing edits the module through its undo history; edits made by anyone else
// (an add-in) show at once, and the cursor follows the line it stood on.
#pragma once

#include <QAbstractScrollArea>

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
    void Copy() const;

    UndoableModule& module_;
    int subscription_ = 0;
    TextPos cursor_;
    TextPos anchor_;
    bool editing_ = false;  // our own edit: the cursor is set by the editing code
};

}  // namespace editor
