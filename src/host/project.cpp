#include "host/project.h"

#include <memory>

#include "host/line_scanner.h"
#include "host/project_paths.h"
#include "platform/encoding.h"

namespace host {

namespace {

// The code page a project file is written in.
constexpr const char* kProjectEncoding = platform::kDefaultEncoding;

struct ComponentKey {
    std::string_view key;
    int type;
    bool named;  // "Key=Name; path" rather than "Key=path"
};

constexpr ComponentKey kComponentKeys[] = {
    {"Module", ide::vbext_ct_StdModule, true},
    {"Class", ide::vbext_ct_ClassModule, true},
    {"Form", ide::vbext_ct_VBForm, false},
    {"UserControl", 8, false},   // vbext_ct_UserControl
    {"PropertyPage", 6, false},  // vbext_ct_PropPage
    {"Designer", 11, false},     // vbext_ct_ActiveXDesigner
    {"RelatedDoc", ide::vbext_ct_RelatedDocument, false},
};

/// The component key of a project line ("Module" for "Module=A; A.bas"), or null.
const ComponentKey* KeyOf(std::string_view line, std::string_view& value) {
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return nullptr;
    std::string_view key = line.substr(0, eq);
    for (const ComponentKey& k : kComponentKeys) {
        if (EqualsNoCase(key, k.key)) {
            value = line.substr(eq + 1);
            return &k;
        }
    }
    return nullptr;
}

class Component final : public ide::VBComponent {
public:
    Component(std::string name, int type, std::string path)
        : name_(std::move(name)), type_(type), path_(std::move(path)), key_(PathKey(path_)) {}
    std::string Name() const override { return name_; }
    int Type() const override { return type_; }
    std::string FileNames(int index) const override {
        if (index != 1) ide::Raise(ide::kSubscriptOutOfRange);
        return path_;
    }
    const std::string& Path() const { return path_; }
    /// The path as lookups compare it (PathKey), made once.
    const std::string& Key() const { return key_; }

private:
    std::string name_;
    int type_;
    std::string path_;
    std::string key_;
};

}  // namespace

struct Project::Impl final : public ide::VBComponents {
    std::string path;
    std::string folder;
    std::vector<RawLine> lines;
    Eol usualEol = Eol::CrLf;
    bool changed = false;
    std::string originalBytes;
    std::vector<std::unique_ptr<Component>> components;

    long Count() const override { return static_cast<long>(components.size()); }

    ide::VBComponent& Item(long index) override {
        if (index < 1 || index > Count()) ide::Raise(ide::kSubscriptOutOfRange);
        return *components[static_cast<std::size_t>(index - 1)];
    }

    ide::VBComponent& AddFile(const std::string& file, bool relatedDocument) override;

    Component* Listed(const std::string& absolute) const {
        const std::string key = PathKey(absolute);
        for (const auto& c : components)
            if (c->Key() == key) return c.get();
        return nullptr;
    }

