#include "editor/code_view.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "editor/code_view_access.h"
#include "ide/statements.h"
#include "platform/utf8.h"
#include "ide/vb_syntax.h"

namespace editor {

namespace {

constexpr int kTabWidth = 4;
constexpr int kGutterPad = 8;
// Typing after a pause this long starts an undo step of its own.
constexpr qint64 kTypingPauseMs = 1000;

/// A line as drawn: tabs expanded, with where each column and each byte of the
/// UTF-8 text lands in the drawn string.
struct Layout {
    QString shown;
    std::vector<int> indexOfColumn;  // column 1..n+1 -> index in `shown`
    std::vector<int> indexOfByte;    // byte 0..size -> index in `shown`
};

Layout MakeLayout(std::string_view text) {
    Layout layout;
    layout.indexOfByte.assign(text.size() + 1, 0);
    std::size_t i = 0;
    while (i < text.size()) {
        layout.indexOfColumn.push_back(static_cast<int>(layout.shown.size()));
        const char c = text[i];
        std::size_t next = i;
        platform::utf8::Next(text, next);
        const std::size_t len = next - i;
        for (std::size_t k = 0; k < len; ++k) layout.indexOfByte[i + k] = static_cast<int>(layout.shown.size());
        if (c == '\t') {
            const auto pad = kTabWidth - layout.shown.size() % kTabWidth;
            layout.shown.append(QString(static_cast<qsizetype>(pad), u' '));
        } else {
            layout.shown.append(QString::fromUtf8(text.data() + i, static_cast<qsizetype>(len)));
        }
        i += len;
    }
    layout.indexOfColumn.push_back(static_cast<int>(layout.shown.size()));
    layout.indexOfByte[text.size()] = static_cast<int>(layout.shown.size());
    return layout;
}

long ColumnCount(std::string_view text) { return static_cast<long>(platform::utf8::Count(text)); }

std::size_t ByteOfColumn(std::string_view text, long column) { return platform::utf8::OffsetOfColumn(text, column); }

QColor ColourOf(ide::SyntaxKind kind) {
    switch (kind) {
    case ide::SyntaxKind::Keyword: return QColor(0x00, 0x00, 0x90);
    case ide::SyntaxKind::String: return QColor(0xa3, 0x15, 0x15);
    case ide::SyntaxKind::Comment: return QColor(0x00, 0x80, 0x00);
    case ide::SyntaxKind::Continuation: return QColor(0x80, 0x00, 0x80);
    }
    return Qt::black;
}

}  // namespace

CodeView::CodeView(UndoableModule& module, QWidget* parent) : QAbstractScrollArea(parent), module_(module) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    setFont(font);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    InstallCodeViewAccessibility();
    subscription_ = module_.Source().Subscribe([this](const host::LineChange& c) { OnModuleChanged(c); });
    UpdateScrollRange();
}

CodeView::~CodeView() { module_.Source().Unsubscribe(subscription_); }

QString CodeView::LineText(long line) const {
    return QString::fromStdString(module_.Lines(line, 1));
}

long CodeView::LineCount() const { return module_.CountOfLines(); }

int CodeView::LineHeight() const { return fontMetrics().height(); }

int CodeView::GutterWidth() const {
    const int digits = std::max<int>(3, static_cast<int>(QString::number(std::max(LineCount(), 1L)).size()));
    return fontMetrics().horizontalAdvance(u'9') * digits + 2 * kGutterPad;
}

int CodeView::VisibleLines() const { return std::max(1, viewport()->height() / LineHeight()); }

long CodeView::FirstVisibleLine() const { return verticalScrollBar()->value() + 1; }

host::Selection CodeView::Selection() const {
    const TextPos a = std::min(anchor_, cursor_), b = std::max(anchor_, cursor_);
    return {a.line, a.column, b.line, b.column};
}

