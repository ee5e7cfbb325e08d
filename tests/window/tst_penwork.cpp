// The tool window driven as a user drives it: each action reaches the logic in
// core::PenworkCore and the widgets show what it holds. The rules themselves are
// tested on the core.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QAbstractTextDocumentLayout>
#include <QTest>
#include <QTextBlock>

#include "../cli/cli_helpers.h"
#include "core/captions.h"
#include "host/module_file.h"
#include "host/workspace.h"
#include "window/frm_penwork.h"
#include "window_support.h"

using windowtest::IsOnTop;

namespace {

const QString kText = "Adds the rows.\nKeeps totals in cents.";
// 215 characters, longer than any line a generator writes.
const QString kLong =
    "Counts the items below their re-order level in the warehouse, shows a message box with the item's name, "
    "and leaves the form open so that the user can count again; the count is kept in the form's tag until it closes.";

enum Size { Smallest, Default, Maximised };

// The lines a text box shows, as it lays them out on screen.
QStringList ShownLines(QTextEdit* box) {
    box->document()->documentLayout()->documentSize();  // lays out the whole text
    QStringList lines;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
        for (int i = 0; i < block.layout()->lineCount(); ++i)
            lines << block.text().mid(block.layout()->lineAt(i).textStart(), block.layout()->lineAt(i).textLength());
    return lines;
}

// The tool window shown over Inventory.bas, in the command line fixture's copy of
// the example project, with the cursor on `line` of the file.
struct PenworkFixture : clitest::CliFixture {
    explicit PenworkFixture(long line = 1) {
        file = std::make_unique<host::ModuleFile>(host::ModuleFile::Load(dir.File("Inventory.bas"), files, ""));
        project = std::make_unique<host::Project>(dir.File("Inventory.vbp"), files);
        workspace.SetProject(project.get());
        workspace.Open(file->module, file->Name(), file->module.CodeLineOfFileLine(line));
        window = std::make_unique<window::frmPenwork>(settings, files, dialogs);
        window->SetVBE(workspace);
        window->ShowWindow();
        if (!QTest::qWaitForWindowExposed(window.get())) qWarning("window not exposed");
    }
    template <class W>
    W* Find(const QString& name) const {
        W* w = window->findChild<W*>(name);
        if (!w) qFatal("no control %s", qPrintable(name));
        return w;
    }
    // Option buttons and check boxes take clicks on their mark and caption only,
    // so they are clicked at the mark.
    void Click(const QString& name) const {
        auto* button = Find<QAbstractButton>(name);
        const bool push = qobject_cast<QPushButton*>(button);
        QTest::mouseClick(button, Qt::LeftButton, {}, push ? button->rect().center() : QPoint(6, button->height() / 2));
    }
    /// Empties a text control and types `text`; "\n" presses Return.
    void Type(const QString& name, const QString& text) const {
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
    void Trigger(const QString& actionName) const { Find<QAction>(actionName)->trigger(); }

    platform::StagedFiles files;
    std::unique_ptr<host::ModuleFile> file;
    std::unique_ptr<host::Project> project;
    host::Workspace workspace;
    windowtest::TestDialogs dialogs;
    std::unique_ptr<window::frmPenwork> window;
};

}  // namespace

class PenworkTest : public QObject {
    Q_OBJECT
private slots:
    // Exit unloads the window; showing it loads it anew, with its boxes empty, its
    // fields as the core holds them and On Top checked again.
    void showingLoadsTheWindowAndExitUnloadsIt() {
        PenworkFixture f;
        f.Type("txtHeader0", "gone after unload");
        f.Click("chkOnTop");
        f.Trigger("mnuFileExit");
        QVERIFY(!f.window->Loaded());
        f.window->ShowWindow();
        QVERIFY(f.window->Loaded());
        QVERIFY(f.Find<QTextEdit>("txtHeader0")->toPlainText().isEmpty());
        QCOMPARE(f.Find<QLineEdit>("txtName")->text(), QString("Enter Your Name Here"));
        QCOMPARE(f.Find<QLineEdit>("txtInitials")->text(), QString("EYI"));
        QCOMPARE(f.Find<QComboBox>("cboRevType")->currentText(), QString("Bug"));
        QCOMPARE(f.Find<QLineEdit>("txtRevNumber")->text(), QString("00000"));
        QVERIFY(f.Find<QCheckBox>("chkOnTop")->isChecked());
        QVERIFY(IsOnTop(*f.window));
        // Each keystroke is stored at once.
        f.Type("txtName", "J");
        QTest::keyClick(f.Find<QLineEdit>("txtName"), Qt::Key_O);
        QCOMPARE(f.settings.Get(platform::settings::AuthorName), std::string("Jo"));
    }

