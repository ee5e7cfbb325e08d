// The procedure header at a random line with random field texts.
#include "fuzz_support.h"

#include "headers/proc_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    std::optional<host::ModuleFile> file = fuzz::LoadModule(input.Module());
    if (!file) return 0;
    const long line = input.Line(file->module.CountOfLines());
    fuzz::Stage stage(*file, line, input.Text());
    fuzz::FillFields(input, stage.window);
    const std::string before = file->module.Text();
    const auto names = fuzz::Names(file->module);

    headers::InsertProcHeader(stage.window, file->module, line);
    const bool refused = !stage.dialogs.titles.empty() && stage.dialogs.titles.back() == "No Procedure Selected";
    fuzz::CheckCommand(*file, before, names, refused);
    return 0;
}
