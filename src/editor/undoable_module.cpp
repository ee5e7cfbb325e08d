#include "editor/undoable_module.h"

#include <algorithm>
#include <utility>

namespace editor {

namespace {

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

}  // namespace

void UndoableModule::InsertLines(long line, const std::string& text) {
    const long before = source_.CountOfLines();
    source_.InsertLines(line, text);
    Record({line, {}, source_.CountOfLines() - before});
}

void UndoableModule::ReplaceLine(long line, const std::string& text) {
    std::string old = source_.Lines(line, 1);
    const long before = source_.CountOfLines();
    source_.ReplaceLine(line, text);
    Record({line, {std::move(old)}, source_.CountOfLines() - before + 1});
}

void UndoableModule::DeleteLines(long startLine, long count) {
    if (count <= 0 || startLine < 1 || startLine > source_.CountOfLines()) {
        source_.DeleteLines(startLine, count);  // fails as the host fails, or does nothing
        return;
    }
    std::vector<std::string> old;
    const long last = std::min(source_.CountOfLines(), startLine + count - 1);
    old.reserve(static_cast<std::size_t>(last - startLine + 1));
    for (long l = startLine; l <= last; ++l) old.push_back(source_.Lines(l, 1));
    source_.DeleteLines(startLine, count);
    Record({startLine, std::move(old), 0});
}

void UndoableModule::Record(Edit edit) {
    if (reverting_) {
        target_->back().edits.push_back(std::move(edit));
        return;
    }
    redo_.clear();
    if (!open_ || undo_.empty()) {
        undo_.push_back({nextId_++, {}});
        open_ = true;
    }
    undo_.back().edits.push_back(std::move(edit));
}

void UndoableModule::EndStep() { open_ = false; }

long UndoableModule::Revert(Step step, std::vector<Step>& into) {
    open_ = false;
    into.push_back({nextId_++, {}});
    reverting_ = true;
    target_ = &into;
    long first = 0;
    try {
        for (auto it = step.edits.rbegin(); it != step.edits.rend(); ++it) {
            const Edit& e = *it;
            if (e.removed.empty()) {
                DeleteLines(e.line, e.inserted);
            } else if (e.inserted == 0) {
                InsertLines(e.line, JoinLines(e.removed));
            } else {
                // The replacement's later lines go first; their hidden lines
                // return to the first, which then takes back its old text.
                if (e.inserted > 1) DeleteLines(e.line + 1, e.inserted - 1);
                ReplaceLine(e.line, JoinLines(e.removed));
            }
            first = e.line;
        }
    } catch (...) {
        reverting_ = false;
        throw;
    }
    reverting_ = false;
    // Undo and redo hand a step's id back and forth: a redone step gives the
    // text the state it had when the step was first made.
    into.back().id = step.id;
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
