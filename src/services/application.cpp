#include "services/application.h"

#include <QCoreApplication>
#include <QDir>

#include <filesystem>

#include "platform/clock.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/utf8.h"

namespace services {

namespace {

// The version of the build, from project(VERSION) in CMakeLists.txt.
constexpr int kMajor = QUILLMARK_VERSION_MAJOR;
constexpr int kMinor = QUILLMARK_VERSION_MINOR;
constexpr int kRevision = QUILLMARK_VERSION_PATCH;

constexpr char kTitle[] = "Quillmark";
constexpr char kCopyright[] = "Copyright \u00A9 2026 Quillmark developers";
constexpr char kHelpFileName[] = "Penwork.hlp";
constexpr char kErrorLog[] = "ERROR.LOG";
constexpr char kCrLf[] = "\r\n";

// The log is in the ANSI code page; a character it cannot hold is written as
// "?", as the runtime writes it, so that the entry is never lost.
std::string ToLogBytes(std::string text) {
    for (;;) {
        try {
            return platform::EncodeText(text, platform::kDefaultEncoding);
        } catch (const platform::EncodingError& e) {
            const std::size_t at = platform::utf8::OffsetOf(text, static_cast<std::size_t>(e.CharIndex()));
            if (at >= text.size()) throw;
            std::size_t end = at;
            platform::utf8::Next(text, end);
            text.replace(at, end - at, "?");
        }
    }
}

}  // namespace

std::string WithTrailingSeparator(std::string folder) {
    constexpr char separator = std::filesystem::path::preferred_separator;
    if (folder.empty() || folder.back() != separator) folder += separator;
    return folder;
}

std::string CApplication::Copyright() const { return kCopyright; }

std::string CApplication::HelpFile() const { return Path() + kHelpFileName; }

std::string CApplication::Path() const {
    // Qt knows the program's folder once the application object exists; before
    // that (and in tools that never make one) the current folder stands in.
    if (QCoreApplication::instance() != nullptr)
        return WithTrailingSeparator(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString());
    std::error_code ec;
    return WithTrailingSeparator(std::filesystem::current_path(ec).string());
}

std::string CApplication::Title() const { return kTitle; }

std::string CApplication::Version() const {
    return "Version: " + std::to_string(kMajor) + "." + std::to_string(kMinor) + "." +
           std::to_string(kRevision);
}

void CApplication::ErrorDisplay(platform::DialogPort& dialogs, const std::string& sUserMsg,
                                const std::string& sInternalMsg, std::int16_t iInternalCode) const {
    const std::string entry = platform::GeneralDate(platform::Now()) + kCrLf + sUserMsg + kCrLf +
                              "  Error: [" + std::to_string(iInternalCode) + "]: " + sInternalMsg +
                              kCrLf + kCrLf;
    platform::AppendFile(kErrorLog, ToLogBytes(entry));
    dialogs.MsgBox(sUserMsg, platform::vbExclamation, Title());
}

}  // namespace services
