// The rights notice at the top of any module.
#include "fuzz_support.h"

#include "headers/comment_block.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    std::optional<host::ModuleFile> file = fuzz::LoadModule(input.Module());
    if (!file) return 0;
    const std::string before = file->module.Text();
    const auto names = fuzz::Names(file->module);

    headers::InsertRightsNotice(file->module);
    fuzz::CheckCommand(*file, before, names, false);
    return 0;
}
