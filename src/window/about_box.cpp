#include "window/about_box.h"

#include <cstdio>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSysInfo>
#include <QVBoxLayout>

#include "platform/clock.h"
#include "platform/vbruntime.h"
#include "services/application.h"
#include "window/cwindow.h"
#include "window/title_art.h"

namespace window {

namespace {

constexpr char kComments[] =
    "Writes the standard procedure and module headers, revision notes, comment blocks "
    "and error handlers of a Visual Basic team into the code being edited.";

QFrame* Separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent), programFile_(QCoreApplication::applicationFilePath()) {
    setObjectName("AboutBox");
    // A modal box: a title and a close button, nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    picTitle_ = new QLabel(this);
    picTitle_->setObjectName("picTitle");
    picTitle_->setPixmap(TitleArt(devicePixelRatio()));
    ImgIcon_ = new QLabel(this);
    ImgIcon_->setObjectName("ImgIcon");
    lbProgram_ = new QLabel(this);
    lbProgram_->setObjectName("lbProgram");
    QFont big = lbProgram_->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    lbProgram_->setFont(big);
    lbVersion_ = new QLabel(this);
    lbVersion_->setObjectName("lbVersion");
    lbComment_ = new QLabel(this);
    lbComment_->setObjectName("lbComment");
    lbComment_->setWordWrap(true);
    lbCopyright_ = new QLabel(this);
    lbCopyright_->setObjectName("lbCopyright");
    lblWWW_ = new QLabel(QString("<a href=\"%1\">%1</a>").arg(kWebPage), this);
    lblWWW_->setObjectName("lblWWW");
    lblWWW_->setOpenExternalLinks(true);
    lbInfo_ = new QLabel(this);
    lbInfo_->setObjectName("lbInfo");
    lbInfo_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    butOK_ = new QPushButton(tr("&OK"), this);
    butOK_->setObjectName("butOK");
    butOK_->setDefault(true);
    connect(butOK_, &QPushButton::clicked, this, &QWidget::hide);

    auto* head = new QHBoxLayout;
    head->addWidget(ImgIcon_, 0, Qt::AlignTop);
    auto* titles = new QVBoxLayout;
    titles->addWidget(lbProgram_);
    titles->addWidget(lbVersion_);
    head->addLayout(titles, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picTitle_, 0, Qt::AlignHCenter);
    layout->addLayout(head);
    layout->addWidget(lbComment_);
    layout->addWidget(lbCopyright_);
    layout->addWidget(lblWWW_);
    layout->addWidget(Separator(this));
    layout->addWidget(lbInfo_);
    layout->addWidget(Separator(this));
    layout->addWidget(butOK_, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    lbComment_->setFixedWidth(fontMetrics().averageCharWidth() * 48);
}

std::string AboutBox::FormatVersion(long Major, long Minor, std::optional<long> Revision) {
    char text[96];
    if (Revision) {
        std::snprintf(text, sizeof text, "%ld.%02ld.%04ld", Major, Minor, *Revision);
    } else {
        std::snprintf(text, sizeof text, "%ld.%02ld", Major, Minor);
    }
    return text;
}

long AboutBox::GetOSPlatform() {
    const bool nt = QSysInfo::kernelType() == QLatin1String("winnt");
    osName_ = nt ? QStringLiteral("Microsoft Windows NT") : QSysInfo::prettyProductName();
    const QStringList numbers = QSysInfo::kernelVersion().split(QRegularExpression("[^0-9]+"), Qt::SkipEmptyParts);
    const long major = numbers.size() > 0 ? numbers[0].toLong() : 0;
    const long minor = numbers.size() > 1 ? numbers[1].toLong() : 0;
    osVersion_ = QString::fromStdString(FormatVersion(major, minor)) + " Build: " +
                 QString::number(numbers.size() > 2 ? numbers[2].toLong() % 65536 : 0);
    return nt ? 2 : 0;
}

// Folders give way from the middle, one a pass, to a single "...": the first
// folder (or drive) goes last and the file's own folder never, so the path
// still says where the file is. The last candidate is returned even if it is
// still too long, so the passes always end.
std::string AboutBox::ShortenPath(const std::string& path, int maxLen, const std::function<void()>& events) {
    if (platform::Len(path) <= maxLen) return path;
    const QChar separator = QDir::separator();
    const QStringList parts = QString::fromStdString(path).split(separator);
    const qsizetype headCount = parts.size() > 1 && parts[0].isEmpty() ? 2 : 1;  // "/top" or "C:"
    if (parts.size() < headCount + 2) return path;  // nothing between the head and the file's folder
    QStringList head = parts.mid(0, headCount);
    QStringList middle = parts.mid(headCount, parts.size() - headCount - 2);
    const QStringList tail = parts.mid(parts.size() - 2);
    for (;;) {
        if (!middle.isEmpty()) middle.removeFirst();
        else head.clear();
        const QString candidate = (head + QStringList{QStringLiteral("...")} + middle + tail).join(separator);
        if (events) events();
        if (platform::Len(candidate.toStdString()) <= maxLen || head.isEmpty()) return candidate.toStdString();
    }
}

void AboutBox::showEvent(QShowEvent* event) {
    const bool first = !loaded_;
    if (first) Load();
    Activate();
    // The box takes the size of what it now shows before it is mapped, and is
    // centred on its parent at that size.
    layout()->activate();
    if (first && parentForm_) CWindow().CenterIn(*this, parentForm_->frameGeometry());
    QDialog::showEvent(event);
}

void AboutBox::Load() {
    loaded_ = true;
    if (parentForm_) ImgIcon_->setPixmap(parentForm_->windowIcon().pixmap(32, 32));
    CWindow().OnTop(*this, true);
    butOK_->setVisible(showOK_);
    const services::CApplication app;
    setWindowTitle(QString::fromStdString("About " + app.Title()));
    lbProgram_->setText(QString::fromStdString(app.Title()));
    lbVersion_->setText(QString::fromStdString(
        "Version: " + FormatVersion(QUILLMARK_VERSION_MAJOR, QUILLMARK_VERSION_MINOR, QUILLMARK_VERSION_PATCH)));
    lbCopyright_->setText(QString::fromStdString(app.Copyright()));
    lbComment_->setText(tr(kComments));
    // A fixed-size layout asks a wrapped label for its height at no width: give
    // it the height of its lines at its own width.
    lbComment_->setFixedHeight(lbComment_->heightForWidth(lbComment_->minimumWidth()));
    GetOSPlatform();
    processor_ = QSysInfo::currentCpuArchitecture();
}

const QString& AboutBox::ShownFile() const { return exeType_ == ".dll" ? libraryFile_ : programFile_; }

// The program file's time; false when the file is not there.
bool AboutBox::FileTimeLine(QString& info) {
    const QString& file = ShownFile();
    const QFileInfo fileInfo(file);
    if (file.isEmpty() || !fileInfo.exists()) return false;
    const std::time_t when = static_cast<std::time_t>(fileInfo.lastModified().toSecsSinceEpoch());
    info += "\nFile Time: " + QString::fromStdString(platform::GeneralDate(when));
    return true;
}

void AboutBox::Activate() {
    QString info = osName_ + " Version: " + osVersion_;
    info += "\nProcessor: " + processor_;
    exeType_ = ".exe";
    if (!FileTimeLine(info)) {
        // Not a program of its own: the add-in's library, tried once.
        exeType_ = ".dll";
        if (!FileTimeLine(info)) {
            lbInfo_->setText(info);
            return;
        }
    }
    const QString& file = ShownFile();
    const QString native = QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());
    info += "\nFile Path: " +
            QString::fromStdString(ShortenPath(native.toStdString(), 38, events_ ? events_ : [] {
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            }));
    lbInfo_->setText(info);
    lbInfo_->setToolTip(native);
}

QString AboutBox::SystemInfo() const { return lbInfo_->text(); }

}  // namespace window
