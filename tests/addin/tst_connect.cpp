// The add-in: Connect over the host's workspace.
#include <QTest>

#include "addin/connect.h"
#include "host/workspace.h"
#include "support/support.h"
#include "window/window_support.h"

using addin::Connect;

namespace {

struct Session {
    platform::MemorySettings settings;
    platform::StagedFiles files;
    windowtest::TestDialogs windowDialogs;
    platform::RecordingDialogs messages;
    host::Workspace workspace;
    int windowsMade = 0;
    bool outOfMemory = false;
    Connect connect{settings, messages, [this] {
                        if (outOfMemory) throw std::runtime_error("Out of memory");
                        ++windowsMade;
                        return std::make_unique<window::frmPenwork>(settings, files, windowDialogs);
                    }};
    bool Shown() const { return connect.ToolWindow() && connect.ToolWindow()->isVisible(); }
};

}  // namespace

class ConnectTest : public QObject {
    Q_OBJECT
private slots:
    // Each mode adds the menu command or not and shows the window or not; the
    // disconnection stores whether the window was shown.
    void connectModes_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("stored");  // "" for an absent key
        QTest::addColumn<bool>("command");
        QTest::addColumn<bool>("shown");
        QTest::newRow("0, stored 1") << 0 << "1" << true << true;
        QTest::newRow("0, absent") << 0 << "" << true << false;
        QTest::newRow("0, other text") << 0 << "yes" << true << false;
        QTest::newRow("1 ignores the key") << 1 << "1" << true << false;
        QTest::newRow("2 shows, no command") << 2 << "" << false << true;
    }

    void connectModes() {
        QFETCH(int, mode);
        QFETCH(QString, stored);
        QFETCH(bool, command);
        QFETCH(bool, shown);
        Session s;
        if (!stored.isEmpty()) s.settings.Save(platform::settings::DisplayOnConnect, stored.toStdString());
        s.connect.OnConnection(s.workspace, static_cast<ide::ConnectMode>(mode));
        QCOMPARE(s.workspace.AddInCommands().size(), std::size_t(command ? 1 : 0));
        QCOMPARE(s.Shown(), shown);
        QVERIFY(s.messages.messages.empty());
        s.connect.OnDisconnection(ide::ext_dm_HostShutdown);
        QCOMPARE(s.settings.Get(platform::settings::DisplayOnConnect), std::string(shown ? "1" : "0"));
    }

    // The command shows the one window, loading it again after its Exit; a window
    // closed that way still counts as shown when the add-in is disconnected.
    void menuCommandShowsOneWindowAndDisconnectionRemembersIt() {
        Session s;
        s.connect.OnConnection(s.workspace, ide::ext_cm_Startup);
        QVERIFY(s.workspace.ClickAddInCommand("Quillmark"));
        QVERIFY(s.workspace.ClickAddInCommand("Quillmark"));
        QCOMPARE(s.windowsMade, 1);
        QVERIFY(s.Shown());
        s.connect.ToolWindow()->close();  // its own Exit or close box
        QVERIFY(s.workspace.ClickAddInCommand("Quillmark"));
        QCOMPARE(s.windowsMade, 1);
        QVERIFY(s.connect.ToolWindow()->Loaded());
        s.connect.ToolWindow()->close();
        s.connect.OnDisconnection(ide::ext_dm_UserClosed);
        QCOMPARE(s.settings.Get(platform::settings::DisplayOnConnect), std::string("1"));
        QVERIFY(s.workspace.AddInCommands().empty());
    }

    void aFailedConnectionShowsItsDescription() {
        Session s;
        s.outOfMemory = true;
        s.connect.OnConnection(s.workspace, ide::ext_cm_External);
        QCOMPARE(s.messages.messages.size(), std::size_t(1));
        QCOMPARE(s.messages.messages[0].prompt, std::string("Out of memory"));
    }
};

QTEST_MAIN(ConnectTest)
#include "tst_connect.moc"
