#include "cli_helpers.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include "cli/app.h"

namespace clitest {

CliFixture::CliFixture() {
    for (const auto& entry : std::filesystem::directory_iterator(QUILLMARK_EXAMPLES))
        std::filesystem::copy(entry.path(), dir.Path() + "/" + entry.path().filename().string());
}

Result CliFixture::Run(const std::vector<std::string>& args) {
    std::vector<const char*> argv{"quillmark"};
    for (const std::string& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    Result r;
    r.status = cli::Run(static_cast<int>(argv.size()), argv.data(), settings, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

std::string ShellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::vector<std::string> FolderListing(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace clitest
