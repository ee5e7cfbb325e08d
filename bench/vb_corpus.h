// What the benchmarks run on: generated VB modules, and the modules of a real
// codebase when QUILLMARK_CORPUS names its folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "vbgen/module_writer.h"

namespace bench {

using vbgen::GenerateModule;

/// The generated tree: 40 modules of 25,000 lines, 1,000,000 lines in all.
inline constexpr int kTreeModules = 40;
inline constexpr long kTreeLinesEach = 25000;

/// Every module file under $QUILLMARK_CORPUS, sorted; nullopt when it is not set.
std::optional<std::vector<std::string>> CorpusPaths();

/// A dialog port that shows nothing and lets nothing run.
class QuietDialogs : public platform::DialogPort {
public:
    int MsgBox(const std::string&, int, const std::string&) override { return platform::vbOK; }
    void OnTop(bool) override {}
    void SetBusy(bool) override {}
    void DoEvents() override {}
};

}  // namespace bench
