#include "editor/addin_manager.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editor/addin_host.h"
#include "editor/addin_list.h"

namespace editor {

AddInManager::AddInManager(AddInHost& host, AddInList& list, QWidget* parent)
    : QDialog(parent), host_(host), list_(list), table_(new QTableWidget(this)) {
    setObjectName("addInManager");
    setWindowTitle("Add-In Manager");
    for (const AddInEntry& e : list_.Entries()) ids_.push_back(e.progId);
    for (const std::string& id : host_.Available())
        if (std::find(ids_.begin(), ids_.end(), id) == ids_.end()) ids_.push_back(id);

    table_->setColumnCount(3);
    table_->setHorizontalHeaderLabels({"Available Add-Ins", "Loaded/Unloaded", "Load on Startup"});
    table_->setRowCount(static_cast<int>(ids_.size()));
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < table_->rowCount(); ++row) {
        const std::string& id = ids_[static_cast<std::size_t>(row)];
        const AddInEntry entry = list_.Find(id);
        table_->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(id)));
        auto* loaded = new QCheckBox("Loaded", table_);
        loaded->setChecked(host_.Connected(id));
        auto* startup = new QCheckBox("Load on Startup", table_);
        startup->setChecked(entry.loadOnStartup);
        table_->setCellWidget(row, 1, loaded);
        table_->setCellWidget(row, 2, startup);
    }
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table_->resizeColumnsToContents();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(520, 260);
}

int AddInManager::RowOf(const std::string& progId) const {
    for (std::size_t i = 0; i < ids_.size(); ++i)
        if (ids_[i] == progId) return static_cast<int>(i);
    return -1;
}

QCheckBox* AddInManager::LoadedBox(const std::string& progId) const {
    const int row = RowOf(progId);
    return row < 0 ? nullptr : qobject_cast<QCheckBox*>(table_->cellWidget(row, 1));
}

QCheckBox* AddInManager::StartupBox(const std::string& progId) const {
    const int row = RowOf(progId);
    return row < 0 ? nullptr : qobject_cast<QCheckBox*>(table_->cellWidget(row, 2));
}

void AddInManager::accept() {
    bool changed = false;
    for (const std::string& id : ids_) {
        const bool wantLoaded = LoadedBox(id)->isChecked();
        if (wantLoaded && !host_.Connected(id)) host_.Connect(id, ide::ext_cm_AfterStartup);
        if (!wantLoaded && host_.Connected(id)) host_.Disconnect(id, ide::ext_dm_UserClosed);
        const AddInEntry before = list_.Find(id);
        const AddInEntry after{id, host_.Connected(id), StartupBox(id)->isChecked()};
        if (!(before == after)) {
            list_.Set(after);
            changed = true;
        }
    }
    if (changed) host_.AddInsUpdated();
    QDialog::accept();
}

}  // namespace editor
