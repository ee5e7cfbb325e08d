// A small add-in library for the editor's tests. "Test.Stamp" adds the command
// "Stamp", which writes a two-line stamp above the cursor line and marks the line
// itself, in three edits; "Test.Throws" fails while connecting; "Test.Null" is
// offered but cannot be created. What the host calls is kept in a log that the
// tests read through TestAddInLog().
#include <QObject>
#include <stdexcept>
#include <string>

#include "ide/extensibility.h"

namespace {

std::string& Log() {
    static std::string log;
    return log;
}

class Stamp final : public ide::IDTExtensibility {
public:
    void OnConnection(ide::VBE& vbe, ide::ConnectMode mode) override {
        Log() += "connect " + std::to_string(mode) + ";";
        vbe_ = &vbe;
        if (mode == ide::ext_cm_External) return;  // from outside: no menu command
        command_ = &vbe.CommandBars().Item("Add-Ins").AddControl(1);
        command_->SetCaption("Stamp");
        vbe.CommandBarEvents(*command_).OnClick([this](ide::CommandBarControl&, bool&, bool&) { Click(); });
    }
    void OnDisconnection(ide::DisconnectMode mode) override {
        Log() += "disconnect " + std::to_string(mode) + ";";
        if (command_ != nullptr) command_->Delete();
    }
    void OnStartupComplete() override { Log() += "startup complete;"; }
    void OnAddInsUpdate() override { Log() += "update;"; }

private:
    void Click() {
        ide::CodePane& pane = ide::RequireActiveCodePane(*vbe_);
        long line = 0, column = 0, endLine = 0, endColumn = 0;
        pane.GetSelection(line, column, endLine, endColumn);
        ide::CodeModule& module = pane.CodeModule();
        module.InsertLines(line, "' Stamped");
        module.InsertLines(line + 1, "' at line " + std::to_string(line) + ", column " + std::to_string(column));
        module.ReplaceLine(line + 2, module.Lines(line + 2, 1) + " ' <-");
    }
    ide::VBE* vbe_ = nullptr;
    ide::CommandBarControl* command_ = nullptr;
};

class Throws final : public ide::IDTExtensibility {
public:
    void OnConnection(ide::VBE&, ide::ConnectMode) override { throw std::runtime_error("no licence found"); }
    void OnDisconnection(ide::DisconnectMode) override {}
    void OnStartupComplete() override {}
    void OnAddInsUpdate() override {}
};

}  // namespace

class TestAddInLibrary final : public QObject, public ide::AddInLibrary {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QUILLMARK_ADDIN_LIBRARY_IID)
    Q_INTERFACES(ide::AddInLibrary)
public:
    std::vector<std::string> ProgIds() const override { return {"Test.Stamp", "Test.Throws", "Test.Null"}; }
    std::unique_ptr<ide::IDTExtensibility> Create(const std::string& progId) override {
        if (progId == "Test.Stamp") return std::make_unique<Stamp>();
        if (progId == "Test.Throws") return std::make_unique<Throws>();
        return nullptr;
    }
};

extern "C" Q_DECL_EXPORT const char* TestAddInLog() { return Log().c_str(); }

#include "test_addin.moc"