void CodeView::UpdateScrollRange() {
    verticalScrollBar()->setRange(0, static_cast<int>(std::max(0L, LineCount() - VisibleLines() / 2)));
    verticalScrollBar()->setPageStep(VisibleLines());
    horizontalScrollBar()->setRange(0, fontMetrics().horizontalAdvance(u'M') * 200);
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void CodeView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

void CodeView::scrollContentsBy(int, int) { viewport()->update(); }

bool CodeView::focusNextPrevChild(bool) { return false; }  // Tab is text here

int CodeView::XOfColumn(const QString& shown, long column) const {
    return fontMetrics().horizontalAdvance(shown.left(column));
}

void CodeView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const int lh = LineHeight();
    const int gutter = GutterWidth();
    const int ascent = fontMetrics().ascent();
    const int xOffset = gutter - horizontalScrollBar()->value();
    const long first = FirstVisibleLine();
    const long last = std::min(LineCount(), first + VisibleLines());
    const host::Selection sel = Selection();
    const QColor selectionColour = palette().color(QPalette::Highlight).lighter(160);

    // The colouring state where the first line starts: a comment may run on
    // from the lines of its statement above.
    const long from = ide::FirstLineOfStatement(module_, first);
    ide::SyntaxState state;
    for (long l = from; l < first; ++l) ide::ScanSyntax(module_.Lines(l, 1), state);

    p.setClipRect(gutter, 0, viewport()->width() - gutter, viewport()->height());
    for (long line = first; line <= last; ++line) {
        const std::string text = module_.Lines(line, 1);
        const Layout layout = MakeLayout(text);
        const int y = static_cast<int>(line - first) * lh;
        if (HasSelection() && line >= sel.startLine && line <= sel.endLine) {
            const long c1 = line == sel.startLine ? sel.startColumn : 1;
            const long c2 = line == sel.endLine ? sel.endColumn : static_cast<long>(layout.indexOfColumn.size());
            const auto idx = [&](long c) {
                return layout.indexOfColumn[static_cast<std::size_t>(
                    std::clamp(c, 1L, static_cast<long>(layout.indexOfColumn.size())) - 1)];
            };
            int x1 = XOfColumn(layout.shown, idx(c1));
            int x2 = XOfColumn(layout.shown, idx(c2));
            if (line != sel.endLine) x2 += fontMetrics().horizontalAdvance(u' ');
            p.fillRect(xOffset + x1, y, x2 - x1, lh, selectionColour);
        }
        int drawn = 0;
        const auto drawRun = [&](int toIndex, const QColor& colour) {
            if (toIndex <= drawn) return;
            p.setPen(colour);
            p.drawText(xOffset + XOfColumn(layout.shown, drawn), y + ascent,
                       layout.shown.mid(drawn, toIndex - drawn));
            drawn = toIndex;
        };
        for (const ide::SyntaxSpan& span : ide::ScanSyntax(text, state)) {
            drawRun(layout.indexOfByte[span.begin], palette().color(QPalette::Text));
            drawRun(layout.indexOfByte[span.end], ColourOf(span.kind));
        }
        drawRun(static_cast<int>(layout.shown.size()), palette().color(QPalette::Text));
        if (line == cursor_.line && hasFocus()) {
            const int x = RectOf(cursor_).x();
            if (!preedit_.isEmpty()) {  // the input method's composition, underlined over the text
                const int w = fontMetrics().horizontalAdvance(preedit_);
                p.fillRect(x, y, w, lh, palette().color(QPalette::Base));
                QFont underlined = font();
                underlined.setUnderline(true);
                p.setFont(underlined);
                p.setPen(palette().color(QPalette::Text));
                p.drawText(x, y + ascent, preedit_);
                p.setFont(font());
            }
            p.fillRect(x, y, 2, lh, palette().color(QPalette::Text));
        }
    }

    // Line numbers in the gutter.
    p.setClipping(false);
    p.fillRect(0, 0, gutter - kGutterPad / 2, viewport()->height(), palette().color(QPalette::AlternateBase));
    p.setPen(palette().color(QPalette::PlaceholderText));
    for (long line = first; line <= last; ++line) {
        const int y = static_cast<int>(line - first) * lh;
        p.drawText(QRect(0, y, gutter - kGutterPad, lh), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(line));
    }
}

TextPos CodeView::PosAt(const QPoint& point) const {
    const long count = LineCount();
    if (count == 0) return {1, 1};
    const long line = std::clamp(FirstVisibleLine() + point.y() / LineHeight(), 1L, count);
    const Layout layout = MakeLayout(module_.Lines(line, 1));
    const int x = point.x() - GutterWidth() + horizontalScrollBar()->value();
    long best = 1;
    int bestDistance = INT_MAX;
    for (std::size_t c = 0; c < layout.indexOfColumn.size(); ++c) {
        const int d = std::abs(XOfColumn(layout.shown, layout.indexOfColumn[c]) - x);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<long>(c) + 1;
        }
    }
    return {line, best};
}

