// quillmark_ide_bench [benchmark options]: the editor's speed goals, measured on
// the real widgets (offscreen unless QT_QPA_PLATFORM says otherwise):
//   BM_ShowProject600      a project of 600 modules and 12 MB shown in its project window (< 1 s)
//   BM_OpenModule65k       a 65,000-line module opened in a code window and drawn (< 300 ms)
//   BM_Keystroke65k        one typed character in it, drawn (< 16 ms)
//   BM_AddInInsert65k      what the editor adds to an add-in's insert of a 20-line
//                          header: the edit recorded, the view told and drawn,
//                          the undo step closed (< one frame, 16 ms)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <filesystem>
#include <memory>

#include "editor/code_window.h"
#include "editor/main_window.h"
#include "editor/module_document.h"
#include "editor/project_view.h"
#include "platform/files.h"
#include "vb_corpus.h"

namespace {

namespace fs = std::filesystem;

struct Silent final : editor::Prompts {
    void Inform(const std::string&, const std::string&) override {}
    bool Ask(const std::string&, const std::string&) override { return false; }
    Answer AskYesNoCancel(const std::string&, const std::string&) override { return Answer::No; }
};

/// Generated files under one temporary folder, made once.
struct Corpus {
    Corpus() {
        folder = fs::temp_directory_path() / ("quillmark-ide-bench-" + std::to_string(QCoreApplication::applicationPid()));
        fs::create_directories(folder / "project");
        std::string vbp = "Type=Exe\r\n";
        for (int i = 0; i < 600; ++i) {
            const std::string name = "Module" + std::to_string(i + 1);
            // 600 modules of about 20 KB: 12 MB in all.
            platform::WriteFileAtomic((folder / "project" / (name + ".bas")).string(),
                                      bench::GenerateModule(name, 520, static_cast<std::uint32_t>(i)));
            vbp += (i % 3 == 0 ? "Class=" + name + "; " + name + ".bas\r\n" : "Module=" + name + "; " + name + ".bas\r\n");
        }
        vbp += "Name=\"Big\"\r\n";
        project = (folder / "project" / "Big.vbp").string();
        platform::WriteFileAtomic(project, vbp);
        big = (folder / "Big.bas").string();
        platform::WriteFileAtomic(big, bench::GenerateModule("Big", 65000));
    }
    ~Corpus() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    fs::path folder;
    std::string project;
    std::string big;
};

Corpus& Files() {
    static Corpus corpus;
    return corpus;
}

std::unique_ptr<editor::MainWindow> NewWindow(Silent& silent) {
    editor::MainWindowOptions options;
    options.pluginFolders = {};
    options.addInListFile = (Files().folder / "vbaddin.ini").string();
    options.prompts = &silent;
    auto window = std::make_unique<editor::MainWindow>(options);
    window->show();
    return window;
}

void Drain() { QApplication::processEvents(); }

void BM_ShowProject600(benchmark::State& state) {
    Files();
    Silent silent;
    for (auto _ : state) {
        auto window = NewWindow(silent);
        window->OpenProject(QString::fromStdString(Files().project));
        window->ProjectTree().repaint();
        Drain();
        benchmark::DoNotOptimize(window->ProjectTree().topLevelItemCount());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ShowProject600)->Unit(benchmark::kMillisecond);

void BM_OpenModule65k(benchmark::State& state) {
    Files();
    Silent silent;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = NewWindow(silent);
        Drain();
        state.ResumeTiming();
        editor::CodeWindow* code = window->OpenModule(QString::fromStdString(Files().big));
        code->View().viewport()->repaint();
        Drain();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenModule65k)->Unit(benchmark::kMillisecond);

/// A window with the 65,000-line module open, the cursor in its middle.
struct Open65k {
    Open65k() : window(NewWindow(silent)) {
        code = window->OpenModule(QString::fromStdString(Files().big));
        code->View().SetCursor({32500, 5});
        Drain();
    }
    Silent silent;
    std::unique_ptr<editor::MainWindow> window;
    editor::CodeWindow* code = nullptr;
};

void BM_Keystroke65k(benchmark::State& state) {
    Files();
    Open65k open;
    editor::CodeView& view = open.code->View();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
        QApplication::sendEvent(&view, &press);
        view.viewport()->repaint();
        Drain();
    }
}
BENCHMARK(BM_Keystroke65k)->Unit(benchmark::kMillisecond);

void BM_AddInInsert65k(benchmark::State& state) {
    Files();
    Open65k open;
    editor::CodeView& view = open.code->View();
    ide::CodeModule& module = open.window->Workspace().ActiveCodePane()->CodeModule();
    std::string header;
    for (int i = 0; i < 20; ++i) header += "' header line " + std::to_string(i) + "\r\n";
    header.resize(header.size() - 2);
    for (auto _ : state) {
        module.InsertLines(32500, header);  // as the generator hands it over
        view.viewport()->repaint();
        open.window->EndCommand();
        Drain();
    }
}
BENCHMARK(BM_AddInInsert65k)->Unit(benchmark::kMillisecond);

}  // namespace
