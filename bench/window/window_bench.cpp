// quillmark_window_bench: the tool window on the 65,000-line module. An Insert
// from the window is timed beside the generator alone, called as the command
// line calls it; the difference is what the window adds (one frame, 16 ms, at
// most). Loading the window is timed too (under 100 ms). Runs offscreen.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QPushButton>

#include "core/penwork_core.h"
#include "host/source_module.h"
#include "host/workspace.h"
#include "platform/files.h"
#include "platform/settings.h"
#include "support/memory_settings.h"
#include "vb_corpus.h"
#include "window/frm_penwork.h"

namespace {

const std::string& BigModuleText() {
    static const std::string text = bench::GenerateModule("Big", 65000, 4242);
    return text;
}

// A line in the middle of the module that lies inside a procedure.
long MiddleProcedureLine(const host::SourceModule& module) {
    for (long line = module.CountOfLines() / 2; line < module.CountOfLines(); ++line) {
        ide::ProcKind kind = ide::vbext_pk_Proc;
        if (!module.ProcOfLine(line, kind).empty()) return line + 1;
    }
    return 1;
}

// The mode's text and targets, set the same way for the window and the generator.
void Prepare(core::PenworkCore& core, int mode) {
    core.SelectHeaderType(mode);
    core.Box(mode == toolwindow::Procedure ? 0 : mode + 3).SetText("Adds the rows and keeps the totals in cents.");
    if (mode == toolwindow::Revision && !core.chkRevision(3)) core.ClickRevision(3, true);
    if (mode == toolwindow::Error) core.SelectHandler(toolwindow::StandardExe);
}

class QuietWindowDialogs : public window::WindowDialogs {
public:
    int MsgBox(const std::string&, int, const std::string&) override { return platform::vbOK; }
};

void BM_GeneratorInsert(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    host::SourceModule module(BigModuleText());
    host::Workspace workspace;
    workspace.Open(module, "Big", MiddleProcedureLine(module));
    bench::QuietDialogs dialogs;
    platform::StagedFiles files;
    platform::MemorySettings settings;
    core::PlainPenworkCore core(workspace, dialogs, files, settings);
    core.Load();
    Prepare(core, mode);
    for (auto _ : state) core.Insert();
}

void BM_WindowInsert(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    host::SourceModule module(BigModuleText());
    host::Workspace workspace;
    workspace.Open(module, "Big", MiddleProcedureLine(module));
    QuietWindowDialogs dialogs;
    platform::StagedFiles files;
    platform::MemorySettings settings;
    window::frmPenwork window(settings, files, dialogs);
    window.SetVBE(workspace);
    window.ShowWindow();
    Prepare(const_cast<core::PenworkCore&>(*window.Core()), mode);
    auto* insert = window.findChild<QPushButton*>("cmdInsertText");
    for (auto _ : state) {
        insert->click();
        QCoreApplication::processEvents();  // what the click leaves for the event loop
    }
}

void BM_WindowLoad(benchmark::State& state) {
    host::SourceModule module(BigModuleText());
    host::Workspace workspace;
    workspace.Open(module, "Big", 1);
    QuietWindowDialogs dialogs;
    platform::StagedFiles files;
    platform::MemorySettings settings;
    for (auto _ : state) {
        window::frmPenwork window(settings, files, dialogs);
        window.SetVBE(workspace);
        window.ShowWindow();
        QCoreApplication::processEvents();
    }
}

void Modes(benchmark::internal::Benchmark* b) {
    b->ArgName("type");
    for (int mode = 0; mode < 5; ++mode) b->Arg(mode);
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_GeneratorInsert)->Apply(Modes);
BENCHMARK(BM_WindowInsert)->Apply(Modes);
BENCHMARK(BM_WindowLoad)->Unit(benchmark::kMillisecond);

}  // namespace
