// The language server on the 65,000-line generated module, message by message
// as an editor sends them: a keystroke (didChange of one character), the
// diagnostics (check's findings) published after it, the code actions at a
// line, one action's command with its edits, a quick fix, and formatting the
// module.
#include <benchmark/benchmark.h>

#include <string>

#include <QJsonDocument>
#include <QJsonObject>

#include "lsp/diagnostics.h"
#include "lsp/server.h"
#include "support/memory_settings.h"
#include "vb_corpus.h"

namespace {

constexpr char kUri[] = "file:///bench/Generated.bas";

struct OpenServer {
    platform::MemorySettings settings;
    std::size_t sent = 0;
    lsp::Server server{settings, [this](const QJsonObject&) { ++sent; }};
    long version = 1;
    OpenServer() {
        Send(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{}}})");
        const QJsonObject open{
            {"jsonrpc", "2.0"},
            {"method", "textDocument/didOpen"},
            {"params", QJsonObject{{"textDocument",
                                    QJsonObject{{"uri", kUri}, {"languageId", "vb"}, {"version", 1},
                                                {"text", QString::fromStdString(bench::GenerateModule("Generated", 65000))}}}}}};
        Send(QJsonDocument(open).toJson(QJsonDocument::Compact).toStdString());
    }
    void Send(const std::string& body) { server.Receive(body); }
    // A change at line/character, the text as a JSON string.
    std::string Change(long line, long character, long end, const char* text) {
        return R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":")" +
               std::string(kUri) + R"(","version":)" + std::to_string(++version) +
               R"(},"contentChanges":[{"range":{"start":{"line":)" + std::to_string(line) + R"(,"character":)" +
               std::to_string(character) + R"(},"end":{"line":)" + std::to_string(line) + R"(,"character":)" +
               std::to_string(end) + R"(}},"text":")" + text + R"("}]}})";
    }
    std::string Request(const char* method, const std::string& params) {
        return R"({"jsonrpc":"2.0","id":2,"method":")" + std::string(method) + R"(","params":)" + params + "}";
    }
};

void BM_LspKeystroke(benchmark::State& state) {
    OpenServer s;
    const std::string type = s.Change(32000, 4, 4, "x"), erase = s.Change(32000, 4, 5, "");
    for (auto _ : state) {
        s.Send(type);
        s.Send(erase);
    }
    state.SetItemsProcessed(state.iterations() * 2);  // keystrokes
}
BENCHMARK(BM_LspKeystroke)->Unit(benchmark::kMicrosecond);

void BM_LspDiagnosticsAfterKeystroke(benchmark::State& state) {
    OpenServer s;
    s.server.SetDiagnostics(lsp::Diagnostics);
    const std::string type = s.Change(32000, 4, 4, "x");
    for (auto _ : state) {
        state.PauseTiming();
        s.Send(type);
        state.ResumeTiming();
        s.server.PublishPending();
    }
}
BENCHMARK(BM_LspDiagnosticsAfterKeystroke)->Unit(benchmark::kMillisecond);

void BM_LspCodeActions(benchmark::State& state) {
    OpenServer s;
    const std::string request = s.Request(
        "textDocument/codeAction",
        std::string(R"({"textDocument":{"uri":")") + kUri +
            R"("},"range":{"start":{"line":32000,"character":0},"end":{"line":32000,"character":0}},"context":{"diagnostics":[]}})");
    for (auto _ : state) s.Send(request);
}
BENCHMARK(BM_LspCodeActions)->Unit(benchmark::kMillisecond);

void BM_LspProcedureHeaderCommand(benchmark::State& state) {
    OpenServer s;
    const std::string request = s.Request(
        "workspace/executeCommand",
        std::string(R"({"command":"quillmark.insert","arguments":[{"uri":")") + kUri +
            R"(","line":32000,"insert":"procedure"}]})");
    for (auto _ : state) s.Send(request);  // the document stays as it is: the client applies nothing
}
BENCHMARK(BM_LspProcedureHeaderCommand)->Unit(benchmark::kMillisecond);

void BM_LspQuickFix(benchmark::State& state) {
    OpenServer s;
    // The first procedure without a header from the middle of the module on.
    long line = 0;
    for (const QJsonValue& d : lsp::Diagnostics(*s.server.Find(kUri), lsp::PositionEncoding::kUtf16))
        if (d["code"] == "procedure-header" && (line = d["range"]["start"]["line"].toInt()) >= 32000) break;
    const std::string request = s.Request(
        "workspace/executeCommand",
        std::string(R"({"command":"quillmark.insert","arguments":[{"uri":")") + kUri + R"(","line":)" +
            std::to_string(line) + R"(,"insert":"fix","rule":"procedure-header"}]})");
    const std::size_t before = s.sent;
    for (auto _ : state) s.Send(request);  // the document stays as it is: the client applies nothing
    if (s.sent - before < 2 * static_cast<std::size_t>(state.iterations())) state.SkipWithError("the quick fix wrote nothing");
}
BENCHMARK(BM_LspQuickFix)->Unit(benchmark::kMillisecond);

void BM_LspFormatting(benchmark::State& state) {
    OpenServer s;
    const std::string request =
        s.Request("textDocument/formatting", std::string(R"({"textDocument":{"uri":")") + kUri + R"("}})");
    for (auto _ : state) s.Send(request);
}
BENCHMARK(BM_LspFormatting)->Unit(benchmark::kMillisecond);

}  // namespace
