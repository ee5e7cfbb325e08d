#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <set>

#include "ide/attempt.h"
#include "host/line_scanner.h"
#include "platform/ascii.h"
#include "platform/encoding.h"

namespace fuzz {

Input::Input(const std::uint8_t* data, std::size_t size) {
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = all.find('\0');
    module_ = all.substr(0, nul);
    if (nul != std::string_view::npos) params_ = all.substr(nul + 1);
}

std::uint32_t Input::Number(std::uint32_t limit) {
    std::uint32_t value = 0;
    for (std::uint32_t range = limit; range > 0 && !params_.empty(); range >>= 8) {
        value = (value << 8) | static_cast<unsigned char>(params_.front());
        params_.remove_prefix(1);
    }
    return limit == UINT32_MAX ? value : value % (limit + 1);
}

std::string Input::Text() {
    const std::size_t end = params_.find('\0');
    const std::string_view text = params_.substr(0, end);
    params_ = end == std::string_view::npos ? std::string_view() : params_.substr(end + 1);
    return platform::DecodeText(text, platform::kDefaultEncoding);
}

long Input::Line(long count) {
    // One in sixteen outside the module: 0, or just past its end.
    const std::uint32_t pick = Number(0xFFFF);
    if (pick % 16 == 15) return (pick & 0x100) != 0 ? 0 : count + 1 + static_cast<long>(pick % 3);
    return count <= 0 ? 1 : 1 + static_cast<long>((pick >> 4) % static_cast<std::uint32_t>(count));
}

std::optional<std::string> MemoryFiles::Read(const std::string& path) {
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
}

void MemoryFiles::Write(const std::string& path, const std::string& bytes) { files[path] = bytes; }

int RecordingDialogs::MsgBox(const std::string&, int, const std::string& title) {
    titles.push_back(title);
    return platform::vbOK;
}

namespace {
std::string g_explanation;
}

void Explain(std::string explanation) { g_explanation = std::move(explanation); }

void Require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "fuzz: property violated: %s\n", property);
    if (!g_explanation.empty()) std::fprintf(stderr, "%s\n", g_explanation.c_str());
    std::abort();
}

std::optional<host::ModuleFile> LoadModule(std::string_view bytes, const std::string& encoding, bool forEditing) {
    MemoryFiles files;
    files.files[kModulePath] = std::string(bytes);
    try {
        host::ModuleFile file = host::ModuleFile::Load(kModulePath, files, encoding);
        // A designer block that never ends hides the rest of the file, and so
        // whatever a command adds to it: such a file is read, but not edited.
        if (forEditing && file.module.CountOfLines() == 0 &&
            host::SourceModule(file.module.Text() + "\r\n'").CountOfLines() == 0)
            return std::nullopt;
        return file;
    } catch (const platform::FileError&) {
        return std::nullopt;
    } catch (const platform::EncodingError&) {
        return std::nullopt;
    }
}

std::vector<Part> PartsOf(const host::SourceModule& module) {
    std::vector<Part> parts;
    for (const host::ProcInfo& p : module.Procedures())
        parts.push_back({platform::AsciiLowered(p.name), static_cast<int>(p.kind), p.startLine, p.countLines, p.bodyLine});
    return parts;
}

std::vector<std::pair<std::string, int>> Names(const host::SourceModule& module) {
    std::vector<std::pair<std::string, int>> names;
    for (const host::ProcInfo& p : module.Procedures())
        names.emplace_back(platform::AsciiLowered(p.name), static_cast<int>(p.kind));
    return names;
}

