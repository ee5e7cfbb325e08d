// One module opened in the host with a tool window over it, for the
// error-handler tests.
#pragma once

#include <string>
#include <string_view>

#include "errorhandlers/error_handler.h"
#include "host/source_module.h"
#include "host/workspace.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/settings.h"
#include "support/support.h"
#include "toolwindow/penwork.h"

namespace errorhandlers_test {

/// The fixed clock of the tests, and its time as the handler stamps it.
inline constexpr long long kEpoch = 1700000000;
inline const std::string kStamp = "'Error Code Inserted: 2023-11-14 22:13:20\t\t----------ERR--";

/// A module named "Module1" in a code window, and a tool window with the handler
/// kind and custom template given.
struct HandlerSession {
    HandlerSession(std::string_view source, int handlerKind, const std::string& customTemplate = "",
                   const std::string& moduleName = "Module1")
        : module(source), window(workspace, dialogs, files, settings) {
        workspace.Open(module, moduleName, 1);
        window.handlerKind = handlerKind;
        window.boxes[toolwindow::kHandlerTemplateBox].SetText(customTemplate);
    }

    bool Insert(long line) { return errorhandlers::InsertErrorHandler(window, module, line); }

    testsupport::FixedClock clock{kEpoch};
    platform::MemorySettings settings;
    platform::RecordingDialogs dialogs;
    platform::StagedFiles files;
    host::SourceModule module;  // outlives the workspace that shows it
    host::Workspace workspace;
    toolwindow::PlainPenwork window;
};

}  // namespace errorhandlers_test
