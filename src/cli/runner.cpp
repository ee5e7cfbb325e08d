#include "cli/runner.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>

#include "cli/diff.h"
#include "cli/run_settings.h"
#include "platform/encoding.h"

namespace cli {

namespace fs = std::filesystem;

namespace {

std::string Absolute(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::absolute(path, ec);
    return (ec ? fs::path(path) : p).lexically_normal().string();
}

// Text of a file for a diff: modules in their own code page, everything else
// (project, revision log) in Windows-1252.
std::string ForDisplay(const std::string& bytes, const std::string& encoding) {
    try {
        if (encoding == "utf-8" && bytes.rfind("\xEF\xBB\xBF", 0) == 0)
            return platform::DecodeText(std::string_view(bytes).substr(3), encoding);
        return platform::DecodeText(bytes, encoding);
    } catch (const platform::EncodingError&) {
        return bytes;
    }
}

}  // namespace

Runner::Runner(const CommonOptions& options, platform::SettingsStore& settings, std::ostream& out,
               std::ostream& err)
    : options_(options), settings_(settings), out_(out), err_(err) {}

int Runner::Run(const RunRules& rules, const std::function<void(core::PenworkCore&)>& setup,
                const std::function<void(Session&)>& action) {
    int worst = kDone;
    for (std::size_t i = 0; i < options_.targets.size(); ++i)
        worst = std::max(worst, RunTarget(rules, ParseTarget(options_.targets[i]), i, setup, action));
    if (rules.writes) worst = std::max(worst, Finish());
    return worst;
}

std::unique_ptr<host::Project> Runner::FindProject(const std::string& modulePath) {
    if (!options_.project.empty())
        return std::make_unique<host::Project>(Absolute(options_.project), staged_);
    std::vector<fs::path> candidates;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::path(modulePath).parent_path(), ec)) {
        std::string ext = entry.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (ext == ".vbp" && entry.is_regular_file(ec)) candidates.push_back(entry.path());
    }
    std::sort(candidates.begin(), candidates.end());
    for (const fs::path& vbp : candidates) {
        try {
            auto project = std::make_unique<host::Project>(vbp.string(), staged_);
            if (project->Lists(modulePath)) return project;
        } catch (const platform::FileError&) {
            // A project we cannot read is not this module's project.
        } catch (const platform::EncodingError&) {
        }
    }
    return nullptr;
}

