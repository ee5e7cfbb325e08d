// A code window: the module's procedure list above its code view, as the VB IDE
// shows a module. The list follows the cursor and jumps to the procedure chosen.
#pragma once

#include <QWidget>

#include "editor/code_view.h"

class QComboBox;

namespace editor {

class ModuleDocument;

class CodeWindow final : public QWidget {
    Q_OBJECT
public:
    CodeWindow(ModuleDocument& document, QWidget* parent = nullptr);

    ModuleDocument& Document() { return document_; }
    CodeView& View() { return *view_; }
    QComboBox& ProcedureList() { return *procedures_; }

private:
    void RefreshProcedures();
    void FollowCursor(long line);
    void JumpTo(int index);

    ModuleDocument& document_;
    CodeView* view_;
    QComboBox* procedures_;
    bool stale_ = true;
};

}  // namespace editor
