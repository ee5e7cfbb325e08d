// The language server under random edits and random requests, as an editor
// sends them: after every change the server's text equals the editor's, every
// request is answered (with a result or an error), and nothing brings it down.
#include "fuzz_support.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "lsp/client.h"
#include "platform/encoding.h"

namespace {

constexpr char kUri[] = "file:///fuzz/Module1.bas";

QJsonObject Position(fuzz::Input& input, long lines) {
    // Lines from 0 to one past the end; the protocol has no negative numbers.
    return {{"line", qint64{std::max(input.Line(lines + 1) - 1, 0L)}}, {"character", qint64{input.Number(90)}}};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::string text = platform::DecodeText(input.Module(), platform::kDefaultEncoding);
    platform::MemorySettings settings;
    lsptest::Client client(settings);
    client.Start();
    client.Open(kUri, text);
    static const char* const kMethods[] = {"textDocument/documentSymbol", "textDocument/formatting",
                                           "textDocument/rangeFormatting", "textDocument/codeAction", "no/such"};
    for (int step = input.Number(12); step > 0; --step) {
        const long lines = client.server.Find(kUri)->Module().CountOfFileLines();
        if (input.Number(3) > 0) {
            QJsonObject start = Position(input, lines), end = Position(input, lines);
            if (end["line"].toInt() < start["line"].toInt()) std::swap(start, end);
            if (end["line"] == start["line"] && end["character"].toInt() < start["character"].toInt())
                end["character"] = start["character"];
            const std::string before = client.Text(kUri), typed = input.Text();
            client.Change(kUri, start["line"].toInt(), start["character"].toInt(), end["line"].toInt(),
                          end["character"].toInt(), typed);
            fuzz::Explain(QJsonDocument(QJsonObject{{"start", start}, {"end", end}}).toJson().toStdString() + " typed " +
                          fuzz::Quoted(typed) + " into " + fuzz::Quoted(before) + "\nthe editor holds " + fuzz::Quoted(client.Text(kUri)) + "\nthe server " +
                          fuzz::Quoted(client.server.Find(kUri)->Module().Text()));
            fuzz::Require(client.server.Find(kUri)->Module().Text() == client.Text(kUri),
                          "the server's text is the editor's after every change");
            continue;
        }
        const char* method = kMethods[input.Number(4)];
        const QJsonObject params{
            {"textDocument", QJsonObject{{"uri", input.Flag() ? "file:///elsewhere.bas" : kUri}}},
            {"range", QJsonObject{{"start", Position(input, lines)}, {"end", Position(input, lines)}}}};
        const QJsonObject answer = client.Request(method, params);
        fuzz::Require(answer.contains("result") != answer.contains("error"), "every request gets one answer");
        if (std::string(method) == "textDocument/codeAction" && answer.contains("result")) {
            const QJsonArray actions = answer["result"].toArray();
            const QJsonObject command = actions[input.Number(static_cast<std::uint32_t>(actions.size() - 1))]["command"].toObject();
            client.Request("workspace/executeCommand", {{"command", command["command"]}, {"arguments", command["arguments"]}});
            client.ApplyRequestedEdits();
            fuzz::Require(client.server.Find(kUri)->Module().Text() == client.Text(kUri),
                          "the server's text is the editor's after an action's edits");
        }
    }
    // Bytes that are no message at all.
    client.server.Receive(std::string(input.Module().substr(0, 64)));
    return 0;
}
