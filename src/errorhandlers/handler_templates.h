// The error-handler templates: the body that stands between "If Err <> 0 Then"
// and "End If " for each handler kind, the user's own template with the names
// filled in, and what the template box shows for each kind.
#pragma once

#include <optional>
#include <string>

#include "toolwindow/penwork.h"

namespace errorhandlers {

/// The body for the handler kind selected in the window: the custom template with
/// the names filled in, nothing for Resume Next, or the message-box body (ending
/// the program on Abort for Standard EXE, raising the error again otherwise).
/// Lines are joined by CR LF; the last has no line end.
std::string sHandlerBody(const toolwindow::Penwork& window, const std::string& ModuleName,
                         const std::string& ProcName);

/// The template box's current text with every "[ProcName]" and "[ModuleName]",
/// in any letter case, replaced by the name in double quotes. The text put in is
/// never searched again, so no name is replaced twice and none can loop.
std::string sCustomHandler(const toolwindow::Penwork& window, const std::string& ModuleName,
                           const std::string& ProcName);

/// What the template box becomes when handler kind `Index` is shown.
struct HandlerTemplateBox {
    /// The new text; nullopt for an index outside 0 to 3 (the box keeps its text).
    std::optional<std::string> text;
    /// Whether the box takes typing and Clear and Save Custom Handler are enabled;
    /// only for the custom kind.
    bool editable = false;
};

/// The template box for handler kind `Index`: the stored custom template (empty
/// when none is stored) for 0, else the kind's fixed title.
HandlerTemplateBox TemplateBoxFor(toolwindow::Penwork& window, int Index);

}  // namespace errorhandlers
