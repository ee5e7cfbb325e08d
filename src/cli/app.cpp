#include "cli/app.h"

#include <new>
#include <ostream>

#include "cli/commands.h"
#include "platform/encoding.h"

namespace cli {

void AddCommonOptions(CLI::App& command, CommonOptions& options, const char* targetHelp, Reach reach) {
    if (reach != Reach::kReads) {
        auto* diff = command.add_flag("--diff", options.diff,
                                      "Print a unified diff of every file the command would change; write nothing");
        auto* out = command.add_flag("--stdout", options.toStdout, "Print the changed module; write nothing");
        diff->excludes(out);
    }
    if (reach == Reach::kWritesInProject)
        command.add_option("--project", options.project,
                           "The project (.vbp), which must list the module; by default the nearest .vbp "
                           "listing it, in the module's folder or above");
    const CLI::Validator knownEncoding(
        [](const std::string& name) {
            return platform::CanonicalEncoding(name).empty()
                       ? "unknown encoding '" + name + "'; try windows-1252, utf-8 or iso-8859-1"
                       : std::string();
        },
        "");
    command
        .add_option("--encoding", options.encoding,
                    "The module's code page (default windows-1252; a UTF-8 byte order mark means UTF-8)")
        ->type_name("ENCODING")
        ->check(knownEncoding);
    command.add_option("targets", options.targets, targetHelp)->required();
}

void AddJobsOption(CLI::App& command, CommonOptions& options) {
    options.jobs = 0;
    command
        .add_option("--jobs", options.jobs,
                    "Work on N modules at once (default: as many as the machine runs threads; 1: one after "
                    "another); the output and the files written are the same")
        ->type_name("N")
        ->check(CLI::PositiveNumber);
}

void AuthorOptions::AddTo(CLI::App& command) {
    command.add_option("--author", author, "The author's name for this run (default: the stored one)");
    command.add_option("--initials", initials, "The author's initials for this run (default: the stored ones)");
}

void AuthorOptions::ApplyTo(core::PenworkCore& window) const {
    if (!author.empty()) window.SetName(author);
    if (!initials.empty()) window.SetInitials(initials);
}

int Guarded(const std::function<int()>& run, std::ostream& err) {
    std::string what;
    try {
        return run();
    } catch (const std::bad_alloc&) {
        what = "out of memory";
    } catch (const std::exception& e) {
        what = e.what();
    } catch (...) {
        what = "an unknown failure";
    }
    PrintMessage(err, "", "internal error: " + what + "; nothing was written. Please report it.");
    return kInternalError;
}

namespace {

// "unknown command 'x'" with the commands there are, for a first word that names none.
std::string UnknownCommand(const CLI::App& app, const std::string& word) {
    std::string names;
    for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; }))
        names += (names.empty() ? "" : ", ") + command->get_name();
    return "unknown command '" + word + "'; the commands are " + names;
}

}  // namespace

int Run(int argc, const char* const* argv, platform::SettingsStore& settings, std::ostream& out,
        std::ostream& err) {
    CLI::App app{
        "Quillmark writes standard headers, revision notes, comment blocks, a rights notice and\n"
        "error handlers into Visual Basic 6 modules, and re-indents procedures.\n\n"
        "A target is FILE or FILE:LINE, LINE counted as an editor shows it. Files are changed\n"
        "in place, atomically; --diff shows what would change instead.\n"
        "A run writes every file it changes, or none: exit status 0 done, 1 refused, 2 usage\n"
        "error, 3 file error (nothing written); 4 internal error.",
        "quillmark"};
    app.set_version_flag("--version", std::string("quillmark ") + QUILLMARK_VERSION);
    app.require_subcommand(1);
    app.fallthrough(false);

    // The stored settings are read once for the whole run, however many targets.
    platform::SettingsSnapshot stored(settings);
    Context context{stored, out, err, {}, settings};
    AddHeaderCommands(app, context);
    AddErrorCommand(app, context);
    AddRevisionCommand(app, context);
    AddIndentCommand(app, context);
    AddNoticeCommand(app, context);
    AddOutlineCommand(app, context);
    AddCheckCommand(app, context);
    AddLspCommand(app, context);
    AddSettingsCommand(app, context);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();  // the chosen sub-command's help, when there is one
        return 0;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return 0;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << '\n';
        return 0;
    } catch (const CLI::ParseError& e) {
        // A first word that is no command is named as such, whatever CLI11 makes of it.
        if (app.get_subcommands().empty() && argc > 1 && argv[1][0] != '-')
            PrintMessage(err, "", UnknownCommand(app, argv[1]));
        else
            PrintMessage(err, "", e.what());
        err << "Run 'quillmark --help' for the commands, or 'quillmark COMMAND --help' for one.\n";
        return kUsage;
    }
    if (!context.run) return kUsage;
    for (const char* store : {platform::settings::kToolWindowApp, platform::settings::kConnectionApp})
        if (const std::string problem = stored.ReadProblem(store); !problem.empty()) PrintMessage(err, "", problem);
    return Guarded(context.run, err);
}

}  // namespace cli