void CodeView::SetCursor(TextPos pos, bool keepAnchor) {
    const long count = LineCount();
    pos.line = std::clamp(pos.line, 1L, std::max(count, 1L));
    const long columns = count == 0 ? 1 : ColumnCount(module_.Lines(pos.line, 1)) + 1;
    pos.column = std::clamp(pos.column, 1L, columns);
    cursor_ = pos;
    if (!keepAnchor) anchor_ = pos;
    ShowCursor();
    Moved();
}

void CodeView::Select(TextPos from, TextPos to) {
    SetCursor(from);
    SetCursor(to, true);
}

void CodeView::ShowCursor() {
    const long first = FirstVisibleLine();
    const long visible = VisibleLines();
    if (cursor_.line < first || cursor_.line >= first + visible) {
        const bool far = cursor_.line < first - visible || cursor_.line >= first + 2 * visible;
        long top = far ? cursor_.line - visible / 2 : (cursor_.line < first ? cursor_.line : cursor_.line - visible + 1);
        verticalScrollBar()->setValue(static_cast<int>(std::max(0L, top - 1)));
    }
    viewport()->update();
}

void CodeView::Moved() {
    viewport()->update();
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent moved(this, static_cast<int>(OffsetOf(cursor_)));
        QAccessible::updateAccessibility(&moved);
    }
    emit cursorMoved(cursor_.line, cursor_.column);
}

void CodeView::OnModuleChanged(const host::LineChange& change) {
    if (!editing_) {
        cursor_.line = host::LineAfter(change, cursor_.line);
        anchor_.line = host::LineAfter(change, anchor_.line);
        const long count = std::max(LineCount(), 1L);
        cursor_.line = std::min(cursor_.line, count);
        anchor_.line = std::min(anchor_.line, count);
    }
    UpdateScrollRange();
    viewport()->update();
    if (QAccessible::isActive()) {
        QAccessibleEvent updated(this, QAccessible::TextUpdated);
        QAccessible::updateAccessibility(&updated);
    }
    emit textChanged();
    if (!editing_) emit cursorMoved(cursor_.line, cursor_.column);
}

void CodeView::DeleteSelection() {
    if (!HasSelection()) return;
    const host::Selection s = Selection();
    const std::string first = module_.Lines(s.startLine, 1);
    const std::string last = module_.Lines(s.endLine, 1);
    const std::string joined =
        first.substr(0, ByteOfColumn(first, s.startColumn)) + last.substr(ByteOfColumn(last, s.endColumn));
    if (s.endLine > s.startLine) module_.DeleteLines(s.startLine + 1, s.endLine - s.startLine);
    module_.ReplaceLine(s.startLine, joined);
    cursor_ = anchor_ = {s.startLine, s.startColumn};
}

void CodeView::InsertText(const QString& qtext) {
    editing_ = true;
    try {
        DeleteSelection();
        if (LineCount() == 0) module_.InsertLines(1, "");
        const std::string text = qtext.toStdString();
        if (!text.empty()) {
            const std::string line = module_.Lines(cursor_.line, 1);
            const std::size_t at = ByteOfColumn(line, cursor_.column);
            module_.ReplaceLine(cursor_.line, line.substr(0, at) + text + line.substr(at));
            const std::vector<std::string_view> pieces = ide::SplitLines(text);
            if (pieces.size() == 1) {
                cursor_.column += ColumnCount(text);
            } else {
                cursor_.line += static_cast<long>(pieces.size()) - 1;
                cursor_.column = ColumnCount(pieces.back()) + 1;
            }
        }
        anchor_ = cursor_;
    } catch (const ide::HostError&) {
        // The module refused the edit: nothing changed.
    }
    editing_ = false;
    module_.EndStep();
    ShowCursor();
    Moved();
}

