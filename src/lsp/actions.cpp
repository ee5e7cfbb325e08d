#include "lsp/actions.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "check/check.h"
#include "core/captions.h"
#include "core/penwork_core.h"
#include "core/run_settings.h"
#include "headers/comment_block.h"
#include "host/project.h"
#include "host/project_search.h"
#include "host/workspace.h"
#include "ide/attempt.h"
#include "lsp/diagnostics.h"
#include "lsp/messages.h"
#include "lsp/protocol.h"
#include "platform/transaction.h"
#include "revisions/revision_log.h"

namespace lsp {

namespace {

std::string WithoutMnemonic(std::string caption) {
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    return caption;
}

// The project the command line would take for the module: the nearest one listing it.
std::unique_ptr<host::Project> ProjectOf(const std::string& modulePath, platform::FileStore& files) {
    std::vector<std::string> found;
    std::unique_ptr<host::Project> project;
    const std::vector<std::string> listing = host::NearestListingProjects(
        modulePath,
        [&found](const std::string& folder) -> const std::vector<std::string>& {
            return found = host::ProjectFilesIn(folder);
        },
        [&](const std::string& vbp) {
            bool lists = false;
            ide::Attempt([&] {
                auto candidate = std::make_unique<host::Project>(vbp, files);
                lists = candidate->Lists(modulePath);
                if (lists && !project) project = std::move(candidate);
            });
            return lists;
        });
    return project;
}

void SetText(core::PenworkCore& w, int box, const QJsonObject& arguments, const char* name) {
    if (arguments.contains(name)) w.Box(box).SetText(Utf8(arguments[name]));
}

// The tool window's fields for the insert, as the command line sets them.
void Setup(core::PenworkCore& w, const std::string& insert, const QJsonObject& a) {
    if (a.contains("author")) w.SetName(Utf8(a["author"]));
    if (a.contains("initials")) w.SetInitials(Utf8(a["initials"]));
    if (insert == "procedure") {
        w.SelectHeaderType(toolwindow::Procedure);
        SetText(w, toolwindow::Description, a, "description");
        SetText(w, toolwindow::Inputs, a, "inputs");
        SetText(w, toolwindow::Assumptions, a, "assumptions");
        SetText(w, toolwindow::Results, a, "results");
        w.SetHeaderBefore(!a["after"].toBool());
    } else if (insert == "module") {
        w.SelectHeaderType(toolwindow::Module);
        SetText(w, toolwindow::kModuleDescriptionBox, a, "description");
    } else if (insert == "comment") {
        w.SelectHeaderType(toolwindow::Comment);
        SetText(w, toolwindow::kCommentTextBox, a, "text");
    } else if (insert == "error") {
        w.SelectHeaderType(toolwindow::Error);
        w.SelectHandler(std::clamp(a["kind"].toInt(), 0, 3));
        if (a.contains("template") && w.AcceptsKey(toolwindow::kHandlerTemplateBox))
            SetText(w, toolwindow::kHandlerTemplateBox, a, "template");
    } else if (insert == "revision") {
        w.SelectHeaderType(toolwindow::Revision);
        if (a.contains("type")) w.SetRevType(Utf8(a["type"]));
        if (a.contains("number")) w.SetRevNumber(Utf8(a["number"]));
        if (a.contains("to")) {
            std::array<bool, 4> targets{};
            for (const QJsonValue& name : a["to"].toArray())
                for (revisions::RevisionTarget t : revisions::kRevisionTargets)
                    if (Utf8(name) == revisions::TargetName(t)) targets[static_cast<std::size_t>(t)] = true;
            for (int i = 0; i < 4; ++i)
                if (w.chkRevision(i) != targets[static_cast<std::size_t>(i)])
                    w.ClickRevision(i, targets[static_cast<std::size_t>(i)]);
        }
        w.SetHeaderBefore(!a["after"].toBool());
        SetText(w, toolwindow::kRevisionTextBox, a, "text");
    } else {
        throw ResponseError(kInvalidParams, "unknown insert '" + insert + "'");
    }
}

// What check finds and --fix writes, on the module in `workspace`: all of it,
// or with "rule" the one finding of that rule on file line `fileLine`.
void Fix(const Document& document, host::SourceModule& module, const QJsonObject& arguments, long fileLine,
         host::Workspace& workspace, core::PenworkCore& window) {
    const check::Config& config = RulesOf(document).config;
    if (config.Excludes(document.File().path)) return;
    if (!arguments.contains("rule")) {
        check::FixModule(module, config, workspace, window);
        return;
    }
    for (const check::Finding& f : check::CheckModule(module, config))
        if (f.line == fileLine && check::RuleName(f.rule) == Utf8(arguments["rule"])) {
            check::FixFinding(module, config, workspace, window, f);
            return;
        }
}

// Writes what the insert staged (a revision log, its project) all or nothing;
// when it cannot, the command fails, so that the module is not edited either.
void WriteBesidesTheModule(host::Project* project, const platform::DiskFiles& disk, platform::StagedFiles& files) {
    if (project != nullptr && project->Changed()) files.Write(project->FileName(), project->Text());
    std::string problems;
    std::vector<platform::PreparedWrite> prepared;
    const platform::WriteChecks checks{
        [&](const std::string& path, const std::string& nowAt) {
            if (!disk.ChangedSinceRead(path, nowAt)) return false;
            problems += path + " was changed by another program; nothing was written, run the command again. ";
            return true;
        },
        [&](const std::function<void()>& step) {
            const std::optional<ide::Failure> failure = ide::Failed(step);
            if (failure) problems += failure->reason + " ";
            return !failure;
        },
        {}};
    if (!platform::WriteAllOrNothing(prepared, files, checks))
        throw ResponseError(kRequestFailed, problems.substr(0, problems.size() - 1));
}

QJsonObject CommandAction(const std::string& title, const char* kind, QJsonObject arguments, const std::string& uri) {
    const QString t = QString::fromStdString("Quillmark: " + title);
    arguments["uri"] = QString::fromStdString(uri);
    return {{"title", t},
            {"kind", kind},
            {"command", QJsonObject{{"title", t}, {"command", kInsertCommand}, {"arguments", QJsonArray{arguments}}}}};
}

}  // namespace

QJsonArray CodeActions(const std::string& uri, long line, const QJsonArray& diagnostics) {
    QJsonArray result;
    for (const QJsonValue& d : diagnostics) {
        const std::optional<check::Rule> rule = check::ParseRule(Utf8(d["code"]));
        if (d["source"] != "quillmark" || !rule || !check::Fixable(*rule)) continue;
        const std::string procedure = Utf8(d["data"]["procedure"]);
        QJsonObject action = CommandAction(
            "fix " + check::RuleName(*rule) + " in " + (procedure.empty() ? "this module" : procedure), "quickfix",
            {{"insert", "fix"}, {"rule", d["code"]}, {"line", d["range"]["start"]["line"]}}, uri);
        action["diagnostics"] = QJsonArray{d};
        result.append(action);
    }
    result.append(CommandAction("fix all in this module", "source.fixAll", {{"insert", "fix"}}, uri));
    struct Action {
        std::string title;
        QJsonObject arguments;
    };
    std::vector<Action> actions{
        {"procedure header", {{"insert", "procedure"}}},
        {"procedure header after the declaration", {{"insert", "procedure"}, {"after", true}}},
        {"module header", {{"insert", "module"}}},
        {"comment block", {{"insert", "comment"}}},
        {"revision note", {{"insert", "revision"}}},
    };
    for (int kind = 0; kind < 4; ++kind)
        actions.push_back({"error handler, " + WithoutMnemonic(core::kHandlerCaptions[static_cast<std::size_t>(kind)]),
                           {{"insert", "error"}, {"kind", kind}}});
    actions.push_back({"rights notice", {{"insert", "notice"}}});
    for (Action& action : actions) {
        action.arguments["line"] = qint64{line};
        result.append(CommandAction(action.title, "refactor.rewrite", action.arguments, uri));
    }
    return result;
}

InsertOutcome RunInsert(const Document& document, const QJsonObject& arguments, platform::SettingsStore& stored) {
    const std::string insert = Utf8(arguments["insert"]);
    InsertOutcome outcome;
    outcome.before = document.Module().Text();
    host::SourceModule module(outcome.before);
    const long fileLine = std::clamp(static_cast<long>(arguments["line"].toDouble()) + 1, 1L,
                                     std::max(1L, module.CountOfFileLines()));
    const long codeLine = module.CountOfLines() == 0 ? 1 : module.CodeLineOfFileLine(fileLine);

    // The module comes back as edits; a revision note's log and the project
    // that lists it are written as the command line writes them: their folders
    // locked before the insert reads them, then all or nothing.
    std::vector<platform::FolderLock> locks;
    if (insert == "revision") {
        platform::StagedFiles searched;
        if (const std::unique_ptr<host::Project> found = ProjectOf(document.File().path, searched)) {
            std::vector<std::string> written{found->FileName()};
            ide::Attempt([&] { written.push_back(revisions::RevisionLogPath(*found)); });
            locks = platform::LockFoldersOf(written);
        }
    }
    platform::DiskFiles disk;           // what the insert read, as it was then
    platform::StagedFiles files(disk);  // what it writes besides the module
    const std::unique_ptr<host::Project> project = ProjectOf(document.File().path, files);
    host::Workspace workspace;
    workspace.SetProject(project.get());
    workspace.Open(module, document.File().Name(), codeLine);
    Messages dialogs;
    core::RunSettings settings(stored);
    if (insert == "notice") {
        headers::InsertRightsNotice(module);
    } else {
        core::PlainPenworkCore window(workspace, dialogs, files, settings);
        window.Load();
        if (insert == "fix") {
            Fix(document, module, arguments, fileLine, workspace, window);
        } else {
            Setup(window, insert, arguments);
            window.Insert();
        }
    }
    if (!locks.empty()) WriteBesidesTheModule(project.get(), disk, files);
    outcome.text = module.Text();
    outcome.messages = std::move(dialogs.shown);
    return outcome;
}

}  // namespace lsp
