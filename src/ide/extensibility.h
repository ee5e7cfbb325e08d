// The add-in interface that a host calls (IDTExtensibility), and the way an add-in
// library makes its creatable classes known to a host that loads it.
//
// An add-in library is a Qt plugin implementing AddInLibrary; a host finds it in
// its plugin folders, asks it for a class by program identifier
// ("Quillmark.Connect") and connects the object it creates.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QtPlugin>

#include "ide/ide.h"

namespace ide {

/// How the host connects an add-in (ext_ConnectMode).
enum ConnectMode : int {
    ext_cm_AfterStartup = 0,  // loaded while the IDE is already running
    ext_cm_Startup = 1,       // loaded as the IDE starts
    ext_cm_External = 2,      // connected from outside the IDE
};

/// Why the host lets an add-in go (ext_DisconnectMode).
enum DisconnectMode : int {
    ext_dm_HostShutdown = 0,
    ext_dm_UserClosed = 1,
};

/// The host's calls into a connected add-in. The arguments an add-in of this
/// family never reads (AddInInst, custom) are left out.
class IDTExtensibility {
public:
    virtual ~IDTExtensibility() = default;
    virtual void OnConnection(VBE& vbInst, ConnectMode connectMode) = 0;
    virtual void OnDisconnection(DisconnectMode removeMode) = 0;
    virtual void OnStartupComplete() = 0;
    virtual void OnAddInsUpdate() = 0;
};

/// What an add-in library offers its host.
class AddInLibrary {
public:
    virtual ~AddInLibrary() = default;
    /// The program identifiers of the add-in classes it can create.
    virtual std::vector<std::string> ProgIds() const = 0;
    /// A new instance of that class, or nullptr for an identifier it does not know.
    virtual std::unique_ptr<IDTExtensibility> Create(const std::string& progId) = 0;
};

}  // namespace ide

#define QUILLMARK_ADDIN_LIBRARY_IID "org.quillmark.AddInLibrary/1.0"
Q_DECLARE_INTERFACE(ide::AddInLibrary, QUILLMARK_ADDIN_LIBRARY_IID)
