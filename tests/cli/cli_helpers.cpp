#include "cli_helpers.h"

#include <sys/wait.h>

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
    const int status = cli::Run(static_cast<int>(argv.size()), argv.data(), settings, out, err);
    return {status, out.str(), err.str()};
}

#ifdef QUILLMARK_BINARY
Result CliFixture::RunBinary(const std::vector<std::string>& args, const std::string& shellBefore) const {
    const std::string outFile = dir.File(".out"), errFile = dir.File(".err");
    std::string command = "cd " + ShellQuoted(dir.Path()) + " && " + shellBefore + (shellBefore.empty() ? "" : "; ") +
                          "XDG_CONFIG_HOME=" + ShellQuoted(dir.File(".config")) + " " + ShellQuoted(QUILLMARK_BINARY);
    for (const std::string& a : args) command += " " + ShellQuoted(a);
    command += " >" + ShellQuoted(outFile) + " 2>" + ShellQuoted(errFile);
    const int wait = std::system(("sh -c " + ShellQuoted(command)).c_str());
    Result r{WIFEXITED(wait) ? WEXITSTATUS(wait) : -1, testsupport::ReadFile(outFile), testsupport::ReadFile(errFile)};
    std::filesystem::remove(outFile);
    std::filesystem::remove(errFile);
    return r;
}
#endif

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

std::string Snapshot(const CliFixture& f) {
    std::string all;
    for (const std::string& name : FolderListing(f.dir.Path()))
        all += name + "\n" + (std::filesystem::is_regular_file(f.Path(name)) ? f.Read(name) : std::string()) + "\n";
    return all;
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace clitest
