// The project window's tree: the project, and its components grouped as the VB
// IDE groups them (Modules, Class Modules, Forms, User Controls, Property Pages,
// Designers, Related Documents). Opening an entry asks for its file.
#pragma once

#include <QTreeWidget>

namespace host {
class Project;
}

namespace editor {

class ProjectView final : public QTreeWidget {
    Q_OBJECT
public:
    explicit ProjectView(QWidget* parent = nullptr);
    /// Shows `project` (or loose modules when it is null: `modules` are paths).
    void Show(host::Project* project, const QStringList& looseModules = {});
    /// Shows the components again when the project gained some (a revision log
    /// added as a related document).
    void Refresh();
    /// The item of a file, or nullptr.
    QTreeWidgetItem* ItemOf(const QString& path) const;
    /// The width of the widest entry shown, in pixels.
    int ContentWidth() const { return sizeHintForColumn(0); }

signals:
    void openRequested(const QString& path);

private:
    host::Project* project_ = nullptr;
    QStringList loose_;
    long shown_ = -1;
};

}  // namespace editor
