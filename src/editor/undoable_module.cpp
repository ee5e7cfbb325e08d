#include "editor/undoable_module.h"

#include <utility>

namespace editor {

template <class MakeEdit>
void UndoableModule::Record(MakeEdit make) {
    if (reverting_) {
        if (std::optional<Edit> edit = make()) target_->back().edits.push_back(std::move(*edit));
        return;
    }
    // The step stands before the source changes, so that whoever hears of the
    // change sees the text's new state.
    const bool opens = !open_ || undo_.empty();
    if (opens) undo_.push_back({nextId_++, {}});
    std::optional<Edit> edit;
    try {
        edit = make();
    } catch (...) {
        if (opens) undo_.pop_back();
        throw;
    }
    if (!edit) {
        if (opens) undo_.pop_back();
        return;
    }
    open_ = true;
    redo_.clear();
    undo_.back().edits.push_back(std::move(*edit));
}

void UndoableModule::InsertLines(long line, const std::string& text) {
    Record([&]() -> std::optional<Edit> {
        const long before = source_.CountOfLines();
        source_.InsertLines(line, text);
        return Edit{line, source_.CountOfLines() - before, std::nullopt, {}};
    });
}

void UndoableModule::ReplaceLine(long line, const std::string& text) {
    Record([&]() -> std::optional<Edit> {
        std::string old = source_.Lines(line, 1);
        const long before = source_.CountOfLines();
        source_.ReplaceLine(line, text);
        return Edit{line, source_.CountOfLines() - before + 1, std::move(old), {}};
    });
}

void UndoableModule::DeleteLines(long startLine, long count) {
    Record([&]() -> std::optional<Edit> {
        host::CutLines cut = source_.Cut(startLine, count);
        if (cut.Count() == 0) return std::nullopt;
        return Edit{startLine, 0, std::nullopt, std::move(cut)};
    });
}

void UndoableModule::Restore(const host::CutLines& cut) {
    Record([&]() -> std::optional<Edit> {
        source_.Restore(cut);
        return Edit{cut.Line(), cut.Count(), std::nullopt, {}};
    });
}

void UndoableModule::EndStep() { open_ = false; }

void UndoableModule::ContinueStep() {
    if (undo_.empty()) return;
    undo_.back().id = nextId_++;
    open_ = true;
}

long UndoableModule::Revert(Step step, std::vector<Step>& into) {
    open_ = false;
    // Undo and redo hand a step's id back and forth: a redone step gives the
    // text the state it had when the step was first made.
    into.push_back({step.id, {}});
    reverting_ = true;
    target_ = &into;
    long first = 0;
    try {
        for (auto it = step.edits.rbegin(); it != step.edits.rend(); ++it) {
            const Edit& e = *it;
            if (e.cut.Count() > 0) {
                Restore(e.cut);
            } else if (!e.replaced) {
                DeleteLines(e.line, e.inserted);
            } else {
                // The replacement's last line is the old line: the lines before
                // it go, and it takes back its old text.
                if (e.inserted > 1) DeleteLines(e.line, e.inserted - 1);
                ReplaceLine(e.line, *e.replaced);
            }
            first = e.line;
        }
    } catch (...) {
        reverting_ = false;
        into.back().id = nextId_++;  // a state of its own
        throw;
    }
    reverting_ = false;
    return first;
}

long UndoableModule::Undo() {
    if (undo_.empty()) return 0;
    Step step = std::move(undo_.back());
    undo_.pop_back();
    return Revert(std::move(step), redo_);
}

long UndoableModule::Redo() {
    if (redo_.empty()) return 0;
    Step step = std::move(redo_.back());
    redo_.pop_back();
    return Revert(std::move(step), undo_);
}

}  // namespace editor
