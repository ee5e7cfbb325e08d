// Loads add-ins as the VB IDE does: add-in libraries are Qt plugins found in the
// plugin folders; an add-in is created by program identifier and connected
// through IDTExtensibility with a connect mode. A library that cannot be loaded
// and an add-in that cannot be found, created or connected is reported once, by
// name, and the IDE goes on without it.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <QStringList>

#include "ide/extensibility.h"

class QPluginLoader;

namespace editor {

class Prompts;

class AddInHost {
public:
    AddInHost(ide::VBE& vbe, Prompts& prompts, QStringList pluginFolders);
    /// Disconnects every add-in still connected, as the IDE does when it closes.
    ~AddInHost();
    AddInHost(const AddInHost&) = delete;
    AddInHost& operator=(const AddInHost&) = delete;

    /// The plugin folders: the build's (when the program runs from a build) and
    /// the installed one beside the program.
    static QStringList DefaultFolders();

    /// Program identifiers the plugins offer, in the order found.
    std::vector<std::string> Available();
    /// Creates and connects the add-in; true when it is connected (also when it
    /// was already).
    bool Connect(const std::string& progId, ide::ConnectMode mode);
    /// Disconnects and destroys it; nothing when it is not connected.
    void Disconnect(const std::string& progId, ide::DisconnectMode mode);
    void DisconnectAll(ide::DisconnectMode mode);
    bool Connected(const std::string& progId) const;
    /// OnStartupComplete to every connected add-in.
    void StartupComplete();
    /// OnAddInsUpdate to every connected add-in.
    void AddInsUpdated();

private:
    void Discover();
    void Report(const std::string& name, const std::string& message);

    ide::VBE& vbe_;
    Prompts& prompts_;
    QStringList folders_;
    bool discovered_ = false;
    // Loaded libraries stay loaded: add-in code may still be referenced.
    std::vector<std::unique_ptr<QPluginLoader>> loaders_;
    std::vector<std::pair<std::string, ide::AddInLibrary*>> libraries_;  // by program identifier
    std::vector<std::pair<std::string, std::unique_ptr<ide::IDTExtensibility>>> connected_;
    std::set<std::string> reported_;
};

}  // namespace editor
