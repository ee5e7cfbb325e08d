// quillmark outline FILE...: the procedures of each module as the host sees them.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <memory>
#include <ostream>

#include "cli/commands.h"

namespace cli {

namespace {

const char* LineEndName(const std::string& end) {
    if (end == "\r\n") return "CRLF";
    if (end == "\n") return "LF";
    return "CR";
}

// A procedure part in the file's own numbering, as FILE:LINE counts: the
// hidden lines (the file header, attribute lines) inside its range count too.
struct FileRange {
    long start = 0;
    long count = 0;
    long declaration = 0;
};

// The file line where code line `line` ends: the line before the next code
// line's, or the file's last line.
long LastFileLineOf(const host::SourceModule& m, long line) {
    if (line < m.CountOfLines()) return m.FileLineOfCodeLine(line + 1) - 1;
    return m.CountOfFileLines();
}

FileRange InFile(const host::SourceModule& m, const host::ProcInfo& p) {
    const long start = m.FileLineOfCodeLine(p.startLine);
    return {start, LastFileLineOf(m, p.startLine + p.countLines - 1) - start + 1, m.FileLineOfCodeLine(p.bodyLine)};
}

// The declarations section in file lines: from line 1 (the hidden header
// included) to where the first procedure's range begins; the whole file when
// there is no code at all.
long DeclarationFileLines(const host::SourceModule& m) {
    if (m.CountOfLines() == 0) return m.CountOfFileLines();
    const long code = m.CountOfDeclarationLines();
    return code == 0 ? m.FileLineOfCodeLine(1) - 1 : LastFileLineOf(m, code);
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

void PrintText(const Session& s) {
    const host::SourceModule& m = s.file.module;
    s.out << s.target.file << '\t' << m.Name() << '\t' << s.file.encoding << '\t'
          << LineEndName(m.LineEnd()) << '\t' << DeclarationFileLines(m) << '\n';
    for (const host::ProcInfo& p : m.Procedures()) {
        const FileRange r = InFile(m, p);
        s.out << p.keyword << '\t' << p.name << '\t' << r.start << '\t' << r.count << '\t' << r.declaration
              << '\n';
    }
}

QJsonObject AsJson(const Session& s) {
    const host::SourceModule& m = s.file.module;
    QJsonArray procedures;
    for (const host::ProcInfo& p : m.Procedures()) {
        const FileRange r = InFile(m, p);
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
        {"declarationLines", static_cast<qint64>(DeclarationFileLines(m))},
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
    command->callback([&context, state] {
        context.run = [&context, state] {
            Runner runner(state->options, context.settings, context.out, context.err);
            RunRules rules;
            rules.allowsLine = false;
            rules.needsProject = false;
            rules.writes = false;
            QJsonArray modules;
            const int status = runner.Run(rules, nullptr, [&modules, &state](Session& s) {
                if (state->json) {
                    modules.append(AsJson(s));
                } else {
                    PrintText(s);
                }
            });
            if (state->json) context.out << QJsonDocument(modules).toJson(QJsonDocument::Indented).toStdString();
            return status;
        };
    });
}

}  // namespace cli
