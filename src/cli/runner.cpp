#include "cli/runner.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <ostream>

#include "ide/attempt.h"
#include "cli/diff.h"
#include "cli/interrupt.h"
#include "core/run_settings.h"
#include "host/project_paths.h"
#include "host/project_search.h"
#include "platform/encoding.h"
#include "platform/os.h"
#include "platform/parallel.h"
#include "platform/transaction.h"
#include "revisions/revision_log.h"

namespace cli {

namespace fs = std::filesystem;

namespace {

// A diff needs the bytes as read, a write their digest, a reader nothing.
host::Keep Kept(const RunRules& rules, const CommonOptions& options) {
    if (!rules.writes) return host::Keep::Size;
    return options.diff ? host::Keep::Bytes : host::Keep::Digest;
}

std::string Absolute(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::absolute(path, ec);
    return (ec ? fs::path(path) : p).lexically_normal().string();
}

bool HasExtension(const fs::path& path, const char* extension) {
    return host::FileExtension(path.string()) == extension;
}


// Runs `step`; a failure that "errors ignored" would pass over (a host, file
// or encoding error) becomes its message and status 3. Anything else (a logic
// error) goes on to the caller.
template <class Step>
int FileStep(std::ostream& err, Step&& step) {
    const std::optional<ide::Failure> failure = ide::Failed(std::forward<Step>(step));
    if (!failure) return kDone;
    PrintMessage(err, "", failure->reason);
    return kFileError;
}

// A settings store the modules' threads read at once.
class LockedSettings : public platform::SettingsStore {
public:
    explicit LockedSettings(platform::SettingsStore& base) : base_(base) {}
    std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                           const std::string& defaultValue) override {
        const std::lock_guard lock(lock_);
        return base_.GetSetting(app, section, key, defaultValue);
    }
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override {
        const std::lock_guard lock(lock_);
        base_.SaveSetting(app, section, key, value);
    }
    std::string ReadProblem(const std::string& app) override {
        const std::lock_guard lock(lock_);
        return base_.ReadProblem(app);
    }
    std::string SetAsideUnreadable(const std::string& app) override {
        const std::lock_guard lock(lock_);
        return base_.SetAsideUnreadable(app);
    }

private:
    std::mutex lock_;
    platform::SettingsStore& base_;
};

}  // namespace

Runner::Runner(const CommonOptions& options, platform::SettingsStore& settings, std::ostream& out,
               std::ostream& err)
    : options_(options), settings_(std::make_unique<LockedSettings>(settings)), out_(out), err_(err) {}

Runner::~Runner() = default;

void Runner::Say(const std::string& text) const { PrintMessage(err_, "", text); }

int Runner::Run(const RunRules& rules, const std::function<void(core::PenworkCore&)>& setup,
                const std::function<void(Session&)>& action) {
    const bool writing = rules.writes && !options_.diff && !options_.toStdout;
    // Only a run that writes asks, before it writes, whether a file changed.
    disk_.RememberReads(writing);
    std::vector<FileGroup> groups;
    int worst = Plan(rules, groups);
    if (worst != kDone) return worst;

    InterruptGuard interrupt(writing);
    // The folders written into, locked in one order by every run, so that two
    // runs never wait for each other's locks at once.
    std::vector<platform::FolderLock> locks;
    if (writing) locks = platform::LockFoldersOf(FilesToWrite(groups), hooks_.locking);

    // Modules run at once, each shown (and its writes taken) in the order of
    // the targets as soon as those before it are done.
    std::vector<Outcome> outcomes(groups.size());
    std::vector<bool> done(groups.size());
    std::size_t shown = 0;
    std::mutex showing;
    // A module after one that failed is not prepared, as on one thread.
    std::atomic<std::size_t> firstFailed{groups.size()};
    platform::ForEachIndex(groups.size(), Jobs(), [&](std::size_t i) {
        Outcome& outcome = outcomes[i];
        RunFile(rules, groups[i], setup, action, writing && i < firstFailed, outcome);
        if (outcome.status != kDone || outcome.writeStatus != kDone) {
            std::size_t failed = firstFailed;
            while (i < failed && !firstFailed.compare_exchange_weak(failed, i)) {
            }
        }
        const std::lock_guard lock(showing);
        done[i] = true;
        for (; shown < groups.size() && done[shown]; ++shown) worst = std::max(worst, Show(outcomes[shown], worst));
    });
    if (!rules.writes) return worst;
    if (worst != kDone) {
        prepared_.clear();  // all or nothing: what was prepared goes
        return worst;
    }
    return Finish(writing);
}

