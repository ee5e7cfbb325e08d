// A language client in-process: it talks to lsp::Server as an editor would,
// keeps its own copy of each document's text (a QString, positions in UTF-16
// as the editors count them) and applies the server's edits to it.
#pragma once

#include <string>
#include <vector>

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include "lsp/server.h"
#include "platform/settings.h"

namespace lsptest {

class Client {
public:
    explicit Client(platform::SettingsStore& settings);

    /// Sends a request and returns the server's answer to it ("result" or "error").
    QJsonObject Request(const std::string& method, const QJsonObject& params);
    void Notify(const std::string& method, const QJsonObject& params);
    /// initialize, then initialized.
    void Start();
    void Open(const std::string& uri, const std::string& text);
    /// Replaces lines/characters of the client's text and tells the server.
    void Change(const std::string& uri, long startLine, long startCharacter, long endLine, long endCharacter,
                const std::string& text);
    /// The client's text of a document.
    std::string Text(const std::string& uri) const { return texts_.at(uri).toStdString(); }
    /// Applies edits as an editor does (all positions in the text before them).
    static QString Applied(const QString& text, const QJsonArray& edits);
    /// Applies the edits of every workspace/applyEdit the server sent since the last call.
    void ApplyRequestedEdits();

    std::vector<QJsonObject> sent;  // everything the server sent, in order
    lsp::Server server;

private:
    std::map<std::string, QString> texts_;
    long nextId_ = 1;
    long version_ = 1;
    std::size_t applied_ = 0;
};

}  // namespace lsptest
