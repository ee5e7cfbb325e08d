// textDocument/publishDiagnostics: what the server reports of a document.
#pragma once

#include <QJsonArray>

#include "lsp/document.h"

namespace lsp {

/// The Diagnostics (in the protocol's form) of `document`: the findings of
/// `quillmark check` for the rules of the project's .quillmark.ini, each with
/// its rule as the code. Every diagnostic the server publishes comes from here.
QJsonArray Diagnostics(const Document& document);

}  // namespace lsp
