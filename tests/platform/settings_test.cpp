#include "platform/settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "child_process.h"
#include "platform/files.h"
#include "support/support.h"

using platform::UserSettings;
using testsupport::ScopedEnv;
using testsupport::TempDir;

namespace {

// A user whose configuration folder is a fresh temporary folder.
class TestUser {
public:
    TestUser() : config_("XDG_CONFIG_HOME", dir_.Path().c_str()) {}
    const std::string& Folder() const { return dir_.Path(); }

private:
    TempDir dir_;
    ScopedEnv config_;
};

// Saves each value under its own key, then reads all of them back through a
// new store, as the next run of the program would.
void ExpectStoredExactly(const std::vector<std::string>& values) {
    TestUser user;
    for (std::size_t i = 0; i < values.size(); ++i)
        UserSettings().SaveSetting("VB Quillmark", "ErrorHandler", "Custom " + std::to_string(i), values[i]);
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(UserSettings().GetSetting("VB Quillmark", "ErrorHandler", "Custom " + std::to_string(i), "?"),
                  values[i])
            << "value " << i;
}

}  // namespace

TEST(UserSettings, KeepsEveryValueExactlyAsGiven) {
    ExpectStoredExactly({
        "",
        "   three leading and two trailing  ",
        "On Error GoTo Handler\r\nHandler:\r\n    MsgBox \"Error \" & Err.Number\r\n",
        "a = b; c = \"d\" ' e",
        "comma, separated, text",
        "@Variant(not really)",
        "back\\slash and [brackets]",
        "Gr\u00FC\u00DFe \u4E2D\u6587 \U0001F600",
        "true",
        "\t",
    });
}

TEST(UserSettings, ReadsDefaultsOnlyForAbsentKeysAndWritesAtOnce) {
    TestUser user;
    UserSettings store;
    for (const platform::SettingKey& key : platform::settings::All()) EXPECT_EQ(store.Get(key), key.defaultValue);

    store.Save(platform::settings::AuthorName, "");
    EXPECT_EQ(store.Get(platform::settings::AuthorName), "");
    store.Save(platform::settings::DisplayOnConnect, "1");

    const std::string toolWindow = UserSettings::FileOf("VB Quillmark");
    const std::string connection = UserSettings::FileOf("Quillmark");
    EXPECT_EQ(toolWindow, user.Folder() + "/Quillmark/VB Quillmark.ini");
    EXPECT_NE(toolWindow, connection);
    EXPECT_NE(testsupport::ReadFile(connection).find("DisplayOnConnect=1"), std::string::npos);
    EXPECT_EQ(testsupport::ReadFile(toolWindow).find("DisplayOnConnect"), std::string::npos);
    EXPECT_EQ(store.Get(platform::settings::AuthorInitials), "EYI");

    // A file edited by hand: an unquoted comma still gives the whole text.
    testsupport::WriteFile(toolWindow, "[Author]\nName=Doe, Jane\n");
    EXPECT_EQ(store.Get(platform::settings::AuthorName), "Doe, Jane");

    // A relative XDG_CONFIG_HOME is not a configuration folder.
    ScopedEnv relative("XDG_CONFIG_HOME", "relative/config");
    ScopedEnv home("HOME", user.Folder().c_str());
    EXPECT_EQ(UserSettings::FileOf("Quillmark"), user.Folder() + "/.config/Quillmark/Quillmark.ini");
}

TEST(UserSettings, TwoProcessesSavingAtOnceLoseNothing) {
    TestUser user;
    constexpr int kKeys = 60;
    auto saveMany = [](const std::string& prefix) {
        return [prefix] {
            UserSettings store;
            for (int i = 0; i < kKeys; ++i) store.SaveSetting("VB Quillmark", "Load", prefix + std::to_string(i), "v");
            return 0;
        };
    };
    std::vector<pid_t> children;
    for (const char* prefix : {"first", "second"}) {
        const pid_t pid = fork();
        if (pid == 0) _exit(saveMany(prefix)());
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    UserSettings store;
    int found = 0;
    for (const char* prefix : {"first", "second"})
        for (int i = 0; i < kKeys; ++i)
            found += store.GetSetting("VB Quillmark", "Load", prefix + std::to_string(i), "") == "v";
    EXPECT_EQ(found, 2 * kKeys);
}

TEST(UserSettings, AFailedSaveIsReported) {
    TestUser user;
    // The configuration folder cannot be made: a file stands in its way.
    testsupport::WriteFile(user.Folder() + "/Quillmark", "not a folder");
    EXPECT_THROW(UserSettings().SaveSetting("Quillmark", "Settings", "DisplayOnConnect", "1"), platform::FileError);
}

TEST(MemorySettings, ReplacesValuesAndFallsBackToDefaults) {
    platform::MemorySettings store;
    EXPECT_EQ(store.Get(platform::settings::RevisionType), "Bug");
    store.Save(platform::settings::RevisionType, "Fix");
    store.Save(platform::settings::RevisionType, "");
    EXPECT_EQ(store.Get(platform::settings::RevisionType), "");
    EXPECT_EQ(store.GetSetting("Quillmark", "Revision", "Type", "other app"), "other app");
}
