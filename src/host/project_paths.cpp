#include "host/project_paths.h"

#include <algorithm>
#include <filesystem>

#include "ide/vb_text.h"
#include "platform/ascii.h"

namespace host {

namespace {

std::string Slashes(std::string_view path) {
    std::string s(path);
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

// A path as the project file writes it: blanks and tabs around it, maybe quoted.
std::string_view Unquoted(std::string_view s) {
    s = ide::TrimBlanks(s);
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
    return s;
}

}  // namespace

std::string ResolveProjectPath(const std::string& projectFolder, std::string_view written) {
    return ResolvePath(projectFolder, Unquoted(written));
}

std::string ResolvePath(const std::string& projectFolder, std::string_view given) {
    std::filesystem::path path(Slashes(given));
    if (path.is_relative()) path = std::filesystem::path(Slashes(projectFolder)) / path;
    std::string resolved = path.lexically_normal().generic_string();
    if (resolved.size() > 1 && resolved.back() == '/') resolved.pop_back();
    return resolved;
}

std::string ProjectRelativePath(const std::string& projectFolder, const std::string& absolute) {
    std::filesystem::path relative =
        std::filesystem::path(Slashes(absolute)).lexically_relative(Slashes(projectFolder));
    std::string written = relative.empty() ? Slashes(absolute) : relative.generic_string();
    std::replace(written.begin(), written.end(), '/', '\\');
    return written;
}

std::string PathKey(const std::string& absolute) {
    return platform::AsciiLowered(std::filesystem::path(Slashes(absolute)).lexically_normal().generic_string());
}

std::string FileStem(const std::string& path) {
    return std::filesystem::path(Slashes(path)).stem().string();
}

std::string FileExtension(const std::string& path) {
    return platform::AsciiLowered(std::filesystem::path(Slashes(path)).extension().string());
}

}  // namespace host
