// The procedure header at a random line with random field texts.
#include "fuzz_support.h"

#include "headers/proc_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    std::optional<host::ModuleFile> file = fuzz::LoadModule(input.Module());
    if (!file) return 0;
    fuzz::Stage stage(*file, input, true);
    const fuzz::Before before(file->module);

    headers::InsertProcHeader(stage.window, file->module, stage.line);
    const bool refused = !stage.dialogs.titles.empty() && stage.dialogs.titles.back() == "No Procedure Selected";
    fuzz::CheckCommand(*file, before, refused);
    return 0;
}