std::size_t Runner::Jobs() const { return options_.jobs == 0 ? platform::HardwareThreads() : options_.jobs; }

std::vector<std::string> Runner::FilesToWrite(const std::vector<FileGroup>& groups) {
    std::vector<std::string> files;
    for (const FileGroup& g : groups) {
        files.push_back(g.path);
        if (!g.projectPath) continue;
        files.push_back(*g.projectPath);
        // A revision log the project keeps in another folder (one several projects share).
        const Candidate& candidate = CandidateAt(*g.projectPath);
        if (candidate.project)
            ide::Attempt([&] { files.push_back(revisions::RevisionLogPath(*candidate.project)); });
    }
    return files;
}

int Runner::Plan(const RunRules& rules, std::vector<FileGroup>& groups) {
    int worst = kDone;
    // One group per file, however it is named: through a symbolic link (one
    // real path) or by a second hard link (one file by std::filesystem::equivalent).
    std::map<std::string, std::size_t> groupOf;  // real path -> index in groups
    std::vector<std::size_t> linked;              // groups whose file has other hard links
    for (std::size_t i = 0; i < options_.targets.size(); ++i) {
        const Target target = ParseTarget(options_.targets[i]);
        int status = kDone;
        if (!target.problem.empty()) {
            Say(target.problem);
            status = kUsage;
        } else if (rules.needsLine && !target.hasLine) {
            Say(target.file + ": which line? Give the target as FILE:LINE, e.g. " + target.file + ":12" +
                rules.withoutLine);
            status = kUsage;
        } else if (!rules.allowsLine && target.hasLine) {
            Say(target.file + ":" + std::to_string(target.line) +
                ": this command works on whole files; give FILE without a line");
            status = kUsage;
        } else if (!host::IsModuleFileName(target.file) && !fs::is_directory(target.file)) {
            std::error_code ec;
            if (!fs::exists(target.file, ec)) {
                Say(target.file + ": no such file");
                status = kFileError;
            } else {
                Say(target.file +
                    ": not a VB module; Quillmark works on .bas, .cls, .frm, .ctl, .dsr and .pag files");
                status = kUsage;
            }
        }
        worst = std::max(worst, status);
        if (status != kDone) continue;
        const std::string path = Absolute(target.file);
        auto [it, added] = groupOf.emplace(platform::RealPath(path), groups.size());
        std::error_code ec;
        if (added && fs::hard_link_count(path, ec) > 1 && !ec) {
            for (std::size_t g : linked)
                if (fs::equivalent(groups[g].path, path, ec)) it->second = g;
            if (it->second == groups.size()) linked.push_back(groups.size());
        }
        if (it->second == groups.size()) groups.push_back(FileGroup{path, target.file, {}, std::nullopt, std::nullopt});
        groups[it->second].targets.push_back(Planned{target, i, 0});
    }
    for (FileGroup& group : groups) worst = std::max(worst, CheckGroup(rules, group));
    return worst;
}

int Runner::CheckGroup(const RunRules& rules, FileGroup& group) {
    displayNames_[group.path] = group.displayName;
    const bool lines = std::any_of(group.targets.begin(), group.targets.end(),
                                   [](const Planned& p) { return p.target.hasLine; });
    int status = kDone;
    if (lines) {
        // Lines are checked against the file, which is then kept for the run.
        status = FileStep(err_, [&] { group.file = host::ModuleFile::Load(group.path, disk_, options_.encoding, Kept(rules, options_)); });
        if (status != kDone) return status;
        const host::SourceModule& m = group.file->module;
        const long count = m.CountOfFileLines();
        for (Planned& p : group.targets) {
            if (!p.target.hasLine) continue;
            if (p.target.line < 1 || p.target.line > count) {
                Say(p.target.file + ":" + std::to_string(p.target.line) +
                    ": line out of range; lines count from 1 and the file has " + std::to_string(count) +
                    " lines");
                status = kUsage;
                continue;
            }
            p.codeLine = m.CodeLineOfFileLine(p.target.line);
        }
    } else {
        // Whole modules are read when their turn comes, one at a time.
        std::error_code ec;
        if (fs::is_directory(group.path, ec)) {
            Say("cannot read '" + group.path + "': it is a folder, not a file; name a file");
            return kFileError;
        }
        if (!fs::exists(group.path, ec)) {
            Say(group.displayName + ": no such file");
            return kFileError;
        }
    }
    if (rules.needsProject) status = std::max(status, FindProject(group.path, group.projectPath));
    return status;
}

