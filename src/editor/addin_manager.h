// The Add-In Manager: the add-ins of the list and of the plugin folders, each
// with "Loaded/Unloaded" and "Load on Startup". OK connects the add-ins newly
// checked as loaded (connect mode 0), disconnects those unchecked, and writes
// the flags to the user's list.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QTableWidget;
class QCheckBox;

namespace editor {

class AddInHost;
class AddInList;

class AddInManager final : public QDialog {
    Q_OBJECT
public:
    AddInManager(AddInHost& host, AddInList& list, QWidget* parent = nullptr);

    /// The check boxes of an add-in's row, or nullptr when it is not shown.
    QCheckBox* LoadedBox(const std::string& progId) const;
    QCheckBox* StartupBox(const std::string& progId) const;

    void accept() override;

private:
    int RowOf(const std::string& progId) const;

    AddInHost& host_;
    AddInList& list_;
    QTableWidget* table_;
    std::vector<std::string> ids_;
};

}  // namespace editor
