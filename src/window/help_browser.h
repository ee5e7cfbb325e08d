// The help browser: one window that shows the program's HTML help document, and
// where that document is.
#pragma once

#include <QString>
#include <QTextBrowser>

namespace window {

/// The help document as the program ships it: beside the program, in the
/// installed data folder, or in the build's help folder; empty when none is there.
QString FindHelpDocument();

/// The program-wide help document (opened with F1 in the program's windows),
/// set by the start-up routine.
void SetProgramHelpFile(const QString& document);
QString ProgramHelpFile();

class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    /// Shows `document` in the one help browser, bringing it to the front.
    static HelpBrowser* Open(const QString& document);
    /// The browser, if one was opened.
    static HelpBrowser* Current();

private:
    HelpBrowser();
};

}  // namespace window
