// Error handling at a random line, of a random kind, with a random template.
#include "fuzz_support.h"

#include "errorhandlers/error_handler.h"
#include "ide/vb_text.h"
#include "host/line_scanner.h"

namespace {

// Whether a custom template holds a procedure's declaration, End line or
// conditional compilation of its own, a line continued onto the next, or an
// attribute line (hidden once the module is read again): then the procedures
// may change by design.
bool DeclaresAnything(const std::string& text) {
    for (const std::string_view line : ide::SplitLines(text)) {
        if (ide::ContinuesOnNextLine(line) || host::IsAttributeLine(line)) return true;
        const host::LineKind kind = host::ClassifyStatement(line).kind;
        if (kind != host::LineKind::Code && kind != host::LineKind::Blank && kind != host::LineKind::Comment)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    std::optional<host::ModuleFile> file = fuzz::LoadModule(input.Module());
    if (!file) return 0;
    fuzz::Stage stage(*file, input, false);
    const fuzz::Before before(file->module);

    const bool written = errorhandlers::InsertErrorHandler(stage.window, file->module, stage.line);
    const bool custom = stage.window.handlerKind == toolwindow::Custom;
    fuzz::CheckCommand(*file, before, !written,
                       custom && DeclaresAnything(stage.window.txtHeader(toolwindow::kHandlerTemplateBox).Text()));
    return 0;
}
