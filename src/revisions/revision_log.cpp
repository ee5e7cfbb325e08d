#include "revisions/revision_log.h"

#include <optional>

#include "headers/header_text.h"
#include "platform/ascii.h"
#include "platform/clock.h"
#include "platform/encoding.h"
#include "platform/utf8.h"

namespace revisions {

namespace {

constexpr char kCrLf[] = "\r\n";
constexpr char kLogName[] = "REVISION.TXT";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Whether a related document is a revision log: its file name ends in
// "Revision.txt", in any letter case ("OldRevision.TXT" too). A file whose path
// only holds the text ("keep-Revision.txt.orig.sh", a module in a folder named
// "Revision.txt") is another kind of file, and no entry is appended to it.
bool NamedLikeTheLog(std::string_view path) {
    constexpr std::string_view kEnding = "Revision.txt";
    const std::size_t separator = path.find_last_of("\\/");
    const std::string_view name = separator == std::string_view::npos ? path : path.substr(separator + 1);
    return name.size() >= kEnding.size() && platform::EqualsNoCase(name.substr(name.size() - kEnding.size()), kEnding);
}

// The path of the first related document named like the log.
std::optional<std::string> ListedLog(ide::VBProject& project) {
    ide::VBComponents& components = project.VBComponents();
    const long count = components.Count();
    for (long i = 1; i <= count; ++i) {
        ide::VBComponent& component = components.Item(i);
        if (component.Type() != ide::vbext_ct_RelatedDocument) continue;
        const std::string path = component.FileNames(1);
        if (NamedLikeTheLog(path)) return path;
    }
    return std::nullopt;
}

// Writes the old bytes (none for a new file), then `text` in the log's code page.
void Append(platform::FileStore& files, const std::string& path,
            const std::optional<std::string>& old, const std::string& text) {
    const std::string bytes = platform::EncodeText(text, platform::kDefaultEncoding);
    files.Write(path, old.value_or(std::string()) + bytes);
}

}  // namespace

std::string sProjectDir(ide::VBProject& project) {
    const std::string path = project.FileName();
    if (!path.empty()) {
        const std::size_t first = platform::utf8::OffsetOf(path, 1);  // the first character
        for (std::size_t i = path.size(); i > first; --i)
            if (IsSeparator(path[i - 1])) return path.substr(0, i);
    }
    ide::Raise(ide::kInvalidCall);
}

std::string RevisionLogHeading(toolwindow::Penwork& window, ide::VBProject& project) {
    std::string heading = std::string("'") + kCrLf;
    heading += "'\tREVISION.TXT  for " + project.FileName() + kCrLf;
    const std::string created = platform::GeneralDate(platform::Now());
    heading += "'\tCreated: " + created + " - Version: " + headers::ProjectVersion(window) + kCrLf;
    heading += std::string("'") + kCrLf;
    heading += std::string("' Type Number Version   By    Date    Module, Procedure     ") + kCrLf;
    heading += std::string("'-----|------|--------|----|---------|") + std::string(33, '-') + kCrLf;
    return heading;
}

std::string RevisionLogPath(ide::VBProject& project) {
    if (std::optional<std::string> listed = ListedLog(project)) return *listed;
    return sProjectDir(project) + kLogName;
}

void AppendRevisionLog(toolwindow::Penwork& window, const std::string& entry) {
    ide::VBProject& project = ide::RequireActiveVBProject(window.VBE());
    platform::FileStore& files = window.Files();

    if (const std::optional<std::string> listed = ListedLog(project)) {
        Append(files, *listed, files.Read(*listed), entry + kCrLf);
        return;
    }

    const std::string path = sProjectDir(project) + kLogName;
    const std::optional<std::string> old = files.Read(path);
    const std::string heading = old ? std::string() : RevisionLogHeading(window, project);
    const std::string bytes = platform::EncodeText(heading + entry + kCrLf, platform::kDefaultEncoding);
    // The project first: a log that the project cannot take in is not written,
    // so a skipped log target leaves no file behind.
    project.VBComponents().AddFile(path, true);
    files.Write(path, old.value_or(std::string()) + bytes);
}

}  // namespace revisions
