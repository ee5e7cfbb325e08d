// textDocument/documentSymbol: the module and its procedures, a property's
// Get, Let and Set parts under one symbol, with the ranges `outline` gives.
#pragma once

#include <QJsonArray>

#include "lsp/document.h"

namespace lsp {

QJsonArray DocumentSymbols(const Document& document);

}  // namespace lsp
