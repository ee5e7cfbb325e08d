#include "lsp/protocol.h"

namespace lsp {

namespace {

void PositionOf(const QJsonValue& value, long& line, long& character) {
    const QJsonObject p = value.toObject();
    if (!p["line"].isDouble() || !p["character"].isDouble() || p["line"].toDouble() < 0 ||
        p["character"].toDouble() < 0)
        throw ResponseError(kInvalidParams, "a position needs a line and a character, from 0");
    line = static_cast<long>(p["line"].toDouble());
    character = static_cast<long>(p["character"].toDouble());
}

}  // namespace

Range RangeOf(const QJsonValue& range) {
    Range r;
    PositionOf(range["start"], r.startLine, r.startCharacter);
    PositionOf(range["end"], r.endLine, r.endCharacter);
    return r;
}

QJsonObject LineRange(long startLine, long endLine) {
    return {{"start", QJsonObject{{"line", qint64{startLine}}, {"character", 0}}},
            {"end", QJsonObject{{"line", qint64{endLine}}, {"character", 0}}}};
}

std::string Utf8(const QJsonValue& value) { return value.toString().toStdString(); }

}  // namespace lsp
