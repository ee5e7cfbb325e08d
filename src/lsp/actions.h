// textDocument/codeAction and the command behind each action: the tool
// window's inserts and the rights notice at the cursor, and the fixes of
// check's findings, made as the command line makes them (the fields set,
// Insert pressed; check's fixes) on a copy of the module.
#pragma once

#include <string>
#include <vector>

#include <QJsonArray>
#include <QJsonObject>

#include "lsp/document.h"
#include "platform/settings.h"

namespace lsp {

/// The command every action runs, with one object of arguments.
inline constexpr char kInsertCommand[] = "quillmark.insert";

/// The actions at file line `line` (from 0) of the document at `uri`: a quick
/// fix for each fixable one of the server's `diagnostics` (the request's
/// context), fix all, and the inserts.
QJsonArray CodeActions(const std::string& uri, long line, const QJsonArray& diagnostics);

struct InsertOutcome {
    std::string before;                 // the document's text before the insert
    std::string text;                   // and after it
    std::vector<std::string> messages;  // what the tool window would have shown
};

/// Runs the insert `arguments` name on a copy of `document` with the stored
/// settings (what the window stores stays in the command). Arguments: "insert"
/// (procedure, module, comment, revision, error, notice; fix: what check
/// finds under the document's rules, or with "rule" only that finding on
/// "line"), "line" (from 0),
/// "after" (a procedure header after the declaration), "kind" (the handler
/// kind, 0 to 3), the texts ("description", "inputs", "assumptions",
/// "results", "text", "template", "type", "number"), "to" (revision targets by
/// name), "author", "initials". Without a text its box stays empty. A revision
/// note's log and the project that gains it are written as the command line
/// writes them, all or nothing; when they cannot be, throws ResponseError and
/// the module stays as it was.
InsertOutcome RunInsert(const Document& document, const QJsonObject& arguments, platform::SettingsStore& stored);

}  // namespace lsp
