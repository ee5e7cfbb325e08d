// The tool window driven as a user drives it, over a module in the workspace.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

#include "../cli/cli_helpers.h"
#include "core/captions.h"
#include "window_support.h"

using windowtest::PenworkFixture;

namespace {

std::string Stored(platform::SettingsStore& s, const platform::SettingKey& k) {
    return s.GetSetting(k.app, k.section, k.key, "<absent>");
}

}  // namespace

class PenworkTest : public QObject {
    Q_OBJECT
private slots:
    void firstLoadShowsAndStoresTheDefaults();
    void typingStoresEveryTextAndSaveChecksLengthOnly();
    void modesSwitchFramesBoxesAndBoldButtons();
    void revisionTargetsEnableInsert();
    void templateBoxTakesTypingOnlyForCustom();
    void clearAndClearAll();
    void helpReleasesOnTopAndAboutRestoresIt();
    void exitUnloadsAndShowingLoadsAnew();
    void menusAndCaptions();
    void insertWithoutCodePaneDoesNothing();
    void insertMatchesTheCommandLine_data();
    void insertMatchesTheCommandLine();
};

void PenworkTest::firstLoadShowsAndStoresTheDefaults() {
    PenworkFixture f;
    QCOMPARE(f.window->windowTitle(), QString("VB Quillmark"));
    QCOMPARE(f.Find<QLineEdit>("txtName")->text(), QString("Enter Your Name Here"));
    QCOMPARE(f.Find<QLineEdit>("txtInitials")->text(), QString("EYI"));
    QCOMPARE(f.Find<QComboBox>("cboRevType")->currentText(), QString("Bug"));
    QCOMPARE(f.Find<QLineEdit>("txtRevNumber")->text(), QString("00000"));
    QCOMPARE(Stored(f.settings, platform::settings::AuthorName), std::string("Enter Your Name Here"));
    QCOMPARE(Stored(f.settings, platform::settings::RevisionNumber), std::string("00000"));
    QCOMPARE(Stored(f.settings, platform::settings::RevisionCode), std::string("<absent>"));
    for (int i = 0; i < 4; ++i) QVERIFY(!f.Find<QCheckBox>(QString("chkRevision%1").arg(i))->isChecked());
    QVERIFY(f.Find<QCheckBox>("chkOnTop")->isChecked());
    QVERIFY(windowtest::IsOnTop(*f.window));
    QVERIFY(f.Find<QRadioButton>("optHeader0")->isChecked());
    QVERIFY(f.Find<QRadioButton>("optHeaderType0")->font().bold());
    QCOMPARE(f.Find<QStackedWidget>("txtDescription")->currentWidget()->objectName(), QString("txtHeader0"));
    QCOMPARE(f.Find<QPushButton>("cmdInsertText")->text(), QString("&Insert Procedure Header"));
}

void PenworkTest::typingStoresEveryTextAndSaveChecksLengthOnly() {
    PenworkFixture f;
    f.Type("txtName", "Jo");
    QCOMPARE(Stored(f.settings, platform::settings::AuthorName), std::string("Jo"));
    f.Type("txtName", "");
    QCOMPARE(Stored(f.settings, platform::settings::AuthorName), std::string(""));
    f.Click("cmdSave");
    QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
    QCOMPARE(f.dialogs.messages[0].title, std::string("Save Author's Name"));
    QCOMPARE(f.dialogs.onTopAtMessage[0], false);  // off the top while the box is up
    QVERIFY(windowtest::IsOnTop(*f.window));
    f.Type("txtName", "   ");
    f.Type("txtInitials", "JD");
    f.Click("cmdSave");
    QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
    QCOMPARE(Stored(f.settings, platform::settings::AuthorName), std::string("   "));
    f.Type("cboRevType", "FIX");  // in a frame that is not in front: no effect
    QCOMPARE(Stored(f.settings, platform::settings::RevisionType), std::string("Bug"));
    f.Click("optHeaderType2");
    f.Type("cboRevType", "FIX");
    QCOMPARE(Stored(f.settings, platform::settings::RevisionType), std::string("FIX"));
}

