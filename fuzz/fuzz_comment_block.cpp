// The comment block at a random line with a random text.
#include "fuzz_support.h"

#include "ide/attempt.h"
#include "headers/comment_block.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    std::optional<host::ModuleFile> file = fuzz::LoadModule(input.Module());
    if (!file) return 0;
    const long line = input.Line(file->module.CountOfLines());
    toolwindow::PlainTextBox box(input.Text());
    const fuzz::Before before(file->module);

    // A line outside the module is the host's error, which the command passes over.
    const bool inserted = ide::Attempt([&] { headers::InsertCommentBlock(file->module, line, box); });
    fuzz::CheckCommand(*file, before, !inserted);
    return 0;
}
