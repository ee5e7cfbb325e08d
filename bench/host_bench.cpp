// The host's source model under load: scanning a large module, answering
// procedure questions, and editing it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "host/module_file.h"
#include "host/source_module.h"

namespace {

/// Writes realistic VB: procedures of 10 to 40 lines with If, For, Select Case,
/// comments, strings and continued lines, some property parts and #If blocks.
class HostModuleWriter {
public:
    std::string Write(long lineCount) {
        Add("Attribute VB_Name = \"HostBench\"");
        Add("Option Explicit");
        Add("' Generated for the host benchmark.");
        Add("Private Const APP_NAME As String = \"Bench\"");
        Add("#If Win64 Then");
        Add("Private Declare PtrSafe Function GetTickCount Lib \"kernel32\" () As Long");
        Add("#Else");
        Add("Private Declare Function GetTickCount Lib \"kernel32\" () As Long");
        Add("#End If");
        Add("");
        while (lines_ < lineCount) Procedure();
        return text_;
    }

private:
    void Add(const std::string& line) {
        text_ += line;
        text_ += "\r\n";
        ++lines_;
    }
    std::uint32_t Next() {
        seed_ = seed_ * 1103515245u + 12345u;
        return seed_ >> 8;
    }
    int Pick(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }

    void Procedure() {
        const std::string name = "Proc" + std::to_string(++procedures_);
        Add("' " + name + ": does its part of the work.");
        switch (Pick(5)) {
        case 0:
            Add("Public Property Get " + name + "() As Long");
            Body(name, 8);
            Add("End Property");
            break;
        case 1:
            Add("Private Function " + name + "(ByVal lCount As Long, _");
            Add("                  ByVal sText As String) As String");
            Body(name, 10 + Pick(25));
            Add("End Function");
            break;
        default:
            Add("Public Sub " + name + "(ByVal lValue As Long)");
            Body(name, 10 + Pick(30));
            Add("End Sub");
        }
        Add("");
    }

    void Body(const std::string& name, int count) {
        Add("    Dim i As Long, s As String");
        for (int k = 0; k < count; k += 4) {
            switch (Pick(4)) {
            case 0:
                Add("    If lValue > " + std::to_string(k) + " Then");
                Add("        s = \"End Sub \" & APP_NAME ' not the end");
                Add("    Else");
                Add("        s = s & Format$(i, \"0000\")");
                Add("    End If");
                break;
            case 1:
                Add("    For i = 1 To " + std::to_string(k + 3));
                Add("        Debug.Print \"" + name + "\", i, _");
                Add("                    s");
                Add("    Next i");
                break;
            case 2:
                Add("    Select Case i");
                Add("    Case 1: s = \"one\"");
                Add("    Case Else: s = \"many\"");
                Add("    End Select");
                break;
            default:
                Add("    ' A comment about step " + std::to_string(k));
                Add("    s = Trim$(s) & vbCrLf");
                Add("    i = i + 1");
            }
        }
    }