void PenworkTest::modesSwitchFramesBoxesAndBoldButtons() {
    PenworkFixture f;
    auto* frames = f.window->findChild<QStackedWidget*>("frameStack");
    auto* boxes = f.Find<QStackedWidget>("txtDescription");
    f.Click("optProcSection2");
    f.Type("txtHeader2", "globals");
    const char* frameNames[] = {"fraProcedure", "fraModule", "fraRevision", "fraComment", "fraError"};
    for (int mode : {3, 1, 4, 2, 0}) {
        f.Click(QString("optHeaderType%1").arg(mode));
        QCOMPARE(frames->currentWidget()->objectName(), QString(frameNames[mode]));
        QCOMPARE(boxes->currentWidget()->objectName(), QString("txtHeader%1").arg(mode == 0 ? 2 : mode + 3));
        QCOMPARE(f.Find<QPushButton>("cmdInsertText")->text(), QString(core::kInsertCaptions[mode]));
        int bold = 0;
        for (int i = 0; i < 5; ++i) bold += f.Find<QRadioButton>(QString("optHeaderType%1").arg(i))->font().bold();
        QCOMPARE(bold, 1);
        QVERIFY(f.Find<QRadioButton>(QString("optHeaderType%1").arg(mode))->font().bold());
        QCOMPARE(f.Find<QPushButton>("cmd2nd")->isVisible(), mode == 0 || mode == 4);
    }
    QCOMPARE(f.Find<QPlainTextEdit>("txtHeader2")->toPlainText(), QString("globals"));
    QCOMPARE(f.Find<QPushButton>("cmd2nd")->toolTip(), QString("Clear text from all procedure header sections"));
}

void PenworkTest::revisionTargetsEnableInsert() {
    PenworkFixture f;
    f.Click("optHeaderType2");
    auto* insert = f.Find<QPushButton>("cmdInsertText");
    QVERIFY(!insert->isEnabled());
    f.Click("chkRevision1");
    QVERIFY(insert->isEnabled());
    QCOMPARE(Stored(f.settings, platform::settings::RevisionModule), std::string("1"));
    f.Click("chkRevision1");
    QVERIFY(!insert->isEnabled());
    QCOMPARE(Stored(f.settings, platform::settings::RevisionModule), std::string("0"));
}

void PenworkTest::templateBoxTakesTypingOnlyForCustom() {
    PenworkFixture f;
    f.settings.Save(platform::settings::ErrorHandlerCustom, "MsgBox [ProcName]");
    f.Click("optHeaderType4");
    auto* box = f.Find<QPlainTextEdit>("txtHeader7");
    QCOMPARE(box->toPlainText(), QString("MsgBox [ProcName]"));
    f.Click("optErrorHandler1");
    QCOMPARE(box->toPlainText(), QString("On Error Resume Next"));
    QTest::keyClicks(box, "xyz");
    QCOMPARE(box->toPlainText(), QString("On Error Resume Next"));
    QVERIFY(!f.Find<QPushButton>("cmdClear")->isEnabled());
    QVERIFY(f.Find<QRadioButton>("optErrorHandler1")->font().bold());
    f.Click("optErrorHandler0");
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, "!");
    QCOMPARE(box->toPlainText(), QString("MsgBox [ProcName]!"));
    f.Click("cmd2nd");  // Save Custom Handler
    QCOMPARE(Stored(f.settings, platform::settings::ErrorHandlerCustom), std::string("MsgBox [ProcName]!"));
}

void PenworkTest::clearAndClearAll() {
    PenworkFixture f;
    for (int i = 0; i < 4; ++i) {
        f.Click(QString("optProcSection%1").arg(i));
        f.Type(QString("txtHeader%1").arg(i), QString("section %1").arg(i));
    }
    f.Click("cmdClear");  // the Results box in view
    QCOMPARE(f.Find<QPlainTextEdit>("txtHeader3")->toPlainText(), QString());
    QCOMPARE(f.Find<QPlainTextEdit>("txtHeader0")->toPlainText(), QString("section 0"));
    f.Click("cmd2nd");
    for (int i = 0; i < 4; ++i) QVERIFY(f.Find<QPlainTextEdit>(QString("txtHeader%1").arg(i))->toPlainText().isEmpty());
}

void PenworkTest::helpReleasesOnTopAndAboutRestoresIt() {
    PenworkFixture f;
    f.Click("cmdHelp");
    QCOMPARE(f.dialogs.helps.size(), std::size_t(1));
    QVERIFY(f.dialogs.helps[0].endsWith("penwork.html"));
    QVERIFY(!windowtest::IsOnTop(*f.window));
    QVERIFY(f.Find<QCheckBox>("chkOnTop")->isChecked());
    f.Click("chkOnTop");  // unchecked now
    QVERIFY(!windowtest::IsOnTop(*f.window));
    f.Trigger("mnuHelpAbout");
    QCOMPARE(f.dialogs.modals, 1);
    QVERIFY(!f.dialogs.onTopDuringModal);
    QVERIFY(windowtest::IsOnTop(*f.window));  // whatever the box says
    QCOMPARE(f.window->About().windowTitle(), QString("About Quillmark"));
    f.Trigger("mnuHelpWebPage");
    QCOMPARE(f.dialogs.urls.size(), std::size_t(1));
}

