#include "editor/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "editor/addin_manager.h"
#include "editor/code_window.h"
#include "editor/editor_application.h"
#include "editor/module_document.h"
#include "editor/project_view.h"
#include "platform/encoding.h"
#include "platform/files.h"

namespace editor {

namespace {

constexpr char kTitle[] = "Quillmark IDE";

QString Canonical(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

}  // namespace

MainWindow::MainWindow(MainWindowOptions options)
    : prompts_(options.prompts != nullptr ? *options.prompts
                                          : *(ownPrompts_ = std::make_unique<MessageBoxPrompts>(this))),
      addInList_(options.addInListFile, options.installedAddInListFile),
      addIns_(std::make_unique<AddInHost>(workspace_, prompts_, options.pluginFolders)),
      mdi_(new QMdiArea(this)), projectDock_(new QDockWidget(this)), tree_(new ProjectView(projectDock_)),
      position_(new QLabel(this)), bar_(new QToolBar("Find", this)), findEdit_(new QLineEdit(bar_)),
      watcher_(new QFileSystemWatcher(this)) {
    setObjectName("mainWindow");
    mdi_->setViewMode(QMdiArea::TabbedView);
    mdi_->setTabsClosable(true);
    mdi_->setTabsMovable(true);
    mdi_->setDocumentMode(true);
    setCentralWidget(mdi_);

    projectDock_->setObjectName("projectWindow");
    projectDock_->setWidget(tree_);
    projectDock_->setWindowTitle(QString::fromStdString(workspace_.ProjectWindow().Caption()));
    addDockWidget(Qt::LeftDockWidgetArea, projectDock_);
    connect(tree_, &ProjectView::openRequested, this, [this](const QString& path) { OpenModule(path); });
    connect(projectDock_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        // The dock also hides while the window is minimised; only a closed dock closes the window.
        if (!visible && projectDock_->isHidden() && workspace_.ProjectWindow().Visible())
            workspace_.ProjectWindow().Close();
    });

    findEdit_->setObjectName("findBar");
    findEdit_->setClearButtonEnabled(true);
    bar_->setObjectName("findToolBar");
    bar_->addWidget(findEdit_);
    bar_->setMovable(false);
    addToolBar(Qt::BottomToolBarArea, bar_);
    bar_->hide();
    connect(findEdit_, &QLineEdit::returnPressed, this, [this] {
        if (findMode_) {
            FindNext(findEdit_->text());
        } else {
            bool ok = false;
            const long line = findEdit_->text().trimmed().toLong(&ok);
            if (ok) GoToLine(line);
            bar_->hide();
        }
    });

    position_->setObjectName("cursorPosition");
    statusBar()->addPermanentWidget(position_);

    CreateMenus();

    workspace_.SubscribeWindows([this](host::WindowEvent e, ide::Window& w) { OnWindowEvent(e, w); });
    workspace_.SubscribeControls([this](host::ControlEvent, ide::CommandBarControl&) { RebuildAddInsMenu(); });
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        // The area activates its window again whenever the main window comes
        // back; the project window keeps the focus it has.
        const QWidget* focus = QApplication::focusWidget();
        if (focus != nullptr && projectDock_->isAncestorOf(focus)) return;
        for (const auto& [window, s] : subWindows_)
            if (s == sub && workspace_.ActiveWindow() != window && window->Visible()) workspace_.Focus(*window);
    });
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &MainWindow::OnFileChanged);
    // The project window has the focus while the user works in it.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == nullptr) return;
        ide::Window* focused = nullptr;
        if (projectDock_->isAncestorOf(now)) focused = &workspace_.ProjectWindow();
        for (const auto& [window, sub] : subWindows_)
            if (sub->isAncestorOf(now)) focused = window;
        if (focused != nullptr && focused->Visible() && workspace_.ActiveWindow() != focused)
            workspace_.Focus(*focused);
    });
    if (auto* app = qobject_cast<EditorApplication*>(QCoreApplication::instance()))
        connect(app, &EditorApplication::actionDone, this, &MainWindow::EndCommand);
    UpdateTitle();
    resize(1100, 720);
}

MainWindow::~MainWindow() {
    // The widgets' signals while they are torn down must not reach this window,
    // whose own members are gone by then.
    if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->disconnect(this);
    for (QObject* sender : std::initializer_list<QObject*>{mdi_, projectDock_, tree_, watcher_, findEdit_})
        sender->disconnect(this);
    // Add-ins go first, while everything they may touch still stands; then the
    // code windows, which follow their modules.
    addIns_->DisconnectAll(ide::ext_dm_HostShutdown);
    for (QMdiSubWindow* sub : mdi_->subWindowList()) delete sub;
}

