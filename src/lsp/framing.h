// JSON-RPC messages as the language server protocol frames them: a header
// with the body's length ("Content-Length: N"), a blank line, N bytes of JSON.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

#include <QJsonObject>

namespace lsp {

/// The largest body read; a longer one is passed over.
inline constexpr std::size_t kMessageLimit = std::size_t{256} << 20;

class MessageReader {
public:
    explicit MessageReader(std::istream& in) : in_(in) {}
    /// The next message's body; nullopt when the input ends (also in the middle
    /// of a message). A header without a usable length gives an empty body.
    std::optional<std::string> Next();

private:
    std::istream& in_;
};

/// Writes one message, framed, and flushes it.
void WriteMessage(std::ostream& out, const QJsonObject& message);

}  // namespace lsp
