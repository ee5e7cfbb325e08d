// What the handlers of requests share: the errors a request answers with and
// the conversions between the protocol's JSON and the server's types.
#pragma once

#include <stdexcept>
#include <string>

#include <QJsonObject>
#include <QJsonValue>

#include "lsp/document.h"

namespace lsp {

/// JSON-RPC and protocol error codes.
enum ErrorCode : int {
    kParseError = -32700,
    kInvalidRequest = -32600,
    kMethodNotFound = -32601,
    kInvalidParams = -32602,
    kInternalError = -32603,
    kServerNotInitialized = -32002,
    kRequestFailed = -32803,
};

/// Thrown by a handler: the request is answered with this error.
struct ResponseError : std::runtime_error {
    ResponseError(ErrorCode c, const std::string& message) : std::runtime_error(message), code(c) {}
    ErrorCode code;
};

/// A range in the protocol's form; throws ResponseError kInvalidParams when it is not one.
Range RangeOf(const QJsonValue& range);
QJsonObject LineRange(long startLine, long endLine);  // (startLine, 0) to (endLine, 0)
std::string Utf8(const QJsonValue& value);

}  // namespace lsp
