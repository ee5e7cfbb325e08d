// A module file on disk as the command line loads and saves it: its bytes decoded
// from the file's code page into a SourceModule, and encoded back.
#pragma once

#include <cstdint>
#include <string>

#include "host/source_module.h"
#include "platform/files.h"

namespace host {

/// Whether a path names a module file by its ending: .bas, .cls, .frm, .ctl,
/// .dsr or .pag, in any letter case.
bool IsModuleFileName(const std::string& path);

/// What ModuleFile::Load keeps of the bytes it read: their size and digest (so
/// that Changed() can tell), the bytes as well (for a diff against them), or
/// only their size (for a reader that never asks).
enum class Keep : std::uint8_t { Digest, Bytes, Size };

struct ModuleFile {
    std::string path;
    std::string encoding;  // canonical name: "windows-1252", "utf-8", ...
    bool bom = false;      // the file starts with a byte order mark (kept on save)
    SourceModule module;
    platform::FileContent original;  // what the file held when read (no digest with Keep::Size)
    std::string originalBytes;       // the bytes read, with Keep::Bytes
    std::uint64_t loadedRevision = 0;  // the module's revision when read

    /// Reads and decodes a module file. The code page is `encodingOverride` when
    /// given, else the one a byte order mark names (UTF-8, UTF-16 in either byte
    /// order), else Windows-1252. The module's text is the only copy held, unless
    /// `keep` asks for the bytes too.
    /// Throws platform::FileError (no such file, unreadable, a binary file) and
    /// platform::EncodingError (an unknown encoding, bytes invalid in it, with
    /// the file line).
    static ModuleFile Load(const std::string& path, platform::FileStore& files,
                           const std::string& encodingOverride = "", Keep keep = Keep::Digest);

    /// `Attribute VB_Name`, or the file's stem.
    std::string Name() const;
    /// The module encoded back to bytes. Throws platform::EncodingError naming the
    /// first character the code page cannot hold and its line in the file, e.g.
    /// "Mod.bas, line 12: U+4E2D '中' cannot be stored in windows-1252".
    std::string Bytes() const;
    /// The same bytes given to `sink` in pieces of about `piece` bytes (whole
    /// lines), encoded as they go, so that the whole file is never held twice.
    /// Throws as Bytes() does, possibly after some pieces went.
    void WriteBytes(const platform::ByteSink& sink, std::size_t piece = 64 * 1024) const;
    /// Whether the bytes differ from what the file held when read (never, while
    /// the module has not been edited). Throws std::logic_error for a file
    /// loaded with Keep::Size.
    bool Changed() const;
};

}  // namespace host
