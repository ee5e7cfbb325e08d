#include "cli/app.h"

#include <malloc.h>

#include <ostream>

#include "cli/commands.h"
#include "platform/encoding.h"

namespace cli {

void AddCommonOptions(CLI::App& command, CommonOptions& options, const char* targetHelp) {
    auto* diff = command.add_flag("--diff", options.diff,
                                  "Print a unified diff of every file the command would change; write nothing");
    auto* out = command.add_flag("--stdout", options.toStdout, "Print the changed module; write nothing");
    diff->excludes(out);
    command.add_option("--project", options.project,
                       "The project (.vbp); by default the .vbp in the module's folder that lists it");
    command.add_option("--encoding", options.encoding,
                       "The module's code page (default windows-1252; a UTF-8 byte order mark means UTF-8)");
    command.add_option("targets", options.targets, targetHelp)->required();
}

void AuthorOptions::AddTo(CLI::App& command) {
    command.add_option("--author", author, "The author's name for this run (default: the stored one)");
    command.add_option("--initials", initials, "The author's initials for this run (default: the stored ones)");
}

void AuthorOptions::ApplyTo(core::PenworkCore& window) const {
    if (!author.empty()) window.SetName(author);
    if (!initials.empty()) window.SetInitials(initials);
}

bool CheckCommonOptions(const CommonOptions& options, std::ostream& err) {
    if (!options.encoding.empty() && platform::CanonicalEncoding(options.encoding).empty()) {
        PrintMessage(err, "", "unknown encoding '" + options.encoding +
                                  "'; try windows-1252, utf-8 or iso-8859-1");
        return false;
    }
    return true;
}

void KeepMemoryBetweenModules() {
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_TOP_PAD, 64 << 20);
}

int Run(int argc, const char* const* argv, platform::SettingsStore& settings, std::ostream& out,
        std::ostream& err) {
    CLI::App app{
        "Quillmark writes standard headers, revision notes, comment blocks, a rights notice and\n"
        "error handlers into Visual Basic 6 modules, and re-indents procedures.\n\n"
        "A target is FILE or FILE:LINE, LINE counted as an editor shows it. Files are changed\n"
        "in place, atomically; --diff shows what would change instead.\n"
        "Exit status: 0 done, 1 refused (nothing written), 2 usage error, 3 file error.",
        "quillmark"};
    app.set_version_flag("--version", std::string("quillmark ") + QUILLMARK_VERSION);
    app.require_subcommand(1);
    app.fallthrough(false);

    Context context{settings, out, err, {}};
    AddHeaderCommands(app, context);
    AddErrorCommand(app, context);
    AddRevisionCommand(app, context);
    AddIndentCommand(app, context);
    AddNoticeCommand(app, context);
    AddOutlineCommand(app, context);
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
        PrintMessage(err, "", e.what());
        err << "Run 'quillmark --help' for the commands, or 'quillmark COMMAND --help' for one.\n";
        return kUsage;
    }
    return context.run ? context.run() : kUsage;
}

}  // namespace cli
