#include "window/header_box.h"

#include <QScrollBar>
#include <QStyle>
#include <QTextLayout>

namespace window {

HeaderBox::HeaderBox(long limit, QWidget* parent) : QPlainTextEdit(parent), limit_(limit) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // A fixed scroll bar keeps the width the text wraps at the same whether the
    // box is in view or not.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
}

// Lines are kept with CR LF between them, as a multi-line box gives its text.
std::string HeaderBox::Text() const {
    return toPlainText().replace('\n', QStringLiteral("\r\n")).toStdString();
}

void HeaderBox::SetText(std::string text) {
    QString t = QString::fromStdString(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
    if (t != toPlainText()) setPlainText(t);
}

void HeaderBox::SetWidth(long width) { resize(static_cast<int>(width), height()); }

long HeaderBox::DisplayLineCount() const { return static_cast<long>(Lines().size()); }

std::string HeaderBox::DisplayLine(long index) const {
    const std::vector<std::string>& lines = Lines();
    if (index < 0 || index >= static_cast<long>(lines.size())) return {};
    return lines[static_cast<std::size_t>(index)];
}

// The text laid out as the box shows it at its present width, whether or not it
// is in view; a laid-out line longer than the generator keeps wraps again.
const std::vector<std::string>& HeaderBox::Lines() const {
    const QString text = toPlainText();
    if (text == laidText_ && width() == laidWidth_) return lines_;
    laidText_ = text;
    laidWidth_ = width();
    std::vector<std::string>& lines = lines_;
    lines.clear();
    if (text.isEmpty()) return lines;
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const qreal margin = document()->documentMargin();
    const qreal textWidth = std::max<qreal>(1.0, width() - 2 * frameWidth() - scrollBar - 2 * margin);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : text.split('\n')) {
        QTextLayout layout(paragraph, font());
        layout.setTextOption(option);
        layout.beginLayout();
        bool any = false;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(textWidth);
            const std::string shown = paragraph.mid(line.textStart(), line.textLength()).toStdString();
            for (std::string& part : toolwindow::WrapWords(shown, limit_)) lines.push_back(std::move(part));
            any = true;
        }
        layout.endLayout();
        if (!any) lines.emplace_back();
    }
    return lines;
}

}  // namespace window
