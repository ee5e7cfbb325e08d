#include "host/module_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>

#include "host/line_scanner.h"
#include "host/project_paths.h"
#include "platform/encoding.h"
#include "platform/utf8.h"

namespace host {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The byte order marks a module file may start with, and the code page each
// one names. A file is written back with the mark it was read with.
struct ByteOrderMark {
    std::string_view bytes;
    const char* encoding;
};
constexpr ByteOrderMark kMarks[] = {
    {kUtf8Bom, "utf-8"},
    {"\xFF\xFE", "utf-16le"},
    {"\xFE\xFF", "utf-16be"},
};

std::string_view MarkOf(const std::string& encoding) {
    for (const ByteOrderMark& mark : kMarks)
        if (encoding == mark.encoding) return mark.bytes;
    return {};
}

bool IsWideEncoding(const std::string& encoding) {
    return encoding.rfind("utf-16", 0) == 0 || encoding.rfind("utf-32", 0) == 0;
}

/// 1-based line of the byte at `offset`.
long LineOfByte(std::string_view bytes, std::size_t offset) {
    long line = 1;
    for (std::size_t i = 0; i < offset && i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
            ++line;
    }
    return line;
}

/// What is wrong with the first character of `line` that `encoding` cannot
/// hold ("U+4E2D '中' cannot be stored in windows-1252"), or empty.
std::string Unencodable(std::string_view line, const std::string& encoding) {
    for (std::size_t i = 0; i < line.size();) {
        const std::size_t end = i + platform::utf8::OffsetOf(line.substr(i), 1);
        std::string_view character = line.substr(i, end - i);
        try {
            platform::EncodeText(character, encoding);
        } catch (const platform::EncodingError& e) {
            return e.what();
        }
        i = end;
    }
    return {};
}

// Text in UTF-16: every other byte of its start is zero (the high bytes of
// ASCII characters), and no other is.
bool LooksLikeUtf16(std::string_view text) {
    const std::size_t n = std::min<std::size_t>(text.size() & ~std::size_t{1}, 256);
    if (n < 4) return false;
    std::size_t zeros[2] = {0, 0};
    for (std::size_t i = 0; i < n; ++i) zeros[i % 2] += text[i] == '\0';
    return (zeros[0] == 0 && zeros[1] == n / 2) || (zeros[1] == 0 && zeros[0] == n / 2);
}

}  // namespace

bool IsModuleFileName(const std::string& path) {
    const std::string ext = FileExtension(path);
    for (const char* known : {".bas", ".cls", ".frm", ".ctl", ".dsr", ".pag"})
        if (ext == known) return true;
    return false;
}

ModuleFile ModuleFile::Load(const std::string& path, platform::FileStore& files,
                            const std::string& encodingOverride, Keep keep) {
    std::optional<std::string> read = files.Read(path);
    if (!read)
        throw platform::FileError(platform::kFileNotFound, path,
                                  "Cannot open " + path + ": there is no such file.");
    std::string encoding = platform::kDefaultEncoding;
    if (!encodingOverride.empty()) {
        encoding = platform::CanonicalEncoding(encodingOverride);
        if (encoding.empty())
            throw platform::EncodingError("Cannot read " + path + ": the encoding \"" +
                                              encodingOverride + "\" is not known.",
                                          -1);
    }
    std::string bytes = std::move(*read);
    const platform::FileContent original =
        keep == Keep::Size ? platform::FileContent{true, bytes.size(), {}} : platform::FileContent::Of(bytes);
    std::string originalBytes = keep == Keep::Bytes ? bytes : std::string();
    bool bom = false;
    for (const ByteOrderMark& mark : kMarks) {
        if (!bytes.starts_with(mark.bytes)) continue;
        if (!encodingOverride.empty() && encoding != mark.encoding) break;
        encoding = mark.encoding;
        bom = true;
        bytes.erase(0, mark.bytes.size());
        break;
    }
    const std::string_view text = bytes;
    if (!IsWideEncoding(encoding) && text.find('\0') != std::string_view::npos) {
        if (LooksLikeUtf16(text))
            throw platform::FileError(platform::kBadFileName, path,
                                      path + " looks like UTF-16 text without a byte order mark; give "
                                             "--encoding utf-16le or --encoding utf-16be.");
        throw platform::FileError(platform::kBadFileName, path, path + " is a binary file, not VB source.");
    }
    std::string decoded;
    try {
        decoded = platform::DecodeText(std::move(bytes), encoding);
    } catch (const platform::EncodingError& e) {
        const std::size_t at = e.CharIndex() < 0 ? 0 : static_cast<std::size_t>(e.CharIndex());
        throw platform::EncodingError(path + ", line " + std::to_string(LineOfByte(text, at)) +
                                          ": " + e.what(),
                                      e.CharIndex());
    }
    ModuleFile file{path, encoding, bom, SourceModule(std::move(decoded)), original, std::move(originalBytes), 0};
    file.loadedRevision = file.module.Revision();
    return file;
}

std::string ModuleFile::Name() const {
    std::string name = module.Name();
    return name.empty() ? FileStem(path) : name;
}

std::string ModuleFile::Bytes() const {
    std::string bytes;
    WriteBytes([&bytes](std::string_view piece) { bytes.append(piece); });
    return bytes;
}

void ModuleFile::WriteBytes(const platform::ByteSink& sink, std::size_t piece) const {
    if (bom) sink(MarkOf(encoding));
    std::string text;  // whole lines, encoded together
    long firstLine = 1, nextLine = 1;
    auto flush = [&] {
        if (text.empty()) return;
        std::string bytes;
        try {
            bytes = platform::EncodeText(text, encoding);
        } catch (const platform::EncodingError& e) {
            // Name the character and the file line it stands on.
            const std::vector<RawLine> lines = SplitFileLines(text);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                std::string problem = Unencodable(lines[i].text, encoding);
                if (problem.empty()) continue;
                throw platform::EncodingError(
                    path + ", line " + std::to_string(firstLine + static_cast<long>(i)) + ": " + problem,
                    e.CharIndex());
            }
            throw;
        }
        sink(bytes);
        text.clear();
        firstLine = nextLine;
    };
    module.ForEachFileLine([&](std::string_view line, std::string_view eol) {
        text.append(line).append(eol);
        ++nextLine;
        if (text.size() >= piece) flush();
    });
    flush();
}

bool ModuleFile::Changed() const {
    if (module.Revision() == loadedRevision) return false;  // a module reads back as its bytes
    if (original.digest.empty()) throw std::logic_error(path + " was loaded without its digest");
    // One pass: the digest of the pieces counts their size as it goes.
    return platform::FileContent::Of([this](const platform::ByteSink& sink) { WriteBytes(sink); }) != original;
}

}  // namespace host
