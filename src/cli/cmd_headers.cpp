// quillmark procedure, module and comment: header blocks and comment blocks.
#include <memory>
#include <optional>

#include "cli/commands.h"
#include "headers/comment_block.h"
#include "headers/header_text.h"
#include "headers/proc_header.h"

namespace cli {

namespace {

// What the three commands share: the common options, the author for one run,
// and texts that may be given as @PATH.
struct HeaderState {
    CommonOptions options;
    AuthorOptions author;
    std::vector<std::optional<std::string>> texts;  // raw option values, by text box
};

// Reads every @PATH text and fills the tool window for one run.
std::function<void(toolwindow::PlainPenwork&)> Setup(const HeaderState& state,
                                                     const std::vector<int>& boxes) {
    std::vector<std::optional<std::string>> texts;
    for (const auto& t : state.texts) texts.push_back(t ? std::optional(ReadTextOption(*t)) : std::nullopt);
    return [&state, texts, boxes](toolwindow::PlainPenwork& w) {
        state.author.ApplyTo(w);
        for (std::size_t i = 0; i < boxes.size(); ++i)
            if (texts[i]) w.boxes[boxes[i]].SetText(*texts[i]);
    };
}

// Registers a command whose work is `action`, on targets checked by `rules`.
void AddHeaderCommand(CLI::App& app, Context& context, const char* name, const char* description,
                      const char* footer, const char* targetHelp,
                      const std::vector<std::pair<const char*, const char*>>& textOptions,
                      const std::vector<int>& boxes, RunRules rules,
                      std::function<void(CLI::App&, HeaderState&)> extraOptions,
                      std::function<void(Session&)> action) {
    auto state = std::make_shared<HeaderState>();
    state->texts.resize(textOptions.size());
    CLI::App* command = app.add_subcommand(name, description);
    command->footer(footer);
    // A comment block names no author and reads no project.
    AddCommonOptions(*command, state->options, targetHelp, rules.needsProject);
    if (rules.needsProject) state->author.AddTo(*command);
    for (std::size_t i = 0; i < textOptions.size(); ++i)
        command->add_option(textOptions[i].first, state->texts[i], textOptions[i].second);
    if (extraOptions) extraOptions(*command, *state);
    command->callback([&context, state, boxes, rules, action] {
        context.run = [&context, state, boxes, rules, action]() -> int {
            if (!CheckCommonOptions(state->options, context.err)) return kUsage;
            std::function<void(toolwindow::PlainPenwork&)> setup;
            try {
                setup = Setup(*state, boxes);
            } catch (const platform::FileError& e) {
                PrintMessage(context.err, "", e.what());
                return kFileError;
            }
            Runner runner(state->options, context.settings, context.out, context.err);
            return runner.Run(rules, setup, action);
        };
    });
}

constexpr char kTextHelp[] = " (line breaks allowed; @PATH reads it from a file)";

}  // namespace

void AddHeaderCommands(CLI::App& app, Context& context) {
    RunRules lineRules;
    lineRules.needsLine = true;

    static const std::string descriptionHelp = std::string("Description section") + kTextHelp;
    static const std::string inputsHelp = std::string("Inputs section") + kTextHelp;
    static const std::string assumptionsHelp = std::string("Assumptions section") + kTextHelp;
    static const std::string resultsHelp = std::string("Results section") + kTextHelp;
    auto after = std::make_shared<bool>(false);
    AddHeaderCommand(
        app, context, "procedure", "Insert a procedure header for the procedure that holds a line",
        "The header goes before the declaration of the procedure, or property part, holding\n"
        "LINE; with --after, right after the declaration (after its last continued line).\n"
        "Example: quillmark procedure Module1.bas:40 --description \"Adds the rows of the grid.\"",
        "FILE:LINE",
        {{"--description", descriptionHelp.c_str()}, {"--inputs", inputsHelp.c_str()},
         {"--assumptions", assumptionsHelp.c_str()}, {"--results", resultsHelp.c_str()}},
        {toolwindow::Description, toolwindow::Inputs, toolwindow::Assumptions, toolwindow::Results},
        lineRules,
        [after](CLI::App& command, HeaderState&) {
            command.add_flag("--after", *after, "Place the header after the declaration");
        },
        [after](Session& s) {
            s.window.headerBefore = !*after;
            headers::InsertProcHeader(s.window, s.file.module, s.codeLine);
        });

    static const std::string moduleHelp = std::string("The module's description") + kTextHelp;
    RunRules fileRules;
    fileRules.allowsLine = false;
    AddHeaderCommand(
        app, context, "module", "Insert a module header at line 1 of each module",
        "Example: quillmark module Module1.bas --description @about.txt", "Modules (FILE)",
        {{"--description", moduleHelp.c_str()}}, {toolwindow::kModuleDescriptionBox}, fileRules, nullptr,
        [](Session& s) {
            const std::string text = headers::ModuleHeader(
                s.window, headers::sModuleName(s.window), s.window.txtHeader(toolwindow::kModuleDescriptionBox));
            s.file.module.InsertLines(1, text);
        });

    static const std::string commentHelp = std::string("The comment") + kTextHelp;
    RunRules commentRules = lineRules;
    commentRules.needsProject = false;
    AddHeaderCommand(
        app, context, "comment", "Insert a comment block before a line",
        "Each line of the text (wrapped at 65 characters) becomes a comment line.\n"
        "Example: quillmark comment Module1.bas:12 --text \"Totals are kept in cents.\"",
        "FILE:LINE", {{"--text", commentHelp.c_str()}}, {toolwindow::kCommentTextBox}, commentRules,
        [](CLI::App& command, HeaderState&) { command.get_option("--text")->required(); },
        [](Session& s) {
            headers::InsertCommentBlock(s.file.module, s.codeLine,
                                        s.window.txtHeader(toolwindow::kCommentTextBox));
        });
}

}  // namespace cli
