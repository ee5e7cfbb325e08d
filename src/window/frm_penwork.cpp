#include "window/frm_penwork.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMargins>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

#include "core/captions.h"
#include "window/cwindow.h"
#include "window/header_box.h"
#include "window/help_browser.h"
#include "window/title_art.h"

namespace window {

namespace {

// The option frames share one inner margin, so that the buttons do not move
// when the type switches from one frame to another.
const QMargins kFrameMargins(6, 2, 6, 2);

QString Q(const char* text) { return QString::fromUtf8(text); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

template <class Button, std::size_t N>
void MakeButtons(std::array<Button*, N>& buttons, const std::array<const char*, N>& captions, const char* name,
                 QWidget* parent) {
    auto* group = new QButtonGroup(parent);
    for (std::size_t i = 0; i < N; ++i) {
        buttons[i] = new Button(Q(captions[i]), parent);
        buttons[i]->setObjectName(QString("%1%2").arg(name).arg(i));
        if constexpr (std::is_same_v<Button, QRadioButton>) group->addButton(buttons[i], static_cast<int>(i));
    }
    if constexpr (!std::is_same_v<Button, QRadioButton>) delete group;
}

template <class Button, std::size_t N>
QGridLayout* Grid(const std::array<Button*, N>& buttons, int columns) {
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    for (std::size_t i = 0; i < N; ++i)
        grid->addWidget(buttons[i], static_cast<int>(i) / columns, static_cast<int>(i) % columns);
    return grid;
}

void SetBold(QWidget* w, bool bold) {
    QFont font = w->font();
    if (font.bold() == bold) return;
    font.setBold(bold);
    w->setFont(font);
}

QLabel* Hint(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

void ApplyButton(QPushButton* button, const core::ButtonState& state) {
    button->setVisible(state.visible);
    button->setEnabled(state.enabled);
    button->setText(Q(state.caption));
    button->setToolTip(Q(state.tooltip));
}

}  // namespace

frmPenwork::frmPenwork(platform::SettingsStore& settings, platform::FileStore& files, WindowDialogs& dialogs,
                       QWidget* parent)
    : QMainWindow(parent), settings_(settings), files_(files), dialogs_(dialogs) {
    setObjectName("frmPenwork");
    setWindowTitle(Q(core::kWindowCaption));
    setWindowIcon(QuillmarkIcon());
    setWindowFlag(Qt::Tool, parent != nullptr);
    BuildWidgets();
    BuildMenus();
    ConnectWidgets();
    about_ = new AboutBox(this);
}

frmPenwork::~frmPenwork() {
    if (core_) core_->Unload();
}

void frmPenwork::BuildWidgets() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);

    picTitle_ = new QLabel(central);
    picTitle_->setObjectName("picTitle");
    picTitle_->setPixmap(TitleArt(devicePixelRatio()));
    layout->addWidget(picTitle_, 0, Qt::AlignHCenter);
    layout->addWidget(BuildTypeFrame());
    layout->addWidget(BuildFrames());

    txtDescription_ = new QStackedWidget(central);
    txtDescription_->setObjectName("txtDescription");
    txtDescription_->setFocusPolicy(Qt::NoFocus);
    for (std::size_t i = 0; i < 8; ++i) {
        txtHeader_[i] = new HeaderBox(i == toolwindow::kRevisionTextBox ? 79 : 65, txtDescription_);
        txtHeader_[i]->setObjectName(QString("txtHeader%1").arg(i));
        txtHeader_[i]->setToolTip(Q(core::kBoxTooltips[i]));
        txtDescription_->addWidget(txtHeader_[i]);
    }
    txtHeader_[toolwindow::kHandlerTemplateBox]->installEventFilter(this);
    const int lineHeight = fontMetrics().lineSpacing();
    txtDescription_->setMinimumHeight(lineHeight * 6);
    txtDescription_->setMinimumWidth(fontMetrics().averageCharWidth() * 44);
    layout->addWidget(txtDescription_, 1);

