// The per-user settings store: text values under application, section and key.
// Every key the system keeps, with its default, is listed here and nowhere else.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct SettingKey {
    const char* app;
    const char* section;
    const char* key;
    const char* defaultValue;
};

namespace settings {
inline constexpr char kToolWindowApp[] = "VB Quillmark";
inline constexpr char kConnectionApp[] = "Quillmark";

inline constexpr SettingKey AuthorName{kToolWindowApp, "Author", "Name", "Enter Your Name Here"};
inline constexpr SettingKey AuthorInitials{kToolWindowApp, "Author", "Initials", "EYI"};
inline constexpr SettingKey RevisionType{kToolWindowApp, "Revision", "Type", "Bug"};
inline constexpr SettingKey RevisionNumber{kToolWindowApp, "Revision", "Number", "00000"};
inline constexpr SettingKey RevisionProcedure{kToolWindowApp, "Revision", "Procedure", "0"};
inline constexpr SettingKey RevisionModule{kToolWindowApp, "Revision", "Module", "0"};
inline constexpr SettingKey RevisionText{kToolWindowApp, "Revision", "Text", "0"};
inline constexpr SettingKey RevisionCode{kToolWindowApp, "Revision", "Code", "0"};
inline constexpr SettingKey ErrorHandlerCustom{kToolWindowApp, "ErrorHandler", "Custom", ""};
inline constexpr SettingKey DisplayOnConnect{kConnectionApp, "Settings", "DisplayOnConnect", "0"};

/// Every key, in the order above.
const std::vector<SettingKey>& All();
}  // namespace settings

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    /// GetSetting: the stored text, or `defaultValue` when the key is absent.
    virtual std::string GetSetting(const std::string& app, const std::string& section,
                                   const std::string& key, const std::string& defaultValue) = 0;
    /// SaveSetting: stores the text exactly as given, at once. Throws FileError
    /// when the store cannot be written.
    virtual void SaveSetting(const std::string& app, const std::string& section,
                             const std::string& key, const std::string& value) = 0;

    /// Why an application's stored settings cannot be read (a corrupt file, a
    /// folder that may not be read), naming the file; empty when they can be, or
    /// when there are none. Reads then give the defaults.
    virtual std::string ReadProblem(const std::string& app);
    /// Moves an application's stored settings that cannot be read (a damaged
    /// file, one that may not be read) aside to a backup beside them, so that
    /// the next save starts afresh: the backup's path, or empty when nothing
    /// was moved. Throws FileError when the file cannot be moved.
    virtual std::string SetAsideUnreadable(const std::string& app);

    std::string Get(const SettingKey& k) { return GetSetting(k.app, k.section, k.key, k.defaultValue); }
    void Save(const SettingKey& k, const std::string& value) { SaveSetting(k.app, k.section, k.key, value); }
};

/// The user's store: one INI file per application name in the user's config
/// folder (XDG_CONFIG_HOME), safe against two processes writing at once.
class UserSettings : public SettingsStore {
public:
    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& defaultValue) override;
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override;
    std::string ReadProblem(const std::string& app) override;
    /// Renames the file to "NAME.ini.unreadable" (or "...unreadable-2" and on
    /// when that is taken).
    std::string SetAsideUnreadable(const std::string& app) override;
    /// The file that holds an application's settings.
    static std::string FileOf(const std::string& app);
};

/// Every key of settings::All() read once from another store, so that a run
/// reads the user's settings once however many targets it has; saves go
/// through to that store.
class SettingsSnapshot : public SettingsStore {
public:
    explicit SettingsSnapshot(SettingsStore& base);
    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& defaultValue) override;
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override;
    /// The base's problem, asked once; an application whose settings cannot be
    /// read gives the defaults.
    std::string ReadProblem(const std::string& app) override;
    /// The base's; the application's problem is then asked afresh.
    std::string SetAsideUnreadable(const std::string& app) override;

private:
    SettingsStore& base_;
    std::vector<std::pair<std::string, std::string>> problems_;  // app -> problem
    struct Value {
        std::string app, section, key;
        bool stored = false;
        std::string value;
    };
    std::vector<Value> values_;
};

}  // namespace platform
