// quillmark lsp: the language server over standard input and output.
#include <csignal>
#include <fstream>
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "lsp/server.h"

namespace cli {

void AddLspCommand(CLI::App& app, Context& context) {
    auto logPath = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand("lsp", "Serve the Language Server Protocol on standard input and output");
    command->footer(
        "Editors start it themselves: headers, handlers, revision notes and the rights notice as\n"
        "code actions, the indenter as formatting, the procedures as document symbols.\n"
        "Example (Neovim): vim.lsp.start({ name = 'quillmark', cmd = { 'quillmark', 'lsp' } })");
    command->add_option("--log", *logPath, "Append a line per message and per failure to FILE")->type_name("FILE");
    command->callback([&context, logPath] {
        context.run = [&context, logPath]() -> int {
            std::ofstream log;
            if (!logPath->empty()) {
                log.open(*logPath, std::ios::app);
                if (!log) {
                    PrintMessage(context.err, "", "cannot open the log '" + *logPath + "'");
                    return kFileError;
                }
            }
            std::ios::sync_with_stdio(false);
            // A client that goes away leaves a closed pipe: the server then
            // reads the end of its input and stops, rather than being killed
            // in the middle of an answer.
            std::signal(SIGPIPE, SIG_IGN);
            return lsp::Serve(std::cin, context.out, context.live, log.is_open() ? &log : nullptr);
        };
    });
}

}  // namespace cli
