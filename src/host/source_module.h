// The host's code module: one VB module file as the IDE's CodeModule shows it.
//
// The file prelude (VERSION, BEGIN ... END designer blocks, Object= lines, the
// leading Attribute lines) and member attribute lines are hidden from the code
// lines and written back where they were. Each line keeps its own line end.
//
// Edits and hidden lines: an inserted line goes after the hidden lines of the
// line above it; a replaced line keeps its hidden lines (after the last line of a
// replacement that holds line breaks); the hidden lines of deleted lines go to
// the line above (or to the prelude), so no attribute is ever lost.
// Lines(start, count) stops at the last line; Find searches to the last line
// when the end line lies beyond it, finds nothing in an empty range (an end
// line before the start line or below 1), and treats a pattern search as plain
// text.
//
// The procedure index is built when first asked for and kept through edits that
// leave the structure as it was, so a module is not for use from two threads at
// once, even through its const members.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ide/ide.h"

namespace host {

/// One procedure part, as the host's index sees it.
struct ProcInfo {
    std::string name;
    ide::ProcKind kind = ide::vbext_pk_Proc;
    std::string keyword;  // "Sub", "Function", "Property Get", "Property Let", "Property Set"
    long startLine = 0;   // ProcStartLine
    long countLines = 0;  // ProcCountLines
    long bodyLine = 0;    // the declaration's first line
};

/// One edit of the code lines: at `line`, `removed` lines were taken out and
/// `inserted` lines put in their place (ReplaceLine: 1 removed, 1 or more
/// inserted). `revision` is the module's revision after the edit.
struct LineChange {
    long line = 0;
    long removed = 0;
    long inserted = 0;
    std::uint64_t revision = 0;
};

/// Where a line that stood at `line` before `change` stands after it; a line
/// inside the removed range goes to the first line of the replacement.
long LineAfter(const LineChange& change, long line);

struct ErasedLines;

/// Lines Cut took out of a module, as the file held them (each with its own
/// line end and the hidden lines after it), for Restore to put back.
class CutLines {
public:
    long Line() const { return line_; }
    long Count() const { return count_; }

private:
    friend class SourceModule;
    long line_ = 0;
    long count_ = 0;
    std::shared_ptr<const ErasedLines> erased_;
};

class SourceModule final : public ide::CodeModule {
public:
    /// A module from its decoded text (UTF-8), exactly as the file holds it.
    explicit SourceModule(std::string_view fileText);
    explicit SourceModule(const char* fileText) : SourceModule(std::string_view(fileText)) {}
    /// The same, keeping the text itself as the lines' store (no copy).
    explicit SourceModule(std::string&& fileText);
    ~SourceModule() override;
    SourceModule(SourceModule&&) noexcept;
    SourceModule& operator=(SourceModule&&) noexcept;

    // ide::CodeModule
    std::string Lines(long startLine, long count) const override;
    void InsertLines(long line, const std::string& text) override;
    void ReplaceLine(long line, const std::string& text) override;
    void DeleteLines(long startLine, long count) override;
    long CountOfLines() const override;
    long CountOfDeclarationLines() const override;
    long ProcStartLine(const std::string& procName, ide::ProcKind kind) const override;
    long ProcCountLines(const std::string& procName, ide::ProcKind kind) const override;
    long ProcBodyLine(const std::string& procName, ide::ProcKind kind) const override;
    std::string ProcOfLine(long line, ide::ProcKind& kind) const override;
    ide::ProcLines ProcLinesAt(const std::string& procName, ide::ProcKind kind, long line) const override;
    bool Find(const std::string& target, long& startLine, long& startColumn, long& endLine,
              long& endColumn, bool wholeWord, bool matchCase, bool patternSearch) const override;

    /// DeleteLines, keeping what went.
    CutLines Cut(long startLine, long count);
    /// Puts back, byte for byte, what `cut` took out of the lines as the Cut left
    /// them, and reports it as lines inserted.
    void Restore(const CutLines& cut);

    /// The text of code line `line` as Lines(line, 1) gives it, without a copy:
    /// valid until the module's next edit.
    std::string_view LineText(long line) const;
    /// The whole file text, hidden lines included, each line with its own line end.
    std::string Text() const;
    /// The same piece by piece: `put(line, lineEnd)` for every line of the file.
    void ForEachFileLine(const std::function<void(std::string_view, std::string_view)>& put) const;
    /// The name from `Attribute VB_Name`, or empty.
    std::string Name() const;
    /// The line end that inserted lines take: the file's most common one ("\r\n"
    /// when the file has none).
    std::string LineEnd() const;
    /// The line end code line `line` has in the file ("" for a last line without
    /// one). Raises kSubscriptOutOfRange for a line the module does not hold.
    std::string LineEndOf(long line) const;
    /// The procedure parts in the order they stand.
    std::vector<ProcInfo> Procedures() const;

    /// Counts every edit of the code lines; a view that saw this revision has seen
    /// every change.
    std::uint64_t Revision() const;
    using ChangeListener = std::function<void(const LineChange&)>;
    /// Calls `listener` after every edit, in the order the edits are made, until
    /// Unsubscribe(id). Listeners must not edit the module.
    int Subscribe(ChangeListener listener);
    void Unsubscribe(int id);

    /// Maps a line of the file as an editor shows it (1-based) to a code line: a
    /// prelude line maps to 1, a member attribute line to the code line above it.
    /// Throws HostError kSubscriptOutOfRange outside the file.
    long CodeLineOfFileLine(long fileLine) const;
    /// The file line of a code line.
    long FileLineOfCodeLine(long codeLine) const;
    long CountOfFileLines() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace host