const std::vector<std::string>& Runner::ProjectsIn(const std::string& folder) {
    auto [it, added] = projectsIn_.try_emplace(folder);
    if (added) it->second = host::ProjectFilesIn(folder);
    return it->second;
}

const Runner::Candidate& Runner::CandidateAt(const std::string& vbp) {
    auto [it, added] = candidates_.try_emplace(vbp);
    if (added) {
        const std::optional<ide::Failure> failure =
            ide::Failed([&] { it->second.project = std::make_unique<host::Project>(vbp, searched_); });
        if (failure) it->second.problem = failure->reason;
    }
    return it->second;
}

int Runner::FindProject(const std::string& modulePath, std::optional<std::string>& project) {
    auto lists = [&](const std::string& vbp) {
        const Candidate& candidate = CandidateAt(vbp);
        bool listed = false;  // a project we cannot read is not this module's project
        if (candidate.project) ide::Attempt([&] { listed = candidate.project->Lists(modulePath); });
        return listed;
    };
    if (!options_.project.empty()) {
        const std::string vbp = Absolute(options_.project);
        std::string problem;
        if (!HasExtension(vbp, ".vbp")) {
            problem = "not a project file; give a .vbp";
        } else if (!CandidateAt(vbp).project) {
            problem = CandidateAt(vbp).problem;
        } else if (!lists(vbp)) {
            problem = "it does not list " + fs::path(modulePath).filename().string() +
                      "; give the project the module belongs to";
        }
        if (problem.empty()) {
            project = vbp;
            return kDone;
        }
        Say("--project " + options_.project + ": " + problem);
        return kUsage;
    }
    // The nearest folder, from the module's upwards, with a project that lists it.
    const std::vector<std::string> listing = host::NearestListingProjects(
        modulePath, [this](const std::string& folder) -> const std::vector<std::string>& { return ProjectsIn(folder); },
        lists);
    if (listing.empty()) return kDone;
    project = listing.front();
    if (listing.size() > 1) {
        std::string names;
        for (std::size_t i = 1; i < listing.size(); ++i) names += ", " + DisplayName(listing[i]);
        Say(DisplayName(modulePath) + " is listed by " + DisplayName(listing.front()) + names + "; using " +
            DisplayName(listing.front()) + " (give --project to choose)");
    }
    return kDone;
}

host::Project* Runner::ProjectAt(const std::string& path) {
    const std::lock_guard lock(projectsLock_);
    std::unique_ptr<host::Project>& project = projects_[path];
    if (!project) project = std::make_unique<host::Project>(path, staged_);
    return project.get();
}