    void AddComponent(const ComponentKey& key, std::string_view value) {
        std::string name;
        if (key.named) {
            std::size_t semicolon = value.find(';');
            if (semicolon == std::string_view::npos) return;
            name = std::string(ide::TrimBlanks(value.substr(0, semicolon)));
            value = value.substr(semicolon + 1);
        }
        std::string absolute = ResolveProjectPath(folder, value);
        if (name.empty()) name = FileStem(absolute);
        components.push_back(std::make_unique<Component>(std::move(name), key.type, std::move(absolute)));
    }
};

ide::VBComponent& Project::Impl::AddFile(const std::string& file, bool relatedDocument) {
    const std::string absolute = ResolveProjectPath(folder, file);
    if (Component* existing = Listed(absolute)) return *existing;

    const ComponentKey* key = &kComponentKeys[std::size(kComponentKeys) - 1];
    if (!relatedDocument) {
        static constexpr std::pair<std::string_view, std::string_view> kByExtension[] = {
            {".bas", "Module"}, {".cls", "Class"},        {".frm", "Form"},
            {".ctl", "UserControl"}, {".pag", "PropertyPage"}, {".dsr", "Designer"}};
        key = nullptr;
        for (const auto& [extension, keyName] : kByExtension)
            if (FileExtension(absolute) == extension)
                for (const ComponentKey& k : kComponentKeys)
                    if (k.key == keyName) key = &k;
        if (key == nullptr) ide::Raise(ide::kInvalidCall);
    }
    std::string value = ProjectRelativePath(folder, absolute);
    if (key->named) value = FileStem(absolute) + "; " + value;
    std::string text = std::string(key->key) + "=" + value;
    // A line break in the path (a folder may be named so) would split the line
    // and put lines of its own into the project.
    if (text.find_first_of("\r\n") != std::string::npos)
        throw ide::HostError(ide::kInvalidCall, "The path " + absolute +
                                                    " holds a line break and cannot be written into the project file");
    try {
        platform::EncodeText(text, kProjectEncoding);
    } catch (const platform::EncodingError& e) {
        throw ide::HostError(ide::kInvalidCall, "The path " + absolute +
                                                    " cannot be written into the project file: " +
                                                    e.what());
    }

    // The new line goes after the last component line, or at the end.
    std::size_t at = lines.size();
    for (std::size_t i = lines.size(); i > 0; --i) {
        std::string_view ignored;
        if (KeyOf(lines[i - 1].text, ignored) != nullptr) {
            at = i;
            break;
        }
    }
    RawLine line{text, usualEol};
    if (at == lines.size() && !lines.empty() && lines.back().eol == Eol::None) {
        lines.back().eol = usualEol;
        line.eol = Eol::None;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    changed = true;
    AddComponent(*key, value);
    return *components.back();
}

Project::Project(const std::string& path, platform::FileStore& files) : impl_(std::make_unique<Impl>()) {
    std::optional<std::string> bytes = files.Read(path);
    if (!bytes)
        throw platform::FileError(platform::kFileNotFound, path,
                                  "Cannot open the project " + path + ": there is no such file.");
    impl_->path = path;
    impl_->folder = FolderOf(path);
    impl_->originalBytes = *bytes;
    impl_->lines = SplitFileLines(platform::DecodeText(*bytes, kProjectEncoding));
    std::size_t crlf = 0, other = 0;
    for (const RawLine& line : impl_->lines) {
        crlf += line.eol == Eol::CrLf;
        other += line.eol == Eol::Lf;
    }
    impl_->usualEol = other > crlf ? Eol::Lf : Eol::CrLf;
    for (const RawLine& line : impl_->lines) {
        std::string_view value;
        if (const ComponentKey* key = KeyOf(line.text, value)) impl_->AddComponent(*key, value);
    }
}

Project::~Project() = default;

std::string Project::FileName() const { return impl_->path; }

ide::VBComponents& Project::VBComponents() { return *impl_; }

std::string Project::Name() const {
    for (const RawLine& line : impl_->lines) {
        std::string_view s = line.text;
        if (s.size() > 5 && EqualsNoCase(s.substr(0, 5), "Name=")) {
            s = ide::TrimBlanks(s.substr(5));
            if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
            return std::string(s);
        }
    }
    return FileStem(impl_->path);
}

std::vector<std::string> Project::ModulePaths() const {
    std::vector<std::string> paths;
    for (const auto& c : impl_->components)
        if (c->Type() != ide::vbext_ct_RelatedDocument) paths.push_back(c->Path());
    return paths;
}

bool Project::Lists(const std::string& modulePath) const {
    // A path on disk, not one written in the project: a blank or quote at its
    // end belongs to the name.
    return impl_->Listed(ResolvePath(impl_->folder, modulePath)) != nullptr;
}

std::string Project::Text() const {
    if (!impl_->changed) return impl_->originalBytes;
    std::string text;
    for (const RawLine& line : impl_->lines) text.append(line.text).append(EolText(line.eol));
    return platform::EncodeText(text, kProjectEncoding);
}

bool Project::Changed() const { return impl_->changed; }

}  // namespace host
