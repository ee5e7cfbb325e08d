#include "vb_corpus.h"

#include "host/module_file.h"

#include <algorithm>
#include <cstdlib>

namespace bench {

std::optional<std::vector<std::string>> CorpusPaths() {
    const char* folder = std::getenv("QUILLMARK_CORPUS");
    if (folder == nullptr || *folder == '\0') return std::nullopt;
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && host::IsModuleFileName(entry.path().string())) paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

}  // namespace bench
