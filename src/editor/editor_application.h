// The editor's application object. It tells when a user action is over: the
// outermost event it delivers has returned, nested event loops included (an
// add-in's command may let events run half-way). Whatever a module went through
// in that time is one undo step.
#pragma once

#include <QApplication>

namespace editor {

class EditorApplication final : public QApplication {
    Q_OBJECT
public:
    EditorApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

signals:
    /// The outermost event has been delivered.
    void actionDone();

private:
    int depth_ = 0;
};

}  // namespace editor
