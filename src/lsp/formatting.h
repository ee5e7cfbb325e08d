// textDocument/formatting and rangeFormatting: the indenter over the whole
// module, or over the procedure parts a range touches.
#pragma once

#include <optional>

#include <QJsonArray>

#include "lsp/document.h"

namespace lsp {

/// The edits that indent the document (every procedure part, or those whose
/// lines meet `range`).
QJsonArray Formatting(const Document& document, const std::optional<Range>& range, PositionEncoding encoding);

}  // namespace lsp
