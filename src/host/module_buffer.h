// The lines of one module file: the hidden prelude, the code lines with their own
// line ends and the hidden attribute lines attached to them, and the scanner's role
// of every code line, kept current through every edit.
//
// The code lines' texts live in one pool of bytes, which starts as the file's
// text itself: reading a file costs no copy and no allocation per line (line
// ends, the prelude and hidden lines stay in it unused). A line that an edit
// makes no longer is written where it stood; a longer one goes to the pool's
// end, and the pool is compacted in place once a quarter of it is left over.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/line_scanner.h"

namespace host {

struct CodeLine {
    char* text = nullptr;  // in the pool
    std::uint32_t length = 0;
    Eol eol = Eol::None;
    std::unique_ptr<std::vector<RawLine>> hidden;  // attribute lines after it; null when none
};

/// Lines an Erase took out, as the file held them, so that Restore can put
/// them back byte for byte.
struct ErasedLines {
    struct Line {
        std::string text;
        Eol eol = Eol::None;
        std::size_t hidden = 0;  // its hidden lines, handed to the line above
    };
    std::size_t at = 0;
    std::vector<Line> lines;
    /// The line end of the line that took over the file's missing last line
    /// end, when the erased lines ended the file without one.
    std::optional<Eol> bareEnd;
};

/// The bytes the code lines' texts stand in: blocks that never move, the first
/// one the file's text. Texts are put at the end of the last block (or of a new
/// one) and compacted in place: the live ones move down in address order, so a
/// text never lands on one not yet moved, and emptied blocks go.
class TextPool {
public:
    explicit TextPool(std::string&& text);
    char* Begin() { return blocks_.front()->data; }
    /// Copies `text` to the end; the pointer stays valid until Compact.
    char* Put(std::string_view text);
    /// `bytes` of the first block are a line's text.
    void Claim(std::size_t bytes) { unused_ -= bytes; }
    /// `bytes` of texts are no longer used.
    void Release(std::size_t bytes) { unused_ += bytes; }
    /// A quarter (and at least 4 kB) of what was handed out is left over.
    bool Wasteful() const { return unused_ >= 4096 && unused_ >= handedOut_ / 4; }
    /// Moves the live texts (every CodeLine's) down and frees what is left.
    void Compact(std::vector<CodeLine>& lines);
    /// Bytes handed out, and of them unused.
    std::size_t HandedOut() const { return handedOut_; }
    std::size_t Unused() const { return unused_; }

private:
    struct Block {
        std::string text;                // the first block: the file's text
        std::unique_ptr<char[]> owned;   // any other
        char* data = nullptr;
        std::size_t size = 0;
        std::size_t fill = 0;            // bytes handed out from the start
    };
    void AddBlock(std::size_t atLeast);
    std::vector<std::unique_ptr<Block>> blocks_;
    Block* last_ = nullptr;  // where Put puts
    std::size_t handedOut_ = 0;
    std::size_t unused_ = 0;
};

class ModuleBuffer {
public:
    /// Takes over the file's decoded text as its pool.
    explicit ModuleBuffer(std::string&& fileText);

    std::size_t Count() const { return lines_.size(); }
    /// The text of code line `i` (0-based); valid until the next edit.
    std::string_view Text(std::size_t i) const {
        return std::string_view(lines_[i].text, lines_[i].length);
    }
    /// Hidden lines after code line `i`.
    std::size_t HiddenCount(std::size_t i) const { return lines_[i].hidden ? lines_[i].hidden->size() : 0; }
    const std::vector<LineRole>& Roles() const { return roles_; }
    const std::vector<RawLine>& Prelude() const { return prelude_; }
    Eol UsualEol() const { return usualEol_; }
    /// The line end of code line `i` (from 0) in the file.
    Eol EolOf(std::size_t i) const { return lines_[i].eol; }
    const std::string& Name() const { return name_; }

    /// Bumped whenever an edit changes what the procedure index is built from:
    /// a declaration, End or conditional-compilation line comes or goes, or the
    /// role of a line that stays changes. Lines added or removed without that
    /// only shift the index.
    std::uint64_t StructureRevision() const { return structureRevision_; }
    /// Bumped whenever code lines or hidden lines are added, removed or moved.
    std::uint64_t LayoutRevision() const { return layoutRevision_; }

    /// The statement starting at code line `i` (0-based), continued lines joined.
    std::string StatementText(std::size_t i) const;
    /// Parses the declaration whose statement starts at code line `i`.
    bool DeclarationAt(std::size_t i, Declaration& out) const;

    /// Inserts lines before `at` (0 <= at <= Count()). They take the usual line end;
    /// at the end of a file whose last line has none, that line gets one and the
    /// new last line goes without.
    void Insert(std::size_t at, const std::vector<std::string>& texts);
    /// Replaces the text of line `at`; `text` holds no line break. The index stays
    /// valid unless the statement's role or declared name changes.
    void Replace(std::size_t at, std::string_view text);
    /// Replaces the text of line `at` by several lines. The line keeps its line
    /// end and its hidden lines, which come after the last of the new lines.
    void Replace(std::size_t at, const std::vector<std::string>& texts);
    /// Deletes `count` lines from `at`. Their hidden lines go to the line before
    /// (or to the prelude); a file that ended without a line end still does.
    /// With `erased`, records what went.
    void Erase(std::size_t at, std::size_t count, ErasedLines* erased = nullptr);
    /// Undoes the Erase that recorded `erased`, on the lines as that Erase left
    /// them: the lines come back with their own line ends and take back their
    /// hidden lines.
    void Restore(const ErasedLines& erased);

    /// The whole file, each line with its own line end.
    std::string Text() const;
    /// The file's lines in order, as Text() writes them: `put(text, lineEnd)`.
    void ForEachFileLine(const std::function<void(std::string_view, std::string_view)>& put) const;
    /// The pool's bytes handed out, and of them unused.
    std::size_t PoolBytes() const { return pool_.HandedOut(); }
    std::size_t UnusedPoolBytes() const { return pool_.Unused(); }

private:
    std::size_t StatementStart(std::size_t i) const;
    /// Re-classifies the statements from the one holding line `first` through the
    /// one holding `last`, and on while later roles depended on them. `added`:
    /// the lines first..last are new. Returns true (and bumps the structure
    /// revision) when the structure changed.
    bool Reclassify(std::size_t first, std::size_t last, bool added);
    Eol* LastEol();
    /// Where the hidden lines of erased lines at `at` go: the line above, or the prelude.
    std::vector<RawLine>& HiddenAbove(std::size_t at);
    CodeLine NewLine(std::string_view text, Eol eol);
    /// Puts new lines in before line index `at` and classifies them.
    void PutLines(std::size_t at, std::vector<CodeLine> added);
    void SetText(CodeLine& line, std::string_view text);
    void CompactIfWasteful();

    std::vector<RawLine> prelude_;
    std::vector<CodeLine> lines_;
    std::vector<LineRole> roles_;
    TextPool pool_;
    std::string name_;
    Eol usualEol_ = Eol::CrLf;
    std::uint64_t structureRevision_ = 1;
    std::uint64_t layoutRevision_ = 1;
};

}  // namespace host
