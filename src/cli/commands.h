// The sub-commands. Each adds itself to the application and, when chosen,
// leaves the work to do in `Context::run`.
#pragma once

#include <functional>
#include <iosfwd>

#include <CLI/CLI.hpp>

#include "cli/runner.h"
#include "platform/settings.h"

namespace cli {

struct Context {
    platform::SettingsStore& settings;
    std::ostream& out;
    std::ostream& err;
    std::function<int()> run;  // set by the chosen command
};

/// --diff, --stdout, --project (for the commands that use a project), --encoding
/// and the targets.
void AddCommonOptions(CLI::App& command, CommonOptions& options, const char* targetHelp,
                      bool usesProject = true);
/// --author and --initials: the author for one run, over the stored one.
struct AuthorOptions {
    std::string author;
    std::string initials;
    void AddTo(CLI::App& command);
    void ApplyTo(core::PenworkCore& window) const;
};
/// Checks the common options; prints a message and returns false on a usage error.
bool CheckCommonOptions(const CommonOptions& options, std::ostream& err);

void AddNoticeCommand(CLI::App& app, Context& context);
void AddOutlineCommand(CLI::App& app, Context& context);
void AddSettingsCommand(CLI::App& app, Context& context);
/// procedure, module and comment.
void AddHeaderCommands(CLI::App& app, Context& context);
void AddErrorCommand(CLI::App& app, Context& context);
void AddIndentCommand(CLI::App& app, Context& context);
void AddRevisionCommand(CLI::App& app, Context& context);

}  // namespace cli
