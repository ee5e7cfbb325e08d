// quillmark indent FILE:LINE | --all FILE...: re-indent procedures.
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "headers/proc_header.h"
#include "indent/indent.h"
#include "platform/os.h"

namespace cli {

namespace {

// Lists a block the indenter would change as FILE:LINE: NAME, LINE being the
// declaration's line as an editor shows it.
void ReportChanged(Session& s, const Indent::IndentedBlock& b) {
    const long decl = b.bodyLine > 0 ? b.bodyLine : b.startLine;
    s.out << s.target.file << ':' << s.file.module.FileLineOfCodeLine(decl) << ": "
          << headers::PartDisplayName(b.procName, b.kind) << '\n';
    s.status = kRefused;
}

}  // namespace

void AddIndentCommand(CLI::App& app, Context& context) {
    struct State {
        CommonOptions options;
        bool all = false;
        bool check = false;
    };
    auto state = std::make_shared<State>();
    CLI::App* command = app.add_subcommand("indent", "Re-indent procedures");
    command->footer(
        "quillmark indent FILE:LINE        the procedure, or property part, that holds LINE\n"
        "quillmark indent --all FILE...    every procedure of every module; the declarations\n"
        "                                  section stays as it stands\n"
        "Each block steps in by three blanks; comments, blank lines and Dim go to column 1;\n"
        "declaration lines keep their place.\n"
        "--check writes nothing and prints FILE:LINE: NAME for each procedure that would\n"
        "change; its status is 1 when any would, so it can guard a CI pipeline:\n"
        "  quillmark indent --all --check src/*.bas src/*.cls");
    AddCommonOptions(*command, state->options, "FILE:LINE, or FILE... with --all", Reach::kWrites);
    AddJobsOption(*command, state->options);
    command->add_flag("--all", state->all, "Every procedure of each module");
    command->add_flag("--check", state->check, "Write nothing; list what would change (status 1 if anything)")
        ->excludes("--diff")
        ->excludes("--stdout");
    command->callback([&context, state] {
        context.run = [&context, state]() -> int {
            RunRules rules;
            rules.needsProject = false;
            rules.writes = !state->check;  // --check reads and reports, and takes no lock
            rules.needsLine = !state->all;
            rules.allowsLine = !state->all;
            rules.withoutLine = ", or give --all to indent every procedure of the module";
            const bool progress = state->all && &context.err == &std::cerr && platform::IsTerminal(stderr) &&
                                  state->options.targets.size() > 1;
            Runner runner(state->options, context.settings, context.out, context.err);
            const int status = runner.Run(rules, nullptr, [state, progress](Session& s) {
                if (progress)
                    s.err << "\rquillmark: indenting " << s.targetIndex + 1 << "/" << s.targetCount << ' '
                          << s.target.file << "\033[K" << std::flush;
                host::SourceModule& m = s.file.module;
                if (state->all && state->check) {
                    // Nothing is changed: the indenter runs on a preview of the module.
                    s.status = kDone;
                    for (const Indent::PreviewedBlock& p : Indent::PreviewModule(s.dialogs, m, [&m](long line) { return m.LineText(line); }))
                        if (p.firstMoved > 0) ReportChanged(s, p.block);
                } else if (state->all) {
                    Indent::IndentModule(s.dialogs, m);
                } else {
                    // The block is indented; with --check the run then writes nothing.
                    const std::string before = state->check ? m.Text() : std::string();
                    const auto block = s.window.IndentProcedure();
                    if (!block || !state->check) return;  // refused: the message says why
                    s.status = kDone;
                    if (m.Text() != before) ReportChanged(s, *block);
                }
            });
            if (progress) context.err << "\r\033[K" << std::flush;
            return status;
        };
    });
}

}  // namespace cli
