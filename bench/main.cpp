// quillmark_bench [benchmark options]: runs the benchmarks.
// quillmark_bench --write-tree DIR: writes the generated tree of 1,000,000 lines
// (40 modules) into DIR, to time the real quillmark binary on it.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <iostream>

#include "cli/app.h"
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
    platform::KeepMemoryBetweenAllocations();  // as the quillmark binary does
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
