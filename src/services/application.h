// CApplication: what the running program knows about itself (folder, help file,
// title, version, copyright), and the error log with its message box.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dialogs.h"

namespace services {

class CApplication {
public:
    /// The program's legal copyright.
    std::string Copyright() const;
    /// Path() followed by the help file's name.
    std::string HelpFile() const;
    /// The folder of the running program, ending with exactly one separator.
    std::string Path() const;
    /// "Quillmark".
    std::string Title() const;
    /// "Version: " and major.minor.revision, without leading zeros: "Version: 1.0.0".
    std::string Version() const;
    /// Appends an entry to "ERROR.LOG" in the current folder (date and time, the
    /// user's message, "  Error: [code]: " and the internal message, an empty
    /// line; CR LF line ends, Windows-1252), then shows sUserMsg in a message box
    /// with the exclamation icon. Throws platform::FileError, before any box is
    /// shown, when the log cannot be written.
    void ErrorDisplay(platform::DialogPort& dialogs, const std::string& sUserMsg,
                      const std::string& sInternalMsg, std::int16_t iInternalCode) const;
};

/// A folder with one separator at its end: "/opt/quillmark" and "/opt/quillmark/"
/// give "/opt/quillmark/"; the root folder stays "/".
std::string WithTrailingSeparator(std::string folder);

}  // namespace services
