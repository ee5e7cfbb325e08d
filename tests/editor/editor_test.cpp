// The editor as a user drives it: the project window, code windows over the
// host's modules, typing, undo, saving, the Add-Ins menu and the Add-In Manager,
// with the tests' own add-in library.
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QLibrary>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QProcess>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>

#include "editor/addin_manager.h"
#include "editor/code_window.h"
#include "editor/editor_application.h"
#include "editor/main_window.h"
#include "editor/module_document.h"
#include "editor/project_view.h"
#include "support/support.h"

namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;

/// Answers every question with `answer` and records what was said.
struct RecordingPrompts final : editor::Prompts {
    void Inform(const std::string& message, const std::string&) override { said.push_back(message); }
    bool Ask(const std::string& question, const std::string&) override {
        asked.push_back(question);
        return answer;
    }
    Answer AskYesNoCancel(const std::string& question, const std::string&) override {
        asked.push_back(question);
        return choice;
    }
    std::vector<std::string> said, asked;
    bool answer = false;
    Answer choice = Answer::Cancel;
};

std::string AddInLog() {
    auto log = reinterpret_cast<const char* (*)()>(QLibrary::resolve(TEST_PLUGIN_FILE, "TestAddInLog"));
    return log != nullptr ? log() : "(no log)";
}

/// A copy of the example project in a temporary folder with its own add-in
/// list, and the editor over it.
struct Session {
    explicit Session(QStringList folders = {TEST_PLUGIN_DIR}) {
        std::filesystem::copy(QUILLMARK_EXAMPLES, dir.Path(), std::filesystem::copy_options::recursive);
        editor::MainWindowOptions options;
        options.pluginFolders = std::move(folders);
        options.addInListFile = dir.File("vbaddin.ini");
        options.prompts = &prompts;
        window = std::make_unique<editor::MainWindow>(options);
        window->show();
        // Menu shortcuts reach only the active window.
        QApplication::setActiveWindow(window.get());
        if (!QTest::qWaitForWindowActive(window.get())) qWarning("the editor's window is not active");
    }
    QString File(const char* name) const { return QString::fromStdString(dir.File(name)); }

    /// Opens the project and a module from the project window as the user does:
    /// its entry chosen and Enter pressed. A module that does not open ends the run.
    editor::CodeWindow* OpenFromProject(const char* entry) {
        if (window->Project() == nullptr && !window->OpenProject(File("Inventory.vbp"))) qFatal("no project");
        QTreeWidget& tree = window->ProjectTree();
        const auto found = tree.findItems(entry, Qt::MatchExactly | Qt::MatchRecursive);
        if (found.size() != 1) qFatal("no entry %s", entry);
        tree.setFocus();
        tree.setCurrentItem(found.front());
        QTest::keyClick(&tree, Qt::Key_Return);
        if (window->ActiveCodeWindow() == nullptr) qFatal("%s did not open", entry);
        return window->ActiveCodeWindow();
    }

    /// Runs an Add-Ins menu command as the menu does, through the event loop.
    void Choose(const QString& caption) {
        for (QAction* action : window->AddInsMenu().actions()) {
            if (action->text() != caption) continue;
            QMetaObject::invokeMethod(action, "trigger", Qt::QueuedConnection);
            QTest::qWait(20);
            return;
        }
        QFAIL(qPrintable("no Add-Ins command " + caption));
    }

    testsupport::TempDir dir;
    RecordingPrompts prompts;
    std::unique_ptr<editor::MainWindow> window;
};

/// Types text as a keyboard does; characters without a key of their own come as
/// an input method delivers them.
void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClicks(widget, QString(c));
        } else {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
        }
    }
}

}  // namespace

