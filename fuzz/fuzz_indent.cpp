// The indenter: indenting twice gives what indenting once gave; it moves only
// the blanks around lines; the module still loads with the same
// procedures. A refusal (no procedure at the cursor) changes nothing.
#include "fuzz_support.h"

#include "indent/indent.h"

namespace {

// The indenter's trimmed text: only blanks count, a tab is part of the text.
std::string_view Trimmed(std::string_view line) {
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    return line;
}

void CheckOnlyIndentMoved(const host::SourceModule& before, const host::SourceModule& after) {
    fuzz::Require(before.CountOfLines() == after.CountOfLines(), "indenting keeps the number of lines");
    for (long line = 1; line <= before.CountOfLines(); ++line)
        fuzz::Require(Trimmed(before.Lines(line, 1)) == Trimmed(after.Lines(line, 1)),
                      "indenting changes only the blanks around a line");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    std::optional<host::ModuleFile> file = fuzz::LoadModule(input.Module());
    if (!file) return 0;
    const host::SourceModule original(file->module.Text());
    const auto names = fuzz::Names(file->module);
    fuzz::RecordingDialogs dialogs;

    if (input.Flag()) {
        // The Indent button: the procedure part at the cursor.
        const long line = input.Line(file->module.CountOfLines());
        fuzz::Stage stage(*file, line);
        const std::string before = file->module.Text();
        if (!Indent::IndentAtCursor(stage.window)) {
            fuzz::Require(file->module.Text() == before, "a refused indent changes nothing");
            return 0;
        }
        const std::string once = file->module.Text();
        fuzz::Require(Indent::IndentAtCursor(stage.window).has_value(), "the cursor's procedure is found again");
        fuzz::Require(file->module.Text() == once, "indenting twice equals indenting once");
    } else {
        Indent::IndentModule(dialogs, file->module);
        const std::string once = file->module.Text();
        Indent::IndentModule(dialogs, file->module);
        fuzz::Require(file->module.Text() == once, "indenting twice equals indenting once");
    }
    CheckOnlyIndentMoved(original, file->module);
    fuzz::CheckStillLoads(*file);
    fuzz::Require(fuzz::Names(file->module) == names, "indenting keeps every procedure");
    return 0;
}
