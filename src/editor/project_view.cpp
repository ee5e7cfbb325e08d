#include "editor/project_view.h"

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyle>

#include "host/line_scanner.h"
#include "host/project.h"

namespace editor {

namespace {

constexpr int kPathRole = Qt::UserRole + 1;

struct Group {
    int type;
    const char* title;
};

// The VB IDE's folders, in its order.
constexpr Group kGroups[] = {
    {5, "Forms"},          {1, "Modules"},       {2, "Class Modules"}, {8, "User Controls"},
    {6, "Property Pages"}, {11, "Designers"},    {10, "Related Documents"},
};

// The module's own name (`Attribute VB_Name`, after a form's designer block),
// which the project file does not give for a form; empty when there is none.
QString ModuleNameIn(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
        const std::string name = host::VbNameOf(std::string_view(line.constData(), static_cast<std::size_t>(line.size())));
        if (!name.empty()) return QString::fromStdString(name);
    }
    return {};
}

}  // namespace

ProjectView::ProjectView(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("projectTree");
    setHeaderHidden(true);
    setUniformRowHeights(true);
    // Long names are shown whole: the column is as wide as its widest entry, and
    // the tree scrolls sideways when the panel is narrower.
    setTextElideMode(Qt::ElideNone);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const QString path = item->data(0, kPathRole).toString();
        if (!path.isEmpty()) emit openRequested(path);
    });
}

void ProjectView::Show(host::Project* project, const QStringList& looseModules) {
    project_ = project;
    loose_ = looseModules;
    shown_ = -1;
    Refresh();
}

void ProjectView::Refresh() {
    const long count = project_ != nullptr ? project_->VBComponents().Count() : static_cast<long>(loose_.size());
    if (count == shown_) return;
    shown_ = count;
    setUpdatesEnabled(false);
    clear();
    auto* root = new QTreeWidgetItem(this);
    std::vector<std::tuple<int, QString, QString>> entries;  // type, name, path
    if (project_ != nullptr) {
        root->setText(0, QString::fromStdString(project_->Name()) + " (" +
                             QFileInfo(QString::fromStdString(project_->FileName())).fileName() + ")");
        ide::VBComponents& components = project_->VBComponents();
        for (long i = 1; i <= components.Count(); ++i) {
            ide::VBComponent& c = components.Item(i);
            entries.emplace_back(c.Type(), QString::fromStdString(c.Name()), QString::fromStdString(c.FileNames(1)));
        }
    } else {
        root->setText(0, "Project1");
        for (const QString& path : loose_) {
            const QString suffix = QFileInfo(path).suffix().toLower();
            const int type = suffix == "cls" ? 2 : suffix == "frm" ? 5 : suffix == "ctl" ? 8
                           : suffix == "pag" ? 6 : suffix == "dsr" ? 11 : 1;
            entries.emplace_back(type, QFileInfo(path).completeBaseName(), path);
        }
    }
    for (const Group& group : kGroups) {
        QTreeWidgetItem* folder = nullptr;
        for (const auto& [type, name, path] : entries) {
            if (type != group.type) continue;
            if (folder == nullptr) {
                folder = new QTreeWidgetItem(root, QStringList(group.title));
                folder->setFlags(Qt::ItemIsEnabled);
            }
            auto* item = new QTreeWidgetItem(folder);
            // A related document is shown by its file name, a module by its own
            // name and then its file, as the VB IDE shows them.
            const bool exists = QFileInfo::exists(path);
            const QString own = type == 10 || !exists ? QString() : ModuleNameIn(path);
            item->setText(0, type == 10 ? QFileInfo(path).fileName()
                                        : (own.isEmpty() ? name : own) + " (" + QFileInfo(path).fileName() + ")");
            item->setData(0, kPathRole, type == 10 ? QString() : path);
            item->setToolTip(0, path);
            if (!exists) {  // marked before anyone tries to open it
                item->setIcon(0, style()->standardIcon(QStyle::SP_MessageBoxWarning));
                item->setToolTip(0, "The file is missing: " + path);
            }
        }
    }
    expandAll();
    setUpdatesEnabled(true);
}

QTreeWidgetItem* ProjectView::ItemOf(const QString& path) const {
    for (QTreeWidgetItemIterator it(const_cast<ProjectView*>(this)); *it; ++it)
        if ((*it)->data(0, kPathRole).toString() == path) return *it;
    return nullptr;
}

}  // namespace editor