class EditorTest : public QObject {
    Q_OBJECT
private slots:
    // Entries show the module's own name, then its file, whole; a missing file is
    // marked before anyone opens it.
    void projectWindowGroupsModulesAndOpensThem() {
        Session s;
        std::string form = ReadFile(s.dir.File("frmMain.frm"));
        form.replace(form.find("\"frmMain\""), 9, "\"FormMainWindowOfTheInventory\"");
        WriteFile(s.dir.File("MainWindow.frm"), form);
        WriteFile(s.dir.File("Inventory.vbp"),
                  ReadFile(s.dir.File("Inventory.vbp")) + "Form=MainWindow.frm\r\nModule=Gone; Gone.bas\r\n");
        QVERIFY(s.window->OpenProject(s.File("Inventory.vbp")));
        QStringList shown;
        for (QTreeWidgetItemIterator it(&s.window->ProjectTree()); *it; ++it)
            shown << QString((*it)->parent() == nullptr ? "" : (*it)->parent()->parent() == nullptr ? "  " : "    ") +
                         (*it)->text(0);
        QCOMPARE(shown, QStringList({"Inventory (Inventory.vbp)", "  Forms", "    frmMain (frmMain.frm)",
                                     "    FormMainWindowOfTheInventory (MainWindow.frm)", "  Modules",
                                     "    Inventory (Inventory.bas)", "    Gone (Gone.bas)", "  Class Modules",
                                     "    Customer (Customer.cls)"}));
        QTreeWidget& tree = s.window->ProjectTree();
        QVERIFY(tree.findItems("Gone (Gone.bas)", Qt::MatchRecursive)[0]->toolTip(0).startsWith("The file is missing"));
        QVERIFY(tree.findItems("Inventory (Inventory.bas)", Qt::MatchRecursive)[0]->toolTip(0).startsWith("/"));
        const QString longest = "FormMainWindowOfTheInventory (MainWindow.frm)";
        QVERIFY(tree.columnWidth(0) > tree.fontMetrics().horizontalAdvance(longest) + 2 * tree.indentation());
        QCOMPARE(s.window->ProjectDock().windowTitle(), QString("Project - Inventory"));

        s.OpenFromProject("Customer (Customer.cls)");
        ide::CodePane* pane = s.window->Workspace().ActiveCodePane();
        QVERIFY(pane != nullptr);
        QCOMPARE(s.window->Workspace().ActiveWindow(), &pane->Window());
        QCOMPARE(s.window->CodeArea().activeSubWindow()->windowTitle(), QString("Customer (Code)[*]"));

        // A revision log added as a related document shows once the command is over.
        s.window->Project()->VBComponents().AddFile(s.dir.File("REVISION.TXT"), true);
        s.window->EndCommand();
        QVERIFY(!s.window->ProjectTree().findItems("REVISION.TXT", Qt::MatchRecursive).isEmpty());
        QVERIFY(!s.window->ProjectTree().findItems("Related Documents", Qt::MatchRecursive).isEmpty());

        // Working in the project window gives it the focus; the code pane stays active.
        s.window->ProjectTree().setFocus();
        QCOMPARE(s.window->Workspace().ActiveWindow(), &s.window->Workspace().ProjectWindow());
        QVERIFY(s.window->Workspace().ActiveCodePane() != nullptr);
    }

    void typingAndSavingKeepHiddenLinesLineEndsAndCodePage() {
        Session s;
        // A form with its designer prelude, a member attribute, a Windows-1252 "é"
        // and one line ending in LF alone among CR LF lines.
        const std::string path = s.dir.File("frmMain.frm");
        std::string bytes = ReadFile(path);
        const std::string anchor = "Private Sub cmdCount_Click()\r\n";
        bytes.replace(bytes.find(anchor), anchor.size(),
                      anchor + "Attribute cmdCount_Click.VB_Description = \"Counts\"\r\n' Caf\xE9\n");
        WriteFile(path, bytes);

        editor::CodeWindow* code = s.OpenFromProject("frmMain (frmMain.frm)");
        editor::CodeView& view = code->View();
        QCOMPARE(view.Module().Lines(4, 1), std::string("' Caf\xC3\xA9"));  // below the hidden attribute
        view.SetCursor({4, 6});
        Type(&view, "\xC3\xA8s");  // "ès": typed text in the module's code page
        QTest::keyClick(&view, Qt::Key_End);
        Type(&view, "!");
        QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);

