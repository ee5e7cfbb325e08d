// Module load and save: any bytes that load save back to exactly those bytes,
// and the loaded module's index answers consistently.
#include "fuzz_support.h"

namespace {
constexpr const char* kEncodings[] = {"", "utf-8", "windows-1252", "iso-8859-1", "shift_jis"};
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const char* encoding = kEncodings[input.Number(std::size(kEncodings) - 1)];
    std::optional<host::ModuleFile> file = fuzz::LoadModule(input.Module(), encoding, false);
    if (!file) return 0;
    fuzz::Require(file->Bytes() == input.Module(), "load then save gives the same bytes");
    fuzz::Require(!file->Changed(), "a module just loaded is unchanged");
    fuzz::CheckIndex(file->module);
    (void)file->Name();
    return 0;
}
