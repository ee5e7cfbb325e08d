// A txtHeader element: a multi-line text box that wraps at the column its
// generator keeps, whatever the box's width, so the lines the user sees are the
// lines written.
#pragma once

#include <QTextEdit>

#include "toolwindow/penwork.h"

namespace window {

class HeaderBox : public QTextEdit, public toolwindow::EditableTextBox {
    Q_OBJECT
public:
    /// `limit`: the longest display line a generator keeps (65, or 79 for the
    /// revision text); the box wraps there.
    HeaderBox(long limit, QWidget* parent = nullptr);

    std::string Text() const override;
    long DisplayLineCount() const override;
    std::string DisplayLine(long index) const override;
    void SetText(std::string text) override;
    /// The width of the box in pixels; the lines do not depend on it.
    long Width() const override { return width(); }
    void SetWidth(long width) override;
    /// Wide enough for a description's 65 columns of ordinary text; narrower,
    /// the box scrolls sideways.
    QSize sizeHint() const override;

private:
    const std::vector<std::string>& Lines() const;
    long limit_;
    // The last wrap, reused while the text stays the same.
    mutable std::string wrappedText_;
    mutable std::vector<std::string> lines_;
};

}  // namespace window
