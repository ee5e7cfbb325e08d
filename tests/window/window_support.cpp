#include "window_support.h"

#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "support/support.h"

namespace windowtest {

namespace {
namespace fs = std::filesystem;

std::string FreshCopyOfExamples() {
    static int n = 0;
    const fs::path dir = fs::temp_directory_path() /
                         ("quillmark-window-" + std::to_string(QCoreApplication::applicationPid()) + "-" +
                          std::to_string(n++));
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const auto& entry : fs::directory_iterator(QUILLMARK_EXAMPLES))
        fs::copy(entry.path(), dir / entry.path().filename());
    return dir.string();
}
}  // namespace

bool IsOnTop(const QWidget& w) { return w.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

int TestDialogs::MsgBox(const std::string& prompt, int style, const std::string& title) {
    messages.push_back({prompt, style, title});
    onTopAtMessage.push_back(Window() && IsOnTop(*Window()));
    return platform::vbOK;
}

void TestDialogs::ShowModal(QDialog& dialog) {
    ++modals;
    onTopDuringModal = Window() && IsOnTop(*Window());
    dialog.show();
    dialog.hide();
}

PenworkFixture::PenworkFixture(const std::string& moduleFile, long line) : dir(FreshCopyOfExamples()) {
    file = std::make_unique<host::ModuleFile>(host::ModuleFile::Load(dir + "/" + moduleFile, files, ""));
    project = std::make_unique<host::Project>(dir + "/Inventory.vbp", files);
    workspace.SetProject(project.get());
    workspace.Open(file->module, file->Name(), file->module.CodeLineOfFileLine(line));
    window = std::make_unique<window::frmPenwork>(settings, files, dialogs);
    window->SetVBE(workspace);
    window->ShowWindow();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("window not exposed");
}

PenworkFixture::~PenworkFixture() {
    window.reset();
    std::error_code ec;
    fs::remove_all(dir, ec);
}

void PenworkFixture::MoveCursor(long fileLine) {
    workspace.Open(file->module, file->Name(), file->module.CodeLineOfFileLine(fileLine));
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

void PenworkFixture::Trigger(const QString& actionName) const {
    QAction* action = window->findChild<QAction*>(actionName);
    if (!action) qFatal("no action %s", qPrintable(actionName));
    action->trigger();
}

}  // namespace windowtest
