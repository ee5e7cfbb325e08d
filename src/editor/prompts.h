// How the editor asks and tells the user: message boxes on the desktop, a
// recording stand-in in tests (which never open a real modal dialog).
#pragma once

#include <string>

class QWidget;

namespace editor {

class Prompts {
public:
    virtual ~Prompts() = default;
    /// A message with an OK button.
    virtual void Inform(const std::string& message, const std::string& title) = 0;
    /// A question answered Yes (true) or No; No is the default.
    virtual bool Ask(const std::string& question, const std::string& title) = 0;
    enum class Answer { Yes, No, Cancel };
    /// A question answered Yes, No or Cancel; Yes is the default, Escape cancels.
    virtual Answer AskYesNoCancel(const std::string& question, const std::string& title) = 0;
};

class MessageBoxPrompts final : public Prompts {
public:
    explicit MessageBoxPrompts(QWidget* parent) : parent_(parent) {}
    void Inform(const std::string& message, const std::string& title) override;
    bool Ask(const std::string& question, const std::string& title) override;
    Answer AskYesNoCancel(const std::string& question, const std::string& title) override;

private:
    QWidget* parent_;
};

}  // namespace editor
