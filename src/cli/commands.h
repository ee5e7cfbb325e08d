// The sub-commands. Each adds itself to the application and, when chosen,
// leaves the work to do in `Context::run`.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/runner.h"
#include "platform/settings.h"

namespace cli {

struct Context {
    platform::SettingsStore& settings;  // read once for the run
    std::ostream& out;
    std::ostream& err;
    std::function<int()> run;  // set by the chosen command
    /// The user's store itself, for a command that outlives one run and reads
    /// the settings afresh for each of its commands (lsp).
    platform::SettingsStore& live;
};

/// Which of the common options a command takes.
enum class Reach {
    kReads,            // the targets and --encoding
    kWrites,           // and --diff and --stdout
    kWritesInProject,  // and --project
};
/// Adds the common options to a command. Their values are checked as the
/// command line is parsed: a bad one is a usage error.
void AddCommonOptions(CLI::App& command, CommonOptions& options, const char* targetHelp, Reach reach);

/// Adds --jobs, for a command whose modules share nothing they write: their
/// runs go on at once, one per hardware thread unless told otherwise.
void AddJobsOption(CLI::App& command, CommonOptions& options);

/// Checks an option whose values are names, in any letter case: a name it does
/// not know is a usage error that lists the names; a known one is stored as the
/// value it stands for.
template <typename T>
CLI::Validator OneOf(const std::vector<std::pair<std::string, T>>& names) {
    const CLI::IsMember known(names, CLI::ignore_case);  // turns "EXE" into "exe"
    CLI::Validator named = known & CLI::Transformer(names);
    named.description(known.get_description());
    return named;
}

/// --author and --initials: the author for one run, over the stored one.
struct AuthorOptions {
    std::string author;
    std::string initials;
    void AddTo(CLI::App& command);
    void ApplyTo(core::PenworkCore& window) const;
};

void AddCheckCommand(CLI::App& app, Context& context);
void AddNoticeCommand(CLI::App& app, Context& context);
void AddOutlineCommand(CLI::App& app, Context& context);
void AddLspCommand(CLI::App& app, Context& context);
void AddSettingsCommand(CLI::App& app, Context& context);
/// procedure, module and comment.
void AddHeaderCommands(CLI::App& app, Context& context);
void AddErrorCommand(CLI::App& app, Context& context);
void AddIndentCommand(CLI::App& app, Context& context);
void AddRevisionCommand(CLI::App& app, Context& context);

}  // namespace cli
