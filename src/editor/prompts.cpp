#include "editor/prompts.h"

#include <QMessageBox>

namespace editor {

void MessageBoxPrompts::Inform(const std::string& message, const std::string& title) {
    QMessageBox::warning(parent_, QString::fromStdString(title), QString::fromStdString(message));
}

bool MessageBoxPrompts::Ask(const std::string& question, const std::string& title) {
    return QMessageBox::question(parent_, QString::fromStdString(title), QString::fromStdString(question),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

Prompts::Answer MessageBoxPrompts::AskYesNoCancel(const std::string& question, const std::string& title) {
    switch (QMessageBox::question(parent_, QString::fromStdString(title), QString::fromStdString(question),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

}  // namespace editor
