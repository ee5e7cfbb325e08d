// quillmark error FILE:LINE: error handling for the procedure that holds a line.
#include <memory>
#include <optional>

#include "cli/commands.h"

namespace cli {

void AddErrorCommand(CLI::App& app, Context& context) {
    struct State {
        CommonOptions options;
        toolwindow::HandlerKind kind = toolwindow::Custom;
        std::optional<std::string> templateText;
    };
    auto state = std::make_shared<State>();
    CLI::App* command = app.add_subcommand(
        "error", "Insert error handling into the procedure that holds a line");
    command->footer(
        "The On Error line goes directly below the declaration; unless the kind is\n"
        "resume-next, the exit statement, the label and the handler block go directly above\n"
        "the closing statement. Kinds:\n"
        "  custom       your template: --template, or the one stored with\n"
        "               quillmark settings ErrorHandler/Custom @handler.txt;\n"
        "               [ProcName] and [ModuleName] become the names in double quotes\n"
        "  resume-next  On Error Resume Next only\n"
        "  exe          a message box that ends the program on Abort\n"
        "  component    a message box that raises the error again on Abort\n"
        "Example: quillmark error --kind exe Module1.bas:40");
    AddCommonOptions(*command, state->options, "FILE:LINE", Reach::kWrites);
    const std::vector<std::pair<std::string, toolwindow::HandlerKind>> kinds{
        {"custom", toolwindow::Custom},
        {"resume-next", toolwindow::ResumeNext},
        {"exe", toolwindow::StandardExe},
        {"component", toolwindow::ComponentMsgBox},
    };
    command->add_option("--kind", state->kind, "The kind of handler (default: custom)")
        ->type_name("KIND")
        ->transform(OneOf(kinds));
    command->add_option("--template", state->templateText,
                        "The custom template for this run (@PATH reads it from a file)");
    command->callback([&context, state] {
        context.run = [&context, state]() -> int {
            std::optional<std::string> templateText;
            try {
                if (state->templateText) templateText = ReadTextOption(*state->templateText);
            } catch (const platform::FileError& e) {
                PrintMessage(context.err, "", e.what());
                return kFileError;
            }
            RunRules rules;
            rules.needsLine = true;
            rules.needsProject = false;
            Runner runner(state->options, context.settings, context.out, context.err);
            return runner.Run(
                rules,
                [kind = state->kind, templateText](core::PenworkCore& w) {
                    w.SelectHeaderType(toolwindow::Error);
                    w.SelectHandler(kind);
                    // Typed into the template box, which takes typing for the custom kind only.
                    if (templateText && w.AcceptsKey(toolwindow::kHandlerTemplateBox))
                        w.Box(toolwindow::kHandlerTemplateBox).SetText(*templateText);
                },
                [](Session& s) { s.window.Insert(); });
        };
    });
}

}  // namespace cli
