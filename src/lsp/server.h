// The language server: the protocol's life cycle (initialize, shutdown, exit),
// the open documents, and each request handed to its handler. Messages come in
// one at a time as their bodies; what the server sends goes through `send`.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <set>
#include <string>

#include <QJsonArray>
#include <QJsonObject>

#include "lsp/document.h"
#include "platform/settings.h"

namespace lsp {

class Server {
public:
    using Send = std::function<void(const QJsonObject&)>;
    /// What the diagnostics of a document are; none until one is set.
    using DiagnosticSource = std::function<QJsonArray(const Document&, PositionEncoding)>;

    /// `settings` are the user's, read by every command; `log`, when given,
    /// gets a line per message and per failure.
    Server(platform::SettingsStore& settings, Send send, std::ostream* log = nullptr);

    /// Handles one message (its body).
    void Receive(const std::string& body);
    /// After `exit`: no message is handled any more.
    bool Exited() const { return exited_; }
    /// 0 when `shutdown` came before `exit`, else 1.
    int ExitStatus() const { return shutdown_ ? 0 : 1; }

    void SetDiagnostics(DiagnosticSource source) { diagnostics_ = std::move(source); }
    /// Publishes the diagnostics of every document opened or changed since the
    /// last call. The server calls it when no message is waiting, so that a
    /// burst of typing is checked once, after its last change.
    void PublishPending();
    /// An open document, or null.
    const Document* Find(const std::string& uri) const;

private:
    QJsonValue Request(const std::string& method, const QJsonObject& params);
    void Notification(const std::string& method, const QJsonObject& params);
    QJsonObject Initialize(const QJsonObject& params);
    Document& Open(const QJsonObject& params);

    QJsonValue ExecuteCommand(const QJsonObject& params);
    void Log(const std::string& line);

    platform::SettingsStore& settings_;
    Send send_;
    std::ostream* log_;
    std::map<std::string, std::unique_ptr<Document>> documents_;  // by URI
    DiagnosticSource diagnostics_;
    std::set<std::string> pending_;  // documents whose diagnostics are not yet published
    PositionEncoding encoding_ = PositionEncoding::kUtf16;
    bool initialized_ = false;
    bool shutdown_ = false;
    bool exited_ = false;
    long nextRequest_ = 1;
};

/// Serves the protocol over `in` and `out` until `exit` or the end of the
/// input; the process's exit status.
int Serve(std::istream& in, std::ostream& out, platform::SettingsStore& settings, std::ostream* log);

}  // namespace lsp
