#include "lsp/server.h"

#include <ostream>

#include <QJsonDocument>
#include <QUrl>

#include "lsp/actions.h"
#include "lsp/diagnostics.h"
#include "lsp/formatting.h"
#include "lsp/framing.h"
#include "lsp/protocol.h"
#include "lsp/symbols.h"
#include "lsp/text_edits.h"

namespace lsp {

namespace {

std::string PathOf(const std::string& uri) {
    const QUrl url(QString::fromStdString(uri));
    return url.isLocalFile() ? url.toLocalFile().toStdString() : uri;
}

std::string UriOf(const QJsonObject& params) { return Utf8(params["textDocument"]["uri"]); }

QJsonObject ErrorReply(const QJsonValue& id, int code, const std::string& message) {
    return {{"jsonrpc", "2.0"},
            {"id", id},
            {"error", QJsonObject{{"code", code}, {"message", QString::fromStdString(message)}}}};
}

}  // namespace

Server::Server(platform::SettingsStore& settings, Send send, std::ostream* log)
    : settings_(settings), send_(std::move(send)), log_(log) {}

void Server::Log(const std::string& line) {
    if (log_ != nullptr) *log_ << line << std::endl;
}

const Document* Server::Find(const std::string& uri) const {
    auto it = documents_.find(uri);
    return it == documents_.end() ? nullptr : it->second.get();
}

void Server::Receive(const std::string& body) {
    if (exited_) return;
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(body), &parseError);
    if (parseError.error != QJsonParseError::NoError || !json.isObject()) {
        Log("not a JSON-RPC message: " + body.substr(0, 200));
        send_(ErrorReply(QJsonValue::Null, kParseError, "not a JSON object"));
        return;
    }
    const QJsonObject message = json.object();
    const QJsonValue id = message["id"];
    const bool isRequest = message.contains("id");
    if (!message["method"].isString()) {
        // A response to a request of ours (workspace/applyEdit), or nonsense.
        if (!isRequest || (!message.contains("result") && !message.contains("error")))
            send_(ErrorReply(id, kInvalidRequest, "a message needs a method"));
        return;
    }
    const std::string method = Utf8(message["method"]);
    const QJsonObject params = message["params"].toObject();
    Log((isRequest ? "request " : "notification ") + method);
    try {
        if (!isRequest) {
            Notification(method, params);
            return;
        }
        const QJsonValue result = Request(method, params);
        send_(QJsonObject{{"jsonrpc", "2.0"}, {"id", id}, {"result", result}});
    } catch (const ResponseError& e) {
        Log(method + ": " + e.what());
        if (isRequest) send_(ErrorReply(id, e.code, e.what()));
    } catch (const std::exception& e) {
        Log(method + " failed: " + e.what());
        if (isRequest) send_(ErrorReply(id, kInternalError, e.what()));
    }
}

QJsonValue Server::Request(const std::string& method, const QJsonObject& params) {
    if (shutdown_) throw ResponseError(kInvalidRequest, "the server is shutting down");
    if (method == "initialize") return Initialize(params);
    if (!initialized_) throw ResponseError(kServerNotInitialized, "initialize comes first");
    if (method == "shutdown") {
        shutdown_ = true;
        return QJsonValue::Null;
    }
    if (method == "workspace/executeCommand") return ExecuteCommand(params);
    using Handler = QJsonValue (*)(const Document&, const QJsonObject&, PositionEncoding);
    static const std::map<std::string, Handler> handlers{
        {"textDocument/documentSymbol",
         [](const Document& d, const QJsonObject&, PositionEncoding) -> QJsonValue { return DocumentSymbols(d); }},
        {"textDocument/formatting",
         [](const Document& d, const QJsonObject&, PositionEncoding e) -> QJsonValue {
             return Formatting(d, std::nullopt, e);
         }},
        {"textDocument/rangeFormatting",
         [](const Document& d, const QJsonObject& p, PositionEncoding e) -> QJsonValue {
             return Formatting(d, RangeOf(p["range"]), e);
         }},
        {"textDocument/codeAction",
         [](const Document&, const QJsonObject& p, PositionEncoding) -> QJsonValue {
             return CodeActions(UriOf(p), RangeOf(p["range"]).startLine, p["context"]["diagnostics"].toArray());
         }},
    };
    const auto handler = handlers.find(method);
    if (handler == handlers.end()) throw ResponseError(kMethodNotFound, "no such method: " + method);
    const Document* document = Find(UriOf(params));
    if (document == nullptr) throw ResponseError(kInvalidParams, "the document is not open: " + UriOf(params));
    return handler->second(*document, params, encoding_);
}

