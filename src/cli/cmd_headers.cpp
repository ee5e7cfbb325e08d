// quillmark procedure, module and comment: header blocks and comment blocks.
#include <memory>
#include <optional>

#include "cli/commands.h"

namespace cli {

namespace {

// What the three commands share: the common options, the author for one run,
// and texts that may be given as @PATH.
struct HeaderState {
    CommonOptions options;
    AuthorOptions author;
    std::vector<std::optional<std::string>> texts;  // raw option values, by text box
};

// Reads every @PATH text and fills the tool window for one run in `mode`.
std::function<void(core::PenworkCore&)> Setup(const HeaderState& state, const std::vector<int>& boxes,
                                              toolwindow::HeaderType mode) {
    std::vector<std::optional<std::string>> texts;
    for (const auto& t : state.texts) texts.push_back(t ? std::optional(ReadTextOption(*t)) : std::nullopt);
    return [&state, texts, boxes, mode](core::PenworkCore& w) {
        state.author.ApplyTo(w);
        w.SelectHeaderType(mode);
        for (std::size_t i = 0; i < boxes.size(); ++i)
            if (texts[i]) w.Box(boxes[i]).SetText(*texts[i]);
    };
}

// The window's Insert button, in the mode the setup chose.
void PressInsert(Session& s) { s.window.Insert(); }

// Registers a command whose work is `action`, on targets checked by `rules`.
void AddHeaderCommand(CLI::App& app, Context& context, const char* name, const char* description,
                      const char* footer, const char* targetHelp,
                      const std::vector<std::pair<const char*, const char*>>& textOptions,
                      const std::vector<int>& boxes, toolwindow::HeaderType mode, RunRules rules,
                      std::function<void(CLI::App&, HeaderState&)> extraOptions,
                      std::function<void(Session&)> action) {
    auto state = std::make_shared<HeaderState>();
    state->texts.resize(textOptions.size());
    CLI::App* command = app.add_subcommand(name, description);
    command->footer(footer);
    // A comment block names no author and reads no project.
    AddCommonOptions(*command, state->options, targetHelp, rules.needsProject ? Reach::kWritesInProject : Reach::kWrites);
    if (rules.needsProject) state->author.AddTo(*command);
    for (std::size_t i = 0; i < textOptions.size(); ++i)
        command->add_option(textOptions[i].first, state->texts[i], textOptions[i].second);
    if (extraOptions) extraOptions(*command, *state);
    command->callback([&context, state, boxes, mode, rules, action] {
        context.run = [&context, state, boxes, mode, rules, action]() -> int {
            std::function<void(core::PenworkCore&)> setup;
            try {
                setup = Setup(*state, boxes, mode);
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
        toolwindow::Procedure, lineRules,
        [after](CLI::App& command, HeaderState&) {
            command.add_flag("--after", *after, "Place the header after the declaration");
        },
        [after](Session& s) {
            s.window.SetHeaderBefore(!*after);
            s.window.Insert();
        });

    static const std::string moduleHelp = std::string("The module's description") + kTextHelp;
    RunRules fileRules;
    fileRules.allowsLine = false;
    AddHeaderCommand(
        app, context, "module", "Insert a module header at line 1 of each module",
        "Example: quillmark module Module1.bas --description @about.txt", "Modules (FILE)",
        {{"--description", moduleHelp.c_str()}}, {toolwindow::kModuleDescriptionBox}, toolwindow::Module,
        fileRules, [](CLI::App& command, HeaderState& state) { AddJobsOption(command, state.options); },
        PressInsert);

    static const std::string commentHelp = std::string("The comment") + kTextHelp;
    RunRules commentRules = lineRules;
    commentRules.needsProject = false;
    AddHeaderCommand(
        app, context, "comment", "Insert a comment block before a line",
        "Each line of the text (wrapped at 65 characters) becomes a comment line.\n"
        "Example: quillmark comment Module1.bas:12 --text \"Totals are kept in cents.\"",
        "FILE:LINE", {{"--text", commentHelp.c_str()}}, {toolwindow::kCommentTextBox}, toolwindow::Comment,
        commentRules, [](CLI::App& command, HeaderState&) { command.get_option("--text")->required(); },
        PressInsert);
}

}  // namespace cli
