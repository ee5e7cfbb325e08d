#include "editor/code_view_access.h"

#include <QAccessibleWidget>
#include <QTextBoundaryFinder>

#include "editor/code_view.h"

namespace editor {

namespace {

// Offsets count the UTF-16 units of the code lines joined by "\n"
// (CodeView::AllText).
class CodeViewAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit CodeViewAccessible(CodeView* view) : QAccessibleWidget(view, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = true;
        s.multiLine = true;
        s.selectableText = true;
        return s;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return View().AllText();
        return QAccessibleWidget::text(t);
    }

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || !View().HasSelection()) return;
        const host::Selection s = View().Selection();
        *startOffset = Offset({s.startLine, s.startColumn});
        *endOffset = Offset({s.endLine, s.endColumn});
    }
    int selectionCount() const override { return View().HasSelection() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0) View().SetCursor(View().Cursor());
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex == 0) View().Select(View().PosOfOffset(startOffset), View().PosOfOffset(endOffset));
    }
    int cursorPosition() const override { return Offset(View().Cursor()); }
    void setCursorPosition(int position) override { View().SetCursor(View().PosOfOffset(position)); }
    QString text(int startOffset, int endOffset) const override {
        return View().AllText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(View().AllText().size()); }
    QRect characterRect(int offset) const override {
        const CodeView& view = View();
        return view.RectOf(view.PosOfOffset(offset)).translated(view.viewport()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return Offset(View().PosAtPoint(View().viewport()->mapFromGlobal(point)));
    }
    void scrollToSubstring(int startIndex, int) override { View().SetCursor(View().PosOfOffset(startIndex)); }
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
        const QString all = View().AllText();
        Unit(all, offset, type, start, end);
        if (*start <= 0) return *start = *end = 0, QString();
        Unit(all, *start - 1, type, start, end);
        return all.mid(*start, *end - *start);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
        const QString all = View().AllText();
        Unit(all, offset, type, start, end);
        if (*end >= all.size()) return *start = *end = static_cast<int>(all.size()), QString();
        Unit(all, *end, type, start, end);
        return all.mid(*start, *end - *start);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
        const QString all = View().AllText();
        Unit(all, offset, type, start, end);
        return all.mid(*start, *end - *start);
    }

private:
    CodeView& View() const { return *static_cast<CodeView*>(widget()); }
    int Offset(TextPos pos) const { return static_cast<int>(View().OffsetOf(pos)); }

    // The character, word, sentence or line (a line with its "\n") at `offset`.
    static void Unit(const QString& all, int offset, QAccessible::TextBoundaryType type, int* start, int* end) {
        const int size = static_cast<int>(all.size());
        offset = std::clamp(offset, 0, size);
        switch (type) {
        case QAccessible::NoBoundary: *start = 0, *end = size; return;
        case QAccessible::LineBoundary:
        case QAccessible::ParagraphBoundary: {
            *start = offset == 0 ? 0 : static_cast<int>(all.lastIndexOf('\n', offset - 1)) + 1;
            const auto nl = all.indexOf('\n', offset);
            *end = nl < 0 ? size : static_cast<int>(nl) + 1;
            return;
        }
        case QAccessible::CharBoundary: *start = offset, *end = std::min(offset + 1, size); return;
        default: {
            QTextBoundaryFinder finder(type == QAccessible::WordBoundary ? QTextBoundaryFinder::Word
                                                                          : QTextBoundaryFinder::Sentence,
                                       all);
            finder.setPosition(offset);
            *start = finder.isAtBoundary() ? offset : static_cast<int>(std::max<qsizetype>(0, finder.toPreviousBoundary()));
            finder.setPosition(offset);
            const qsizetype next = finder.toNextBoundary();
            *end = next < 0 ? size : static_cast<int>(next);
            return;
        }
        }
    }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className == QLatin1String("editor::CodeView") && object && object->isWidgetType())
        return new CodeViewAccessible(static_cast<CodeView*>(object));
    return nullptr;
}

}  // namespace

void InstallCodeViewAccessibility() {
    static const bool installed = (QAccessible::installFactory(&Factory), true);
    (void)installed;
}

}  // namespace editor
