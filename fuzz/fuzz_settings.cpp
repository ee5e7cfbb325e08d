// The settings reader: any settings file reads; a value saved reads back
// exactly as given, and leaves the other keys as they were.
#include "fuzz_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/settings.h"

namespace {
std::string g_file;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/tmp/quillmark-fuzz-settings-XXXXXX";
    if (mkdtemp(folder) == nullptr) return 1;
    setenv("XDG_CONFIG_HOME", folder, 1);
    g_file = platform::UserSettings::FileOf(platform::settings::kToolWindowApp);
    std::filesystem::create_directories(std::filesystem::path(g_file).parent_path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    std::ofstream(g_file, std::ios::binary | std::ios::trunc) << input.Module();

    platform::UserSettings settings;
    const auto& keys = platform::settings::All();
    std::vector<std::string> values;
    for (const platform::SettingKey& key : keys) values.push_back(settings.Get(key));

    const std::size_t k = input.Number(static_cast<std::uint32_t>(keys.size() - 1));
    if (std::string(keys[k].app) != platform::settings::kToolWindowApp) return 0;
    const std::string value = input.Text();
    try {
        settings.Save(keys[k], value);
    } catch (const platform::FileError&) {
        // A file the store cannot read back is not overwritten.
        std::ifstream in(g_file, std::ios::binary);
        const std::string now{std::istreambuf_iterator<char>(in), {}};
        fuzz::Require(now == input.Module(), "a refused save leaves the file identical");
        return 0;
    }
    fuzz::Require(settings.Get(keys[k]) == value, "a saved value reads back exactly");
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (i != k) fuzz::Require(settings.Get(keys[i]) == values[i], "saving one key leaves the others");
    return 0;
}
