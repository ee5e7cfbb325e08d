#include "host/project_search.h"

#include <algorithm>
#include <filesystem>

#include "host/project_paths.h"

namespace host {

namespace fs = std::filesystem;

std::vector<std::string> ProjectFilesIn(const std::string& folder) {
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        std::error_code typeError;
        if (FileExtension(entry.path().string()) == ".vbp" && entry.is_regular_file(typeError))
            found.push_back(entry.path().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<std::string> NearestListingProjects(
    const std::string& modulePath, const std::function<const std::vector<std::string>&(const std::string&)>& projectsIn,
    const std::function<bool(const std::string& vbp)>& lists) {
    for (fs::path folder = fs::path(modulePath).parent_path();; folder = folder.parent_path()) {
        std::vector<std::string> listing;
        for (const std::string& vbp : projectsIn(folder.string()))
            if (lists(vbp)) listing.push_back(vbp);
        if (!listing.empty()) return listing;
        if (folder == folder.root_path() || folder.parent_path() == folder) return {};
    }
}

}  // namespace host
