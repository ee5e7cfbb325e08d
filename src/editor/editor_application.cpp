#include "editor/editor_application.h"

namespace editor {

EditorApplication::EditorApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Quillmark IDE");
    setApplicationVersion(QUILLMARK_VERSION);
}

bool EditorApplication::notify(QObject* receiver, QEvent* event) {
    struct Depth {
        EditorApplication& app;
        explicit Depth(EditorApplication& a) : app(a) { ++app.depth_; }
        ~Depth() {
            if (--app.depth_ == 0) emit app.actionDone();
        }
    } depth(*this);
    return QApplication::notify(receiver, event);
}

}  // namespace editor
