// quillmark check [--fix] TARGET...: what the modules of a project lack of the
// team's rules, and --fix to write what can be written.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "check/baseline.h"
#include "check/check.h"
#include "check/report.h"
#include "cli/commands.h"
#include "host/module_file.h"
#include "host/project.h"
#include "host/project_paths.h"
#include "platform/os.h"

namespace cli {

namespace fs = std::filesystem;

namespace {

enum class Format { kText, kJson, kSarif };

struct CheckState {
    CommonOptions options;
    bool fix = false;
    std::optional<std::string> rules;
    Format format = Format::kText;
    std::string baseline;
    std::string writeBaseline;
};

// The path as the run shows it: relative to the current folder when the file
// lies below it, with "/" between folders.
std::string Shown(const std::string& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec).lexically_normal();
    const fs::path relative = absolute.lexically_relative(fs::current_path(ec));
    if (!relative.empty() && *relative.begin() != "..") return relative.generic_string();
    return absolute.generic_string();
}

// The module files a target names: the file itself, every module under a
// folder (by name), or every module a .vbp lists. Missing modules of a project
// are a file error; a target that is none of these is left to the runner.
int Expand(const std::string& target, std::vector<std::string>& files, std::ostream& err) {
    std::error_code ec;
    if (fs::is_directory(target, ec)) {
        std::vector<std::string> found;
        for (auto it = fs::recursive_directory_iterator(target, fs::directory_options::skip_permission_denied, ec);
             it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (ec) break;
            std::error_code typeError;
            if (it->is_regular_file(typeError) && host::IsModuleFileName(it->path().string()))
                found.push_back(it->path().lexically_normal().string());
        }
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
        return kDone;
    }
    if (host::FileExtension(target) != ".vbp") {
        files.push_back(target);
        return kDone;
    }
    try {
        platform::DiskFiles disk{kSourceFileLimit};
        std::error_code absError;
        const host::Project project(fs::absolute(target, absError).lexically_normal().string(), disk);
        int status = kDone;
        for (const std::string& module : project.ModulePaths()) {
            if (!fs::exists(module, ec)) {
                PrintMessage(err, "", target + " lists " + Shown(module) + ", which does not exist");
                status = kFileError;
                continue;
            }
            files.push_back(Shown(module));
        }
        return status;
    } catch (const platform::FileError& e) {
        PrintMessage(err, "", e.what());
        return kFileError;
    }
}

// The rules of each folder, read once per run (by whichever module's thread
// first asks).
class Configs {
public:
    explicit Configs(const std::optional<std::string>& rules) : rules_(rules) {}
    const check::Config& For(const std::string& file) {
        std::error_code ec;
        const std::string folder = fs::absolute(file, ec).lexically_normal().parent_path().string();
        const std::lock_guard lock(lock_);
        auto [it, added] = byFolder_.try_emplace(folder);
        if (added) {
            it->second = check::LoadConfig(folder);
            if (rules_) it->second.rules = check::ParseRules(*rules_);
        }
        return it->second;
    }

private:
    std::optional<std::string> rules_;
    std::mutex lock_;
    std::map<std::string, check::Config> byFolder_;
};

// A line on a terminal that says how far a long run is, erased at its end;
// never in a pipe or under CI. Modules checked at once count in turn; each
// writes the line to its own standard error, shown in the targets' order.
class Progress {
public:
    Progress(std::ostream& err, std::size_t total)
        : err_(err), total_(total),
          on_(&err == &std::cerr && platform::IsTerminal(stderr) && std::getenv("CI") == nullptr) {}
    ~Progress() { Erase(); }
    void Erase() {
        if (shown_) err_ << "\r\033[K" << std::flush;
        shown_ = false;
    }
    void Done(std::ostream& to) {
        if (!on_) return;
        const std::lock_guard lock(lock_);
        const std::size_t done = ++done_;
        const auto now = std::chrono::steady_clock::now();
        if (!shown_ && total_ <= kMany && now - start_ < std::chrono::seconds(1)) return;
        if (shown_ && now - last_ < std::chrono::milliseconds(100) && done < total_) return;
        shown_ = true;
        last_ = now;
        to << "\rquillmark: checking " << done << "/" << total_ << " modules\033[K" << std::flush;
    }

private:
    static constexpr std::size_t kMany = 300;
    std::ostream& err_;
    std::size_t total_;
    bool on_;
    std::mutex lock_;
    std::size_t done_ = 0;
    bool shown_ = false;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point last_;
};

std::string Plural(std::size_t n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

int RunCheck(Context& context, CheckState& state) {
    std::ostream& err = context.err;
    // Every target expanded and every rules file read before anything runs.
    CommonOptions options = state.options;
    options.targets.clear();
    int status = kDone;
    for (const std::string& target : state.options.targets) status = std::max(status, Expand(target, options.targets, err));
    if (status != kDone) return status;
    Configs configs(state.rules);
    try {
        std::vector<std::string> kept;
        for (const std::string& file : options.targets)
            if (!host::IsModuleFileName(file) || !configs.For(file).Excludes(file)) kept.push_back(file);
        options.targets = std::move(kept);
    } catch (const std::exception& e) {  // check::ConfigError, std::invalid_argument, platform::FileError
        PrintMessage(err, "", e.what());
        return kUsage;
    }
    if (options.targets.empty()) {
        PrintMessage(err, "", "no modules to check");
        return kDone;
    }
    std::optional<check::Baseline> baseline;
    std::string baselinePath = state.baseline;
    if (baselinePath.empty() && state.writeBaseline.empty()) baselinePath = configs.For(options.targets.front()).baseline;
    if (!baselinePath.empty()) {
        try {
            baseline = check::Baseline::Read(baselinePath);
        } catch (const platform::FileError& e) {
            PrintMessage(err, "", e.what());
            return kFileError;
        } catch (const std::runtime_error& e) {
            PrintMessage(err, "", e.what());
            return kUsage;
        }
    }

    RunRules rules;
    rules.allowsLine = false;
    rules.needsProject = state.fix;  // the headers read the project's version, as the module command does
    rules.writes = state.fix;
    // One place per target, as modules may be checked at once.
    struct Checked {
        bool ran = false;
        std::size_t fixed = 0;
        std::size_t count = 0;    // findings
        std::size_t fixable = 0;  // of them, those --fix writes
        std::vector<check::FileFinding> found;  // for a baseline and the JSON and SARIF reports
        std::string text;  // the text report, made on the module's own thread
    };
    std::vector<Checked> checked(options.targets.size());
    const bool textOnly = state.format == Format::kText && state.writeBaseline.empty();
    Progress progress(err, options.targets.size());
    Runner runner(options, context.settings, context.out, err);
    status = runner.Run(rules, nullptr, [&](Session& s) {
        const check::Config& config = configs.For(s.target.file);
        host::SourceModule& m = s.file.module;
        Checked& module = checked[s.targetIndex];
        if (state.fix) module.fixed = check::FixModule(m, config, s.workspace, s.window);
        std::vector<check::Finding> found = check::CheckModule(m, config);
        const std::string shown = Shown(s.target.file);
        if (textOnly && !baseline) {
            module.text = check::TextReport(shown, found);
            module.count = found.size();
            module.fixable = static_cast<std::size_t>(
                std::count_if(found.begin(), found.end(), [](const check::Finding& f) { return f.fixable; }));
        } else {
            for (check::Finding& f : found) module.found.push_back({shown, std::move(f)});
            if (baseline) module.found = baseline->NewFindings(module.found);
            if (textOnly) module.text = check::TextReport(module.found);
            module.count = module.found.size();
            module.fixable = static_cast<std::size_t>(std::count_if(
                module.found.begin(), module.found.end(), [](const check::FileFinding& f) { return f.finding.fixable; }));
        }
        module.ran = true;
        progress.Done(s.err);
        s.status = kDone;  // findings are reported, not refusals: a --fix run still writes
    });
    progress.Erase();
    if (status != kDone) return status;
    std::vector<check::FileFinding> findings;
    std::size_t modules = 0, withFindings = 0, fixed = 0, count = 0, fixable = 0;
    for (Checked& module : checked) {
        if (!module.ran) continue;
        ++modules;
        fixed += module.fixed;
        count += module.count;
        fixable += module.fixable;
        if (module.count > 0) ++withFindings;
        findings.insert(findings.end(), std::make_move_iterator(module.found.begin()),
                        std::make_move_iterator(module.found.end()));
    }

    if (!state.writeBaseline.empty()) {
        try {
            platform::WriteFileAtomic(state.writeBaseline, check::Baseline::Text(state.writeBaseline, findings));
        } catch (const platform::FileError& e) {
            PrintMessage(err, "", e.what());
            return kFileError;
        }
        PrintMessage(err, "", "recorded " + Plural(findings.size(), "finding") + " in " + state.writeBaseline);
        return kDone;
    }
    if (state.options.diff || state.options.toStdout) return kDone;  // the runner printed what --fix would write

    switch (state.format) {
    case Format::kText:
        for (const Checked& module : checked) context.out << module.text;
        break;
    case Format::kJson: context.out << check::JsonReport(findings); break;
    case Format::kSarif:
        context.out << check::SarifReport(findings, fs::current_path().string(), QUILLMARK_VERSION);
        break;
    }
    std::string summary = Plural(count, "finding") + " in " + std::to_string(withFindings) + " of " +
                          Plural(modules, "module");
    if (state.fix)
        summary = "fixed " + Plural(fixed, "finding") + "; " + summary + " left";
    else if (fixable > 0)
        summary += "; " + std::to_string(fixable) + " fixable with --fix";
    err << summary << '\n';
    return count == 0 ? kDone : kRefused;
}

std::string RulesHelp() {
    std::string text;
    for (check::Rule rule : check::AllRules())
        text += "  " + check::RuleName(rule) + std::string(22 - check::RuleName(rule).size(), ' ') +
                check::RuleDescription(rule) + (check::Fixable(rule) ? "" : " (never fixed)") + "\n";
    return text;
}

}  // namespace

void AddCheckCommand(CLI::App& app, Context& context) {
    auto state = std::make_shared<CheckState>();
    CLI::App* command = app.add_subcommand(
        "check", "Report the procedures and modules that lack headers, handlers or indentation");
    static const std::string footer =
        "A target is a module, a folder (every module under it) or a .vbp (every module it lists).\n"
        "Each finding is a line FILE:LINE:COL: RULE: message; a summary goes to standard error.\n"
        "Status 0 when nothing is found, 1 when something is, 2 usage error, 3 file error.\n"
        "Rules (default: procedure-header, error-handler, indent):\n" +
        RulesHelp() +
        "The rules file .quillmark.ini, in the module's folder or the nearest above, [check] section:\n"
        "  rules = procedure-header, module-header, error-handler, indent\n"
        "  exclude = legacy/*, *Designer.dsr       skip-procedures = *_Click, Class_Initialize\n"
        "  header = before|after   handler = exe|component|resume-next|custom   template = handler.txt\n"
        "  baseline = quillmark-baseline.json\n"
        "--fix writes the headers (empty sections), the notice, the handlers and the indentation as the\n"
        "single-procedure commands write them, all files or none.\n"
        "Example: quillmark check --format sarif Inventory.vbp > quillmark.sarif";
    command->footer(footer);
    AddCommonOptions(*command, state->options, "Modules, folders or .vbp files", Reach::kWrites);
    AddJobsOption(*command, state->options);
    command->add_flag("--fix", state->fix, "Write what the fixable rules ask for");
    command->add_option("--rules", state->rules, "The rules for this run, e.g. procedure-header,indent")
        ->type_name("LIST");
    const std::vector<std::pair<std::string, Format>> formats{
        {"text", Format::kText}, {"json", Format::kJson}, {"sarif", Format::kSarif}};
    command->add_option("--format", state->format, "text (default), json or sarif")
        ->type_name("FORMAT")
        ->transform(OneOf(formats));
    auto* baseline = command->add_option("--baseline", state->baseline, "Report only findings that FILE does not hold")
                         ->type_name("FILE");
    command->add_option("--write-baseline", state->writeBaseline, "Record today's findings in FILE and report none")
        ->type_name("FILE")
        ->excludes(baseline)
        ->excludes("--fix");
    for (const char* writing : {"--diff", "--stdout"}) command->get_option(writing)->needs("--fix");
    command->callback([&context, state] { context.run = [&context, state] { return RunCheck(context, *state); }; });
}

}  // namespace cli
