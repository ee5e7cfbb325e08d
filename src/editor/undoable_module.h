// A module as the editor and its add-ins change it: every edit goes through to
// the host's SourceModule (the one copy of the text) and is recorded, so that
// whatever one user action changed, a keystroke or a whole add-in command, is
// taken back by one undo.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ide/ide.h"
#include "host/source_module.h"

namespace editor {

class UndoableModule final : public ide::CodeModule {
public:
    explicit UndoableModule(host::SourceModule& source) : source_(source) {}

    host::SourceModule& Source() { return source_; }
    const host::SourceModule& Source() const { return source_; }

    // ide::CodeModule: reads go to the source; edits are recorded into the
    // current undo step.
    std::string Lines(long startLine, long count) const override { return source_.Lines(startLine, count); }
    void InsertLines(long line, const std::string& text) override;
    void ReplaceLine(long line, const std::string& text) override;
    void DeleteLines(long startLine, long count) override;
    long CountOfLines() const override { return source_.CountOfLines(); }
    long CountOfDeclarationLines() const override { return source_.CountOfDeclarationLines(); }
    long ProcStartLine(const std::string& name, ide::ProcKind kind) const override {
        return source_.ProcStartLine(name, kind);
    }
    long ProcCountLines(const std::string& name, ide::ProcKind kind) const override {
        return source_.ProcCountLines(name, kind);
    }
    long ProcBodyLine(const std::string& name, ide::ProcKind kind) const override {
        return source_.ProcBodyLine(name, kind);
    }
    std::string ProcOfLine(long line, ide::ProcKind& kind) const override { return source_.ProcOfLine(line, kind); }
    ide::ProcLines ProcLinesAt(const std::string& name, ide::ProcKind kind, long line) const override {
        return source_.ProcLinesAt(name, kind, line);
    }
    bool Find(const std::string& target, long& startLine, long& startColumn, long& endLine, long& endColumn,
              bool wholeWord, bool matchCase, bool patternSearch) const override {
        return source_.Find(target, startLine, startColumn, endLine, endColumn, wholeWord, matchCase,
                            patternSearch);
    }

    /// Ends the current undo step: the next edit starts a new one. Edits made
    /// before this call are undone together.
    void EndStep();
    /// Lets the next edits join the last undo step (typing that runs on), as a
    /// new state of the text.
    void ContinueStep();
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    /// Takes back the last step; returns the first line it touched (0 when there
    /// was nothing to undo).
    long Undo();
    long Redo();

    /// Identifies the text's state by its place in the undo history: equal ids
    /// mean equal bytes (undo and redo give back exactly what was there). Saving remembers it, so the modified mark follows undo.
    std::uint64_t StateId() const { return undo_.empty() ? 0 : undo_.back().id; }

private:
    /// One edit at `line`: `inserted` lines put in, or the lines cut. After a
    /// ReplaceLine, `replaced` is the line's old text; the last of the inserted
    /// lines is that line, with its own line end and hidden lines.
    struct Edit {
        long line = 0;
        long inserted = 0;
        std::optional<std::string> replaced;
        host::CutLines cut;
    };
    struct Step {
        std::uint64_t id = 0;
        std::vector<Edit> edits;
    };
    /// Runs `make`, which edits the source and returns what the edit took
    /// away (nullopt when nothing changed), and records it.
    template <class MakeEdit>
    void Record(MakeEdit make);
    /// Puts back what DeleteLines cut.
    void Restore(const host::CutLines& cut);
    /// Puts back what a step's edits took away, last edit first, recording the
    /// opposite step into `into`.
    long Revert(Step step, std::vector<Step>& into);

    host::SourceModule& source_;
    std::vector<Step> undo_;
    std::vector<Step> redo_;
    bool open_ = false;         // the last undo step takes further edits
    bool reverting_ = false;
    std::vector<Step>* target_ = nullptr;  // where a revert records
    std::uint64_t nextId_ = 1;
};

}  // namespace editor
