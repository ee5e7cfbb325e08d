// Indenting speed through the host's CodeModule: a whole generated module of
// 65,000 lines, one procedure of it, and (when QUILLMARK_CORPUS names a folder)
// every module file under that folder.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host/module_file.h"
#include "host/source_module.h"
#include "indent/indent.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "vb_corpus.h"

namespace {


const std::string& GeneratedModule() {
    static const std::string text = bench::GenerateModule("Generated", 65000);
    return text;
}

// Indents a fresh copy of `text` in each run, made and dropped while the clock stands.
void IndentFreshCopies(benchmark::State& state, const std::string& text) {
    bench::QuietDialogs dialogs;
    std::optional<host::SourceModule> module;
    for (auto _ : state) {
        state.PauseTiming();
        module.reset();
        module.emplace(text);
        state.ResumeTiming();
        Indent::IndentModule(dialogs, *module);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void BM_IndentModule(benchmark::State& state) {
    const std::string& text = GeneratedModule();
    IndentFreshCopies(state, text);
    state.counters["lines"] = static_cast<double>(host::SourceModule(text).CountOfLines());
}
BENCHMARK(BM_IndentModule)->Unit(benchmark::kMillisecond);

// Inputs that once took quadratic time: one statement continued over 100,000
// lines, one line of 10 MB, and 2,000 nested #If blocks around a procedure. Each should go at about the speed of the
// generated module above.
std::string LongInput(int kind) {
    std::string text = "Attribute VB_Name = \"Long\"\r\n";
    if (kind == 0) {
        text += "Sub A()\r\nx = 1 + _\r\n";
        for (int i = 0; i < 100000; ++i) text += "    1 + _\r\n";
        text += "1\r\nEnd Sub\r\n";
    } else if (kind == 1) {
        text += "Sub A()\r\nx = \"" + std::string(10u << 20, 'a') + "\"\r\nEnd Sub\r\n";
    } else {
        for (int i = 0; i < 2000; ++i) text += "#If A" + std::to_string(i) + " Then\r\n";
        text += "Sub A()\r\nx = 1\r\nEnd Sub\r\n";
        for (int i = 0; i < 2000; ++i) text += "#End If\r\n";
    }
    return text;
}

void IndentLongInput(benchmark::State& state, int kind) { IndentFreshCopies(state, LongInput(kind)); }
BENCHMARK_CAPTURE(IndentLongInput, continued_over_100000_lines, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(IndentLongInput, one_line_of_10_MB, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(IndentLongInput, nested_if_2000_deep, 2)->Unit(benchmark::kMillisecond);

void BM_IndentModuleAlreadyIndented(benchmark::State& state) {
    bench::QuietDialogs dialogs;
    host::SourceModule module(GeneratedModule());
    Indent::IndentModule(dialogs, module);
    const auto bytes = static_cast<std::int64_t>(module.Text().size());
    for (auto _ : state) Indent::IndentModule(dialogs, module);
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_IndentModuleAlreadyIndented)->Unit(benchmark::kMillisecond);

void BM_IndentOneProcedure(benchmark::State& state) {
    bench::QuietDialogs dialogs;
    host::SourceModule module(GeneratedModule());
    const std::vector<host::ProcInfo> procedures = module.Procedures();
    const host::ProcInfo& middle = procedures[procedures.size() / 2];
    const long line = middle.bodyLine + 3;
    for (auto _ : state) {
        ide::ProcKind kind = ide::vbext_pk_Proc;
        const std::string name = module.ProcOfLine(line, kind);
        Indent::IndentProcedure(dialogs, module, name, line);
    }
    state.counters["lines"] = static_cast<double>(middle.countLines);
}
BENCHMARK(BM_IndentOneProcedure)->Unit(benchmark::kMicrosecond);

void BM_IndentCorpus(benchmark::State& state) {
    const auto paths = bench::CorpusPaths();
    if (!paths) {
        state.SkipWithError("QUILLMARK_CORPUS names no folder");
        return;
    }
    platform::DiskFiles files;
    std::vector<std::string> texts;
    std::int64_t bytes = 0;
    for (const std::string& path : *paths) {
        // Loaded once as the command line loads it; each run indents fresh copies.
        try {
            texts.push_back(host::ModuleFile::Load(path, files).module.Text());
        } catch (const std::exception& e) {
            state.SkipWithError((path + ": " + e.what()).c_str());
            return;
        }
        bytes += static_cast<std::int64_t>(texts.back().size());
    }
    bench::QuietDialogs dialogs;
    std::vector<host::SourceModule> modules;
    for (auto _ : state) {
        state.PauseTiming();
        modules.clear();
        for (const std::string& text : texts) modules.emplace_back(text);
        state.ResumeTiming();
        for (host::SourceModule& module : modules) Indent::IndentModule(dialogs, module);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["modules"] = static_cast<double>(texts.size());
}
BENCHMARK(BM_IndentCorpus)->Unit(benchmark::kMillisecond);

}  // namespace

