// Whole commands as a user runs them: reading, changing and writing module
// files. A generated tree of 1,000,000 lines in 40 modules, and one module of
// 65,000 lines (the most VB takes in one module).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_run.h"
#include "host/module_file.h"
#include "platform/files.h"
#include "vb_corpus.h"

namespace {

namespace fs = std::filesystem;

// A folder of modules, and their text, to put back between runs.
struct Tree {
    fs::path folder;
    std::vector<std::string> paths;
    std::vector<std::string> texts;
    std::int64_t bytes = 0;

    Tree(const std::string& name, int modules, long linesEach) {
        folder = fs::temp_directory_path() / ("quillmark-bench-" + name);
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (int i = 0; i < modules; ++i) {
            const std::string module = "Module" + std::to_string(i + 1);
            paths.push_back((folder / (module + ".bas")).string());
            texts.push_back(bench::GenerateModule(module, linesEach, static_cast<std::uint32_t>(1000 + i)));
            bytes += static_cast<std::int64_t>(texts.back().size());
        }
        Restore();
    }
    ~Tree() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    void Restore() const {
        for (std::size_t i = 0; i < paths.size(); ++i) platform::WriteFileAtomic(paths[i], texts[i]);
    }
};

using bench::RunQuillmark;

const Tree& MillionLines() {
    static const Tree tree("tree", bench::kTreeModules, bench::kTreeLinesEach);
    return tree;
}

const Tree& OneLargeModule() {
    static const Tree tree("module", 1, 65000);
    return tree;
}

/// quillmark outline over 1,000,000 lines.
void BM_OutlineTree(benchmark::State& state) {
    const Tree& tree = MillionLines();
    std::vector<std::string> args{"outline"};
    args.insert(args.end(), tree.paths.begin(), tree.paths.end());
    for (auto _ : state) benchmark::DoNotOptimize(RunQuillmark(args));
    state.SetBytesProcessed(state.iterations() * tree.bytes);
}
BENCHMARK(BM_OutlineTree)->Unit(benchmark::kMillisecond);

/// A project of 1,000 modules of 1,000 lines.
const Tree& ThousandModules() {
    static const Tree tree("project", 1000, 1000);
    return tree;
}

/// Reading and checking a project: quillmark check (procedure headers, error
/// handlers, indentation) against the indenter's own --check on the same files.
void CheckProject(benchmark::State& state, std::vector<std::string> args) {
    const Tree& tree = ThousandModules();
    args.push_back(tree.folder.string());
    if (args.front() == "indent") {
        args.pop_back();
        args.insert(args.end(), tree.paths.begin(), tree.paths.end());
    }
    for (auto _ : state) benchmark::DoNotOptimize(RunQuillmark(args));
    state.SetBytesProcessed(state.iterations() * tree.bytes);
}
BENCHMARK_CAPTURE(CheckProject, check, std::vector<std::string>{"check"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CheckProject, indent_check, std::vector<std::string>{"indent", "--all", "--check"})
    ->Unit(benchmark::kMillisecond);

/// Runs `quillmark ARGS... TARGETS...` on the tree as generated, each time;
/// the targets are the tree's modules unless given.
void RunOnFreshTree(benchmark::State& state, const Tree& tree, std::vector<std::string> args,
                    const std::vector<std::string>& targets = {}) {
    const std::vector<std::string>& files = targets.empty() ? tree.paths : targets;
    args.insert(args.end(), files.begin(), files.end());
    for (auto _ : state) {
        state.PauseTiming();
        tree.Restore();
        state.ResumeTiming();
        benchmark::DoNotOptimize(RunQuillmark(args));
    }
    state.SetBytesProcessed(state.iterations() * tree.bytes);
}

/// quillmark indent --all over 1,000,000 lines: read, indent, write.
void BM_IndentAllTree(benchmark::State& state) { RunOnFreshTree(state, MillionLines(), {"indent", "--all"}); }
BENCHMARK(BM_IndentAllTree)->Unit(benchmark::kMillisecond);

/// quillmark indent --all on one module of 65,000 lines.
void BM_IndentAllModule(benchmark::State& state) { RunOnFreshTree(state, OneLargeModule(), {"indent", "--all"}); }
BENCHMARK(BM_IndentAllModule)->Unit(benchmark::kMillisecond);

/// What any command on the 65,000-line module costs at least: loading it,
/// encoding it back and writing it atomically.
void BM_ReadAndWriteModule(benchmark::State& state) {
    const Tree& tree = OneLargeModule();
    platform::DiskFiles files;
    for (auto _ : state) {
        host::ModuleFile file = host::ModuleFile::Load(tree.paths[0], files);
        platform::WriteFileAtomic(tree.paths[0], file.Bytes());
    }
}
BENCHMARK(BM_ReadAndWriteModule)->Unit(benchmark::kMillisecond);

/// Single-procedure commands on the 65,000-line module, each run on the file
/// as generated; compare with BM_ReadAndWriteModule.
void RunOnMiddleProcedure(benchmark::State& state, std::vector<std::string> args) {
    const Tree& tree = OneLargeModule();
    RunOnFreshTree(state, tree, std::move(args), {tree.paths[0] + ":32500"});
}
BENCHMARK_CAPTURE(RunOnMiddleProcedure, indent, std::vector<std::string>{"indent"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunOnMiddleProcedure, procedure, std::vector<std::string>{"procedure", "--description", "x"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunOnMiddleProcedure, error, std::vector<std::string>{"error", "--kind", "exe"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
