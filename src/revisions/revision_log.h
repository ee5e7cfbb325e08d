// The project's revision log, REVISION.TXT: a Windows-1252 text file of CR LF
// lines, listed in the project as a related document.
#pragma once

#include <string>

#include "ide/ide.h"
#include "toolwindow/penwork.h"

namespace revisions {

/// The project file's folder with its final separator: the path up to and
/// including its last "\" or "/" that stands after the first character
/// ("C:\Apps\Stock.vbp" gives "C:\Apps\"). Throws ide::HostError
/// (kInvalidCall) for a path with no such separator, an empty one included.
std::string sProjectDir(ide::VBProject& project);

/// The six heading lines of a new log, each ended by CR LF.
std::string RevisionLogHeading(toolwindow::Penwork& window, ide::VBProject& project);

/// The log AppendRevisionLog writes to, as below. Throws ide::HostError.
std::string RevisionLogPath(ide::VBProject& project);

/// Appends `entry` and a line end to the active project's log: the first
/// related document whose first file name holds "Revision.txt" in any case;
/// otherwise REVISION.TXT beside the project file, started with the heading
/// when it does not exist yet and then added to the project as a related
/// document. The log is read and written whole through window.Files().
/// Throws ide::HostError (no active project, a project never saved) and
/// platform::FileError or platform::EncodingError; nothing is written then.
void AppendRevisionLog(toolwindow::Penwork& window, const std::string& entry);

}  // namespace revisions
