// quillmark indent FILE:LINE | --all FILE...: re-indent procedures.
#include <algorithm>
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "headers/proc_header.h"
#include "indent/indent.h"
#include "platform/os.h"

namespace cli {

namespace {

// The blocks holding a line of `moved` (the lines the indenter wrote
// differently, in order), as FILE:LINE: NAME, LINE being the declaration's line
// as an editor shows it.
int ReportChanged(Session& s, const std::vector<long>& moved, const std::vector<Indent::IndentedBlock>& blocks) {
    const host::SourceModule& m = s.file.module;
    int changed = 0;
    for (const Indent::IndentedBlock& b : blocks) {
        const auto first = std::lower_bound(moved.begin(), moved.end(), b.startLine);
        if (first == moved.end() || *first >= b.startLine + b.lineCount) continue;
        ++changed;
        const long decl = b.bodyLine > 0 ? b.bodyLine : b.startLine;
        s.out << s.target.file << ':' << m.FileLineOfCodeLine(decl) << ": " << headers::PartDisplayName(b.procName, b.kind)
              << '\n';
    }
    return changed;
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
                if (state->check && state->all) {
                    // Nothing is written: the indenter runs over a preview, so the
                    // module is not held a second time as it was.
                    Indent::IndentPreview preview(m);
                    const std::vector<Indent::IndentedBlock> blocks = Indent::IndentModule(s.dialogs, preview);
                    s.status = ReportChanged(s, preview.moved, blocks) > 0 ? kRefused : kDone;
                    return;
                }
                std::vector<std::string> before;
                if (state->check)
                    for (long line = 1; line <= m.CountOfLines(); ++line) before.push_back(m.Lines(line, 1));

                std::vector<Indent::IndentedBlock> blocks;
                if (state->all) {
                    blocks = Indent::IndentModule(s.dialogs, m);
                } else {
                    const auto block = s.window.IndentProcedure();
                    if (!block) return;  // refused: the message says why
                    blocks.push_back(*block);
                }
                if (state->check) {
                    std::vector<long> moved;
                    for (long line = 1; line <= m.CountOfLines(); ++line)
                        if (m.Lines(line, 1) != before[static_cast<std::size_t>(line - 1)]) moved.push_back(line);
                    s.status = ReportChanged(s, moved, blocks) > 0 ? kRefused : kDone;
                }
            });
            if (progress) context.err << "\r\033[K" << std::flush;
            return status;
        };
    });
}

}  // namespace cli