void MainWindow::CreateMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&Open Project...", QKeySequence::Open, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, "Open Project", {},
                                                          "VB projects and modules (*.vbp *.bas *.cls *.frm *.ctl *.dsr *.pag)");
        if (path.endsWith(".vbp", Qt::CaseInsensitive)) OpenProject(path);
        else if (!path.isEmpty()) OpenModule(path);
    });
    file->addAction("&Save", QKeySequence::Save, this, [this] { Save(ActiveCodeWindow()); });
    file->addAction("Save Pro&ject", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this, [this] { SaveAll(); })
        ->setObjectName("saveProject");
    file->addSeparator();
    file->addAction("E&xit", QKeySequence::Quit, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->addAction("&Undo", QKeySequence::Undo, this, &MainWindow::Undo);
    edit->addAction("&Redo", QKeySequence::Redo, this, &MainWindow::Redo);
    edit->addSeparator();
    const auto onView = [this](void (CodeView::*act)()) {
        return [this, act] {
            if (CodeWindow* window = ActiveCodeWindow()) (window->View().*act)();
        };
    };
    edit->addAction("Cu&t", QKeySequence::Cut, this, onView(&CodeView::Cut))->setObjectName("editCut");
    edit->addAction("&Copy", QKeySequence::Copy, this, [this] {
        if (CodeWindow* window = ActiveCodeWindow()) window->View().Copy();
    })->setObjectName("editCopy");
    edit->addAction("&Paste", QKeySequence::Paste, this, onView(&CodeView::Paste))->setObjectName("editPaste");
    edit->addSeparator();
    edit->addAction("&Find...", QKeySequence::Find, this, [this] { ShowBar(true); });
    edit->addAction("Find &Next", QKeySequence::FindNext, this, [this] { FindNext(findEdit_->text()); });
    edit->addAction("&Go To Line...", QKeySequence(Qt::CTRL | Qt::Key_G), this, [this] { ShowBar(false); });

    QMenu* view = menuBar()->addMenu("&View");
    view->addAction("&Project Explorer", QKeySequence(Qt::CTRL | Qt::Key_R), this, [this] {
        workspace_.ShowProjectWindow();
        workspace_.Focus(workspace_.ProjectWindow());
    });

    addInsMenu_ = menuBar()->addMenu("&Add-Ins");
    addInsMenu_->setObjectName("addInsMenu");
    RebuildAddInsMenu();

    windowMenu_ = menuBar()->addMenu("&Window");
    windowMenu_->setObjectName("windowMenu");
    connect(windowMenu_, &QMenu::aboutToShow, this, &MainWindow::RebuildWindowMenu);
    RebuildWindowMenu();
}

void MainWindow::RebuildAddInsMenu() {
    addInsMenu_->clear();
    addInsMenu_->addAction("&Add-In Manager...", this, [this] { ShowAddInManager(); });
    const std::vector<ide::CommandBarControl*> controls = workspace_.AddInControls();
    if (!controls.empty()) addInsMenu_->addSeparator();
    for (ide::CommandBarControl* control : controls) {
        addInsMenu_->addAction(QString::fromStdString(control->Caption()), this,
                               [this, control] { workspace_.ClickAddInCommand(*control); });
    }
}

void MainWindow::RebuildWindowMenu() {
    windowMenu_->clear();
    // Tabbed is the editor's own view; Cascade and Tile free the windows, and
    // Tabbed brings them back into their tabs.
    QAction* tabbed = windowMenu_->addAction("&Tabbed", this, [this] { mdi_->setViewMode(QMdiArea::TabbedView); });
    tabbed->setObjectName("windowTabbed");
    tabbed->setCheckable(true);
    tabbed->setChecked(mdi_->viewMode() == QMdiArea::TabbedView);
    windowMenu_->addAction("&Cascade", this, [this] {
        mdi_->setViewMode(QMdiArea::SubWindowView);
        mdi_->cascadeSubWindows();
    });
    windowMenu_->addAction("T&ile", this, [this] {
        mdi_->setViewMode(QMdiArea::SubWindowView);
        mdi_->tileSubWindows();
    });
    windowMenu_->addSeparator();
    for (ide::Window* window : workspace_.Windows()) {
        QAction* action = windowMenu_->addAction(QString::fromStdString(window->Caption()), this,
                                                 [this, window] {
                                                     if (window->Visible()) workspace_.Focus(*window);
                                                 });
        action->setCheckable(true);
        action->setChecked(workspace_.ActiveWindow() == window);
    }
}

