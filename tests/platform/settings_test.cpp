#include "platform/settings.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/files.h"
#include "support/support.h"

using platform::UserSettings;
using testsupport::ScopedEnv;

namespace {

// A user whose configuration folder is a fresh temporary folder.
struct TestUser {
    testsupport::TempDir dir;
    ScopedEnv config{"XDG_CONFIG_HOME", dir.Path().c_str()};
};

std::string Key(std::size_t i) { return "Custom " + std::to_string(i); }

}  // namespace

TEST(UserSettings, DefaultsOnlyForAbsentKeys) {
    TestUser user;
    UserSettings store;
    for (const platform::SettingKey& key : platform::settings::All()) EXPECT_EQ(store.Get(key), key.defaultValue);
    store.Save(platform::settings::RevisionType, "Fix");
    store.Save(platform::settings::RevisionType, "");
    EXPECT_EQ(store.Get(platform::settings::RevisionType), "");
    EXPECT_EQ(store.GetSetting("Quillmark", "Revision", "Type", "other app"), "other app");
}

TEST(UserSettings, OneFilePerApplicationInTheConfigFolder) {
    TestUser user;
    UserSettings().Save(platform::settings::DisplayOnConnect, "1");
    const std::string toolWindow = UserSettings::FileOf("VB Quillmark");
    EXPECT_EQ(toolWindow, user.dir.Path() + "/Quillmark/VB Quillmark.ini");
    EXPECT_FALSE(std::filesystem::exists(toolWindow));  // the connection's setting went elsewhere
    // A file edited by hand: an unquoted comma still gives the whole text.
    testsupport::WriteFile(toolWindow, "[Author]\nName=Doe, Jane\n");
    EXPECT_EQ(UserSettings().Get(platform::settings::AuthorName), "Doe, Jane");
    // ... and keeps it when another key is saved, even with an escaped NUL in it.
    testsupport::WriteFile(toolWindow, "[ErrorHandler]\nCustom=\"On Error\\0 x\"y, z\n");
    const std::string custom = UserSettings().Get(platform::settings::ErrorHandlerCustom);
    EXPECT_EQ(custom, std::string("On Error\0 xy, z", 15));
    // The other key holds characters beyond the Latin ones the settings fuzz target
    // saves, behind the prefix the file format gives its typed values.
    const std::string wide = "@Variant(Gr\u00FC\u00DFe \u4E2D\u6587 \U0001F600)";
    UserSettings().Save(platform::settings::AuthorName, wide);
    EXPECT_EQ(UserSettings().Get(platform::settings::AuthorName), wide);
    EXPECT_EQ(UserSettings().Get(platform::settings::ErrorHandlerCustom), custom);
    // A failed save is reported: a file stands where the folder must be made.
    ScopedEnv blocked("XDG_CONFIG_HOME", toolWindow.c_str());
    EXPECT_THROW(UserSettings().Save(platform::settings::DisplayOnConnect, "1"), platform::FileError);
}

TEST(UserSettings, TwoProcessesSavingAtOnceLoseNothing) {
    TestUser user;
    pid_t children[2];
    for (int c = 0; c < 2; ++c)
        if ((children[c] = fork()) == 0) {
            for (std::size_t i = 0; i < 60; ++i)
                UserSettings().SaveSetting("VB Quillmark", "P" + std::to_string(c), Key(i), "v");
            _exit(0);
        }
    for (pid_t pid : children) {
        int status = 0;
        EXPECT_TRUE(waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (const char* section : {"P0", "P1"})
        for (std::size_t i = 0; i < 60; ++i)
            EXPECT_EQ(UserSettings().GetSetting("VB Quillmark", section, Key(i), ""), "v") << section << i;
}
