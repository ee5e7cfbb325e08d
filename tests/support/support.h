// Small helpers shared by the tests.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "support/memory_settings.h"
#include "support/recording_dialogs.h"

namespace testsupport {

/// A fresh folder under the system's temporary folder, removed with everything
/// in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

private:
    std::string path_;
};

/// Sets an environment variable for the object's lifetime (the old value comes back).
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    /// Sets the variable, or removes it when `value` is null.
    static void Set(const char* name, const char* value);
    std::string name_;
    std::optional<std::string> old_;
};

/// Fixes the clock at `seconds` since 1970 (UTC) for the object's lifetime.
struct FixedClock : ScopedEnv {
    explicit FixedClock(long long seconds) : ScopedEnv("SOURCE_DATE_EPOCH", std::to_string(seconds).c_str()) {}
};

/// The text with every "\n" turned into CR LF: VB source written readably.
std::string Crlf(std::string_view text);

void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);

}  // namespace testsupport
