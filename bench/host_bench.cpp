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
#include "vb_corpus.h"

namespace {

const std::string& Generated() {
    static const std::string text = bench::GenerateModule("HostBench", 65000);
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

/// Loading and scanning every module under $QUILLMARK_CORPUS.
void BM_HostCorpus(benchmark::State& state) {
    const auto corpus = bench::CorpusPaths();
    if (!corpus) {
        state.SkipWithError("QUILLMARK_CORPUS names no folder");
        return;
    }
    const std::vector<std::string>& paths = *corpus;
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
                bytes += static_cast<std::int64_t>(file.original.size);
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
