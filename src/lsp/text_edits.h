// The edits that turn one text of a document into another: one TextEdit per
// run of lines taken out or put in, whole lines, never the whole document.
#pragma once

#include <string>

#include <QJsonArray>

#include "lsp/positions.h"

namespace lsp {

/// TextEdits (in the protocol's form) that make `after` of `before`, both the
/// document's whole text; none when they are equal.
QJsonArray LineEdits(const std::string& before, const std::string& after, PositionEncoding encoding);

}  // namespace lsp
