#include "editor/addin_host.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QPluginLoader>

#include "editor/prompts.h"

namespace editor {

namespace {

constexpr char kTitle[] = "Add-In Manager";

}  // namespace

AddInHost::AddInHost(ide::VBE& vbe, Prompts& prompts, QStringList pluginFolders)
    : vbe_(vbe), prompts_(prompts), folders_(std::move(pluginFolders)) {}

AddInHost::~AddInHost() { DisconnectAll(ide::ext_dm_HostShutdown); }

QStringList AddInHost::DefaultFolders() {
    QStringList folders;
    const QString build = QStringLiteral(QUILLMARK_BUILD_PLUGIN_DIR);
    if (QFileInfo(build).isDir()) folders << build;
    const QString installed =
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral(QUILLMARK_PLUGINS_FROM_BIN));
    if (QFileInfo(installed).isDir() && !folders.contains(QDir::cleanPath(installed)))
        folders << QDir::cleanPath(installed);
    return folders;
}

void AddInHost::Report(const std::string& name, const std::string& message) {
    if (!reported_.insert(name).second) return;
    prompts_.Inform(message, kTitle);
}

void AddInHost::Discover() {
    if (discovered_) return;
    discovered_ = true;
    for (const QString& folder : folders_) {
        const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
        for (const QFileInfo& file : files) {
            if (!QLibrary::isLibrary(file.fileName())) continue;
            auto loader = std::make_unique<QPluginLoader>(file.absoluteFilePath());
            QObject* instance = loader->instance();
            auto* library = qobject_cast<ide::AddInLibrary*>(instance);
            const std::string name = file.fileName().toStdString();
            if (instance == nullptr) {
                Report(name, "The add-in library " + name + " could not be loaded and is skipped: " +
                                 loader->errorString().toStdString());
                continue;
            }
            if (library == nullptr) {
                Report(name, "The library " + name + " in " + folder.toStdString() +
                                 " is not an add-in library and is skipped.");
                continue;
            }
            for (const std::string& progId : library->ProgIds()) {
                bool known = false;
                for (const auto& [id, lib] : libraries_) known = known || id == progId;
                if (!known) libraries_.emplace_back(progId, library);
            }
            loaders_.push_back(std::move(loader));
        }
    }
}

std::vector<std::string> AddInHost::Available() {
    Discover();
    std::vector<std::string> ids;
    for (const auto& [id, lib] : libraries_) ids.push_back(id);
    return ids;
}

bool AddInHost::Connected(const std::string& progId) const {
    for (const auto& [id, addIn] : connected_)
        if (id == progId) return true;
    return false;
}

bool AddInHost::Connect(const std::string& progId, ide::ConnectMode mode) {
    if (Connected(progId)) return true;
    Discover();
    ide::AddInLibrary* library = nullptr;
    for (const auto& [id, lib] : libraries_)
        if (id == progId) library = lib;
    if (library == nullptr) {
        Report(progId, "The add-in \"" + progId + "\" is not in the add-in folders (" +
                           folders_.join(", ").toStdString() + "); it is not loaded.");
        return false;
    }
    std::unique_ptr<ide::IDTExtensibility> addIn;
    try {
        addIn = library->Create(progId);
        if (!addIn) {
            Report(progId, "The add-in \"" + progId + "\" could not be created; it is not loaded.");
            return false;
        }
        // Held before the call, so the add-in is disconnected later even when
        // its connection stopped half-way.
        connected_.emplace_back(progId, std::move(addIn));
        connected_.back().second->OnConnection(vbe_, mode);
    } catch (const std::exception& e) {
        if (!connected_.empty() && connected_.back().first == progId) connected_.pop_back();
        Report(progId, "The add-in \"" + progId + "\" failed to connect and is not loaded: " + e.what());
        return false;
    }
    return true;
}

void AddInHost::Disconnect(const std::string& progId, ide::DisconnectMode mode) {
    for (auto it = connected_.begin(); it != connected_.end(); ++it) {
        if (it->first != progId) continue;
        std::unique_ptr<ide::IDTExtensibility> addIn = std::move(it->second);
        connected_.erase(it);
        try {
            addIn->OnDisconnection(mode);
        } catch (const std::exception&) {
            // The IDE lets it go whatever it says.
        }
        return;
    }
}

void AddInHost::DisconnectAll(ide::DisconnectMode mode) {
    while (!connected_.empty()) Disconnect(connected_.back().first, mode);
}

void AddInHost::StartupComplete() {
    for (const auto& [id, addIn] : connected_) addIn->OnStartupComplete();
}

void AddInHost::AddInsUpdated() {
    for (const auto& [id, addIn] : connected_) addIn->OnAddInsUpdate();
}

}  // namespace editor
