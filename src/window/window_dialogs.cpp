#include "window/window_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QMessageBox>

#include "services/application.h"
#include "window/cwindow.h"
#include "window/help_browser.h"

namespace window {

namespace {

QMessageBox::Icon IconOf(int style) {
    switch (style & 0x70) {
    case platform::vbCritical: return QMessageBox::Critical;
    case platform::vbExclamation: return QMessageBox::Warning;
    case platform::vbInformation: return QMessageBox::Information;
    case 32: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
    }
}

}  // namespace

int WindowDialogs::MsgBox(const std::string& prompt, int style, const std::string& title) {
    const QString caption = QString::fromStdString(title.empty() ? services::CApplication().Title() : title);
    QMessageBox box(IconOf(style), caption, QString::fromStdString(prompt), QMessageBox::Ok, window_);
    box.exec();
    return platform::vbOK;
}

void WindowDialogs::OnTop(bool onTop) {
    if (window_) CWindow().OnTop(*window_, onTop);
}

// Nested commands each show and restore the cursor once.
void WindowDialogs::SetBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void WindowDialogs::DoEvents() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

void WindowDialogs::ShowModal(QDialog& dialog) { dialog.exec(); }

void WindowDialogs::ShowHelp(const QString& document) { HelpBrowser::Open(document); }

void WindowDialogs::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

}  // namespace window
