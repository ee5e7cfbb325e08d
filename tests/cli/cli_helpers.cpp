#include "cli_helpers.h"

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

}  // namespace clitest