void PenworkTest::exitUnloadsAndShowingLoadsAnew() {
    PenworkFixture f;
    f.Type("txtHeader0", "gone after unload");
    f.Trigger("mnuFileExit");
    QVERIFY(!f.window->Loaded());
    QVERIFY(!f.window->isVisible());
    f.window->ShowWindow();
    QVERIFY(f.window->Loaded());
    QVERIFY(f.Find<QPlainTextEdit>("txtHeader0")->toPlainText().isEmpty());
    QVERIFY(f.Find<QCheckBox>("chkOnTop")->isChecked());
}

void PenworkTest::menusAndCaptions() {
    PenworkFixture f;
    QStringList menu;
    for (QAction* a : f.window->menuBar()->actions()) {
        menu << a->text();
        for (QAction* item : a->menu()->actions()) menu << (item->isSeparator() ? QString("-") : item->text());
    }
    QCOMPARE(menu, QStringList({"&File", "&Exit", "&Help", "&Help Topics", "&Go to Tallowick Web Page", "-",
                                "&About"}));
    QCOMPARE(f.Find<QPushButton>("cmdSave")->toolTip(), QString("Save Author's Name and Initials "));
    QCOMPARE(f.Find<QPushButton>("cmdCloseAll")->toolTip(), QString("Close all Form and Code Windows"));
    QCOMPARE(f.Find<QCheckBox>("chkRevision2")->text(), QString("Revision.t&xt"));
    QCOMPARE(f.Find<QPlainTextEdit>("txtHeader2")->toolTip(), QString("Use of Globals in Procedure"));
}

void PenworkTest::insertWithoutCodePaneDoesNothing() {
    PenworkFixture f("Inventory.bas", 22);
    const std::string before = f.ModuleBytes();
    f.Click("optHeaderType3");
    f.Type("txtHeader6", "note");
    f.workspace.Unfocus();
    f.Click("cmdInsertText");
    QCOMPARE(f.ModuleBytes(), before);
    QVERIFY(f.dialogs.messages.empty());
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.Find<QPushButton>("cmdClear")));
}

// For each header type the window writes exactly what the command line writes
// for the same fields.
void PenworkTest::insertMatchesTheCommandLine_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("args");
    const QString text = "Adds the rows.\nKeeps totals in cents.";
    QTest::newRow("procedure") << 0 << 30 << text
                               << QStringList{"procedure", "Inventory.bas:30", "--description", text, "--after"};
    QTest::newRow("module") << 1 << 1 << text << QStringList{"module", "Inventory.bas", "--description", text};
    QTest::newRow("revision") << 2 << 31 << text
                              << QStringList{"revision", "Inventory.bas:31", "--to", "procedure,code", "--type",
                                             "FIX", "--number", "42", "--text", text};
    QTest::newRow("comment") << 3 << 27 << text << QStringList{"comment", "Inventory.bas:27", "--text", text};
    QTest::newRow("error") << 4 << 22 << QString() << QStringList{"error", "Inventory.bas:22", "--kind", "component"};
}

void PenworkTest::insertMatchesTheCommandLine() {
    QFETCH(int, mode);
    QFETCH(int, line);
    QFETCH(QString, text);
    QFETCH(QStringList, args);
    testsupport::FixedClock clock{1783170309};
    clitest::CliFixture cli;
    std::vector<std::string> cliArgs;
    for (const QString& a : args) cliArgs.push_back(a == "Inventory.bas" || a.startsWith("Inventory.bas:")
                                                        ? cli.Path(a.toStdString())
                                                        : a.toStdString());
    // A comment block and an error handler name no author: those commands take none.
    if (mode != 3 && mode != 4) cliArgs.insert(cliArgs.begin() + 1, {"--author", "Jane Doe", "--initials", "JD"});
    const clitest::Result r = cli.Run(cliArgs);
    QCOMPARE(r.status, 0);

    PenworkFixture f("Inventory.bas", line);
    f.Type("txtName", "Jane Doe");
    f.Type("txtInitials", "JD");
    f.Click(QString("optHeaderType%1").arg(mode));
    switch (mode) {
    case 0:
        f.Click("optHeader1");
        f.Type("txtHeader0", text);
        break;
    case 2:
        f.Click("chkRevision0");
        f.Click("chkRevision3");
        f.Type("cboRevType", "FIX");
        f.Type("txtRevNumber", "42");
        f.Type("txtHeader5", text);
        break;
    case 4:
        f.Click("optErrorHandler3");
        break;
    default:
        f.Type(QString("txtHeader%1").arg(mode + 3), text);
    }
    f.Click("cmdInsertText");
    QVERIFY(f.ModuleBytes() != f.file->originalBytes);
    QCOMPARE(f.ModuleBytes(), cli.Read("Inventory.bas"));
}

QTEST_MAIN(PenworkTest)
#include "tst_penwork.moc"
