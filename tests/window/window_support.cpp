#include "window_support.h"

#include <QDialog>

namespace windowtest {

bool IsOnTop(const QWidget& w) { return w.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

int TestDialogs::MsgBox(const std::string&, int, const std::string& title) {
    titles.push_back(title);
    onTopAtMessage.push_back(Window() && IsOnTop(*Window()));
    return platform::vbOK;
}

void TestDialogs::ShowModal(QDialog& dialog) {
    ++modals;
    onTopDuringModal = Window() && IsOnTop(*Window());
    dialog.show();
    dialog.hide();
}

}  // namespace windowtest