void MainWindow::UpdateTitle() {
    const QString name = project_ ? QString::fromStdString(project_->Name()) : QString("Project1");
    setWindowTitle(name + " - " + kTitle);
}

bool MainWindow::OpenProject(const QString& path) {
    try {
        platform::DiskFiles disk;
        project_ = std::make_unique<host::Project>(Canonical(path).toStdString(), disk);
    } catch (const platform::FileError& e) {
        prompts_.Inform(e.what(), kTitle);
        return false;
    }
    workspace_.SetProject(project_.get());
    tree_->Show(project_.get());
    // Wide enough for the longest entry, up to a third of the window.
    resizeDocks({projectDock_}, {std::min(tree_->ContentWidth() + 2 * tree_->frameWidth() + 24, width() / 3)},
                Qt::Horizontal);
    projectDock_->setWindowTitle(QString::fromStdString(workspace_.ProjectWindow().Caption()));
    UpdateTitle();
    return true;
}

void MainWindow::OpenModules(const QStringList& paths) {
    QStringList canonical;
    for (const QString& p : paths) canonical << Canonical(p);
    if (!project_) tree_->Show(nullptr, canonical);
    for (const QString& p : canonical) OpenModule(p);
}

ModuleDocument* MainWindow::Document(const QString& path) {
    const QString key = Canonical(path);
    auto it = byPath_.find(key);
    if (it != byPath_.end()) return it->second;
    try {
        documents_.push_back(ModuleDocument::Load(key.toStdString()));
    } catch (const std::runtime_error& e) {  // platform::FileError, platform::EncodingError
        prompts_.Inform(e.what(), kTitle);
        return nullptr;
    }
    ModuleDocument* document = documents_.back().get();
    byPath_[key] = document;
    watcher_->addPath(key);
    document->Source().Subscribe([this](const host::LineChange&) {
        if (qobject_cast<EditorApplication*>(QCoreApplication::instance()) == nullptr)
            QTimer::singleShot(0, this, &MainWindow::EndCommand);
    });
    return document;
}

CodeWindow* MainWindow::OpenModule(const QString& path) {
    ModuleDocument* document = Document(path);
    if (document == nullptr) return nullptr;
    for (const auto& [window, sub] : subWindows_) {
        auto* code = qobject_cast<CodeWindow*>(sub->widget());
        if (code != nullptr && &code->Document() == document) {
            workspace_.Focus(*window);
            return code;
        }
    }
    auto* code = new CodeWindow(*document);
    auto* sub = new QMdiSubWindow;
    sub->setWidget(code);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->installEventFilter(this);
    const std::string name = document->Name();
    sub->setWindowTitle(QString::fromStdString(name) + " (Code)[*]");
    sub->setWindowModified(document->Modified());  // a window opened again on unsaved changes
    mdi_->addSubWindow(sub);
    ide::CodePane* pane = nullptr;
    // The pane exists once the workspace opened it; its window maps to `sub`
    // before the events of the opening are handled.
    {
        ide::CodePane& opened = workspace_.Open(document->Module(), name, 1);
        pane = &opened;
    }
    subWindows_[&pane->Window()] = sub;
    sub->show();
    mdi_->setActiveSubWindow(sub);
    workspace_.Focus(pane->Window());

    CodeView& view = code->View();
    connect(&view, &CodeView::cursorMoved, this, [this, pane, &view, document](long line, long column) {
        workspace_.SetSelection(*pane, view.Selection());
        // The code window numbers the module's code lines, as the VB IDE does;
        // the command line counts the file's lines.
        position_->setText(QString("Ln %1, Col %2 (file line %3)")
                               .arg(line)
                               .arg(column)
                               .arg(document->Source().FileLineOfCodeLine(line)));
    });
    connect(&view, &CodeView::textChanged, this, [sub, document] { sub->setWindowModified(document->Modified()); });
    view.SetCursor({1, 1});
    view.setFocus();
    return code;
}

CodeWindow* MainWindow::WindowOf(ide::Window& window) const {
    auto it = subWindows_.find(&window);
    return it == subWindows_.end() ? nullptr : qobject_cast<CodeWindow*>(it->second->widget());
}

CodeWindow* MainWindow::ActiveCodeWindow() const {
    ide::CodePane* pane = const_cast<host::Workspace&>(workspace_).ActiveCodePane();
    return pane == nullptr ? nullptr : WindowOf(pane->Window());
}

