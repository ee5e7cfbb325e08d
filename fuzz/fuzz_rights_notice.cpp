// The rights notice at the top of any module.
#include "fuzz_support.h"

#include "headers/comment_block.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    std::optional<host::ModuleFile> file = fuzz::LoadModule(input.Module());
    if (!file) return 0;
    const fuzz::Before before(file->module);

    headers::InsertRightsNotice(file->module);
    fuzz::CheckCommand(*file, before, false);
    return 0;
}
