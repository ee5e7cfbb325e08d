// The add-in library a host loads: a Qt plugin that creates "Quillmark.Connect"
// over the user's settings and files and real dialogs.
#include <QObject>
#include <QtPlugin>

#include "addin/connect.h"
#include "addin/mmain.h"
#include "platform/files.h"
#include "platform/os.h"

namespace addin {

namespace {

// An object of this library, to find the library's file by.
const char kInThisLibrary = 0;

// A Connect with everything a real session needs.
class SessionConnect : public Connect {
public:
    SessionConnect() : Connect(settings_, dialogs_, [this] { return MakeWindow(); }) {}

private:
    std::unique_ptr<window::frmPenwork> MakeWindow() {
        auto window = std::make_unique<window::frmPenwork>(settings_, files_, windowDialogs_);
        // An add-in has no program file of its own: its About box tells the
        // library's time and path, not the host program's.
        window->About().SetProgramFile({});
        window->About().SetLibraryFile(QString::fromStdString(platform::FileHolding(&kInThisLibrary)));
        return window;
    }
    platform::UserSettings settings_;
    platform::DiskFiles files_;
    window::WindowDialogs dialogs_;        // the connection's own messages
    window::WindowDialogs windowDialogs_;  // the tool window's
};

}  // namespace

class QuillmarkAddInLibrary : public QObject, public ide::AddInLibrary {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QUILLMARK_ADDIN_LIBRARY_IID FILE "addin_library.json")
    Q_INTERFACES(ide::AddInLibrary)

public:
    QuillmarkAddInLibrary() {
        window::WindowDialogs dialogs;
        MMain::Main(dialogs);
    }
    std::vector<std::string> ProgIds() const override { return {kProgId}; }
    std::unique_ptr<ide::IDTExtensibility> Create(const std::string& progId) override {
        if (progId != kProgId) return nullptr;
        return std::make_unique<SessionConnect>();
    }
};

}  // namespace addin

#include "addin_library.moc"
