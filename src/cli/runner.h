// The command-line conventions, shared by every command: targets are handled
// one after another, each in a session of its own (module, project, code
// window); a target's changes are kept only when it succeeded; at the end they
// are written atomically, or shown as a diff, or printed.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/console_dialogs.h"
#include "cli/target.h"
#include "host/module_file.h"
#include "host/workspace.h"
#include "platform/files.h"
#include "platform/settings.h"
#include "core/penwork_core.h"

namespace cli {

enum Status : int { kDone = 0, kRefused = 1, kUsage = 2, kFileError = 3 };

/// Options every command that changes files takes.
struct CommonOptions {
    bool diff = false;
    bool toStdout = false;
    std::string project;
    std::string encoding;
    std::vector<std::string> targets;
};

/// One target's session, handed to the command.
struct Session {
    Target target;
    host::ModuleFile& file;
    host::Workspace& workspace;
    host::Project* project;  // nullptr when the module belongs to none
    core::PenworkCore& window;
    ConsoleDialogs& dialogs;
    std::ostream& out;
    std::ostream& err;
    long codeLine = 0;  // the target's line in the code module's numbering
    std::size_t targetIndex = 0;  // from 0, among `targetCount` targets
    std::size_t targetCount = 1;
    /// A command may decide the target's status itself; otherwise it is 0, or 1
    /// when a message was shown and nothing changed.
    int status = -1;
};

struct RunRules {
    bool needsLine = false;     // targets must be FILE:LINE
    bool allowsLine = true;     // FILE:LINE accepted at all
    bool needsProject = true;   // find the module's project
    bool writes = true;         // the command may change files
};

class Runner {
public:
    Runner(const CommonOptions& options, platform::SettingsStore& settings, std::ostream& out,
           std::ostream& err);

    /// Runs `action` on every target and returns the worst status. `setup`
    /// fills the tool window's fields for the command (after the window's load).
    int Run(const RunRules& rules, const std::function<void(core::PenworkCore&)>& setup,
            const std::function<void(Session&)>& action);

private:
    int RunTarget(const RunRules& rules, const Target& target, std::size_t index,
                  const std::function<void(core::PenworkCore&)>& setup,
                  const std::function<void(Session&)>& action);
    std::unique_ptr<host::Project> FindProject(const std::string& modulePath);
    int Finish();
    /// Writes the staged changes atomically and forgets them.
    int WriteStaged();
    std::string DisplayName(const std::string& path) const;

    const CommonOptions& options_;
    platform::SettingsStore& settings_;
    std::ostream& out_;
    std::ostream& err_;
    platform::StagedFiles staged_;  // changes of the targets that succeeded, not yet written
    std::vector<std::string> printed_;  // --stdout: module bytes, in target order
    std::map<std::string, std::string> encodings_;     // path -> code page, for diffs
    std::map<std::string, std::string> displayNames_;  // path -> as the user wrote it
};

/// Reads a text option: "@PATH" is the content of that file (UTF-8, or
/// Windows-1252 when it is not valid UTF-8; one final line end dropped);
/// anything else is the text itself. Throws platform::FileError.
std::string ReadTextOption(const std::string& value);

}  // namespace cli