void CodeView::Type(const QString& text) {
    // A word's blanks go with it; the next word, a pause, a move or anything
    // else done to the module starts a new step.
    const bool blank = !text.isEmpty() && text.back().isSpace();
    const bool startsWord = typedBlank_ && !blank;
    if (!HasSelection() && typedState_ == module_.StateId() && typedState_ != 0 && cursor_ == typedEnd_ &&
        !startsWord && typedAt_.isValid() && typedAt_.elapsed() < kTypingPauseMs)
        module_.ContinueStep();
    InsertText(text);
    typedState_ = module_.StateId();
    typedEnd_ = cursor_;
    typedBlank_ = blank;
    typedAt_.start();
}

void CodeView::Cut() {
    Copy();
    if (HasSelection()) InsertText({});
}

void CodeView::Paste() { InsertText(QGuiApplication::clipboard()->text()); }

int CodeView::IndexOfColumn(long line, long column) const {
    if (line < 1 || line > LineCount()) return 0;
    const std::string text = module_.Lines(line, 1);
    return static_cast<int>(QString::fromUtf8(text.data(), static_cast<qsizetype>(ByteOfColumn(text, column))).size());
}

QString CodeView::AllText() const {
    QStringList lines;
    for (long l = 1; l <= LineCount(); ++l) lines << LineText(l);
    return lines.join('\n');
}

long CodeView::OffsetOf(TextPos pos) const {
    long offset = 0;
    for (long l = 1; l < pos.line && l <= LineCount(); ++l) offset += LineText(l).size() + 1;
    return offset + IndexOfColumn(pos.line, pos.column);
}

TextPos CodeView::PosOfOffset(long offset) const {
    for (long l = 1; l <= LineCount(); ++l) {
        const QString text = LineText(l);
        if (offset <= text.size() || l == LineCount()) {
            const auto index = static_cast<qsizetype>(std::clamp(offset, 0L, static_cast<long>(text.size())));
            return {l, static_cast<long>(text.left(index).toUcs4().size()) + 1};
        }
        offset -= text.size() + 1;
    }
    return {1, 1};
}

QRect CodeView::RectOf(TextPos pos) const {
    const Layout layout = MakeLayout(pos.line < 1 || pos.line > LineCount() ? std::string() : module_.Lines(pos.line, 1));
    const auto c = static_cast<std::size_t>(
        std::clamp(pos.column, 1L, static_cast<long>(layout.indexOfColumn.size())) - 1);
    const int x = GutterWidth() - horizontalScrollBar()->value() + XOfColumn(layout.shown, layout.indexOfColumn[c]);
    return {x, static_cast<int>(pos.line - FirstVisibleLine()) * LineHeight(), 2, LineHeight()};
}

// An input method's text goes in as typing does; what it is still composing is
// shown at the cursor until it commits it.
void CodeView::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        if (event->replacementLength() > 0) {  // in the cursor's line, from the cursor
            const long lineStart = OffsetOf({cursor_.line, 1});
            const long length = LineCount() == 0 ? 0 : LineText(cursor_.line).size();
            const long at = OffsetOf(cursor_) - lineStart + event->replacementStart();
            const auto posAt = [&](long index) { return PosOfOffset(lineStart + std::clamp(index, 0L, length)); };
            Select(posAt(at), posAt(at + event->replacementLength()));
        }
        Type(event->commitString());
    }
    preedit_ = event->preeditString();
    viewport()->update();
    event->accept();
}

QVariant CodeView::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImCursorRectangle: return QRectF(RectOf(cursor_).translated(viewport()->pos()));
    case Qt::ImFont: return font();
    case Qt::ImHints: return static_cast<int>(Qt::ImhMultiLine | Qt::ImhNoAutoUppercase | Qt::ImhNoPredictiveText);
    case Qt::ImSurroundingText: return LineCount() == 0 ? QString() : LineText(cursor_.line);
    case Qt::ImCursorPosition: return IndexOfColumn(cursor_.line, cursor_.column);
    case Qt::ImAnchorPosition:
        return anchor_.line == cursor_.line ? IndexOfColumn(anchor_.line, anchor_.column)
                                            : IndexOfColumn(cursor_.line, cursor_.column);
    case Qt::ImCurrentSelection: {
        const host::Selection s = Selection();
        if (!HasSelection()) return QString();
        const QString all = AllText();
        const long from = OffsetOf({s.startLine, s.startColumn});
        return all.mid(from, OffsetOf({s.endLine, s.endColumn}) - from);
    }
    default: return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void CodeView::Backspace() {
    if (HasSelection()) return InsertText({});
    if (cursor_.line == 1 && cursor_.column == 1) return;
    const TextPos to = cursor_;
    TextPos from = cursor_;
    if (from.column > 1) {
        --from.column;
    } else {
        --from.line;
        from.column = ColumnCount(module_.Lines(from.line, 1)) + 1;
    }
    anchor_ = from;
    cursor_ = to;
    InsertText({});
}

