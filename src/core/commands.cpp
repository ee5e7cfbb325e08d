// The window's commands: Insert by header type, Indent, the rights notice and
// Close all. Every failing host step is passed over.
#include <cmath>

#include "ide/attempt.h"
#include "core/penwork_core.h"
#include "errorhandlers/error_handler.h"
#include "headers/comment_block.h"
#include "headers/header_text.h"
#include "headers/proc_header.h"

namespace core {

namespace {

// What the generators get when no code pane has the focus: a module every call
// of which fails as a call on Nothing does, so each generator behaves as its own
// rules say for a failing host.
class NoModule final : public ide::CodeModule {
public:
    std::string Lines(long, long) const override { ide::Raise(ide::kObjectNotSet); }
    void InsertLines(long, const std::string&) override { ide::Raise(ide::kObjectNotSet); }
    void ReplaceLine(long, const std::string&) override { ide::Raise(ide::kObjectNotSet); }
    void DeleteLines(long, long) override { ide::Raise(ide::kObjectNotSet); }
    long CountOfLines() const override { ide::Raise(ide::kObjectNotSet); }
    long CountOfDeclarationLines() const override { ide::Raise(ide::kObjectNotSet); }
    long ProcStartLine(const std::string&, ide::ProcKind) const override { ide::Raise(ide::kObjectNotSet); }
    long ProcCountLines(const std::string&, ide::ProcKind) const override { ide::Raise(ide::kObjectNotSet); }
    long ProcBodyLine(const std::string&, ide::ProcKind) const override { ide::Raise(ide::kObjectNotSet); }
    std::string ProcOfLine(long, ide::ProcKind&) const override { ide::Raise(ide::kObjectNotSet); }
    bool Find(const std::string&, long&, long&, long&, long&, bool, bool, bool) const override {
        ide::Raise(ide::kObjectNotSet);
    }
};

}  // namespace

InsertResult PenworkCore::Insert() {
    InsertResult result;
    {
        platform::BusyCursor busy(dialogs_);
        result.headerType = state_.headerType;
        long startLine = 0;
        ide::Attempt([&] {
            long startColumn = 0, endLine = 0, endColumn = 0;
            ide::RequireActiveCodePane(vbe_).GetSelection(startLine, startColumn, endLine, endColumn);
        });
        NoModule noModule;
        ide::CodeModule* module = &noModule;
        ide::Attempt([&] { module = &ide::RequireActiveCodePane(vbe_).CodeModule(); });

        switch (state_.headerType) {
        case toolwindow::Procedure:
            ide::Attempt([&] { headers::InsertProcHeader(*this, *module, startLine); });
            break;
        case toolwindow::Module: {
            const std::string text =
                headers::ModuleHeader(*this, headers::sModuleName(*this), txtHeader(toolwindow::kModuleDescriptionBox));
            ide::Attempt([&] { module->InsertLines(1, text); });
            break;
        }
        case toolwindow::Revision: {
            // The revision lines are the box's display lines: for the insert it is
            // 1.4 times as wide as the placeholder, and it is put back afterwards.
            const long width = view_.PlaceholderWidth();
            toolwindow::EditableTextBox& box = Box(toolwindow::kRevisionTextBox);
            box.SetWidth(std::lround(static_cast<double>(width) * 1.4));
            ide::Attempt([&] { result.revision = revisions::InsertRevision(*this, *module, startLine); });
            box.SetWidth(width);
            break;
        }
        case toolwindow::Comment:
            ide::Attempt([&] {
                headers::InsertCommentBlock(*module, startLine, txtHeader(toolwindow::kCommentTextBox));
            });
            break;
        case toolwindow::Error:
            ide::Attempt([&] { errorhandlers::InsertErrorHandler(*this, *module, startLine); });
            break;
        default:
            break;
        }
    }
    view_.Focus(kFocusClear);
    return result;
}

std::optional<Indent::IndentedBlock> PenworkCore::IndentProcedure() { return Indent::IndentAtCursor(*this); }

void PenworkCore::InsertRightsNotice() {
    ide::Attempt([&] { headers::InsertRightsNotice(ide::RequireActiveCodePane(vbe_).CodeModule()); });
}

// A window the host refuses to close stays open; the others are still closed.
void PenworkCore::CloseAll() {
    std::vector<ide::Window*> windows;
    ide::Attempt([&] { windows = vbe_.Windows(); });
    for (ide::Window* window : windows) {
        ide::Attempt([&] {
            if (window->Visible() && window->Type() != ide::vbext_wt_ProjectWindow) window->Close();
        });
    }
}

}  // namespace core