void CheckIndex(const host::SourceModule& module) {
    const long count = module.CountOfLines();
    const std::vector<host::ProcInfo> procs = module.Procedures();
    const long declarations = module.CountOfDeclarationLines();
    Require(declarations >= 0 && declarations <= count, "the declarations section lies within the module");

    // Parts named once can be asked for by name; a name declared twice is
    // answered with one of its parts.
    std::map<std::pair<std::string, int>, int> uses;
    for (const host::ProcInfo& p : procs) ++uses[{platform::AsciiLowered(p.name), static_cast<int>(p.kind)}];

    long next = procs.empty() ? count + 1 : declarations + 1;
    for (const host::ProcInfo& p : procs) {
        Require(p.startLine == next, "each part starts where the one before it ends");
        Require(p.countLines >= 1, "each part holds at least one line");
        Require(p.bodyLine >= p.startLine && p.bodyLine < p.startLine + p.countLines,
                "a part's declaration lies within its range");
        next = p.startLine + p.countLines;
        if (uses[{platform::AsciiLowered(p.name), static_cast<int>(p.kind)}] == 1) {
            Require(module.ProcStartLine(p.name, p.kind) == p.startLine, "ProcStartLine agrees with the index");
            Require(module.ProcCountLines(p.name, p.kind) == p.countLines, "ProcCountLines agrees with the index");
            Require(module.ProcBodyLine(p.name, p.kind) == p.bodyLine, "ProcBodyLine agrees with the index");
        }
    }
    Require(next == count + 1, "the last part runs to the end of the module");

    std::size_t k = 0;
    for (long line = 1; line <= count; ++line) {
        while (k < procs.size() && line >= procs[k].startLine + procs[k].countLines) ++k;
        ide::ProcKind kind = ide::vbext_pk_Proc;
        const std::string name = module.ProcOfLine(line, kind);
        if (k < procs.size() && line >= procs[k].startLine) {
            Require(host::EqualsNoCase(name, procs[k].name) && kind == procs[k].kind,
                    "ProcOfLine names the part whose range holds the line");
        } else {
            Require(name.empty(), "ProcOfLine names no procedure in the declarations section");
        }
    }

    for (long line = 1; line <= count; ++line) {
        const long fileLine = module.FileLineOfCodeLine(line);
        Require(fileLine >= 1 && fileLine <= module.CountOfFileLines(), "a code line maps into the file");
        Require(module.CodeLineOfFileLine(fileLine) == line, "a code line's file line maps back to it");
    }
}

std::optional<std::string> CheckStillLoads(const host::ModuleFile& file, bool sameIndex) {
    std::string bytes;
    try {
        bytes = file.Bytes();
    } catch (const platform::EncodingError&) {
        return std::nullopt;
    }
    std::optional<host::ModuleFile> again = LoadModule(bytes, file.encoding, false);
    Require(again.has_value(), "the saved module loads again");
    Require(again->module.Text() == file.module.Text(), "the saved module loads to the same text");
    if (!sameIndex) return bytes;
    Require(PartsOf(again->module) == PartsOf(file.module), "the edited index equals the reloaded one");
    Require(again->module.CountOfDeclarationLines() == file.module.CountOfDeclarationLines(),
            "the edited declarations section equals the reloaded one");
    return bytes;
}

bool KeepsLines(std::string_view before, std::string_view after) {
    const std::vector<host::RawLine> old = host::SplitFileLines(before);
    const std::vector<host::RawLine> now = host::SplitFileLines(after);
    std::size_t k = 0;
    for (const host::RawLine& line : now)
        if (k < old.size() && line.text == old[k].text) ++k;
    return k == old.size();
}

Stage::Stage(host::ModuleFile& file, long at, const std::string& projectText)
    : line(at), window(workspace, dialogs, files, settings) {
    Open(file, projectText);
}

Stage::Stage(host::ModuleFile& file, Input& input, bool projectFromInput)
    : line(input.Line(file.module.CountOfLines())), window(workspace, dialogs, files, settings) {
    Open(file, projectFromInput ? input.Text() : std::string());
    FillFields(input, window);
}

void Stage::Open(host::ModuleFile& file, const std::string& projectText) {
    files.files[kProjectPath] = projectText.empty() ? "Type=Exe\r\nModule=Module1; Module1.bas\r\n" : projectText;
    project.emplace(kProjectPath, files);
    workspace.SetProject(&*project);
    workspace.Open(file.module, file.Name(), line);
}

void FillFields(Input& input, toolwindow::PlainPenwork& window) {
    window.name = input.Text();
    window.initials = input.Text();
    window.revType = input.Text();
    window.revNumber = input.Text();
    for (toolwindow::PlainTextBox& box : window.boxes) box.SetText(input.Text());
    window.headerBefore = !input.Flag();
    for (bool& target : window.revisionTargets) target = input.Flag();
    window.handlerKind = static_cast<int>(input.Number(3));
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n\"\n\"";
        else if (c == '"' || c == '\\') out += std::string("\\") + c;
        else out += c;
    }
    return out + "\"";
}


void CheckCommand(const host::ModuleFile& file, const Before& before, bool refused, bool mayDeclare) {
    const std::string after = file.module.Text();
    // On a finding, what the command made of what.
    Explain("before:\n" + Quoted(before.text) + "\nafter:\n" + Quoted(after));
    if (refused) Require(after == before.text, "a refused command leaves the bytes identical");
    Require(KeepsLines(before.text, after), "a command that inserts keeps every line it had");
    CheckStillLoads(file, !mayDeclare);
    if (!mayDeclare) Require(Names(file.module) == before.names, "after a command its procedures are still found");
    CheckIndex(file.module);
    Explain("");
}

}  // namespace fuzz
