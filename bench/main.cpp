// quillmark_bench [benchmark options]: runs the benchmarks.
// quillmark_bench --write-tree DIR: writes the generated tree of 1,000,000 lines
// (40 modules) into DIR, to time the real quillmark binary on it.
// quillmark_bench --corpus-run [--files N] [--rounds R]: a project-shaped tree
// against awk, per file kind (corpus_run.h).
// quillmark_bench --memory-run [MB]: the peak memory of each whole-module
// command on one large module (corpus_run.h).
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <iostream>

#include "cli/app.h"
#include "corpus_run.h"
#include "platform/files.h"
#include "platform/os.h"
#include "vb_corpus.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-tree") == 0) {
        std::filesystem::create_directories(argv[2]);
        for (int i = 0; i < bench::kTreeModules; ++i) {
            const std::string name = "Module" + std::to_string(i + 1);
            platform::WriteFileAtomic(std::string(argv[2]) + "/" + name + ".bas",
                                      bench::GenerateModule(name, bench::kTreeLinesEach,
                                                            static_cast<std::uint32_t>(1000 + i)));
        }
        std::cout << "wrote " << bench::kTreeModules << " modules of " << bench::kTreeLinesEach
                  << " lines to " << argv[2] << '\n';
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "--corpus-run") == 0) return bench::CorpusRun(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "--memory-run") == 0) return bench::MemoryRun(argc, argv);
    platform::KeepMemoryBetweenAllocations();  // as the quillmark binary does
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