void CodeView::DeleteForward() {
    if (HasSelection()) return InsertText({});
    const long count = LineCount();
    if (count == 0) return;
    const long columns = ColumnCount(module_.Lines(cursor_.line, 1)) + 1;
    TextPos to = cursor_;
    if (to.column < columns) {
        ++to.column;
    } else if (to.line < count) {
        ++to.line;
        to.column = 1;
    } else {
        return;
    }
    anchor_ = to;
    InsertText({});
}

void CodeView::Copy() const {
    if (!HasSelection()) return;
    const host::Selection s = Selection();
    std::string text;
    for (long l = s.startLine; l <= s.endLine; ++l) {
        const std::string line = module_.Lines(l, 1);
        const std::size_t b = l == s.startLine ? ByteOfColumn(line, s.startColumn) : 0;
        const std::size_t e = l == s.endLine ? ByteOfColumn(line, s.endColumn) : line.size();
        if (l > s.startLine) text += "\n";
        text += line.substr(b, e - b);
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void CodeView::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const long count = std::max(LineCount(), 1L);
    TextPos pos = cursor_;
    const auto lineLength = [this](long line) {
        return LineCount() == 0 ? 0L : ColumnCount(module_.Lines(line, 1));
    };
    if (event->matches(QKeySequence::Copy)) return Copy();
    if (event->matches(QKeySequence::Cut)) return Cut();
    if (event->matches(QKeySequence::Paste)) return Paste();
    if (event->matches(QKeySequence::SelectAll)) return Select({1, 1}, {count, lineLength(count) + 1});
    switch (event->key()) {
    case Qt::Key_Left:
        if (pos.column > 1) --pos.column;
        else if (pos.line > 1) pos = {pos.line - 1, lineLength(pos.line - 1) + 1};
        return SetCursor(pos, shift);
    case Qt::Key_Right:
        if (pos.column <= lineLength(pos.line)) ++pos.column;
        else if (pos.line < count) pos = {pos.line + 1, 1};
        return SetCursor(pos, shift);
    case Qt::Key_Up: return SetCursor({pos.line - 1, pos.column}, shift);
    case Qt::Key_Down: return SetCursor({pos.line + 1, pos.column}, shift);
    case Qt::Key_PageUp: return SetCursor({pos.line - VisibleLines(), pos.column}, shift);
    case Qt::Key_PageDown: return SetCursor({pos.line + VisibleLines(), pos.column}, shift);
    case Qt::Key_Home: return SetCursor(ctrl ? TextPos{1, 1} : TextPos{pos.line, 1}, shift);
    case Qt::Key_End:
        return SetCursor(ctrl ? TextPos{count, lineLength(count) + 1} : TextPos{pos.line, lineLength(pos.line) + 1},
                         shift);
    case Qt::Key_Backspace: return Backspace();
    case Qt::Key_Delete: return DeleteForward();
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // The new line starts where the one above starts, as in the VB IDE.
        const std::string line = LineCount() == 0 ? std::string() : module_.Lines(pos.line, 1);
        const std::size_t indent = line.find_first_not_of(" \t");
        const std::string lead = line.substr(0, indent == std::string::npos ? 0 : indent);
        return InsertText(QString::fromStdString(module_.Source().LineEnd() + lead));
    }
    case Qt::Key_Tab: return InsertText(QString(kTabWidth - (pos.column - 1) % kTabWidth, u' '));
    default: break;
    }
    const QString text = event->text();
    if (!text.isEmpty() && !ctrl && text.at(0).isPrint()) return Type(text);
    QAbstractScrollArea::keyPressEvent(event);
}

void CodeView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    SetCursor(PosAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void CodeView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) SetCursor(PosAt(event->position().toPoint()), true);
}

}  // namespace editor
