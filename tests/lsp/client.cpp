#include "client.h"

#include <algorithm>

#include <QJsonDocument>

namespace lsptest {

namespace {

// The index in `text` of a protocol position; past a line's end, its end.
qsizetype IndexOf(const QString& text, const QJsonValue& position) {
    long line = position["line"].toInt();
    qsizetype i = 0;
    for (; line > 0 && i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) --line;
    }
    qsizetype end = i;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    return std::min(end, i + position["character"].toInt());
}

}  // namespace

Client::Client(platform::SettingsStore& settings)
    : server(settings, [this](const QJsonObject& m) { sent.push_back(m); }) {}

QJsonObject Client::Request(const std::string& method, const QJsonObject& params) {
    const qint64 id = nextId_++;
    const QJsonObject message{{"jsonrpc", "2.0"}, {"id", id}, {"method", QString::fromStdString(method)}, {"params", params}};
    server.Receive(QJsonDocument(message).toJson().toStdString());
    for (const QJsonObject& m : sent)
        if (m["id"] == QJsonValue(id) && !m.contains("method")) return m;
    return {};
}

void Client::Notify(const std::string& method, const QJsonObject& params) {
    const QJsonObject message{{"jsonrpc", "2.0"}, {"method", QString::fromStdString(method)}, {"params", params}};
    server.Receive(QJsonDocument(message).toJson().toStdString());
}

void Client::Start() {
    Request("initialize", {{"capabilities", QJsonObject{}}});
    Notify("initialized", {});
}

void Client::Open(const std::string& uri, const std::string& text) {
    texts_[uri] = QString::fromStdString(text);
    Notify("textDocument/didOpen",
           {{"textDocument", QJsonObject{{"uri", QString::fromStdString(uri)}, {"languageId", "vb"}, {"version", 1},
                                         {"text", QString::fromStdString(text)}}}});
}

void Client::Change(const std::string& uri, long startLine, long startCharacter, long endLine, long endCharacter,
                    const std::string& text) {
    const QJsonObject range{{"start", QJsonObject{{"line", qint64{startLine}}, {"character", qint64{startCharacter}}}},
                            {"end", QJsonObject{{"line", qint64{endLine}}, {"character", qint64{endCharacter}}}}};
    texts_[uri] = Applied(texts_[uri], {QJsonObject{{"range", range}, {"newText", QString::fromStdString(text)}}});
    Notify("textDocument/didChange",
           {{"textDocument", QJsonObject{{"uri", QString::fromStdString(uri)}, {"version", qint64{++version_}}}},
            {"contentChanges", QJsonArray{QJsonObject{{"range", range}, {"text", QString::fromStdString(text)}}}}});
}

QString Client::Applied(const QString& text, const QJsonArray& edits) {
    QString result = text;
    // From the last edit back, so that every position still means the text before the edits.
    for (qsizetype i = edits.size() - 1; i >= 0; --i) {
        const QJsonValue range = edits[i]["range"];
        const qsizetype start = IndexOf(text, range["start"]);
        const qsizetype end = std::max(start, IndexOf(text, range["end"]));
        result.replace(start, end - start, edits[i]["newText"].toString());
    }
    return result;
}

void Client::ApplyRequestedEdits() {
    for (; applied_ < sent.size(); ++applied_) {
        const QJsonObject& m = sent[applied_];
        if (m["method"] != "workspace/applyEdit") continue;
        const QJsonObject changes = m["params"]["edit"]["changes"].toObject();
        for (auto it = changes.begin(); it != changes.end(); ++it) {
            const std::string uri = it.key().toStdString();
            const QJsonArray edits = it.value().toArray();
            texts_[uri] = Applied(texts_[uri], edits);
            // The editor reports what it applied, as any change.
            for (qsizetype i = edits.size() - 1; i >= 0; --i)
                Notify("textDocument/didChange",
                       {{"textDocument", QJsonObject{{"uri", it.key()}, {"version", qint64{++version_}}}},
                        {"contentChanges",
                         QJsonArray{QJsonObject{{"range", edits[i]["range"]}, {"text", edits[i]["newText"]}}}}});
        }
    }
}

}  // namespace lsptest
