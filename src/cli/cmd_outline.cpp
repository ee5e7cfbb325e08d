// quillmark outline FILE...: the procedures of each module as the host sees them.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <memory>
#include <optional>
#include <ostream>

#include "cli/commands.h"
#include "host/file_ranges.h"

namespace cli {

namespace {

const char* LineEndName(const std::string& end) {
    if (end == "\r\n") return "CRLF";
    if (end == "\n") return "LF";
    return "CR";
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

void PrintText(const Session& s) {
    const host::SourceModule& m = s.file.module;
    s.out << s.target.file << '\t' << m.Name() << '\t' << s.file.encoding << '\t'
          << LineEndName(m.LineEnd()) << '\t' << host::DeclarationFileLines(m) << '\n';
    for (const host::ProcInfo& p : m.Procedures()) {
        const host::FileRange r = host::FileRangeOf(m, p);
        s.out << p.keyword << '\t' << p.name << '\t' << r.start << '\t' << r.count << '\t' << r.declaration
              << '\n';
    }
}

QJsonObject AsJson(const Session& s) {
    const host::SourceModule& m = s.file.module;
    QJsonArray procedures;
    for (const host::ProcInfo& p : m.Procedures()) {
        const host::FileRange r = host::FileRangeOf(m, p);
        procedures.append(QJsonObject{
            {"kind", Q(p.keyword)},
            {"name", Q(p.name)},
            {"start", static_cast<qint64>(r.start)},
            {"count", static_cast<qint64>(r.count)},
            {"declaration", static_cast<qint64>(r.declaration)},
            {"code", QJsonObject{{"start", static_cast<qint64>(p.startLine)},
                                 {"count", static_cast<qint64>(p.countLines)},
                                 {"declaration", static_cast<qint64>(p.bodyLine)}}},
        });
    }
    return QJsonObject{
        {"file", Q(s.target.file)},
        {"module", Q(m.Name())},
        {"encoding", Q(s.file.encoding)},
        {"lineEnd", LineEndName(m.LineEnd())},
        {"declarationLines", static_cast<qint64>(host::DeclarationFileLines(m))},
        {"codeDeclarationLines", static_cast<qint64>(m.CountOfDeclarationLines())},
        {"procedures", procedures},
    };
}

}  // namespace

void AddOutlineCommand(CLI::App& app, Context& context) {
    struct State {
        CommonOptions options;
        bool json = false;
    };
    auto state = std::make_shared<State>();
    CLI::App* command = app.add_subcommand("outline", "Show each module's procedures as Quillmark sees them");
    command->footer(
        "For each file a line with the file, module name, code page, line end and the last line\n"
        "of the declarations section; then one line per procedure part, tab-separated: kind,\n"
        "name, first line, line count and declaration line. Lines are the file's, as FILE:LINE\n"
        "counts them; --json also gives the code module's numbers (without the hidden file\n"
        "header and attribute lines) under \"code\".\n"
        "Example: quillmark outline --json *.bas *.cls");
    command->add_flag("--json", state->json, "Print the same as JSON");
    AddCommonOptions(*command, state->options, "Modules (FILE)", Reach::kReads);
    AddJobsOption(*command, state->options);
    command->callback([&context, state] {
        context.run = [&context, state] {
            Runner runner(state->options, context.settings, context.out, context.err);
            RunRules rules;
            rules.allowsLine = false;
            rules.needsProject = false;
            rules.writes = false;
            // One place per target, as modules may be outlined at once.
            std::vector<std::optional<QJsonObject>> outlined(state->options.targets.size());
            const int status = runner.Run(rules, nullptr, [&outlined, &state](Session& s) {
                if (state->json) {
                    outlined[s.targetIndex] = AsJson(s);
                } else {
                    PrintText(s);
                }
            });
            QJsonArray modules;
            for (const std::optional<QJsonObject>& module : outlined)
                if (module) modules.append(*module);
            if (state->json) context.out << QJsonDocument(modules).toJson(QJsonDocument::Indented).toStdString();
            return status;
        };
    });
}

}  // namespace cli
