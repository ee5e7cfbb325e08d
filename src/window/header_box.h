// A txtHeader element: a multi-line text box whose display lines are the lines
// the user sees, soft-wrapped at the box's width, and never longer than the
// generator that reads them keeps.
#pragma once

#include <QPlainTextEdit>

#include "toolwindow/penwork.h"

namespace window {

class HeaderBox : public QPlainTextEdit, public toolwindow::EditableTextBox {
    Q_OBJECT
public:
    /// `limit`: the longest display line a generator keeps (65, or 79 for the
    /// revision text).
    HeaderBox(long limit, QWidget* parent = nullptr);

    std::string Text() const override;
    long DisplayLineCount() const override;
    std::string DisplayLine(long index) const override;
    void SetText(std::string text) override;
    /// The width of the box in pixels.
    long Width() const override { return width(); }
    void SetWidth(long width) override;

private:
    const std::vector<std::string>& Lines() const;
    long limit_;
    // The last layout, reused while the text and width stay the same.
    mutable QString laidText_;
    mutable int laidWidth_ = -1;
    mutable std::vector<std::string> lines_;
};

}  // namespace window
