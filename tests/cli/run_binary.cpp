// CliFixture::RunBinary, apart from the other helpers: only the command line's
// tests build it, with the path of the binary they run.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "cli_helpers.h"

namespace clitest {

Result CliFixture::RunBinary(const std::vector<std::string>& args, const std::string& shellBefore) const {
    const std::string outFile = dir.File(".out"), errFile = dir.File(".err");
    std::string command = "cd " + ShellQuoted(dir.Path()) + " && " + shellBefore + (shellBefore.empty() ? "" : "; ") +
                          "XDG_CONFIG_HOME=" + ShellQuoted(dir.File(".config")) + " " + ShellQuoted(QUILLMARK_BINARY);
    for (const std::string& a : args) command += " " + ShellQuoted(a);
    command += " >" + ShellQuoted(outFile) + " 2>" + ShellQuoted(errFile);
    const int wait = std::system(("sh -c " + ShellQuoted(command)).c_str());
    Result r;
    r.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
    r.out = testsupport::ReadFile(outFile);
    r.err = testsupport::ReadFile(errFile);
    std::filesystem::remove(outFile);
    std::filesystem::remove(errFile);
    return r;
}

}  // namespace clitest
