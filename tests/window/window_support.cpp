#include "window_support.h"

#include <filesystem>

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace windowtest {

bool IsOnTop(const QWidget& w) { return w.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

int TestDialogs::MsgBox(const std::string&, int, const std::string& title) {
    titles.push_back(title);
    onTopAtMessage.push_back(Window() && IsOnTop(*Window()));
    return platform::vbOK;
}

void TestDialogs::ShowModal(QDialog& dialog) {
    ++modals;
    onTopDuringModal = Window() && IsOnTop(*Window());
    dialog.show();
    dialog.hide();
}

PenworkFixture::PenworkFixture(long line) {
    for (const auto& entry : std::filesystem::directory_iterator(QUILLMARK_EXAMPLES))
        std::filesystem::copy(entry.path(), dir.File(entry.path().filename().string()));
    file = std::make_unique<host::ModuleFile>(host::ModuleFile::Load(dir.File("Inventory.bas"), files, ""));
    project = std::make_unique<host::Project>(dir.File("Inventory.vbp"), files);
    workspace.SetProject(project.get());
    workspace.Open(file->module, file->Name(), file->module.CodeLineOfFileLine(line));
    window = std::make_unique<window::frmPenwork>(settings, files, dialogs);
    window->SetVBE(workspace);
    window->ShowWindow();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("window not exposed");
}

void PenworkFixture::Type(const QString& name, const QString& text) const {
    QWidget* w = Find<QWidget>(name);
    if (auto* combo = qobject_cast<QComboBox*>(w)) w = combo->lineEdit();
    w->setFocus();
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_Delete);
    const QStringList lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) QTest::keyClick(w, Qt::Key_Return);
        QTest::keyClicks(w, lines[i]);
    }
}

// Option buttons and check boxes take clicks on their mark and caption only,
// so they are clicked at the mark.
void PenworkFixture::Click(const QString& name) const {
    auto* button = Find<QAbstractButton>(name);
    if (qobject_cast<QPushButton*>(button)) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
}

void PenworkFixture::Trigger(const QString& actionName) const { Find<QAction>(actionName)->trigger(); }

}  // namespace windowtest
