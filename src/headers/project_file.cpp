// The project's version and copyright, read from the active project's file.
#include <optional>
#include <string_view>

#include "ide/attempt.h"
#include "ide/vb_text.h"
#include "headers/header_text.h"
#include "platform/encoding.h"
#include "platform/vbruntime.h"

namespace headers {

namespace {

// What a missing, unreadable or incomplete project file gives as its version.
constexpr char kFallbackVersion[] = "1.0.0000";

enum class Source { NoProject, Unreadable, Read };

// The active project's file as read once: where it came from and its text.
struct ProjectText {
    Source source = Source::NoProject;
    std::string text;
};

// Reads the active project's file afresh. A project whose file name cannot be
// asked for is NoProject; a file that cannot be opened or read is Unreadable.
ProjectText ReadProjectFile(toolwindow::Penwork& window) {
    ProjectText result;
    std::string path;
    if (!ide::Attempt([&] { path = ide::RequireActiveVBProject(window.VBE()).FileName(); }))
        return result;
    result.source = Source::Unreadable;
    if (path.empty()) return result;  // a project never saved has no file to read
    std::optional<std::string> bytes;
    if (!ide::Attempt([&] { bytes = window.Files().Read(path); }) || !bytes) return result;
    if (!ide::Attempt([&] { result.text = platform::DecodeText(*bytes, platform::kDefaultEncoding); }))
        return result;
    result.source = Source::Read;
    return result;
}

std::string VersionOf(const ProjectText& file) {
    if (file.source == Source::NoProject) return {};
    if (file.source == Source::Unreadable) return kFallbackVersion;

    // Later lines with the same key win; every key line counts, repeats included.
    std::string major, minor;
    double revision = 0;
    int keyLines = 0;
    for (const std::string_view s : ide::SplitLines(file.text)) {
        if (s.starts_with("RevisionVer=")) {
            revision = platform::Val(s.substr(12));
        } else if (s.starts_with("MajorVer=")) {
            major = s.substr(9);
        } else if (s.starts_with("MinorVer=")) {
            minor = s.substr(9);
        } else {
            continue;
        }
        ++keyLines;
    }
    if (keyLines < 3) return kFallbackVersion;
    return major + "." + minor + "." + platform::Format(revision, "0000");
}

std::string CopyrightOf(const ProjectText& file) {
    static constexpr std::string_view kKey = "VersionLegalCopyright=";
    for (const std::string_view line : ide::SplitLines(file.text)) {
        if (!line.starts_with(kKey)) continue;
        // The stored value stands in double quotes: drop its first and last character.
        const std::string value(line.substr(kKey.size()));
        const long length = platform::Len(value);
        if (length < 2) return {};
        return platform::Mid(value, 2, length - 2);
    }
    return {};
}

}  // namespace

std::string ProjectVersion(toolwindow::Penwork& window) { return VersionOf(ReadProjectFile(window)); }

ProjectFacts ReadProjectFacts(toolwindow::Penwork& window) {
    const ProjectText file = ReadProjectFile(window);
    return {VersionOf(file), CopyrightOf(file)};
}

}  // namespace headers