    // A frame not in front takes no typing; the section chosen comes into view and
    // Clear All empties it; the template box takes typing only for the custom
    // handler, and Clear empties it.
    void sectionsAndHandlersReachTheCoreAndClearEmptiesTheirBoxes() {
        PenworkFixture f;
        f.Type("cboRevType", "FIX");
        QCOMPARE(f.settings.Get(platform::settings::RevisionType), std::string("Bug"));
        f.Click("optProcSection2");
        QCOMPARE(f.Find<QStackedWidget>("txtDescription")->currentWidget()->objectName(), QString("txtHeader2"));
        f.Type("txtHeader2", "globals");
        f.Click("cmd2nd");
        QCOMPARE(f.Find<QTextEdit>("txtHeader2")->toPlainText(), QString());

        f.Click("optHeaderType4");
        f.Click("optErrorHandler1");
        auto* box = f.Find<QTextEdit>("txtHeader7");
        QTest::keyClicks(box, "xyz");
        QCOMPARE(box->toPlainText(), QString("On Error Resume Next"));
        f.Click("optErrorHandler0");
        box->moveCursor(QTextCursor::End);
        QTest::keyClicks(box, "!");
        QVERIFY(box->toPlainText().endsWith("!"));
        f.Click("cmdClear");
        QCOMPARE(box->toPlainText(), QString());
    }

    // A message box and help leave the window off the top; About takes it off the
    // top while it is up and puts it back.
    void messagesAndHelpReleaseTheTopAndAboutRestoresIt() {
        PenworkFixture f;
        f.Type("txtName", "");
        f.Click("cmdSave");
        QCOMPARE(f.dialogs.titles, std::vector<std::string>{"Save Author's Name"});
        QCOMPARE(f.dialogs.onTopAtMessage[0], false);
        QVERIFY(IsOnTop(*f.window));
        f.Click("cmdHelp");
        QCOMPARE(f.dialogs.helps.size(), std::size_t(1));
        QVERIFY(f.dialogs.helps[0].endsWith("penwork.html"));
        QVERIFY(!IsOnTop(*f.window));
        QVERIFY(f.Find<QCheckBox>("chkOnTop")->isChecked());  // help leaves chkOnTop as it was
        f.Trigger("mnuHelpAbout");
        QCOMPARE(f.dialogs.modals, 1);
        QVERIFY(!f.dialogs.onTopDuringModal);
        QVERIFY(IsOnTop(*f.window));
        f.Trigger("mnuHelpWebPage");
        QCOMPARE(f.dialogs.urls.size(), std::size_t(1));
    }

    // For each header type the window brings the type's frame to the front and its
    // box into view with the focus (a box out of view takes none), makes its option
    // bold and shows its buttons; it writes exactly what the command line writes for
    // the same fields, at any size of the window, and its box shows the lines
    // written; then the busy cursor is gone and Clear has the focus.
    void insertMatchesTheCommandLine_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("line");  // 0: the module as a whole
        QTest::addColumn<QStringList>("options");  // the text typed is the one after "--description" or "--text"
        QTest::addColumn<int>("size");
        const QStringList revision{"revision", "--to", "procedure,code", "--type", "FIX", "--number", "42", "--text"};
        QTest::newRow("procedure") << 0 << 30 << QStringList{"procedure", "--description", kText, "--after"} << +Default;
        QTest::newRow("module") << 1 << 0 << QStringList{"module", "--description", kText} << +Default;
        QTest::newRow("revision") << 2 << 31 << revision + QStringList{kText} << +Default;
        QTest::newRow("comment") << 3 << 27 << QStringList{"comment", "--text", kText} << +Default;
        QTest::newRow("error") << 4 << 22 << QStringList{"error", "--kind", "component"} << +Default;  // no text
        for (const auto& [size, name] : {std::pair{Smallest, "smallest"}, {Default, "default"}, {Maximised, "maximised"}})
            QTest::newRow(QByteArray("long procedure description, ") + name)
                << 0 << 30 << QStringList{"procedure", "--description", kLong, "--after"} << +size;
        QTest::newRow("long revision text, maximised") << 2 << 31 << revision + QStringList{kLong} << +Maximised;
    }

