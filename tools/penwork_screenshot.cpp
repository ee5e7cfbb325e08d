// penwork_screenshot OUT.png [--dark] [--mode N]: the real tool window, loaded
// over the example project's module, saved as a picture. Runs offscreen; set
// QT_SCALE_FACTOR=2 for 200%.
#include <cstring>

#include <QApplication>
#include <QPalette>
#include <QPixmap>
#include <QTextEdit>
#include <QRadioButton>
#include <QStyleFactory>

#include "host/module_file.h"
#include "host/workspace.h"
#include "platform/files.h"
#include "platform/settings.h"
#include "support/memory_settings.h"
#include "window/frm_penwork.h"

namespace {

QPalette DarkPalette() {
    QPalette p;
    const QColor window(0x2b, 0x2b, 0x2b), base(0x1e, 0x1e, 0x1e), text(0xe8, 0xe8, 0xe8);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3a));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, QColor(0x9a, 0x9a, 0x9a));
    p.setColor(QPalette::Highlight, QColor(0x3d, 0x7a, 0xd6));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    return p;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    if (argc < 2) {
        qWarning("usage: penwork_screenshot OUT.png [--dark] [--mode N]");
        return 2;
    }
    int mode = 0;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--dark") == 0) QApplication::setPalette(DarkPalette());
        if (std::strcmp(argv[i], "--mode") == 0 && i + 1 < argc) mode = std::atoi(argv[++i]);
    }

    platform::StagedFiles files;
    host::ModuleFile file = host::ModuleFile::Load(QUILLMARK_EXAMPLES "/Inventory.bas", files, "");
    host::Workspace workspace;
    workspace.Open(file.module, file.Name(), 20);
    platform::MemorySettings settings;
    settings.Save(platform::settings::AuthorName, "Jane Doe");
    settings.Save(platform::settings::AuthorInitials, "JD");
    window::WindowDialogs dialogs;
    window::frmPenwork window(settings, files, dialogs);
    window.SetVBE(workspace);
    window.ShowWindow();
    if (auto* button = window.findChild<QRadioButton*>(QString("optHeaderType%1").arg(mode))) button->click();
    const QString box = QString("txtHeader%1").arg(mode == 0 ? 0 : mode + 3);
    if (auto* text = window.findChild<QTextEdit*>(box); text && !text->isReadOnly())
        text->setPlainText("Returns True when the item must be re-ordered: its quantity is below the "
                           "re-order level of the warehouse.");
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        qWarning("could not write %s", argv[1]);
        return 1;
    }
    return 0;
}