std::vector<CodeWindow*> MainWindow::CodeWindows() const {
    std::vector<CodeWindow*> windows;
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        if (auto* code = qobject_cast<CodeWindow*>(sub->widget())) windows.push_back(code);
    return windows;
}

void MainWindow::OnWindowEvent(host::WindowEvent event, ide::Window& window) {
    if (&window == &workspace_.ProjectWindow()) {
        if (event == host::WindowEvent::Closed) projectDock_->hide();
        if (event == host::WindowEvent::Opened) projectDock_->show();
        if (event == host::WindowEvent::Focused) {
            projectDock_->show();
            projectDock_->raise();
            tree_->setFocus();
        }
        return;
    }
    auto it = subWindows_.find(&window);
    if (it == subWindows_.end()) return;
    QMdiSubWindow* sub = it->second;
    if (event == host::WindowEvent::Closed) {
        // Closed as the area closes a tab: taken out with removeSubWindow, the
        // active window would leave the others shown normal, out of their tabs.
        subWindows_.erase(it);
        sub->removeEventFilter(this);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->close();
    } else if (event == host::WindowEvent::Focused && mdi_->activeSubWindow() != sub) {
        mdi_->setActiveSubWindow(sub);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close) {
        for (const auto& [window, sub] : subWindows_) {
            if (sub != watched) continue;
            // The workspace closes it, and the window follows its event.
            event->ignore();
            ide::Window* ideWindow = window;
            QTimer::singleShot(0, this, [ideWindow] { ideWindow->Close(); });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::StartAddIns(const std::vector<std::string>& external) {
    for (const AddInEntry& entry : addInList_.Entries()) {
        if (!entry.loadOnStartup) continue;
        addIns_->Connect(entry.progId, ide::ext_cm_Startup);
    }
    for (const std::string& progId : external) addIns_->Connect(progId, ide::ext_cm_External);
    addIns_->StartupComplete();
}

AddInManager* MainWindow::ShowAddInManager() {
    auto* manager = new AddInManager(*addIns_, addInList_, this);
    manager->setAttribute(Qt::WA_DeleteOnClose);
    manager->open();
    return manager;
}

bool MainWindow::Save(CodeWindow* window) {
    if (window == nullptr) return true;
    ModuleDocument& document = window->Document();
    const std::string file = QFileInfo(QString::fromStdString(document.Path())).fileName().toStdString();
    if (document.ChangedOnDisk() &&
        !prompts_.Ask(file + " was changed on disk by another program since it was opened here. "
                             "Overwrite it with the text in the editor?",
                      "Save " + file)) {
        return false;
    }
    try {
        document.Save();
    } catch (const std::runtime_error& e) {  // platform::EncodingError, platform::FileError
        prompts_.Inform(std::string(e.what()) + "\n" + file + " was not saved.", "Save " + file);
        return false;
    }
    for (const auto& [w, sub] : subWindows_)
        if (WindowOf(*w) == window) sub->setWindowModified(false);
    return true;
}

bool MainWindow::SaveAll() {
    bool all = true;
    for (const auto& document : documents_) {
        if (!document->Modified()) continue;
        bool saved = false;
        for (CodeWindow* window : CodeWindows())
            if (&window->Document() == document.get()) saved = true, all = Save(window) && all;
        if (!saved) {
            try {
                document->Save();
            } catch (const std::runtime_error& e) {
                prompts_.Inform(e.what(), kTitle);
                all = false;
            }
        }
    }
    if (ProjectUnsaved()) {
        try {
            platform::WriteFileAtomic(project_->FileName(), project_->Text());
        } catch (const std::runtime_error& e) {
            prompts_.Inform(e.what(), kTitle);
            all = false;
        }
    }
    return all;
}

bool MainWindow::ProjectUnsaved() const {
    if (!project_ || !project_->Changed()) return false;
    try {
        return platform::DiskFiles().Read(project_->FileName()) != project_->Text();
    } catch (const std::runtime_error&) {  // gone or unreadable: saving writes it
        return true;
    }
}

QStringList MainWindow::UnsavedFiles() const {
    QStringList files;
    for (const auto& document : documents_)
        if (document->Modified()) files << QFileInfo(QString::fromStdString(document->Path())).fileName();
    if (ProjectUnsaved()) files << QFileInfo(QString::fromStdString(project_->FileName())).fileName();
    return files;
}

void MainWindow::EndCommand() {
    for (const auto& document : documents_) document->Module().EndStep();
    tree_->Refresh();  // a command may have added a related document
}

void MainWindow::Undo() {
    CodeWindow* window = ActiveCodeWindow();
    if (window == nullptr) return;
    EndCommand();
    const long line = window->Document().Module().Undo();
    if (line > 0) window->View().SetCursor({line, 1});
}

void MainWindow::Redo() {
    CodeWindow* window = ActiveCodeWindow();
    if (window == nullptr) return;
    EndCommand();
    const long line = window->Document().Module().Redo();
    if (line > 0) window->View().SetCursor({line, 1});
}

void MainWindow::ShowBar(bool find) {
    findMode_ = find;
    CodeWindow* window = ActiveCodeWindow();
    const long lines = window != nullptr ? window->Document().Module().CountOfLines() : 0;
    findEdit_->clear();
    findEdit_->setPlaceholderText(find ? QString("Find") : QString("Go to line (1-%1)").arg(lines));
    bar_->show();
    findEdit_->setFocus();
}

void MainWindow::GoToLine(long line) {
    if (CodeWindow* window = ActiveCodeWindow()) {
        window->View().SetCursor({line, 1});
        window->View().setFocus();
    }
}

bool MainWindow::FindNext(const QString& text) {
    CodeWindow* window = ActiveCodeWindow();
    if (window == nullptr || text.isEmpty()) return false;
    UndoableModule& module = window->Document().Module();
    // The search goes on past what is selected (a match found before, selected
    // either way), and wraps round to the top once.
    const host::Selection selected = window->View().Selection();
    const TextPos from{selected.endLine, selected.endColumn};
    const std::string target = text.toStdString();
    for (int pass = 0; pass < 2; ++pass) {
        long l1 = pass == 0 ? from.line : 1, c1 = pass == 0 ? from.column : 1;
        long l2 = pass == 0 ? module.CountOfLines() : from.line, c2 = pass == 0 ? -1 : from.column;
        if (module.Find(target, l1, c1, l2, c2, false, false, false)) {
            window->View().Select({l1, c1}, {l2, c2});
            statusBar()->clearMessage();
            return true;
        }
    }
    statusBar()->showMessage("\"" + text + "\" was not found.", 5000);
    return false;
}

void MainWindow::OnFileChanged(const QString& path) {
    // An atomic replacement ends the watch; the new file is watched again.
    if (QFileInfo::exists(path) && !watcher_->files().contains(path)) watcher_->addPath(path);
    auto it = byPath_.find(path);
    if (it == byPath_.end() || asking_.contains(path)) return;
    ModuleDocument& document = *it->second;
    if (!document.ChangedOnDisk()) return;
    asking_ << path;
    const std::string file = QFileInfo(path).fileName().toStdString();
    const std::string question =
        file + " was changed on disk by another program. Read it again?" +
        (document.Modified() ? " The changes made here would be lost." : "");
    if (prompts_.Ask(question, kTitle)) Reload(document);
    asking_.removeAll(path);
}

void MainWindow::Reload(ModuleDocument& document) {
    const QString path = QString::fromStdString(document.Path());
    std::unique_ptr<ModuleDocument> fresh;
    try {
        fresh = ModuleDocument::Load(document.Path());
    } catch (const std::runtime_error& e) {
        prompts_.Inform(e.what(), kTitle);
        return;
    }
    bool wasOpen = false;
    for (const auto& [window, sub] : std::map(subWindows_))
        if (CodeWindow* code = WindowOf(*window); code != nullptr && &code->Document() == &document) {
            wasOpen = true;
            window->Close();
        }
    // The old module stays in memory, out of the editor's reach: a window or
    // an add-in may still hold it.
    for (auto& d : documents_)
        if (d.get() == &document) retired_.push_back(std::move(d));
    std::erase(documents_, nullptr);
    documents_.push_back(std::move(fresh));
    byPath_[path] = documents_.back().get();
    if (wasOpen) OpenModule(path);
}

// As the VB IDE leaves: the files with changes are named, Yes saves them, No
// leaves them unsaved, Cancel (or a save that fails) keeps the editor open.
void MainWindow::closeEvent(QCloseEvent* event) {
    const QStringList unsaved = UnsavedFiles();
    if (!unsaved.isEmpty()) {
        const Prompts::Answer answer = prompts_.AskYesNoCancel(
            ("Save changes to the following files?\n\n" + unsaved.join('\n')).toStdString(), kTitle);
        if (answer == Prompts::Answer::Cancel || (answer == Prompts::Answer::Yes && !SaveAll())) {
            event->ignore();
            return;
        }
    }
    addIns_->DisconnectAll(ide::ext_dm_HostShutdown);
    event->accept();
}

}  // namespace editor