    void insertMatchesTheCommandLine() {
        QFETCH(int, mode);
        QFETCH(int, line);
        QFETCH(QStringList, options);
        QFETCH(int, size);
        const qsizetype textAt = std::max(options.indexOf("--description"), options.indexOf("--text")) + 1;
        clitest::CliFixture cli;
        std::vector<std::string> args;
        for (const QString& o : options) args.push_back(o.toStdString());
        args.insert(args.begin() + 1, cli.Path("Inventory.bas") + (line ? ":" + std::to_string(line) : ""));
        // A comment block and an error handler name no author: those commands take none.
        if (mode != 3 && mode != 4) args.insert(args.begin() + 1, {"--author", "Jane Doe", "--initials", "JD"});
        QCOMPARE(cli.Run(args).status, 0);

        PenworkFixture f(line ? line : 1);
        const int defaultWidth = f.window->width();
        if (size == Smallest) f.window->resize(f.window->minimumSizeHint());  // here the default is as narrow
        if (size == Maximised) f.window->showMaximized();
        QTRY_VERIFY((f.window->width() > defaultWidth) == (size == Maximised));
        auto* insert = f.Find<QPushButton>("cmdInsertText");
        const QString box = QString("txtHeader%1").arg(mode == 0 ? 0 : mode + 3);
        f.Type("txtName", "Jane Doe");
        f.Type("txtInitials", "JD");
        f.Click(QString("optHeaderType%1").arg(mode));
        QCOMPARE(f.Find<QStackedWidget>("frameStack")->currentIndex(), mode);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.Find<QTextEdit>(box)));
        QCOMPARE(insert->text(), QString(core::kInsertCaptions[mode]));
        QCOMPARE(insert->isEnabled(), mode != 2);  // no revision target checked yet
        for (int i = 0; i < 5; ++i)
            QCOMPARE(f.Find<QRadioButton>(QString("optHeaderType%1").arg(i))->font().bold(), i == mode);
        QCOMPARE(f.Find<QPushButton>("cmd2nd")->isVisible(), mode == 0 || mode == 4);
        if (mode == 0) f.Click("optHeader1");
        if (mode == 2) {
            f.Click("chkRevision0");
            f.Click("chkRevision3");
            f.Type("cboRevType", "FIX");
            f.Type("txtRevNumber", "42");
        }
        if (mode == 4) f.Click("optErrorHandler3");
        if (textAt > 0) f.Type(box, options[textAt]);
        const auto* shown = dynamic_cast<const toolwindow::TextBox*>(f.Find<QTextEdit>(box));
        QStringList given;  // what the generator reads
        for (long i = 0; i < shown->DisplayLineCount(); ++i) given << QString::fromStdString(shown->DisplayLine(i));
        QCOMPARE(ShownLines(f.Find<QTextEdit>(box)), given);
        f.Click("cmdInsertText");
        QVERIFY(f.file->Changed());
        QCOMPARE(f.file->Bytes(), cli.Read("Inventory.bas"));
        QVERIFY(!QGuiApplication::overrideCursor());
        // With a fixed handler Clear is disabled, and the focus stays on Insert.
        const QString focus = mode == 4 ? "cmdInsertText" : "cmdClear";
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.Find<QPushButton>(focus)));
    }
};

QTEST_MAIN(PenworkTest)
#include "tst_penwork.moc"
