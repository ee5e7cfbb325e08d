#include "editor/code_window.h"

#include <QComboBox>
#include <QVBoxLayout>

#include "editor/module_document.h"

namespace editor {

namespace {

// The procedure list's entry for the declarations section.
const char* const kGeneral = "(General)";

QString EntryOf(const host::ProcInfo& p) {
    const QString name = QString::fromStdString(p.name);
    switch (p.kind) {
    case ide::vbext_pk_Get: return name + " [Get]";
    case ide::vbext_pk_Let: return name + " [Let]";
    case ide::vbext_pk_Set: return name + " [Set]";
    default: return name;
    }
}

}  // namespace

CodeWindow::CodeWindow(ModuleDocument& document, QWidget* parent)
    : QWidget(parent), document_(document), view_(new CodeView(document.Module(), this)),
      procedures_(new QComboBox(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    procedures_->setObjectName("procedureList");
    procedures_->setMinimumContentsLength(30);
    procedures_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    layout->addWidget(procedures_, 0, Qt::AlignRight);
    layout->addWidget(view_, 1);
    setFocusProxy(view_);
    RefreshProcedures();
    connect(view_, &CodeView::textChanged, this, [this] { stale_ = true; });
    connect(view_, &CodeView::cursorMoved, this, [this](long line, long) { FollowCursor(line); });
    connect(procedures_, &QComboBox::activated, this, &CodeWindow::JumpTo);
    connect(procedures_, &QComboBox::highlighted, this, [this] {
        if (stale_) RefreshProcedures();
    });
}

void CodeWindow::RefreshProcedures() {
    const QSignalBlocker block(procedures_);
    procedures_->clear();
    procedures_->addItem(kGeneral, 0);
    for (const host::ProcInfo& p : document_.Source().Procedures())
        procedures_->addItem(EntryOf(p), QVariant::fromValue<qlonglong>(p.bodyLine));
    stale_ = false;
    FollowCursor(view_->Cursor().line);
}

void CodeWindow::FollowCursor(long line) {
    if (stale_) return RefreshProcedures();
    const QSignalBlocker block(procedures_);
    int index = 0;
    if (line >= 1 && line <= document_.Module().CountOfLines()) {
        ide::ProcKind kind = ide::vbext_pk_Proc;
        const std::string name = document_.Module().ProcOfLine(line, kind);
        if (!name.empty()) {
            host::ProcInfo p;
            p.name = name;
            p.kind = kind;
            index = std::max(0, procedures_->findText(EntryOf(p)));
        }
    }
    procedures_->setCurrentIndex(index);
}

void CodeWindow::JumpTo(int index) {
    const long line = procedures_->itemData(index).toLongLong();
    view_->SetCursor({std::max(line, 1L), 1});
    view_->setFocus();
}

}  // namespace editor
