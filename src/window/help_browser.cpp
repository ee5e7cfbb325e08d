#include "window/help_browser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QUrl>

namespace window {

namespace {

constexpr char kHelpName[] = "penwork.html";
QString programHelpFile;
QPointer<HelpBrowser> browser;

}  // namespace

QString FindHelpDocument() {
    const QString programDir = QCoreApplication::applicationDirPath();
    const QStringList candidates{
        programDir + "/" + kHelpName,
        programDir + "/../share/quillmark/" + kHelpName,
        QStringLiteral(QUILLMARK_INSTALL_HELP_DIR) + "/" + kHelpName,
        QStringLiteral(QUILLMARK_BUILD_HELP_DIR) + "/" + kHelpName,
    };
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isFile()) return QDir::cleanPath(QFileInfo(candidate).absoluteFilePath());
    return {};
}

void SetProgramHelpFile(const QString& document) { programHelpFile = document; }

QString ProgramHelpFile() { return programHelpFile; }

HelpBrowser::HelpBrowser() {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QCoreApplication::translate("HelpBrowser", "Quillmark Help"));
    setOpenExternalLinks(true);
    resize(640, 560);
}

HelpBrowser* HelpBrowser::Open(const QString& document) {
    if (!browser) browser = new HelpBrowser;
    if (document.isEmpty()) {
        browser->setHtml(QCoreApplication::translate(
            "HelpBrowser", "<p>The help document penwork.html was not found beside the program "
                           "or in its share/quillmark folder. Reinstall Quillmark.</p>"));
    } else {
        browser->setSource(QUrl::fromLocalFile(document));
    }
    browser->show();
    browser->raise();
    return browser;
}

HelpBrowser* HelpBrowser::Current() { return browser; }

}  // namespace window
