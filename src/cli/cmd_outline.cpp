// quillmark outline FILE...: the procedures of each module as the host sees them.
#include <cstdio>
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

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

void PrintText(const Session& s) {
    const host::SourceModule& m = s.file.module;
    s.out << s.target.file << '\t' << m.Name() << '\t' << s.file.encoding << '\t'
          << LineEndName(m.LineEnd()) << '\t' << m.CountOfDeclarationLines() << '\n';
    for (const host::ProcInfo& p : m.Procedures())
        s.out << p.keyword << '\t' << p.name << '\t' << p.startLine << '\t' << p.countLines << '\t'
              << p.bodyLine << '\n';
}

void PrintJson(const Session& s, bool first) {
    const host::SourceModule& m = s.file.module;
    s.out << (first ? "[\n" : ",\n") << "  {\"file\": " << JsonString(s.target.file)
          << ", \"module\": " << JsonString(m.Name()) << ", \"encoding\": " << JsonString(s.file.encoding)
          << ", \"lineEnd\": " << JsonString(LineEndName(m.LineEnd()))
          << ", \"declarationLines\": " << m.CountOfDeclarationLines() << ", \"procedures\": [";
    bool firstProc = true;
    for (const host::ProcInfo& p : m.Procedures()) {
        s.out << (firstProc ? "\n" : ",\n") << "    {\"kind\": " << JsonString(p.keyword)
              << ", \"name\": " << JsonString(p.name) << ", \"start\": " << p.startLine
              << ", \"count\": " << p.countLines << ", \"declaration\": " << p.bodyLine << "}";
        firstProc = false;
    }
    s.out << (firstProc ? "]}" : "\n  ]}");
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
        "For each file a line with the file, module name, code page, line end and the number of\n"
        "declaration lines; then one line per procedure part, tab-separated: kind, name,\n"
        "first line, line count and declaration line, in the code module's numbering (the\n"
        "hidden file header and attribute lines are not counted).\n"
        "Example: quillmark outline --json *.bas *.cls");
    command->add_flag("--json", state->json, "Print the same as JSON");
    command->add_option("--encoding", state->options.encoding,
                        "The module's code page (default windows-1252; a UTF-8 byte order mark means UTF-8)");
    command->add_option("targets", state->options.targets, "Modules (FILE)")->required();
    command->callback([&context, state] {
        context.run = [&context, state] {
            if (!CheckCommonOptions(state->options, context.err)) return int{kUsage};
            Runner runner(state->options, context.settings, context.out, context.err);
            RunRules rules;
            rules.allowsLine = false;
            rules.needsProject = false;
            rules.writes = false;
            bool first = true;
            const int status = runner.Run(rules, nullptr, [&first, &state](Session& s) {
                if (state->json) {
                    PrintJson(s, first);
                } else {
                    PrintText(s);
                }
                first = false;
            });
            if (state->json) context.out << (first ? "[]\n" : "\n]\n");
            return status;
        };
    });
}

}  // namespace cli
