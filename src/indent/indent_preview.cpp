#include <algorithm>

#include "indent/indent.h"

namespace Indent {

namespace {

// The module as the indenter would leave it, without changing it: every line
// the indenter would write differently is noted. The indenter reads each line
// before it writes it and never reads it again, so the lines it reads here are
// the ones it would read in the module itself.
class Preview final : public ide::CodeModule {
public:
    Preview(const ide::CodeModule& m, const std::function<std::string_view(long)>& lineText)
        : m_(m), lineText_(lineText) {}
    std::string Lines(long startLine, long count) const override { return m_.Lines(startLine, count); }
    void InsertLines(long, const std::string&) override { ide::Raise(ide::kInvalidCall); }
    void ReplaceLine(long line, const std::string& text) override {
        if (lineText_(line) == text) return;
        if (!moved.empty() && moved.back().last + 1 == line)
            moved.back().last = line;
        else
            moved.push_back({line, line});
    }
    void DeleteLines(long, long) override { ide::Raise(ide::kInvalidCall); }
    long CountOfLines() const override { return m_.CountOfLines(); }
    long CountOfDeclarationLines() const override { return m_.CountOfDeclarationLines(); }
    long ProcStartLine(const std::string& n, ide::ProcKind k) const override { return m_.ProcStartLine(n, k); }
    long ProcCountLines(const std::string& n, ide::ProcKind k) const override { return m_.ProcCountLines(n, k); }
    long ProcBodyLine(const std::string& n, ide::ProcKind k) const override { return m_.ProcBodyLine(n, k); }
    std::string ProcOfLine(long line, ide::ProcKind& kind) const override { return m_.ProcOfLine(line, kind); }
    ide::ProcLines ProcLinesAt(const std::string& n, ide::ProcKind k, long line) const override {
        return m_.ProcLinesAt(n, k, line);
    }
    bool Find(const std::string& target, long& sl, long& sc, long& el, long& ec, bool w, bool mc,
              bool p) const override {
        return m_.Find(target, sl, sc, el, ec, w, mc, p);
    }

    // The lines it would move, as runs of lines one after another, in the order
    // written, which is the lines' order (a run each, not a number per line,
    // which on a module of millions of lines would be a second module's worth).
    struct Run {
        long first;
        long last;
    };
    std::vector<Run> moved;

private:
    const ide::CodeModule& m_;
    const std::function<std::string_view(long)>& lineText_;
};

}  // namespace

std::vector<PreviewedBlock> PreviewModule(platform::DialogPort& dialogs, const ide::CodeModule& module,
                                          const std::function<std::string_view(long line)>& lineText) {
    Preview preview(module, lineText);
    std::vector<IndentedBlock> blocks = IndentModule(dialogs, preview);
    std::vector<PreviewedBlock> previewed;
    auto moved = preview.moved.begin();
    for (IndentedBlock& b : blocks) {
        moved = std::lower_bound(moved, preview.moved.end(), b.startLine,
                                 [](const Preview::Run& run, long line) { return run.last < line; });
        const long first = moved != preview.moved.end() ? std::max(moved->first, b.startLine) : 0;
        const bool inside = first > 0 && first < b.startLine + b.lineCount;
        previewed.push_back({std::move(b), inside ? first : 0});
    }
    return previewed;
}

}  // namespace Indent