QJsonObject Server::Initialize(const QJsonObject& params) {
    initialized_ = true;
    encoding_ = PositionEncoding::kUtf16;
    for (const QJsonValue& offered : params["capabilities"]["general"]["positionEncodings"].toArray())
        if (offered.toString() == "utf-8") encoding_ = PositionEncoding::kUtf8;
    return {
        {"capabilities",
         QJsonObject{
             {"positionEncoding", encoding_ == PositionEncoding::kUtf8 ? "utf-8" : "utf-16"},
             {"textDocumentSync", QJsonObject{{"openClose", true}, {"change", 2}}},
             {"documentSymbolProvider", true},
             {"documentFormattingProvider", true},
             {"documentRangeFormattingProvider", true},
             {"codeActionProvider",
              QJsonObject{{"codeActionKinds", QJsonArray{"quickfix", "source.fixAll", "refactor.rewrite"}}}},
             {"executeCommandProvider", QJsonObject{{"commands", QJsonArray{kInsertCommand}}}},
         }},
        {"serverInfo", QJsonObject{{"name", "quillmark"}, {"version", QUILLMARK_VERSION}}},
    };
}

void Server::Notification(const std::string& method, const QJsonObject& params) {
    if (method == "exit") {
        exited_ = true;
        return;
    }
    if (!initialized_ || shutdown_) return;
    const std::string uri = UriOf(params);
    if (method == "textDocument/didOpen") {
        Open(params);
        pending_.insert(uri);
    } else if (method == "textDocument/didChange") {
        auto it = documents_.find(uri);
        if (it == documents_.end()) {
            Log("a change to a document that is not open: " + uri);
            return;
        }
        Document& d = *it->second;
        for (const QJsonValue& change : params["contentChanges"].toArray()) {
            if (change["range"].isObject())
                d.Change(RangeOf(change["range"]), Utf8(change["text"]), encoding_);
            else
                d.Reset(Utf8(change["text"]));
        }
        d.SetVersion(static_cast<long>(params["textDocument"]["version"].toDouble()));
        pending_.insert(uri);
    } else if (method == "textDocument/didClose") {
        documents_.erase(uri);
        pending_.erase(uri);
    }
    // Others ($/cancelRequest, initialized, didSave, ...) need nothing: every
    // request is answered before the next message is read.
}

Document& Server::Open(const QJsonObject& params) {
    const QJsonObject item = params["textDocument"].toObject();
    const std::string uri = Utf8(item["uri"]);
    auto& slot = documents_[uri];
    slot = std::make_unique<Document>(PathOf(uri), Utf8(item["text"]), static_cast<long>(item["version"].toDouble()));
    return *slot;
}

void Server::PublishPending() {
    std::set<std::string> pending;
    pending.swap(pending_);
    if (!diagnostics_ || exited_) return;
    for (const std::string& uri : pending) {
        const Document* document = Find(uri);
        if (document == nullptr) continue;
        send_(QJsonObject{{"jsonrpc", "2.0"},
                          {"method", "textDocument/publishDiagnostics"},
                          {"params", QJsonObject{{"uri", QString::fromStdString(uri)},
                                                 {"version", qint64{document->Version()}},
                                                 {"diagnostics", diagnostics_(*document, encoding_)}}}});
    }
}

QJsonValue Server::ExecuteCommand(const QJsonObject& params) {
    if (Utf8(params["command"]) != kInsertCommand)
        throw ResponseError(kInvalidParams, "no such command: " + Utf8(params["command"]));
    const QJsonObject arguments = params["arguments"][0].toObject();
    const std::string uri = Utf8(arguments["uri"]);
    const Document* document = Find(uri);
    if (document == nullptr) throw ResponseError(kInvalidParams, "the document is not open: " + uri);
    const InsertOutcome outcome = RunInsert(*document, arguments, settings_);
    for (const std::string& message : outcome.messages)
        send_(QJsonObject{{"jsonrpc", "2.0"},
                          {"method", "window/showMessage"},
                          {"params", QJsonObject{{"type", 2}, {"message", QString::fromStdString(message)}}}});
    const QJsonArray edits = LineEdits(outcome.before, outcome.text, encoding_);
    if (!edits.isEmpty())
        send_(QJsonObject{
            {"jsonrpc", "2.0"},
            {"id", QString::fromStdString("quillmark-" + std::to_string(nextRequest_++))},
            {"method", "workspace/applyEdit"},
            {"params", QJsonObject{{"label", params["command"]},
                                   {"edit", QJsonObject{{"changes", QJsonObject{{QString::fromStdString(uri), edits}}}}}}},
        });
    return QJsonValue::Null;
}

int Serve(std::istream& in, std::ostream& out, platform::SettingsStore& settings, std::ostream* log) {
    Server server(settings, [&out](const QJsonObject& message) { WriteMessage(out, message); }, log);
    server.SetDiagnostics(Diagnostics);
    MessageReader reader(in);
    while (!server.Exited()) {
        if (in.rdbuf()->in_avail() <= 0) server.PublishPending();
        const std::optional<std::string> body = reader.Next();
        if (!body) return 1;  // the client went away without exit
        server.Receive(*body);
    }
    return server.ExitStatus();
}

}  // namespace lsp