    std::uint32_t seed_ = 4242;
    long lines_ = 0;
    long procedures_ = 0;
    std::string text_;
};

const std::string& Generated() {
    static const std::string text = HostModuleWriter().Write(65000);
    return text;
}

/// Reading a module: splitting, classifying every line and building the index.
void BM_HostScan(benchmark::State& state) {
    const std::string& text = Generated();
    for (auto _ : state) {
        host::SourceModule module(text);
        benchmark::DoNotOptimize(module.CountOfDeclarationLines());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.counters["lines"] = static_cast<double>(host::SourceModule(text).CountOfLines());
}
BENCHMARK(BM_HostScan)->Unit(benchmark::kMillisecond);

/// ProcOfLine, ProcStartLine and ProcCountLines on an unchanged module.
void BM_HostProcQueries(benchmark::State& state) {
    host::SourceModule module(Generated());
    const long count = module.CountOfLines();
    long line = 1;
    for (auto _ : state) {
        ide::ProcKind kind = ide::vbext_pk_Proc;
        const std::string name = module.ProcOfLine(line, kind);
        if (!name.empty()) {
            benchmark::DoNotOptimize(module.ProcStartLine(name, kind));
            benchmark::DoNotOptimize(module.ProcCountLines(name, kind));
        }
        line = line % count + 7919 % count + 1;
        if (line > count) line = 1;
    }
}
BENCHMARK(BM_HostProcQueries)->Unit(benchmark::kMicrosecond);

/// Replacing a line that changes no structure, then asking for its procedure.
void BM_HostReplaceLine(benchmark::State& state) {
    host::SourceModule module(Generated());
    const host::ProcInfo proc = module.Procedures()[module.Procedures().size() / 2];
    const long line = proc.bodyLine + 2;
    const std::string text = module.Lines(line, 1);
    bool indented = false;
    for (auto _ : state) {
        module.ReplaceLine(line, indented ? text : "  " + text);
        indented = !indented;
        ide::ProcKind kind = ide::vbext_pk_Proc;
        benchmark::DoNotOptimize(module.ProcOfLine(line, kind));
    }
}
BENCHMARK(BM_HostReplaceLine)->Unit(benchmark::kMicrosecond);

/// Replacing every line of the module with re-indented text, declarations and
/// End lines included, asking for the procedure of each: what the indenter does.
void BM_HostReplaceEveryLine(benchmark::State& state) {
    host::SourceModule module(Generated());
    const long count = module.CountOfLines();
    std::vector<std::string> texts[2];
    for (long line = 1; line <= count; ++line) {
        std::string text = module.Lines(line, 1);
        texts[0].push_back(text);
        texts[1].push_back(" " + text + " ");
    }
    int round = 0;
    for (auto _ : state) {
        round ^= 1;
        for (long line = 1; line <= count; ++line) {
            module.ReplaceLine(line, texts[round][static_cast<std::size_t>(line - 1)]);
            ide::ProcKind kind = ide::vbext_pk_Proc;
            benchmark::DoNotOptimize(module.ProcOfLine(line, kind));
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Generated().size()));
}
BENCHMARK(BM_HostReplaceEveryLine)->Unit(benchmark::kMillisecond);

/// One insertion into the middle of the module and the next question to the
/// index, then the deletion that undoes it (two edits per iteration).
void BM_HostInsertAndDelete(benchmark::State& state) {
    host::SourceModule module(Generated());
    const long line = module.CountOfLines() / 2;
    for (auto _ : state) {
        ide::ProcKind kind = ide::vbext_pk_Proc;
        module.InsertLines(line, "    On Error GoTo Handler");
        benchmark::DoNotOptimize(module.ProcOfLine(line, kind));
        module.DeleteLines(line, 1);
        benchmark::DoNotOptimize(module.ProcOfLine(line, kind));
    }
}
BENCHMARK(BM_HostInsertAndDelete)->Unit(benchmark::kMicrosecond);

bool IsModulePath(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".bas" || ext == ".cls" || ext == ".frm" || ext == ".ctl" || ext == ".dsr" ||
           ext == ".pag";
}

/// Loading and scanning every module under $QUILLMARK_CORPUS.
void BM_HostCorpus(benchmark::State& state) {
    const char* folder = std::getenv("QUILLMARK_CORPUS");
    if (folder == nullptr || *folder == '\0') {
        state.SkipWithError("QUILLMARK_CORPUS names no folder");
        return;
    }
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && IsModulePath(entry.path())) paths.push_back(entry.path().string());
    platform::DiskFiles files;
    std::int64_t bytes = 0;
    long failed = 0;
    for (auto _ : state) {
        bytes = 0;
        failed = 0;
        for (const std::string& path : paths) {
            try {
                host::ModuleFile file = host::ModuleFile::Load(path, files);
                benchmark::DoNotOptimize(file.module.CountOfDeclarationLines());
                bytes += static_cast<std::int64_t>(file.originalBytes.size());
            } catch (const std::exception&) {
                ++failed;  // binary designer files and the like
            }
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["modules"] = static_cast<double>(paths.size());
    state.counters["unreadable"] = static_cast<double>(failed);
}
BENCHMARK(BM_HostCorpus)->Unit(benchmark::kMillisecond);

}  // namespace