void Runner::RunFile(const RunRules& rules, FileGroup& group,
                     const std::function<void(core::PenworkCore&)>& setup,
                     const std::function<void(Session&)>& action, bool prepare, Outcome& outcome) {
    std::ostream& out = outcome.out;
    std::ostream& err = outcome.err;
    int& worst = outcome.status;
    if (!group.file) {
        worst = FileStep(err, [&] {
            group.file = host::ModuleFile::Load(group.path, disk_, options_.encoding, Kept(rules, options_));
        });
        if (worst != kDone) return;
    }
    host::ModuleFile& file = *group.file;
    host::Project* project = nullptr;
    if (group.projectPath) {
        worst = FileStep(err, [&] { project = ProjectAt(*group.projectPath); });
        if (worst != kDone) return;
    }

    // Every target's line follows the edits of the targets before it.
    std::vector<long> lines;
    for (const Planned& p : group.targets) lines.push_back(p.codeLine);
    const int subscription = file.module.Subscribe([&lines](const host::LineChange& change) {
        for (long& line : lines)
            if (line > 0) line = host::LineAfter(change, line);
    });
    struct Unsubscribe {
        host::SourceModule* m;
        int id;
        void Now() {
            if (m != nullptr) m->Unsubscribe(id);
            m = nullptr;
        }
        ~Unsubscribe() { Now(); }
    } unsubscribe{&file.module, subscription};

    for (std::size_t k = 0; k < group.targets.size(); ++k) {
        const Planned& planned = group.targets[k];
        const long codeLine = lines[k];
        const std::uint64_t revisionBefore = file.module.Revision();
        const std::size_t writesBefore = staged_.WriteCount();
        const bool projectChangedBefore = project != nullptr && project->Changed();

        host::Workspace workspace;
        workspace.SetProject(project);
        workspace.Open(file.module, file.Name(), codeLine == 0 ? 1 : codeLine);
        ConsoleDialogs dialogs(err);
        core::RunSettings settings(*settings_);
        core::PlainPenworkCore window(workspace, dialogs, staged_, settings);
        window.Load();
        if (setup) setup(window);
        Session session{planned.target, file, workspace, project, window, dialogs, out, err, codeLine};
        session.targetIndex = planned.index;
        session.targetCount = options_.targets.size();
        int status = FileStep(err, [&] { action(session); });
        if (status == kDone) {
            const bool changed = file.module.Revision() != revisionBefore || staged_.WriteCount() != writesBefore ||
                                 (project != nullptr && project->Changed() != projectChangedBefore);
            status = session.status >= 0 ? session.status : (!changed && dialogs.Shown() > 0 ? kRefused : kDone);
        }
        worst = std::max(worst, status);
    }
    unsubscribe.Now();  // before the module goes
    if (!rules.writes) {
        group.file.reset();
        return;
    }

    // The bytes are made whole only to print them; a write takes them piece by piece.
    std::string bytes;
    bool changed = false;
    if (options_.toStdout || options_.diff)
        worst = std::max(worst, FileStep(err, [&] { bytes = file.Bytes(); }));
    else
        worst = std::max(worst, FileStep(err, [&] { changed = file.Changed(); }));
    if (worst == kDone) {
        if (options_.toStdout) {
            outcome.printed = std::move(bytes);
        } else if (options_.diff) {
            outcome.diff = UnifiedDiff(DisplayName(group.path), file.originalBytes, bytes);
        } else if (prepare && changed) {
            // Synced with the others once all are prepared, and checked then.
            std::ostringstream message;
            outcome.writeStatus = FileStep(message, [&] {
                outcome.write.emplace(group.path, [&file](const platform::ByteSink& sink) { file.WriteBytes(sink); },
                                      platform::PreparedWrite::Durability::kSyncLater);
            });
            outcome.writeMessage = message.str();
        }
    }
    group.file.reset();  // a thread holds one module at a time
}

int Runner::Show(Outcome& outcome, int worstBefore) {
    out_ << outcome.out.view();
    err_ << outcome.err.view();
    int status = outcome.status;
    if (status == kDone) {
        if (outcome.printed) printed_.push_back(std::move(*outcome.printed));
        diffs_ += outcome.diff;
        if (worstBefore == kDone) {
            err_ << outcome.writeMessage;
            status = outcome.writeStatus;
            if (outcome.write) prepared_.push_back(std::move(*outcome.write));
        }
    }
    // Its memory goes now.
    outcome.out = {};
    outcome.err = {};
    outcome.printed.reset();
    outcome.diff = {};
    outcome.write.reset();
    return status;
}

bool Runner::ChangedOnDisk(const std::string& path, const std::string& shownAs, const std::string& nowAt) {
    if (!disk_.ChangedSinceRead(path, nowAt)) return false;
    Say(shownAs + ": changed by another program; run again");
    return true;
}

int Runner::Finish(bool writing) {
    for (const auto& [path, project] : projects_)
        if (project->Changed()) staged_.Write(path, project->Text());
    if (options_.toStdout) {
        for (const std::string& bytes : printed_) out_ << bytes;
        return kDone;
    }
    if (options_.diff) {
        out_ << diffs_;
        staged_.ForEachChange([&](const std::string& path, const std::optional<std::string>& before,
                                  const std::string& after) { out_ << UnifiedDiff(DisplayName(path), before, after); });
        return kDone;
    }
    if (!writing) return kDone;

    const bool written = platform::WriteAllOrNothing(
        prepared_, staged_,
        {[this](const std::string& path, const std::string& nowAt) {
             return ChangedOnDisk(path, DisplayName(path), nowAt);
         },
         [this](const std::function<void()>& step) { return FileStep(err_, step) == kDone; }, hooks_.replacing,
         Jobs()});
    staged_.Clear();
    return written ? kDone : kFileError;
}

std::string Runner::DisplayName(const std::string& path) const {
    // Relative to the current folder when the file lies below it; else as the
    // user wrote it, or in full.
    std::error_code ec;
    const fs::path relative = fs::relative(path, fs::current_path(ec), ec);
    if (!ec && !relative.empty() && *relative.begin() != "..") return relative.string();
    auto it = displayNames_.find(path);
    return it != displayNames_.end() ? it->second : path;
}

std::string ReadTextOption(const std::string& value) {
    if (value.empty() || value[0] != '@') return value;
    return platform::ReadUserText(value.substr(1), kTextOptionLimit);
}

}  // namespace cli
