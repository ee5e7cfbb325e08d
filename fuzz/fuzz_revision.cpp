// A revision note at a random line with random fields, to random targets: the
// module only gains lines, REVISION.TXT only grows, and the project still
// lists every module it listed.
#include "fuzz_support.h"

#include <algorithm>

#include "host/line_scanner.h"
#include "revisions/insert_revision.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    std::optional<host::ModuleFile> file = fuzz::LoadModule(input.Module());
    if (!file) return 0;
    fuzz::Stage stage(*file, input, true);
    const std::string oldLog = input.Text();
    const std::string logPath = "/fuzz/REVISION.TXT";
    if (!oldLog.empty()) stage.files.files[logPath] = oldLog;
    const std::vector<std::string> modules = stage.project->ModulePaths();
    const fuzz::Before before(file->module);

    const revisions::RevisionOutcome outcome = revisions::InsertRevision(stage.window, file->module, stage.line);
    const bool moduleWritten = outcome.Wrote(revisions::ProcedureTarget) ||
                               outcome.Wrote(revisions::ModuleTarget) || outcome.Wrote(revisions::CodeTarget);
    fuzz::CheckCommand(*file, before, !moduleWritten);

    std::string skips;
    for (const auto& skip : outcome.skipped) skips += revisions::SkipNotice(skip) + "\n";
    fuzz::Explain("skipped:\n" + skips + "project:\n" + fuzz::Quoted(stage.files.files[fuzz::kProjectPath]));
    for (const auto& [path, bytes] : stage.files.files) {
        if (path == fuzz::kProjectPath || (path == logPath && bytes == oldLog)) continue;
        // The project may name a log of its own elsewhere.
        fuzz::Require(host::EqualsNoCase(std::string_view(path).substr(path.rfind('/') + 1), "REVISION.TXT"),
                      "a revision writes no file but the log");
        fuzz::Require(outcome.Wrote(revisions::LogTarget), "the log is written only when its target is");
        if (path == logPath && !oldLog.empty())
            fuzz::Require(bytes.size() > oldLog.size() && bytes.compare(0, oldLog.size(), oldLog) == 0,
                          "the log only grows");
    }
    if (stage.project->Changed()) {
        fuzz::MemoryFiles files;
        files.files[fuzz::kProjectPath] = stage.project->Text();
        const host::Project again(fuzz::kProjectPath, files);
        std::vector<std::string> listed = again.ModulePaths();
        fuzz::Require(listed == modules, "the project still lists every module it listed");
    }
    return 0;
}