    auto* insertRow = new QHBoxLayout;
    cmdInsertText_ = new QPushButton(Q(core::kInsertDesignCaption), central);
    cmdInsertText_->setObjectName("cmdInsertText");
    cmdInsertText_->setDefault(true);
    cmd2nd_ = new QPushButton(Q(core::kClearAllCaption), central);
    cmd2nd_->setObjectName("cmd2nd");
    cmd2nd_->setToolTip(Q(core::kClearTooltip));
    cmdClear_ = new QPushButton(Q(core::kClearCaption), central);
    cmdClear_->setObjectName("cmdClear");
    cmdClear_->setToolTip(Q(core::kClearTooltip));
    insertRow->addWidget(cmdInsertText_, 1);
    insertRow->addWidget(cmd2nd_);
    insertRow->addWidget(cmdClear_);
    layout->addLayout(insertRow);

    layout->addWidget(BuildAuthorFrame());
    layout->addWidget(BuildToolRow());
    setCentralWidget(central);
}

QWidget* frmPenwork::BuildTypeFrame() {
    auto* fraType = new QGroupBox(tr("Quillmark Type"), this);
    fraType->setObjectName("fraType");
    MakeButtons(optHeaderType_, core::kHeaderTypeCaptions, "optHeaderType", fraType);
    auto* grid = Grid(optHeaderType_, 3);
    grid->setContentsMargins(kFrameMargins);
    fraType->setLayout(grid);
    return fraType;
}

QWidget* frmPenwork::BuildFrames() {
    frameStack_ = new QStackedWidget(this);
    frameStack_->setObjectName("frameStack");
    const char* names[] = {"fraProcedure", "fraModule", "fraRevision", "fraComment", "fraError"};
    const char* captions[] = {"Procedure Header Section to Edit:", "", "Add Revision Information to:", "",
                              "Error Handlers:"};
    for (std::size_t i = 0; i < 5; ++i) {
        frames_[i] = new QGroupBox(tr(captions[i]), frameStack_);
        frames_[i]->setObjectName(names[i]);
        frameStack_->addWidget(frames_[i]);
    }

    QGroupBox* procedure = frames_[toolwindow::Procedure];
    MakeButtons(optProcSection_, core::kSectionCaptions, "optProcSection", procedure);
    auto* placeRow = new QWidget(procedure);  // its own group: Before/After exclude only each other
    MakeButtons(optHeader_, core::kHeaderPlaceCaptions, "optHeader", placeRow);
    auto* place = new QHBoxLayout(placeRow);
    place->setContentsMargins(0, 0, 0, 0);
    place->addWidget(new QLabel(tr("Header:"), placeRow));
    place->addWidget(optHeader_[0]);
    place->addWidget(optHeader_[1]);
    place->addStretch();
    auto* procLayout = new QVBoxLayout(procedure);
    procLayout->setContentsMargins(kFrameMargins);
    procLayout->addLayout(Grid(optProcSection_, 2));
    procLayout->addWidget(placeRow);

    auto* module = new QVBoxLayout(frames_[toolwindow::Module]);
    module->addWidget(Hint(tr("The module header goes at line 1; type the module's description below."),
                           frames_[toolwindow::Module]));

    QGroupBox* revision = frames_[toolwindow::Revision];
    MakeButtons(chkRevision_, core::kRevisionCaptions, "chkRevision", revision);
    for (std::size_t i = 0; i < 4; ++i) chkRevision_[i]->setToolTip(Q(core::kRevisionTooltips[i]));
    cboRevType_ = new QComboBox(revision);
    cboRevType_->setObjectName("cboRevType");
    cboRevType_->setEditable(true);
    cboRevType_->setInsertPolicy(QComboBox::NoInsert);
    for (const char* type : core::kRevTypes) cboRevType_->addItem(Q(type));
    cboRevType_->setEditText(QString());
    cboRevType_->setToolTip(Q(core::kRevTypeTooltip));
    txtRevNumber_ = new QLineEdit(revision);
    txtRevNumber_->setObjectName("txtRevNumber");
    txtRevNumber_->setToolTip(Q(core::kRevNumberTooltip));
    auto* typeRow = new QHBoxLayout;
    auto* typeLabel = new QLabel(tr("Type:"), revision);
    typeLabel->setBuddy(cboRevType_);
    auto* numberLabel = new QLabel(tr("Number:"), revision);
    numberLabel->setBuddy(txtRevNumber_);
    typeRow->addWidget(typeLabel);
    typeRow->addWidget(cboRevType_, 1);
    typeRow->addWidget(numberLabel);
    typeRow->addWidget(txtRevNumber_, 1);
    auto* revLayout = new QVBoxLayout(revision);
    revLayout->setContentsMargins(kFrameMargins);
    revLayout->addLayout(Grid(chkRevision_, 2));
    revLayout->addLayout(typeRow);

    auto* comment = new QVBoxLayout(frames_[toolwindow::Comment]);
    comment->addWidget(Hint(tr("The comment block goes before the line the cursor is on; type it below."),
                            frames_[toolwindow::Comment]));

    QGroupBox* error = frames_[toolwindow::Error];
    MakeButtons(optErrorHandler_, core::kHandlerCaptions, "optErrorHandler", error);
    auto* errLayout = Grid(optErrorHandler_, 2);
    errLayout->setContentsMargins(kFrameMargins);
    error->setLayout(errLayout);
    optErrorHandler_[0]->setChecked(true);
    SetBold(optErrorHandler_[0], true);
    return frameStack_;
}

QWidget* frmPenwork::BuildAuthorFrame() {
    auto* fraAuthor = new QGroupBox(tr("Author's Information"), this);
    fraAuthor->setObjectName("fraAuthor");
    txtName_ = new QLineEdit(fraAuthor);
    txtName_->setObjectName("txtName");
    txtName_->setToolTip(Q(core::kNameTooltip));
    txtInitials_ = new QLineEdit(fraAuthor);
    txtInitials_->setObjectName("txtInitials");
    txtInitials_->setToolTip(Q(core::kInitialsTooltip));
    txtInitials_->setMaximumWidth(fontMetrics().averageCharWidth() * 8);
    cmdSave_ = new QPushButton(tr("Save"), fraAuthor);
    cmdSave_->setObjectName("cmdSave");
    cmdSave_->setToolTip(Q(core::kSaveTooltip));
    auto* row = new QHBoxLayout(fraAuthor);
    row->setContentsMargins(6, 2, 6, 4);
    auto* nameLabel = new QLabel(tr("Name:"), fraAuthor);
    nameLabel->setBuddy(txtName_);
    auto* initialsLabel = new QLabel(tr("Initials:"), fraAuthor);
    initialsLabel->setBuddy(txtInitials_);
    row->addWidget(nameLabel);
    row->addWidget(txtName_, 1);
    row->addWidget(initialsLabel);
    row->addWidget(txtInitials_);
    row->addWidget(cmdSave_);
    return fraAuthor;
}

QWidget* frmPenwork::BuildToolRow() {
    auto* tools = new QWidget(this);
    auto* row = new QHBoxLayout(tools);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    auto make = [&](QPushButton*& button, const QString& caption, const char* name, const QString& tooltip) {
        button = new QPushButton(caption, tools);
        button->setObjectName(name);
        if (!tooltip.isEmpty()) button->setToolTip(tooltip);
        button->setAutoDefault(false);
        row->addWidget(button);
    };
    make(cmdIndent_, tr("Indent"), "cmdIndent", tr("Indent code in current procedure"));
    make(cmdCopyRight_, QString::fromUtf8("\u00A9"), "cmdCopyRight", tr("Insert Copyright text in module header"));
    make(cmdCloseAll_, QString(), "cmdCloseAll", tr("Close all Form and Code Windows"));
    cmdCloseAll_->setIcon(CloseAllIcon());
    make(cmdHelp_, tr("Hel&p"), "cmdHelp", QString());  // Alt+H is the Help menu
    make(cmdPrint_, tr("Print"), "cmdPrint", QString());
    make(cmdAbout_, tr("About"), "cmdAbout", tr("Display About Box"));
    row->addStretch();
    chkOnTop_ = new QCheckBox(tr("On Top"), tools);
    chkOnTop_->setObjectName("chkOnTop");
    chkOnTop_->setToolTip(Q(core::kOnTopTooltip));
    row->addWidget(chkOnTop_);
    return tools;
}

void frmPenwork::BuildMenus() {
    QMenu* mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFile->setObjectName("mnuFile");
    mnuFileExit_ = mnuFile->addAction(tr("&Exit"));
    mnuFileExit_->setObjectName("mnuFileExit");
    QMenu* mnuHelp = menuBar()->addMenu(tr("&Help"));
    mnuHelp->setObjectName("mnuHelp");
    mnuHelpInfo_ = mnuHelp->addAction(tr("&Help Topics"));
    mnuHelpInfo_->setObjectName("mnuHelpInfo");
    mnuHelpWebPage_ = mnuHelp->addAction(tr("&Go to Tallowick Web Page"));
    mnuHelpWebPage_->setObjectName("mnuHelpWebPage");
    mnuHelp->addSeparator()->setObjectName("mnuHelpBar");
    mnuHelpAbout_ = mnuHelp->addAction(tr("&About"));
    mnuHelpAbout_->setObjectName("mnuHelpAbout");
}

void frmPenwork::ConnectWidgets() {
    // Every handler forwards to the logic, unless the change came from showing it.
    auto on = [this](auto&& action) {
        return [this, action](auto&&... args) {
            if (core_ && !refreshing_) action(args...);
        };
    };
    for (int i = 0; i < 5; ++i)
        connect(optHeaderType_[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                on([this, i](bool) { core_->SelectHeaderType(i); }));
    for (int i = 0; i < 4; ++i) {
        const auto at = static_cast<std::size_t>(i);
        connect(optProcSection_[at], &QRadioButton::clicked, this, on([this, i](bool) { core_->SelectSection(i); }));
        connect(optErrorHandler_[at], &QRadioButton::clicked, this, on([this, i](bool) { core_->SelectHandler(i); }));
        connect(chkRevision_[at], &QCheckBox::clicked, this,
                on([this, i](bool checked) { core_->ClickRevision(i, checked); }));
    }
    connect(optHeader_[0], &QRadioButton::clicked, this, on([this](bool) { core_->SetHeaderBefore(true); }));
    connect(optHeader_[1], &QRadioButton::clicked, this, on([this](bool) { core_->SetHeaderBefore(false); }));
    connect(chkOnTop_, &QCheckBox::clicked, this, on([this](bool checked) { core_->ClickOnTop(checked); }));
    connect(txtName_, &QLineEdit::textChanged, this,
            on([this](const QString& t) { core_->SetName(t.toStdString()); }));
    connect(txtInitials_, &QLineEdit::textChanged, this,
            on([this](const QString& t) { core_->SetInitials(t.toStdString()); }));
    connect(txtRevNumber_, &QLineEdit::textChanged, this,
            on([this](const QString& t) { core_->SetRevNumber(t.toStdString()); }));
    connect(cboRevType_, &QComboBox::editTextChanged, this,
            on([this](const QString& t) { core_->SetRevType(t.toStdString()); }));
    connect(cboRevType_, &QComboBox::activated, this,
            on([this](int index) { core_->PickRevType(cboRevType_->itemText(index).toStdString()); }));
    connect(cmdSave_, &QPushButton::clicked, this, on([this](bool) { core_->Save(); }));
    connect(cmdClear_, &QPushButton::clicked, this, on([this](bool) { core_->Clear(); }));
    connect(cmd2nd_, &QPushButton::clicked, this, on([this](bool) { core_->Second(); }));
    connect(cmdInsertText_, &QPushButton::clicked, this, on([this](bool) { core_->Insert(); }));
    connect(cmdIndent_, &QPushButton::clicked, this, on([this](bool) { core_->IndentProcedure(); }));
    connect(cmdCopyRight_, &QPushButton::clicked, this, on([this](bool) { core_->InsertRightsNotice(); }));
    connect(cmdCloseAll_, &QPushButton::clicked, this, on([this](bool) { core_->CloseAll(); }));
    connect(cmdHelp_, &QPushButton::clicked, this, [this] { ShowHelp(); });
    connect(mnuHelpInfo_, &QAction::triggered, this, [this] { ShowHelp(); });
    connect(cmdAbout_, &QPushButton::clicked, this, [this] { ShowAbout(); });
    connect(mnuHelpAbout_, &QAction::triggered, this, [this] { ShowAbout(); });
    connect(mnuHelpWebPage_, &QAction::triggered, this, [this] { dialogs_.OpenUrl(QUrl(Q(kWebPage))); });
    connect(mnuFileExit_, &QAction::triggered, this, [this] { close(); });
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [this] { dialogs_.ShowHelp(ProgramHelpFile()); });
}

void frmPenwork::ShowWindow() {
    if (!Loaded()) {
        FormLoad();
    } else {
        show();
    }
}

// The load: the logic is made anew, the window centred with the Procedure frame
// in front, shown, and then the logic's own load runs with the window visible.
void frmPenwork::FormLoad() {
    if (!vbe_) return;
    std::array<toolwindow::EditableTextBox*, 8> boxes{};
    for (std::size_t i = 0; i < 8; ++i) {
        txtHeader_[i]->SetText("");
        boxes[i] = txtHeader_[i];
    }
    dialogs_.SetWindow(this);
    core_ = std::make_unique<core::PenworkCore>(*vbe_, dialogs_, files_, settings_, boxes,
                                                static_cast<core::PenworkView&>(*this));
    adjustSize();
    CWindow().Center(*this);
    frameStack_->setCurrentWidget(frames_[toolwindow::Procedure]);
    show();
    core_->Load();
    Refresh();
}

void frmPenwork::Refresh() {
    if (!core_) return;
    const core::PenworkState& s = core_->State();
    refreshing_ = true;
    if (txtName_->text() != Q(s.name)) txtName_->setText(Q(s.name));
    if (txtInitials_->text() != Q(s.initials)) txtInitials_->setText(Q(s.initials));
    if (cboRevType_->currentText() != Q(s.revType)) cboRevType_->setEditText(Q(s.revType));
    if (txtRevNumber_->text() != Q(s.revNumber)) txtRevNumber_->setText(Q(s.revNumber));
    for (std::size_t i = 0; i < 4; ++i) chkRevision_[i]->setChecked(s.revision[i]);
    optHeader_[s.headerBefore ? 0 : 1]->setChecked(true);
    chkOnTop_->setChecked(s.onTop);
    for (std::size_t i = 0; i < 5; ++i) {
        const bool selected = static_cast<int>(i) == s.headerType;
        if (selected) optHeaderType_[i]->setChecked(true);
        SetBold(optHeaderType_[i], selected);
        frames_[i]->setEnabled(s.frameEnabled[i]);
    }
    for (std::size_t i = 0; i < 4; ++i) {
        const bool section = static_cast<int>(i) == s.procSection;
        const bool handler = static_cast<int>(i) == s.handlerKind;
        if (section) optProcSection_[i]->setChecked(true);
        if (handler) optErrorHandler_[i]->setChecked(true);
        SetBold(optProcSection_[i], section);
        SetBold(optErrorHandler_[i], handler);
    }
    frameStack_->setCurrentWidget(frames_[static_cast<std::size_t>(s.frontFrame)]);
    txtDescription_->setCurrentWidget(txtHeader_[static_cast<std::size_t>(s.boxInView)]);
    txtHeader_[toolwindow::kHandlerTemplateBox]->setReadOnly(s.templateLocked);
    ApplyButton(cmdInsertText_, s.insert);
    ApplyButton(cmd2nd_, s.second);
    ApplyButton(cmdClear_, s.clear);
    refreshing_ = false;
}

void frmPenwork::Focus(int target) {
    Refresh();
    QWidget* w = target == core::kFocusClear ? static_cast<QWidget*>(cmdClear_)
                                             : txtHeader_.at(static_cast<std::size_t>(target));
    if (w->isEnabled()) w->setFocus(Qt::OtherFocusReason);
}

long frmPenwork::PlaceholderWidth() const { return txtDescription_->width(); }

void frmPenwork::ShowHelp() {
    if (!core_) return;
    core_->Help([this] { dialogs_.ShowHelp(FindHelpDocument()); });
}

void frmPenwork::ShowAbout() {
    if (!core_) return;
    core_->About([this] {
        about_->SetParentForm(this);
        about_->SetShowOK(true);
        about_->SetEvents([this] { dialogs_.DoEvents(); });
        dialogs_.ShowModal(*about_);
    });
}

void frmPenwork::Unload() {
    if (!core_) return;
    core_->Unload();
    core_.reset();
    emit Unloaded();
}

void frmPenwork::closeEvent(QCloseEvent* event) {
    Unload();
    event->accept();
}

void frmPenwork::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && core_)
        core_->Resize(!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)));
}

void frmPenwork::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (core_)
        core_->Resize(!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)));
}

// The template box takes typing only for the custom handler.
bool frmPenwork::eventFilter(QObject* watched, QEvent* event) {
    if (core_ && watched == txtHeader_[toolwindow::kHandlerTemplateBox] && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->text().isEmpty() && !core_->AcceptsKey(toolwindow::kHandlerTemplateBox)) return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace window