int Runner::RunTarget(const RunRules& rules, const Target& target, std::size_t index,
                      const std::function<void(core::PenworkCore&)>& setup,
                      const std::function<void(Session&)>& action) {
    if (rules.needsLine && !target.hasLine) {
        PrintMessage(err_, "", target.file + ": which line? Give the target as FILE:LINE, e.g. " +
                                   target.file + ":12");
        return kUsage;
    }
    if (!rules.allowsLine && target.hasLine) {
        PrintMessage(err_, "", target.file + ":" + std::to_string(target.line) +
                                   ": this command works on whole files; give FILE without a line");
        return kUsage;
    }
    if (!host::IsModuleFileName(target.file) && !fs::is_directory(target.file)) {
        std::error_code ec;
        if (!fs::exists(target.file, ec)) {
            PrintMessage(err_, "", target.file + ": no such file");
            return kFileError;
        }
        PrintMessage(err_, "", target.file +
                                   ": not a VB module; Quillmark works on .bas, .cls, .frm, .ctl, "
                                   ".dsr and .pag files");
        return kUsage;
    }
    const std::string path = Absolute(target.file);
    try {
        // Files a command writes besides the module go to the target's own
        // layer first, and reach the run's changes only when it succeeded.
        platform::StagedFiles files(static_cast<platform::FileStore&>(staged_));
        host::ModuleFile file = host::ModuleFile::Load(path, staged_, options_.encoding);

        long codeLine = 0;
        if (target.hasLine) {
            const long count = file.module.CountOfFileLines();
            if (target.line < 1 || target.line > count) {
                PrintMessage(err_, "", target.file + ":" + std::to_string(target.line) +
                                           ": line out of range; the file has " +
                                           std::to_string(count) + " lines");
                return kUsage;
            }
            codeLine = file.module.CodeLineOfFileLine(target.line);
        }

        std::unique_ptr<host::Project> project;
        if (rules.needsProject) project = FindProject(path);

        host::Workspace workspace;
        workspace.SetProject(project.get());
        workspace.Open(file.module, file.Name(), codeLine == 0 ? 1 : codeLine);

        ConsoleDialogs dialogs(err_);
        RunSettings settings(settings_);
        core::PlainPenworkCore window(workspace, dialogs, files, settings);
        window.Load();
        if (setup) setup(window);

        Session session{target, file, workspace, project.get(), window, dialogs, out_, err_, codeLine};
        session.targetIndex = index;
        session.targetCount = options_.targets.size();
        action(session);
        if (!rules.writes) return session.status < 0 ? kDone : session.status;

        std::string bytes = file.Bytes();
        const bool moduleChanged = bytes != file.originalBytes;
        if (project && project->Changed()) files.Write(project->FileName(), project->Text());
        bool othersChanged = false;
        files.ForEachChange([&](const std::string&, const auto&, const std::string&) { othersChanged = true; });

        int status = session.status;
        if (status < 0) status = (!moduleChanged && !othersChanged && dialogs.Shown() > 0) ? kRefused : kDone;
        if (status == kRefused) return status;  // a refusal writes nothing

        if (options_.toStdout) printed_.push_back(bytes);
        if (moduleChanged) {
            staged_.Write(path, std::move(bytes), std::move(file.originalBytes));
            encodings_[path] = file.encoding;
            displayNames_[path] = target.file;
        }
        files.ForEachChange([&](const std::string& changed, const auto&, const std::string& after) {
            staged_.Write(changed, after);
            encodings_[changed] = platform::kDefaultEncoding;
        });
        // Written in place, a target's files are written as soon as it is done,
        // so a large run holds one module at a time.
        if (!options_.diff && !options_.toStdout) status = std::max(status, WriteStaged());
        return status;
    } catch (const platform::FileError& e) {
        PrintMessage(err_, "", e.what());
        return kFileError;
    } catch (const platform::EncodingError& e) {
        PrintMessage(err_, "", e.what());
        return kFileError;
    }
}

int Runner::Finish() {
    if (options_.toStdout) {
        for (const std::string& bytes : printed_) out_ << bytes;
        return kDone;
    }
    if (options_.diff) {
        staged_.ForEachChange([&](const std::string& path, const std::optional<std::string>& before,
                                  const std::string& after) {
            const std::string& encoding = encodings_[path];
            std::optional<std::string> shownBefore;
            if (before) shownBefore = ForDisplay(*before, encoding);
            out_ << UnifiedDiff(DisplayName(path), shownBefore, ForDisplay(after, encoding));
        });
        return kDone;
    }
    return WriteStaged();
}

int Runner::WriteStaged() {
    int worst = kDone;
    staged_.ForEachChange([&](const std::string& path, const auto&, const std::string& after) {
        try {
            platform::WriteFileAtomic(path, after);
        } catch (const platform::FileError& e) {
            PrintMessage(err_, "", e.what());
            worst = kFileError;
        }
    });
    staged_.Clear();
    return worst;
}

std::string Runner::DisplayName(const std::string& path) const {
    auto it = displayNames_.find(path);
    if (it != displayNames_.end()) return it->second;
    // Files the command found itself (a log, a project): relative when they lie
    // below the current folder, else in full.
    std::error_code ec;
    const fs::path relative = fs::relative(path, fs::current_path(ec), ec);
    if (ec || relative.empty() || *relative.begin() == "..") return path;
    return relative.string();
}

std::string ReadTextOption(const std::string& value) {
    if (value.empty() || value[0] != '@') return value;
    std::string bytes = platform::ReadFileBytes(value.substr(1));
    if (bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0)
        bytes.resize(bytes.size() - 2);
    else if (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r'))
        bytes.pop_back();
    try {
        return platform::DecodeText(bytes, "utf-8");
    } catch (const platform::EncodingError&) {
        return platform::DecodeText(bytes, platform::kDefaultEncoding);
    }
}

}  // namespace cli
