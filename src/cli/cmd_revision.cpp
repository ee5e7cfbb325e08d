// quillmark revision FILE:LINE: a revision note in the code, the procedure
// header, the module and the project's REVISION.TXT.
#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "cli/commands.h"

namespace cli {

namespace {

constexpr char kNoProjectHint[] =
    "; give --project FILE.vbp, or list the module in a .vbp in its folder or a folder above";

// The targets by the names --to takes.
std::vector<std::pair<std::string, revisions::RevisionTarget>> TargetNames() {
    std::vector<std::pair<std::string, revisions::RevisionTarget>> names;
    for (revisions::RevisionTarget target : revisions::kRevisionTargets)
        names.emplace_back(revisions::TargetName(target), target);
    return names;
}

}  // namespace

void AddRevisionCommand(CLI::App& app, Context& context) {
    struct State {
        CommonOptions options;
        AuthorOptions author;
        std::vector<revisions::RevisionTarget> to;
        std::optional<std::string> type, number, text;
        bool after = false;
    };
    auto state = std::make_shared<State>();
    CLI::App* command = app.add_subcommand(
        "revision", "Record a revision in the code, the procedure header, the module and REVISION.TXT");
    command->footer(
        "Targets (--to, comma-separated; default: the stored ones):\n"
        "  procedure  below the procedure's header (--after: a header below its declaration)\n"
        "  module     after the comment lines that open the module\n"
        "  log        appended to the project's REVISION.TXT, which joins the project\n"
        "  code       directly above LINE\n"
        "Type and number default to the stored ones (quillmark settings Revision/Type BUG).\n"
        "Example: quillmark revision Module1.bas:40 --to code,log --type BUG --number 12 \\\n"
        "           --text \"Rounding fixed for negative amounts.\"");
    AddCommonOptions(*command, state->options, "FILE:LINE", Reach::kWritesInProject);
    state->author.AddTo(*command);
    command->add_option("--to", state->to, "Where the revision goes, comma-separated")
        ->type_name("TARGET")
        ->delimiter(',')
        ->transform(OneOf(TargetNames()));
    command->add_option("--type", state->type, "Revision type, e.g. BUG, ALT, NEW");
    command->add_option("--number", state->number, "Revision number");
    command->add_option("--text", state->text,
                        "What changed (line breaks allowed; @PATH reads it from a file)");
    command->add_flag("--after", state->after, "Procedure headers stand below their declarations");
    command->callback([&context, state] {
        context.run = [&context, state]() -> int {
            // Without --to the stored targets apply; with none there is nothing to do.
            std::array<bool, 4> targets{};
            if (state->to.empty()) targets = core::StoredRevisionTargets(context.settings);
            for (revisions::RevisionTarget target : state->to) targets[static_cast<std::size_t>(target)] = true;
            std::string text;
            try {
                if (state->text) text = ReadTextOption(*state->text);
            } catch (const platform::FileError& e) {
                PrintMessage(context.err, "", e.what());
                return kFileError;
            }
            if (std::find(targets.begin(), targets.end(), true) == targets.end()) {
                PrintMessage(context.err, "",
                             "no revision target: give --to procedure,module,log,code (or some of them), "
                             "or store defaults with quillmark settings Revision/Code 1");
                return kUsage;
            }
            RunRules rules;
            rules.needsLine = true;
            Runner runner(state->options, context.settings, context.out, context.err);
            return runner.Run(
                rules,
                [state, targets, text](core::PenworkCore& w) {
                    state->author.ApplyTo(w);
                    w.SelectHeaderType(toolwindow::Revision);
                    if (state->type) w.SetRevType(*state->type);
                    if (state->number) w.SetRevNumber(*state->number);
                    for (int i = 0; i < 4; ++i)
                        if (w.chkRevision(i) != targets[static_cast<std::size_t>(i)])
                            w.ClickRevision(i, targets[static_cast<std::size_t>(i)]);
                    w.SetHeaderBefore(!state->after);
                    w.Box(toolwindow::kRevisionTextBox).SetText(text);
                },
                [](Session& s) {
                    const core::InsertResult result = s.window.Insert();
                    if (!result.revision) return;
                    for (const auto& skip : result.revision->skipped)
                        PrintMessage(s.err, "", revisions::SkipNotice(skip) +
                                                    (s.project == nullptr ? kNoProjectHint : ""));
                });
        };
    });
}

}  // namespace cli
