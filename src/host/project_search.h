// Which project a module belongs to when none is named: the nearest folder,
// from the module's own upwards, holding a project file that lists it.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace host {

/// The .vbp files of a folder, by name (full paths).
std::vector<std::string> ProjectFilesIn(const std::string& folder);

/// The projects of the nearest folder, from the module's own upwards, with any
/// that `lists` the module, by name; empty when no folder has one.
/// `projectsIn(folder)` gives a folder's project files, as ProjectFilesIn does.
std::vector<std::string> NearestListingProjects(
    const std::string& modulePath, const std::function<const std::vector<std::string>&(const std::string&)>& projectsIn,
    const std::function<bool(const std::string& vbp)>& lists);

}  // namespace host
