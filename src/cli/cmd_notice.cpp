// quillmark notice FILE...: the rights notice at the top of each module.
#include <memory>

#include "cli/commands.h"
#include "headers/comment_block.h"

namespace cli {

void AddNoticeCommand(CLI::App& app, Context& context) {
    auto options = std::make_shared<CommonOptions>();
    CLI::App* command = app.add_subcommand(
        "notice", "Insert the proprietary-rights notice at line 1 of each module");
    command->footer(
        "The notice is inserted in full every time; the \"\xC2\xA9\" is stored in the module's code page.\n"
        "Example: quillmark notice --diff Module1.bas");
    AddCommonOptions(*command, *options, "Modules (FILE)", Reach::kWrites);
    AddJobsOption(*command, *options);
    command->callback([&context, options] {
        context.run = [&context, options] {
            Runner runner(*options, context.settings, context.out, context.err);
            RunRules rules;
            rules.allowsLine = false;
            rules.needsProject = false;
            return runner.Run(rules, nullptr,
                              [](Session& s) { headers::InsertRightsNotice(s.file.module); });
        };
    });
}

}  // namespace cli
