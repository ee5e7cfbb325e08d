// The line scanner and the procedure index, kept up to date through edits: after
// any series of insertions, replacements and deletions the index equals the one
// built afresh from the module's text.
#include "fuzz_support.h"

#include "ide/attempt.h"
#include "ide/vb_text.h"
#include "host/line_scanner.h"
#include "platform/encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::string text = platform::DecodeText(input.Module(), platform::kDefaultEncoding);
    host::SourceModule module(text);
    fuzz::Require(module.Text() == text, "a module's text is the text it was made from");
    fuzz::CheckIndex(module);

    // Text that the code window shows as an attribute line stays a code line
    // until the module is saved; read again, it is hidden. So are lines typed
    // below a designer block that never ends, which hides the rest of the file.
    // After such an edit the index is checked only for agreeing with itself.
    bool attributeTyped = false;
    auto typed = [&attributeTyped](std::string text) {
        for (const std::string_view line : ide::SplitLines(text))
            attributeTyped = attributeTyped || host::IsAttributeLine(line);
        return text;
    };
    for (int edit = input.Number(7); edit > 0; --edit) {
        const long count = module.CountOfLines();
        const long line = input.Line(count);
        switch (input.Number(3)) {
        case 0: ide::Attempt([&] { module.InsertLines(line, typed(input.Text())); }); break;
        case 1: ide::Attempt([&] { module.ReplaceLine(line, typed(input.Text())); }); break;
        case 2: ide::Attempt([&] { module.DeleteLines(line, static_cast<long>(input.Number(4))); }); break;
        default: {
            const std::string target = input.Text();
            long startLine = line, startColumn = 1 + static_cast<long>(input.Number(20)), endLine = -1,
                 endColumn = -1;
            const bool wholeWord = input.Flag(), matchCase = input.Flag();
            bool found = false;
            ide::Attempt([&] {
                found = module.Find(target, startLine, startColumn, endLine, endColumn, wholeWord, matchCase, false);
            });
            if (found) {
                fuzz::Require(startLine >= 1 && startLine <= endLine && endLine <= count,
                              "a match lies within the module");
            }
        }
        }
        fuzz::CheckIndex(module);
        const std::string edited = module.Text();
        const long hiddenAbove = module.CountOfLines() == 0 ? module.CountOfFileLines() : module.FileLineOfCodeLine(1) - 1;
        attributeTyped = attributeTyped || static_cast<long>(host::PreludeLength(edited)) != hiddenAbove;
        if (attributeTyped) continue;
        host::SourceModule fresh(edited);
        fuzz::Require(fuzz::PartsOf(fresh) == fuzz::PartsOf(module), "the edited index equals a fresh one");
        fuzz::Require(fresh.CountOfDeclarationLines() == module.CountOfDeclarationLines(),
                      "the edited declarations section equals a fresh one");
    }
    return 0;
}
