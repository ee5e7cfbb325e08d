#include "editor/screenshot.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>

#include "editor/code_window.h"
#include "editor/main_window.h"
#include "editor/module_document.h"
#include "host/workspace.h"

namespace editor {

namespace {

std::vector<QWidget*> OtherWindows(MainWindow& window) {
    std::vector<QWidget*> others;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &window && w->isVisible() && w->isWindow() && !w->inherits("QMenu")) others.push_back(w);
    return others;
}

}  // namespace

void PrepareScreenshot(MainWindow& window) {
    if (window.ActiveCodeWindow() == nullptr && window.Project() != nullptr) {
        const std::vector<std::string> modules = window.Project()->ModulePaths();
        if (!modules.empty()) window.OpenModule(QString::fromStdString(modules.front()));
    }
    if (CodeWindow* code = window.ActiveCodeWindow()) {
        const std::vector<host::ProcInfo> procs = code->Document().Source().Procedures();
        if (!procs.empty()) code->View().SetCursor({procs.front().bodyLine + 1, 5});
    }
    const std::vector<ide::CommandBarControl*> commands = window.Workspace().AddInControls();
    if (OtherWindows(window).empty() && !commands.empty()) window.Workspace().ClickAddInCommand(*commands.front());
}

bool SaveScreenshot(MainWindow& window, const QString& path) {
    const QPixmap main = window.grab();
    std::vector<QPixmap> others;
    for (QWidget* w : OtherWindows(window)) others.push_back(w->grab());
    int width = main.width(), height = main.height();
    for (const QPixmap& p : others) {
        width += 16 + p.width();
        height = std::max(height, p.height());
    }
    QPixmap picture(width, height);
    picture.fill(QColor(0x5a, 0x6e, 0x7f));  // a desktop behind the windows
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, main);
    int x = main.width() + 16;
    for (const QPixmap& p : others) {
        painter.drawPixmap(x, 40, p);
        x += p.width() + 16;
    }
    painter.end();
    return picture.save(path, "PNG");
}

}  // namespace editor
