#include "lsp/framing.h"

#include <charconv>
#include <istream>
#include <ostream>

#include <QJsonDocument>

#include "platform/ascii.h"

namespace lsp {

namespace {

constexpr std::string_view kLengthField = "content-length:";

// The header's length field, or nullopt when the header has none or a bad one.
std::optional<std::size_t> LengthOf(std::string_view line) {
    if (!platform::EqualsNoCase(line.substr(0, kLengthField.size()), kLengthField)) return std::nullopt;
    line = platform::TrimSpaces(line.substr(kLengthField.size()));
    std::size_t length = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), length);
    if (error != std::errc() || end == line.data()) return std::nullopt;
    return length;
}

}  // namespace

std::optional<std::string> MessageReader::Next() {
    std::optional<std::size_t> length;
    std::string line;
    bool any = false;
    while (std::getline(in_, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) {
            if (!any) continue;  // blank lines between messages
            break;
        }
        any = true;
        if (auto l = LengthOf(line)) length = l;
    }
    if (!in_) return std::nullopt;
    if (!length) return std::string();
    if (*length > kMessageLimit) {
        in_.ignore(static_cast<std::streamsize>(*length));
        return in_ ? std::optional(std::string()) : std::nullopt;
    }
    std::string body(*length, '\0');
    in_.read(body.data(), static_cast<std::streamsize>(*length));
    if (!in_) return std::nullopt;
    return body;
}

void WriteMessage(std::ostream& out, const QJsonObject& message) {
    const QByteArray body = QJsonDocument(message).toJson(QJsonDocument::Compact);
    out << "Content-Length: " << body.size() << "\r\n\r\n";
    out.write(body.constData(), body.size());
    out.flush();
}

}  // namespace lsp
