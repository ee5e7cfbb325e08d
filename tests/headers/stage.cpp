#include "stage.h"

#include <filesystem>

namespace headertest {

namespace {
constexpr char kNameLine[] = "Attribute VB_Name = \"Module1\"\n";
}

std::string Lf(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

std::string ModuleFile(std::string_view codeText) {
    return testsupport::Crlf(kNameLine + std::string(codeText));
}

std::string ExampleFile(const std::string& name) {
    return testsupport::ReadFile(std::string(QUILLMARK_EXAMPLES) + "/" + name);
}

Stage::Stage(std::string_view fileText, const std::string& moduleName, long line)
    : module(fileText) {
    window.name = "Jo Doe";
    workspace.Open(module, moduleName, line);
}

void Stage::UseProject(std::string_view vbpText) {
    testsupport::WriteFile(projectPath, vbpText);
    workspace.SetProject(nullptr);
    project = std::make_unique<host::Project>(projectPath, files);
    workspace.SetProject(project.get());
}

void Stage::UseExampleProject() {
    namespace fs = std::filesystem;
    for (const fs::directory_entry& entry : fs::directory_iterator(QUILLMARK_EXAMPLES))
        fs::copy_file(entry.path(), fs::path(dir.Path()) / entry.path().filename());
    workspace.SetProject(nullptr);
    projectPath = dir.File("Inventory.vbp");
    project = std::make_unique<host::Project>(projectPath, files);
    workspace.SetProject(project.get());
}

std::string Stage::Code() const {
    const std::string text = Lf(module.Text());
    const std::string name = kNameLine;
    return text.starts_with(name) ? text.substr(name.size()) : text;
}

std::string Stage::Messages() const {
    std::string s;
    for (const auto& m : dialogs.messages)
        s += m.title + "|" + std::to_string(m.style) + "|" + m.prompt + "\n";
    return s;
}

}  // namespace headertest
