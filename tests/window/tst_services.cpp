// CWindow and the About box.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>

#include "window/about_box.h"
#include "window/cwindow.h"
#include "window/header_box.h"
#include "window_support.h"

using window::AboutBox;
using window::CWindow;

class ServicesTest : public QObject {
    Q_OBJECT
private slots:
    void onTopNeitherMovesNorResizes() {
        QWidget w;
        w.setGeometry(100, 120, 300, 200);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect before = w.geometry();
        for (bool onTop : {false, true, false}) {  // the first one finds nothing to change
            CWindow().OnTop(w, onTop);
            QCOMPARE(windowtest::IsOnTop(w), onTop);
            QCOMPARE(w.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), onTop);
            QVERIFY(w.isVisible());
            QCOMPARE(w.geometry(), before);
        }
    }

    void centerKeepsAFormWiderThanTheScreenCentred() {
        QWidget w;
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        w.resize(screen.width() + 200, 100);
        CWindow().Center(w);
        QVERIFY(w.frameGeometry().left() < 0);
        QCOMPARE(w.frameGeometry().left(), screen.x() + (screen.width() - w.frameGeometry().width()) / 2);
    }

    void clipboardCommandsReportTheirErrors() {
        QWidget host;
        auto* edit = new QLineEdit("hello world", &host);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QApplication::setActiveWindow(&host);
        edit->setFocus();
        edit->setSelection(0, 5);
        QVERIFY(CWindow().EditCut().Ok());
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("hello"));
        QCOMPARE(edit->text(), QString(" world"));
        edit->setCursorPosition(6);
        QVERIFY(CWindow().EditPaste().Ok());
        QCOMPARE(edit->text(), QString(" worldhello"));
        edit->setReadOnly(true);
        edit->selectAll();  // a box that takes no typing is copied from, not cut
        QCOMPARE(CWindow().EditCut().number, window::vbObjectError + 516);
        QCOMPARE(edit->text(), QString(" worldhello"));
        QCOMPARE(CWindow().EditPaste().number, window::vbObjectError + 517);
        edit->clearFocus();
        host.setFocus();
        QCOMPARE(CWindow().EditCopy().number, window::vbObjectError + 516);
    }

    void formatVersion() {
        QCOMPARE(AboutBox::FormatVersion(4, 0), std::string("4.00"));
        QCOMPARE(AboutBox::FormatVersion(1, 3, 0), std::string("1.03.0000"));
    }

    // Folders give way from the middle to one "...", with pending events run after
    // each pass, until the path fits in 38 characters; the file's folder stays, and
    // a path that never fits ends with the last candidate.
    void shortenPath() {
        const QString name(45, 'x');
        const struct {
            QStringList path, shortened;
            int passes;
        } cases[] = {
            {{"C:", "Tools", "a.exe"}, {"C:", "Tools", "a.exe"}, 0},
            {{"C:", "Program Files", "Visual Tools", "AddIns", "Current", "Tool.exe"},
             {"C:", "...", "AddIns", "Current", "Tool.exe"}, 2},
            {{"", "opt", "qm", "lib", "plugins", "libquillmark_addin.so"},
             {"", "opt", "...", "plugins", "libquillmark_addin.so"}, 2},
            {{"", "work", "wt-desk", "build", "plugins", "libquillmark_addin.so"},
             {"...", "plugins", "libquillmark_addin.so"}, 3},
            {{"a", "b", name}, {"...", "b", name}, 1},
        };
        for (const auto& [path, expected, passes] : cases) {
            int run = 0;
            const std::string shortened =
                AboutBox::ShortenPath(path.join(QDir::separator()).toStdString(), 38, [&] { ++run; });
            QCOMPARE(QString::fromStdString(shortened), expected.join(QDir::separator()));
            QCOMPARE(run, passes);
        }
    }

    // The system block is built anew at each showing; without the program's file it
    // reports the add-in's library, and without either it stops after the processor.
    void aboutRebuildsOnlyTheSystemBlock() {
        QWidget parent;
        parent.setGeometry(200, 200, 400, 300);
        AboutBox about(&parent);
        about.SetParentForm(&parent);
        about.SetShowOK(true);
        about.show();
        const QPoint placed = about.pos();
        const QString first = about.SystemInfo();
        QCOMPARE(first.count('\n'), 3);
        QVERIFY(first.contains("\nProcessor: "));
        QVERIFY(first.contains("\nFile Path: "));
        // Shown whole: the wrapped comments and the system block fit in the box.
        for (const char* name : {"lbComment", "lbInfo"}) {
            const QLabel* label = about.findChild<QLabel*>(name);
            QVERIFY2(label->height() >= label->heightForWidth(label->width()), name);
            QVERIFY2(label->geometry().bottom() < about.findChild<QPushButton*>("butOK")->geometry().top(), name);
        }
        QCOMPARE(about.findChild<QLabel*>("lbInfo")->toolTip(),
                 QDir::toNativeSeparators(QFileInfo(QCoreApplication::applicationFilePath()).absoluteFilePath()));
        QTest::mouseClick(about.findChild<QPushButton*>("butOK"), Qt::LeftButton);
        QVERIFY(!about.isVisible());
        parent.move(10, 10);
        about.show();
        QCOMPARE(about.pos(), placed);
        QCOMPARE(about.ExeType(), std::string(".exe"));
        about.hide();
        about.SetProgramFile("/nonexistent/quillmark");
        about.SetLibraryFile(QCoreApplication::applicationFilePath());
        about.show();
        QCOMPARE(about.ExeType(), std::string(".dll"));
        QVERIFY(about.SystemInfo().contains("File Time: "));
        about.hide();
        about.SetLibraryFile("/nonexistent/libquillmark_addin.so");
        about.show();
        QCOMPARE(about.SystemInfo().count('\n'), 1);
    }

    // A box gives the lines it shows, wrapped at its limit whatever its width:
    // blanks after a word stay on its line, as in an edit control.
    void boxesWrapAtTheirLimitWhateverTheirWidth() {
        window::HeaderBox box(20);
        const std::string text = "Totals are kept in cents so that rounding never loses a cent.\r\nSecond";
        box.SetText(text);
        QCOMPARE(box.Text(), text);
        for (int width : {2000, 60}) {
            box.SetWidth(width);
            std::string shown;
            for (long i = 0; i < box.DisplayLineCount(); ++i) shown += box.DisplayLine(i) + "|";
            QCOMPARE(shown, std::string("Totals are kept in |cents so that |rounding never loses |a cent.|Second|"));
        }
        box.SetText("");
        QCOMPARE(box.DisplayLineCount(), 0L);
    }
};

QTEST_MAIN(ServicesTest)
#include "tst_services.moc"
