// The module header at line 1 with random field texts and project file.
#include "fuzz_support.h"

#include "headers/header_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    std::optional<host::ModuleFile> file = fuzz::LoadModule(input.Module());
    if (!file) return 0;
    fuzz::Stage stage(*file, 1, input.Text());
    fuzz::FillFields(input, stage.window);
    const fuzz::Before before(file->module);

    const std::string text = headers::ModuleHeader(stage.window, headers::sModuleName(stage.window),
                                                   stage.window.txtHeader(toolwindow::kModuleDescriptionBox));
    file->module.InsertLines(1, text);
    fuzz::CheckCommand(*file, before, false);
    return 0;
}