        std::string expected = bytes;
        expected.replace(expected.find("' Caf\xE9\n"), 7, "' Caf\xE8s\xE9!\n");
        QCOMPARE(ReadFile(path), expected);
        QVERIFY(s.prompts.said.empty());

        // A character the code page cannot hold is refused by name; nothing is written.
        Type(&view, QString::fromUtf8("\xE4\xB8\xAD"));
        QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(s.prompts.said.size(), std::size_t(1));
        QVERIFY(s.prompts.said.front().find("cannot be stored in windows-1252") != std::string::npos);
        QCOMPARE(ReadFile(path), expected);
        QVERIFY(s.window->CodeArea().activeSubWindow()->isWindowModified());  // still unsaved
    }

    void anAddInCommandIsOneUndoStep() {
        Session s;
        editor::CodeWindow* code = s.OpenFromProject("Inventory (Inventory.bas)");
        host::SourceModule& source = code->Document().Source();
        const std::string before = source.Text();
        QVERIFY(s.window->AddIns().Connect("Test.Stamp", ide::ext_cm_AfterStartup));

        editor::CodeView& view = code->View();
        view.SetCursor({20, 4});
        Type(&view, "x");  // one step of its own, before the command
        s.Choose("Stamp");
        QCOMPARE(QString::fromStdString(source.Lines(20, 3)),
                 QString("' Stamped\r\n' at line 20, column 5\r\nIf xItem.Quantity < REORDER_LEVEL Then ' <-"));
        QCOMPARE(view.Cursor().line, 22L);  // the cursor follows its line
        QCOMPARE(s.window->Position().text(), QString("Ln 22, Col 5 (file line 23)"));  // below VB_Name

        QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(source.Lines(20, 1), std::string("If xItem.Quantity < REORDER_LEVEL Then"));
        QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(source.Text(), before);
        QVERIFY(!s.window->CodeArea().activeSubWindow()->isWindowModified());  // undone to the saved text
        QTest::keyClick(&view, Qt::Key_Y, Qt::ControlModifier);
        QTest::keyClick(&view, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(source.Lines(21, 1), std::string("' at line 20, column 5"));

        // The menu follows the command bar: the command goes with the add-in.
        s.window->AddIns().Disconnect("Test.Stamp", ide::ext_dm_UserClosed);
        QCOMPARE(s.window->AddInsMenu().actions().size(), 1);
    }

    void undoAndRedoGiveBackTheBytesAndTheModifiedMarkFollowsTheFile() {
        // CR LF lines, LF lines (one with a member attribute under it), a CR line
        // and a last line without a line end.
        const std::string original = "Attribute VB_Name = \"Mixed\"\r\nOption Explicit\r\nSub A()\n"
                                     "Attribute A.VB_Description = \"a\"\r\n    x = 1\rEnd Sub\n' last";
        const struct {
            editor::TextPos from, to;
            Qt::Key key;  // or "x" typed over the selection
        } edits[] = {
            {{2, 5}, {2, 5}, Qt::Key_Return},     // splits the LF line
            {{3, 7}, {3, 7}, Qt::Key_Return},     // splits the CR line
            {{3, 1}, {3, 1}, Qt::Key_Backspace},  // joins the CR line to the LF line
            {{1, 16}, {1, 16}, Qt::Key_Delete},   // joins the LF line and its attribute up
            {{5, 1}, {5, 1}, Qt::Key_Backspace},  // joins the last line to an LF line
            {{1, 1}, {5, 7}, Qt::Key_unknown},    // replaces every line
        };
        for (const auto& edit : edits) {
            Session s;
            const std::string path = s.dir.File("Mixed.bas");
            WriteFile(path, original);
            editor::CodeWindow* code = s.window->OpenModule(QString::fromStdString(path));
            QVERIFY(code != nullptr);
            editor::CodeView& view = code->View();
            const QMdiSubWindow* sub = s.window->CodeArea().activeSubWindow();
            view.Select(edit.from, edit.to);
            if (edit.key == Qt::Key_unknown) Type(&view, "x");
            else QTest::keyClick(&view, edit.key);
            QVERIFY(sub->isWindowModified());
            QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
            const std::string edited = ReadFile(path);
            QVERIFY(edited != original && !sub->isWindowModified());
            // Undone, the text differs from the file saved; redone, it is the file again.
            QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(code->Document().Source().Text(), original);
            QVERIFY(sub->isWindowModified());
            QTest::keyClick(&view, Qt::Key_Y, Qt::ControlModifier);
            QCOMPARE(code->Document().Source().Text(), edited);
            QVERIFY(!sub->isWindowModified());
        }
    }

    // An input method's text goes in as typed text, the cursor's line is what it
    // reads back; a screen reader reads the code lines and the cursor; the Edit
    // menu cuts and pastes; typing is undone a word at a time.
    void codeWindowTakesInputMethodsScreenReadersAndTheClipboard() {
        Session s;
        editor::CodeWindow* code = s.OpenFromProject("Inventory (Inventory.bas)");
        editor::CodeView& view = code->View();
        const editor::UndoableModule& module = code->Document().Module();
        const QString word = QString::fromUtf8("' \xE5\x9C\xA8\xE5\xBA\xAB");  // "' 在庫"
        view.SetCursor({2, 1});  // the empty line under Option Explicit
        Type(&view, "Dim total");
        QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
        Type(&view, "s");
        QVERIFY(s.window->CodeArea().activeSubWindow()->isWindowModified());  // typed on after saving
        QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(module.Lines(2, 1), std::string("Dim "));
        QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(module.Lines(2, 1), std::string());

        QInputMethodEvent composing("zaiku", {});
        QApplication::sendEvent(&view, &composing);
        QCOMPARE(module.Lines(2, 1), std::string());  // still being composed
        QInputMethodEvent committed;
        committed.setCommitString(word);
        QApplication::sendEvent(&view, &committed);
        QCOMPARE(QString::fromStdString(module.Lines(2, 1)), word);
        QInputMethodQueryEvent query(Qt::ImSurroundingText | Qt::ImCursorPosition);
        QApplication::sendEvent(&view, &query);
        QCOMPARE(query.value(Qt::ImSurroundingText).toString(), word);
        QCOMPARE(query.value(Qt::ImCursorPosition).toInt(), 4);

        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&view);
        QVERIFY(reader != nullptr && reader->textInterface() != nullptr);
        QAccessibleTextInterface& text = *reader->textInterface();
        QVERIFY(text.text(0, text.characterCount()).startsWith("Option Explicit\n" + word + "\n' Stock levels"));
        QCOMPARE(text.cursorPosition(), 20);
        int start = 0, end = 0;
        QCOMPARE(text.textAtOffset(text.cursorPosition(), QAccessible::LineBoundary, &start, &end), word + "\n");
        QCOMPARE(start, 16);

        view.Select({2, 1}, {2, 5});
        s.window->findChild<QAction*>("editCut")->trigger();
        QCOMPARE(module.Lines(2, 1), std::string());
        QCOMPARE(QGuiApplication::clipboard()->text(), word);
        view.SetCursor({1, 1});
        s.window->findChild<QAction*>("editPaste")->trigger();
        QCOMPARE(QString::fromStdString(module.Lines(1, 1)), word + "Option Explicit");
        QInputMethodEvent replacing;  // the input method takes back the four units before the cursor
        replacing.setCommitString("Rem", -4, 4);
        QApplication::sendEvent(&view, &replacing);
        QCOMPARE(module.Lines(1, 1), std::string("RemOption Explicit"));

    }

    void procedureListGoToLineAndFind() {
        Session s;
        editor::CodeWindow* code = s.OpenFromProject("Inventory (Inventory.bas)");
        QTest::keyClick(&code->View(), Qt::Key_G, Qt::ControlModifier);
        Type(&s.window->FindBar(), "30");
        QTest::keyClick(&s.window->FindBar(), Qt::Key_Return);
        QCOMPARE(code->View().Cursor(), (editor::TextPos{30, 1}));
        QCOMPARE(code->ProcedureList().currentText(), QString("AdjustStock"));

        // Choosing a procedure jumps to its declaration.
        QComboBox& list = code->ProcedureList();
        const int needs = list.findText("NeedsReorder");
        QVERIFY(needs > 0);
        list.setCurrentIndex(needs);
        emit list.activated(needs);
        QCOMPARE(code->View().Cursor().line, 19L);
        list.setCurrentIndex(0);
        emit list.activated(0);
        QCOMPARE(code->View().Cursor().line, 1L);  // (General) is the declarations

        QTest::keyClick(&code->View(), Qt::Key_F, Qt::ControlModifier);
        Type(&s.window->FindBar(), "debug.print");
        QTest::keyClick(&s.window->FindBar(), Qt::Key_Return);
        QCOMPARE(code->View().Selection(), (host::Selection{34, 1, 34, 12}));
        QTest::keyClick(&s.window->FindBar(), Qt::Key_Return);
        QCOMPARE(code->View().Selection(), (host::Selection{36, 1, 36, 12}));
        // A match selected from its end backwards is passed over too, not taken for the last one.
        code->View().Select({34, 12}, {34, 1});
        QVERIFY(s.window->FindNext("debug.print"));
        QCOMPARE(code->View().Selection(), (host::Selection{36, 1, 36, 12}));
        QVERIFY(!s.window->FindNext("NoSuchText"));
    }

    void connectModesThroughTheManagerAndTheCommandLine() {
        const std::string start = AddInLog();
        {
            Session s;
            // Load on startup: mode 1 at start.
            s.window->AddInsList().Set({"Test.Stamp", false, true});
            s.window->StartAddIns({});

            // Unloaded in the manager (both boxes cleared), then loaded again: mode 0.
            editor::AddInManager* manager = s.window->ShowAddInManager();
            QTest::mouseClick(manager->LoadedBox("Test.Stamp"), Qt::LeftButton);
            QTest::mouseClick(manager->StartupBox("Test.Stamp"), Qt::LeftButton);
            manager->accept();
            QCOMPARE(s.window->AddInsList().Find("Test.Stamp"), (editor::AddInEntry{"Test.Stamp", false, false}));
            manager = s.window->ShowAddInManager();
            QTest::mouseClick(manager->LoadedBox("Test.Stamp"), Qt::LeftButton);
            manager->accept();
            QCOMPARE(s.window->AddInsList().Find("Test.Stamp"), (editor::AddInEntry{"Test.Stamp", true, false}));
        }
        Session().window->StartAddIns({"Test.Stamp"});  // the command line's add-in: mode 2
        QCOMPARE(AddInLog().substr(start.size()),
                 std::string("connect 1;startup complete;disconnect 1;connect 0;update;disconnect 0;"
                             "connect 2;startup complete;disconnect 0;"));
    }

    void brokenOrMissingAddInsAreReportedOnceAndSkipped() {
        testsupport::TempDir plugins;
        std::filesystem::copy(TEST_PLUGIN_FILE, plugins.Path());
        WriteFile(plugins.File("libbroken.so"), "not a library");
        Session s({QString::fromStdString(plugins.Path())});
        for (const char* id : {"Test.Throws", "Test.Null", "Test.Missing"})
            s.window->AddInsList().Set({id, false, true});
        for (int run = 0; run < 2; ++run) {
            s.window->StartAddIns({"Test.Missing"});
            s.window->AddIns().DisconnectAll(ide::ext_dm_HostShutdown);
        }
        const auto said = s.prompts.said;
        QCOMPARE(said.size(), std::size_t(4));
        QVERIFY(said[0].find("libbroken.so") != std::string::npos);
        QVERIFY(said[1].find("\"Test.Missing\" is not in the add-in folders") != std::string::npos);
        QVERIFY(said[2].find("\"Test.Null\" could not be created") != std::string::npos);
        QVERIFY(said[3].find("\"Test.Throws\" failed to connect and is not loaded: no licence found") !=
                std::string::npos);
        QVERIFY(s.window->AddIns().Connect("Test.Stamp", ide::ext_cm_AfterStartup));  // the IDE goes on
    }

    // A code window closed through the object model (as Close all does) or by the
    // user leaves the workspace, and opens again, with its changes marked; the
    // others stay in their tabs, and Window > Tabbed brings back cascaded ones.
    void closedCodeWindowsLeaveTheWorkspace() {
        Session s;
        s.OpenFromProject("Inventory (Inventory.bas)");
        QCOMPARE(s.window->CodeArea().subWindowList().size(), 1);
        s.window->Workspace().Windows().back()->Close();
        QCOMPARE(s.window->CodeArea().subWindowList().size(), 0);
        QVERIFY(s.window->ProjectDock().isVisible());

        QMdiArea& area = s.window->CodeArea();
        const auto tabbed = [&area] {  // each window in a tab, the active one filling the area
            const auto* tabs = area.findChild<QTabBar*>();
            return area.viewMode() == QMdiArea::TabbedView && tabs != nullptr && tabs->isVisible() &&
                   tabs->count() == area.subWindowList().size() && area.activeSubWindow()->isMaximized();
        };
        s.OpenFromProject("Inventory (Inventory.bas)");
        s.OpenFromProject("frmMain (frmMain.frm)");
        Type(&s.OpenFromProject("Customer (Customer.cls)")->View(), "x");
        area.activeSubWindow()->close();
        QTest::qWait(10);
        QCOMPARE(s.window->Workspace().Windows().size(), std::size_t(3));
        QCOMPARE(area.subWindowList().size(), 2);
        QVERIFY(tabbed());
        s.OpenFromProject("Customer (Customer.cls)");
        QVERIFY(area.activeSubWindow()->isWindowModified());
        QVERIFY(tabbed());

        emit s.window->WindowMenu().aboutToShow();
        for (QAction* action : s.window->WindowMenu().actions())
            if (action->text() == "&Cascade") action->trigger();
        QVERIFY(!tabbed());
        emit s.window->WindowMenu().aboutToShow();
        s.window->WindowMenu().findChild<QAction*>("windowTabbed")->trigger();
        QVERIFY(tabbed());
    }

    // Exit names the files with changes; Cancel keeps the editor open with
    // nothing written, No leaves without writing, Save Project writes them all.
    void exitAsksAboutEachChangedFile() {
        Session s;
        Type(&s.OpenFromProject("Inventory (Inventory.bas)")->View(), "x");
        Type(&s.OpenFromProject("Customer (Customer.cls)")->View(), "y");
        s.window->Project()->VBComponents().AddFile(s.dir.File("REVISION.TXT"), true);
        const std::string vbp = ReadFile(s.dir.File("Inventory.vbp")), bas = ReadFile(s.dir.File("Inventory.bas"));
        s.prompts.choice = editor::Prompts::Answer::Cancel;
        QVERIFY(!s.window->close());
        QVERIFY(s.window->isVisible());
        QCOMPARE(s.prompts.asked.back(),
                 std::string("Save changes to the following files?\n\nInventory.bas\nCustomer.cls\nInventory.vbp"));
        s.prompts.choice = editor::Prompts::Answer::No;
        QVERIFY(s.window->close());
        QCOMPARE(ReadFile(s.dir.File("Inventory.vbp")), vbp);
        QCOMPARE(ReadFile(s.dir.File("Inventory.bas")), bas);

        s.window->findChild<QAction*>("saveProject")->trigger();
        QVERIFY(ReadFile(s.dir.File("Inventory.bas")).find("xOption Explicit") != std::string::npos);
        QVERIFY(ReadFile(s.dir.File("Customer.cls")).find("yOption Explicit") != std::string::npos);
        QVERIFY(ReadFile(s.dir.File("Inventory.vbp")).find("RelatedDoc=REVISION.TXT") != std::string::npos);
        const std::size_t asked = s.prompts.asked.size();
        QVERIFY(s.window->close());
        QCOMPARE(s.prompts.asked.size(), asked);  // nothing left to save
    }

    void aFileChangedOnDiskIsReadAgainOrKeptAsTheUserSays() {
        Session s;
        editor::CodeWindow* code = s.OpenFromProject("Customer (Customer.cls)");
        const std::string path = s.dir.File("Customer.cls");
        const auto writtenElsewhere = [&](const std::string& bytes) {  // whether the editor asked
            const std::size_t asked = s.prompts.asked.size();
            WriteFile(path, bytes);
            return QTest::qWaitFor([&] { return s.prompts.asked.size() > asked; }, 500);
        };
        QVERIFY(!writtenElsewhere(ReadFile(path)));  // the same bytes: nothing to ask
        Type(&code->View(), "x");
        const std::string theirs = ReadFile(path) + "' added elsewhere\r\n";
        s.prompts.answer = false;  // keep the text here
        QVERIFY(writtenElsewhere(theirs));
        QVERIFY(s.prompts.asked.back().find("Read it again? The changes made here would be lost") != std::string::npos);
        QCOMPARE(code->Document().Module().Lines(1, 1), std::string("xOption Explicit"));

        // Saving over their change asks first.
        QVERIFY(!s.window->Save(code));
        QCOMPARE(ReadFile(path), theirs);
        QVERIFY(s.prompts.asked.back().find("Customer.cls was changed on disk") != std::string::npos);
        s.prompts.answer = true;
        QVERIFY(s.window->Save(code));
        QCOMPARE(ReadFile(path).find("' added elsewhere"), std::string::npos);
        const std::size_t asked = s.prompts.asked.size();
        QTest::qWait(100);
        QCOMPARE(s.prompts.asked.size(), asked);  // the editor's own save is no change elsewhere

        // Read again: the window shows the file as it now is, unmodified.
        QVERIFY(writtenElsewhere(ReadFile(path) + "' and again\r\n"));
        QCOMPARE(s.prompts.asked.size(), asked + 1);
        QCOMPARE(s.prompts.asked.back(),
                 std::string("Customer.cls was changed on disk by another program. Read it again?"));
        code = s.window->ActiveCodeWindow();
        QVERIFY(code != nullptr);
        host::SourceModule& shown = code->Document().Source();
        QCOMPARE(shown.Lines(shown.CountOfLines(), 1), std::string("' and again"));
        QVERIFY(!s.window->CodeArea().activeSubWindow()->isWindowModified());
    }

    void saveAllWritesTheProjectFileOnlyWhenItChanged() {
        Session s;
        QVERIFY(s.window->OpenProject(s.File("Inventory.vbp")));
        const std::string vbp = s.dir.File("Inventory.vbp");
        // Unchanged here, it stays as another program left it.
        const std::string theirs = ReadFile(vbp) + "Comments=\"theirs\"\r\n";
        WriteFile(vbp, theirs);
        QVERIFY(s.window->SaveAll());
        QCOMPARE(ReadFile(vbp), theirs);
        // Changed here, it is written; saved once more, as it stands on disk, it is left alone.
        s.window->Project()->VBComponents().AddFile(s.dir.File("REVISION.TXT"), true);
        QVERIFY(s.window->SaveAll());
        QVERIFY(ReadFile(vbp).find("RelatedDoc=REVISION.TXT\r\n") != std::string::npos);
        const auto written = std::filesystem::last_write_time(vbp) - std::chrono::hours(1);
        std::filesystem::last_write_time(vbp, written);
        QVERIFY(s.window->SaveAll());
        QCOMPARE(std::filesystem::last_write_time(vbp), written);
    }

    void quillmarkRoundTripWritesWhatTheCommandLineWrites() {
        const QString plugins = QUILLMARK_BUILD_PLUGIN_DIR;
        if (QDir(plugins).entryList({"*quillmark_addin*"}, QDir::Files).isEmpty())
            QSKIP("the Quillmark add-in is not built");
        testsupport::TempDir config;
        testsupport::ScopedEnv xdg("XDG_CONFIG_HOME", config.Path().c_str());
        testsupport::FixedClock clock(1767225600);  // 2026-01-01 00:00 UTC
        // A message box left open would wait for a click: close it, and fail.
        QStringList boxes;
        QTimer watchdog;
        QObject::connect(&watchdog, &QTimer::timeout, [&boxes] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                boxes << modal->windowTitle();
                modal->close();
            }
        });
        watchdog.start(100);

        Session s({plugins});
        testsupport::TempDir cliCopy;
        std::filesystem::copy(QUILLMARK_EXAMPLES, cliCopy.Path(), std::filesystem::copy_options::recursive);
        editor::CodeWindow* code = s.OpenFromProject("Inventory (Inventory.bas)");
        const std::string before = code->Document().Source().Text();
        QTest::mouseClick(code->View().viewport(), Qt::LeftButton);
        code->View().SetCursor({30, 5});  // in AdjustStock

        // Add-Ins > Add-In Manager: load Quillmark; then Add-Ins > Quillmark.
        editor::AddInManager* manager = s.window->ShowAddInManager();
        QVERIFY(manager->LoadedBox("Quillmark.Connect") != nullptr);
        QTest::mouseClick(manager->LoadedBox("Quillmark.Connect"), Qt::LeftButton);
        manager->accept();
        s.Choose("Quillmark");
        QWidget* tool = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "frmPenwork" && w->isVisible()) tool = w;
        QVERIFY(tool != nullptr);
        auto* description = tool->findChild<QWidget*>("txtHeader0");
        auto* insert = tool->findChild<QWidget*>("cmdInsertText");
        QVERIFY(description != nullptr && insert != nullptr);
        const QString text = "Adds Delta to the item's stock.";
        description->setFocus();
        QTest::keyClicks(description, text);
        QTest::mouseClick(insert, Qt::LeftButton);

        QApplication::setActiveWindow(s.window.get());
        code->View().setFocus();
        QTest::keyClick(&code->View(), Qt::Key_S, Qt::ControlModifier);
        const long fileLine = code->Document().Source().FileLineOfCodeLine(30);
        QProcess cli;
        const QString at = QString::fromStdString(cliCopy.File("Inventory.bas")) + ":" + QString::number(fileLine);
        cli.start(QUILLMARK_CLI, {"procedure", "--description", text, at});
        QVERIFY(cli.waitForFinished(20000));
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(QByteArray::fromStdString(ReadFile(s.dir.File("Inventory.bas"))),
                 QByteArray::fromStdString(ReadFile(cliCopy.File("Inventory.bas"))));

        // One undo takes the whole header back.
        QTest::keyClick(&code->View(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(QString::fromStdString(code->Document().Source().Text()), QString::fromStdString(before));
        QCOMPARE(boxes, QStringList());
    }
};

int main(int argc, char** argv) {
    editor::EditorApplication app(argc, argv);
    EditorTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "editor_test.moc"
