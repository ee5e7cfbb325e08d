// The editor's main window, the IDE the add-ins see: the project window beside
// an area of code windows, the File, Edit, View, Add-Ins and Window menus and a
// status bar with the cursor's line and column. It shows the host's Workspace
// and keeps it in step: the window with the focus, each code pane's selection,
// windows opened and closed by either side, and the "Add-Ins" bar as a menu.
#pragma once

#include <QMainWindow>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editor/addin_host.h"
#include "editor/addin_list.h"
#include "editor/prompts.h"
#include "host/workspace.h"

class QDockWidget;
class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;

namespace editor {

class CodeWindow;
class ModuleDocument;
class ProjectView;
class AddInManager;

struct MainWindowOptions {
    /// Where add-in plugins are looked for.
    QStringList pluginFolders = AddInHost::DefaultFolders();
    /// The user's add-in list and the installation's.
    std::string addInListFile = AddInList::UserFile();
    std::string installedAddInListFile;
    /// Asks and tells the user; message boxes when null.
    Prompts* prompts = nullptr;
};

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowOptions options = {});
    ~MainWindow() override;

    host::Workspace& Workspace() { return workspace_; }
    AddInHost& AddIns() { return *addIns_; }
    AddInList& AddInsList() { return addInList_; }
    host::Project* Project() { return project_.get(); }
    ProjectView& ProjectTree() { return *tree_; }
    QMdiArea& CodeArea() { return *mdi_; }
    QDockWidget& ProjectDock() { return *projectDock_; }
    QLineEdit& FindBar() { return *findEdit_; }
    QMenu& AddInsMenu() { return *addInsMenu_; }
    QMenu& WindowMenu() { return *windowMenu_; }
    QLabel& Position() { return *position_; }

    /// Opens a project and shows it in the project window; false (reported)
    /// when it cannot be read.
    bool OpenProject(const QString& path);
    /// Shows loose modules (no project) in the project window and opens them.
    void OpenModules(const QStringList& paths);
    /// Opens a module in its code window (the one it has, when open) and gives
    /// it the focus; nullptr (reported) when it cannot be read.
    CodeWindow* OpenModule(const QString& path);
    /// The code window with the focus, or nullptr.
    CodeWindow* ActiveCodeWindow() const;
    std::vector<CodeWindow*> CodeWindows() const;

    /// Connects the add-ins to load on startup (mode 1), then those named on the
    /// command line (mode 2), then tells them all that startup is complete.
    void StartAddIns(const std::vector<std::string>& external);
    /// Opens the Add-In Manager (window-modal, without blocking).
    AddInManager* ShowAddInManager();

    bool Save(CodeWindow* window);
    /// Save Project: saves every modified module and the project file when it
    /// changed; false when one of them was not saved.
    bool SaveAll();
    /// The names of the files Save Project would write.
    QStringList UnsavedFiles() const;
    void Undo();
    void Redo();
    /// Ends the undo step of every module: what came before is undone alone.
    void EndCommand();
    void GoToLine(long line);
    /// Finds the text from the cursor on (letter case ignored), round the end.
    bool FindNext(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ModuleDocument* Document(const QString& path);
    /// The project was changed here and the file does not hold that text.
    bool ProjectUnsaved() const;
    void OnWindowEvent(host::WindowEvent event, ide::Window& window);
    void RebuildAddInsMenu();
    void RebuildWindowMenu();
    void OnFileChanged(const QString& path);
    void Reload(ModuleDocument& document);
    void UpdateTitle();
    void ShowBar(bool find);
    void CreateMenus();
    CodeWindow* WindowOf(ide::Window& window) const;

    Prompts& prompts_;
    std::unique_ptr<Prompts> ownPrompts_;
    host::Workspace workspace_;
    std::unique_ptr<host::Project> project_;
    // Modules stay in memory while the editor runs: windows and add-ins may hold them.
    std::vector<std::unique_ptr<ModuleDocument>> documents_;
    std::vector<std::unique_ptr<ModuleDocument>> retired_;  // read again from disk since
    std::map<QString, ModuleDocument*> byPath_;
    std::map<ide::Window*, QMdiSubWindow*> subWindows_;
    AddInList addInList_;
    std::unique_ptr<AddInHost> addIns_;

    QMdiArea* mdi_;
    QDockWidget* projectDock_;
    ProjectView* tree_;
    QLabel* position_;
    QToolBar* bar_;
    QLineEdit* findEdit_;
    bool findMode_ = true;
    QMenu* addInsMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QFileSystemWatcher* watcher_;
    QStringList asking_;  // files whose change on disk is being asked about
};

}  // namespace editor
