// quillmark-ide [PROJECT.vbp | MODULE...] [--addin PROGID]...
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include "editor/editor_application.h"
#include "editor/main_window.h"
#include "editor/screenshot.h"

int main(int argc, char** argv) {
    editor::EditorApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Edits Visual Basic 6 projects and hosts their add-ins.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("files", "A project (.vbp), or modules (.bas .cls .frm .ctl .dsr .pag).",
                                 "[PROJECT.vbp | MODULE...]");
    const QCommandLineOption addIn("addin", "Connects the add-in from outside the IDE (connect mode 2).", "PROGID");
    const QCommandLineOption screenshot("screenshot",
                                        "Opens the first module, waits for the add-ins' windows, saves a "
                                        "picture of the editor and its tool windows, and quits.",
                                        "PNG");
    parser.addOption(addIn);
    parser.addOption(screenshot);
    parser.process(app);

    editor::MainWindowOptions options;
    const QString installedList =
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral(QUILLMARK_DATA_FROM_BIN) + "/vbaddin.ini");
    if (QFileInfo::exists(installedList)) options.installedAddInListFile = installedList.toStdString();
    editor::MainWindow window(options);
    window.show();

    QStringList modules;
    for (const QString& file : parser.positionalArguments()) {
        if (file.endsWith(".vbp", Qt::CaseInsensitive)) window.OpenProject(file);
        else modules << file;
    }
    if (!modules.isEmpty()) window.OpenModules(modules);

    std::vector<std::string> external;
    for (const QString& id : parser.values(addIn)) external.push_back(id.toStdString());
    window.StartAddIns(external);

    if (parser.isSet(screenshot)) {
        const QString target = parser.value(screenshot);
        QTimer::singleShot(0, &window, [&window, target] {
            editor::PrepareScreenshot(window);
            QTimer::singleShot(400, &window, [&window, target] {
                const bool ok = editor::SaveScreenshot(window, target);
                QCoreApplication::exit(ok ? 0 : 1);
            });
        });
    }
    return app.exec();
}
