#include "window/header_box.h"

#include <QStyle>

namespace window {

HeaderBox::HeaderBox(long limit, QWidget* parent) : QTextEdit(parent), limit_(limit) {
    setAcceptRichText(false);
    // Qt's fixed-column wrap counts characters as the generator's wrap does;
    // a box narrower than the column scrolls sideways.
    setLineWrapMode(QTextEdit::FixedColumnWidth);
    setLineWrapColumnOrWidth(static_cast<int>(limit));
    setWordWrapMode(QTextOption::WordWrap);
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

QSize HeaderBox::sizeHint() const {
    const int chrome = 2 * frameWidth() + 2 * static_cast<int>(document()->documentMargin()) +
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return {fontMetrics().averageCharWidth() * 66 + chrome, QTextEdit::sizeHint().height()};
}

long HeaderBox::DisplayLineCount() const { return static_cast<long>(Lines().size()); }

std::string HeaderBox::DisplayLine(long index) const {
    const std::vector<std::string>& lines = Lines();
    if (index < 0 || index >= static_cast<long>(lines.size())) return {};
    return lines[static_cast<std::size_t>(index)];
}

const std::vector<std::string>& HeaderBox::Lines() const {
    std::string text = Text();
    if (text != wrappedText_) {
        lines_ = toolwindow::WrapText(text, limit_);
        wrappedText_ = std::move(text);
    }
    return lines_;
}

}  // namespace window
