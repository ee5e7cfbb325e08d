// Paths as a VB project file holds them: relative to the project, with "\" or "/"
// between folders.
#pragma once

#include <string>
#include <string_view>

#include "platform/files.h"

namespace host {

using platform::FolderOf;
/// A path from the project file made absolute with "/" separators: relative
/// paths are taken from `projectFolder`; "." and ".." are resolved.
std::string ResolveProjectPath(const std::string& projectFolder, std::string_view written);
/// The same for a path that is not read from the project file: taken as it
/// stands, blanks and quotes included.
std::string ResolvePath(const std::string& projectFolder, std::string_view path);
/// The path as the project file writes it: relative to `projectFolder` when it
/// can be, with "\" separators.
std::string ProjectRelativePath(const std::string& projectFolder, const std::string& absolute);
/// Two paths name the same file when their keys are equal (letter case ignored,
/// as on the system the projects come from).
std::string PathKey(const std::string& absolute);
/// The file name without folder and extension.
std::string FileStem(const std::string& path);
/// The extension in lower case, with its dot (".bas").
std::string FileExtension(const std::string& path);

}  // namespace host
