// The text of procedure and module header blocks and their shared pieces.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "toolwindow/penwork.h"

namespace headers {

/// An apostrophe, 70 hyphens, CR LF.
std::string HeaderRule();
/// An apostrophe and 70 hyphens, no line end.
std::string HeaderEndRule();
/// How a block written here is known again in a module (blanks and tabs
/// around a line allowed, as the indenter may move it): the rule that opens
/// and closes every block;
bool IsHeaderRule(std::string_view line);
/// the name a procedure header's Name line shows ("Get Total"), or nullopt for
/// any other line;
std::optional<std::string> ProcHeaderNameOf(std::string_view line);
/// whether the line is a module header's name line.
bool IsModuleHeaderNameLine(std::string_view line);
/// The display lines of a box as header section lines.
std::string SectionLines(const toolwindow::TextBox& box);
/// "major.minor.rrrr" from the active project's file; "1.0.0000" when the file
/// cannot be read or lacks a key; empty when there is no active project.
std::string ProjectVersion(toolwindow::Penwork& window);
/// One reading of the active project's file: its version, as ProjectVersion
/// gives it, and its VersionLegalCopyright without the quotes, or empty.
struct ProjectFacts {
    std::string version;
    std::string copyright;
};
ProjectFacts ReadProjectFacts(toolwindow::Penwork& window);
/// The procedure header block for `displayName` ("Foo", "Get Total"...).
std::string sProcHeader(toolwindow::Penwork& window, const std::string& displayName);
/// The module header block.
std::string ModuleHeader(toolwindow::Penwork& window, const std::string& moduleName,
                         const toolwindow::TextBox& description);
/// The module name: the first blank-delimited word of the active code window's
/// caption, trimmed; empty when the caption has no blank or there is no pane.
std::string sModuleName(toolwindow::Penwork& window);

}  // namespace headers
