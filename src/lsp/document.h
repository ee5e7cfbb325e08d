// One document the editor has open: its text as a module file, kept in step
// with the editor by the changes it reports. The server never writes it.
#pragma once

#include <string>

#include "host/module_file.h"
#include "lsp/positions.h"

namespace lsp {

/// A range's ends as the protocol gives them: lines and characters from 0.
struct Range {
    long startLine = 0, startCharacter = 0, endLine = 0, endCharacter = 0;
};

class Document {
public:
    /// `path` is the file's (for the module's name and its project), `text` the
    /// editor's, decoded.
    Document(std::string path, const std::string& text, long version);

    const host::SourceModule& Module() const { return file_.module; }
    /// The module as a file: path, name and the module, "windows-1252" unless
    /// the file on disk says otherwise.
    const host::ModuleFile& File() const { return file_; }
    long Version() const { return version_; }
    void SetVersion(long version) { version_ = version; }

    /// Replaces `range` by `text`. A range past the end of a line stops at its
    /// end; past the last line, at the end of the document.
    void Change(const Range& range, const std::string& text, PositionEncoding encoding);
    /// Replaces the whole text.
    void Reset(const std::string& text);

private:
    /// An edit inside one code line, made as an editor makes it there; false
    /// when the edit must go through the whole text.
    bool ChangeInLine(const Range& range, const std::string& text, PositionEncoding encoding);
    /// An edit from one code line into a later one (Backspace over a line end,
    /// a paste), made on those lines; false when it must go through the whole text.
    bool ChangeAcrossLines(const Range& range, const std::string& text, PositionEncoding encoding);

    host::ModuleFile file_;
    long version_ = 0;
};

}  // namespace lsp
