// The command-line conventions, shared by every command. A run is a
// transaction:
// 1. every target is checked (options, files, lines, projects) before any
//    command runs; a bad one stops the run with nothing written;
// 2. each module is loaded once and its targets run on it in the order given,
//    every line counted in the file as it was when the run started;
// 3. each changed module is prepared beside its original (a temporary file)
//    as soon as its targets are done, then the revision logs and projects; a
//    refusal or failure anywhere removes what was prepared;
// 4. only when everything is prepared and synced, and no file changed on disk
//    since the run read it, do the prepared files replace their originals.
// The folders written into are locked for the whole run, so that two runs on
// one project follow each other. With --diff or --stdout nothing is written.
// With --jobs, several modules are loaded, run and prepared at once, one
// module to a thread; what each prints is held until the modules before it
// are done, so the output is that of a run on one thread.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
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

enum Status : int { kDone = 0, kRefused = 1, kUsage = 2, kFileError = 3, kInternalError = 4 };

/// The largest text a @PATH option reads, and the largest module or project file.
inline constexpr std::uintmax_t kTextOptionLimit = 1u << 20;
inline constexpr std::uintmax_t kSourceFileLimit = 256u << 20;

/// Options every command that changes files takes.
struct CommonOptions {
    bool diff = false;
    bool toStdout = false;
    std::string project;
    std::string encoding;
    std::vector<std::string> targets;
    /// Modules worked on at once; 0 is one per hardware thread. Only commands
    /// whose modules share nothing they write offer --jobs (AddJobsOption).
    std::size_t jobs = 1;
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
    long codeLine = 0;  // the target's line in the code module's numbering, as it stands now
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
    /// How else a target without a line can be given, for the message ("or
    /// --all for every procedure").
    std::string withoutLine;
};

class Runner {
public:
    Runner(const CommonOptions& options, platform::SettingsStore& settings, std::ostream& out,
           std::ostream& err);
    ~Runner();

    /// Runs `action` on every target and returns the worst status; files are
    /// written only when it is 0. `setup` fills the tool window's fields for the
    /// command (after the window's load).
    int Run(const RunRules& rules, const std::function<void(core::PenworkCore&)>& setup,
            const std::function<void(Session&)>& action);

    /// Seams for tests, none by default: `locking` is called with each folder
    /// just before the run locks it, `replacing` with each file just before its
    /// prepared bytes replace it.
    struct Hooks {
        std::function<void(const std::string& folder)> locking;
        std::function<void(const std::string& path)> replacing;
    };
    void SetHooks(Hooks hooks) { hooks_ = std::move(hooks); }

private:
    struct Planned {
        Target target;
        std::size_t index = 0;
        long codeLine = 0;
    };
    /// One module file and its targets, in the order given.
    struct FileGroup {
        std::string path;  // absolute
        std::string displayName;  // as the user wrote it
        std::vector<Planned> targets;
        std::optional<host::ModuleFile> file;
        std::optional<std::string> projectPath;
    };

    int Plan(const RunRules& rules, std::vector<FileGroup>& groups);
    int CheckGroup(const RunRules& rules, FileGroup& group);
    /// The project of a module: --project when given (status 2 unless it lists
    /// the module), else the nearest .vbp listing it in the module's folder or
    /// above; nullopt when there is none.
    int FindProject(const std::string& modulePath, std::optional<std::string>& project);
    /// A project file the search looks at, read once per run however many
    /// modules it is asked about: null with the reason when it cannot be read.
    struct Candidate {
        std::unique_ptr<host::Project> project;
        std::string problem;
    };
    const Candidate& CandidateAt(const std::string& vbp);
    /// The .vbp files of a folder, by name, listed once per run.
    const std::vector<std::string>& ProjectsIn(const std::string& folder);
    /// What one module's run leaves until it is its turn to be shown.
    struct Outcome {
        std::ostringstream out;
        std::ostringstream err;
        int status = kDone;
        std::optional<std::string> printed;  // --stdout
        std::string diff;                    // --diff
        /// Its prepared bytes, and what preparing them said: they count only
        /// when every module before it succeeded, as in a run on one thread.
        std::optional<platform::PreparedWrite> write;
        std::string writeMessage;
        int writeStatus = kDone;
    };
    void RunFile(const RunRules& rules, FileGroup& group, const std::function<void(core::PenworkCore&)>& setup,
                 const std::function<void(Session&)>& action, bool prepare, Outcome& outcome);
    /// Prints a module's outcome and takes its writes; its status, given the
    /// worst status of the modules before it.
    int Show(Outcome& outcome, int worstBefore);
    host::Project* ProjectAt(const std::string& path);
    int Finish(bool writing);
    /// Says so when the file changed since the run read it; with `nowAt`, the
    /// file there is what is compared (the original a rename replaced).
    bool ChangedOnDisk(const std::string& path, const std::string& shownAs, const std::string& nowAt = {});
    /// The files the run may write into (modules, projects, revision logs),
    /// whose folders it locks.
    std::vector<std::string> FilesToWrite(const std::vector<FileGroup>& groups);
    std::string DisplayName(const std::string& path) const;
    /// The threads the run works on (--jobs).
    std::size_t Jobs() const;
    void Say(const std::string& text) const;

    const CommonOptions& options_;
    std::unique_ptr<platform::SettingsStore> settings_;  // the caller's, behind a lock: threads share it
    std::ostream& out_;
    std::ostream& err_;
    platform::DiskFiles disk_{kSourceFileLimit};  // every file the run reads, as it was then
    platform::StagedFiles staged_{disk_};  // files besides the modules (logs, projects), not yet written
    std::mutex projectsLock_;  // projects_ is shared by the modules of one project
    std::map<std::string, std::unique_ptr<host::Project>> projects_;  // by path
    platform::DiskFiles searched_{kSourceFileLimit};  // what the project search reads
    std::map<std::string, Candidate> candidates_;     // by path
    std::map<std::string, std::vector<std::string>> projectsIn_;  // folder -> its .vbp files
    std::vector<platform::PreparedWrite> prepared_;
    std::vector<std::string> printed_;  // --stdout: module bytes, one per module
    std::string diffs_;                 // --diff: the modules' diffs
    std::map<std::string, std::string> displayNames_;  // path -> as the user wrote it
    Hooks hooks_;
};

/// Reads a text option: "@PATH" is the content of that file (UTF-8, or
/// Windows-1252 when it is not valid UTF-8; one final line end dropped; at most
/// kTextOptionLimit bytes); anything else is the text itself. Throws
/// platform::FileError.
std::string ReadTextOption(const std::string& value);

}  // namespace cli
