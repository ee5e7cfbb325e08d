// textDocument/publishDiagnostics: what the server reports of a document.
#pragma once

#include <string>

#include <QJsonArray>

#include "check/check.h"
#include "lsp/document.h"

namespace lsp {

/// The team's rules for a document: those of the .quillmark.ini nearest to its
/// file, or the defaults with `problem` saying why that file cannot be used.
struct DocumentRules {
    check::Config config;
    std::string problem;
};

/// The rules for `document`, read again only when the rules file that applies
/// to it is another one or was written since it was read.
const DocumentRules& RulesOf(const Document& document);

/// The Diagnostics (in the protocol's form) of `document`: the findings of
/// `quillmark check` for the rules of the project's .quillmark.ini, each with
/// its rule as the code and its procedure in "data"; a rules file that cannot
/// be used is one more on the first line. Every diagnostic the server
/// publishes comes from here.
QJsonArray Diagnostics(const Document& document, PositionEncoding encoding);

}  // namespace lsp
