// Neovim as the client, with the setup users copy from docs/neovim.lua: the
// module saved after a code action and formatting holds what the command line
// writes for the same steps.
#include <gtest/gtest.h>

#include <cstdlib>

#include "cli/cli_helpers.h"

namespace {

TEST(LspNeovim, HeaderThenFormatThenSaveWritesTheCommandLinesBytes) {
    if (std::system("command -v nvim >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "Neovim is not installed (scripts/setup installs Debian's neovim)";
    clitest::CliFixture editor, cli;
    const std::string session =
        "cd " + clitest::ShellQuoted(editor.dir.Path()) + " && XDG_CONFIG_HOME=" +
        clitest::ShellQuoted(editor.Path(".config")) + " QM_BINARY=" + clitest::ShellQuoted(QUILLMARK_BINARY) +
        " QM_SETUP=" + clitest::ShellQuoted(QUILLMARK_SOURCE "/docs/neovim.lua") +
        " QM_FILE=Inventory.bas QM_LINE=21 timeout 120 nvim --headless --clean -c " +
        clitest::ShellQuoted("luafile " QUILLMARK_SOURCE "/tests/lsp/neovim_session.lua") + " </dev/null 2>.nvim.log";
    ASSERT_EQ(std::system(session.c_str()), 0) << session << "\n" << editor.Read(".nvim.log");

    ASSERT_EQ(cli.RunBinary({"procedure", "Inventory.bas:21"}).status, 0);
    ASSERT_EQ(cli.RunBinary({"indent", "--all", "Inventory.bas"}).status, 0);
    EXPECT_EQ(editor.Read("Inventory.bas"), cli.Read("Inventory.bas"));
}

}  // namespace
