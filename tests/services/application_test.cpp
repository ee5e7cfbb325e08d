#include "services/application.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "support/support.h"

using services::CApplication;
using testsupport::TempDir;

namespace {

// Runs in `folder` as the current folder for the object's lifetime.
struct CurrentFolder {
    explicit CurrentFolder(const std::string& folder) { std::filesystem::current_path(folder); }
    ~CurrentFolder() { std::filesystem::current_path(old); }
    std::filesystem::path old = std::filesystem::current_path();
};

constexpr long long kJuly4th = 1783170309;  // 2026-07-04 13:05:09 UTC

}  // namespace

// The first entry makes the log and the second follows it. The log is in
// Windows-1252: a character it cannot hold is written as "?" rather than losing
// the entry, while the message box shows the text as given.
TEST(CApplication, ErrorDisplayAppendsAnEntryThenShowsTheMessage) {
    TempDir dir;
    CurrentFolder here(dir.Path());
    platform::RecordingDialogs dialogs;
    {
        testsupport::FixedClock clock(kJuly4th);
        CApplication().ErrorDisplay(dialogs, "Gr\u00FC\u00DFe \u4E2D", "Object required", 424);
    }
    testsupport::FixedClock clock(kJuly4th + 61);
    CApplication().ErrorDisplay(dialogs, "Second", "Overflow", -6);
    EXPECT_EQ(testsupport::ReadFile("ERROR.LOG"),
              "2026-07-04 13:05:09\r\nGr\xFC\xDF" "e ?\r\n  Error: [424]: Object required\r\n\r\n"
              "2026-07-04 13:06:10\r\nSecond\r\n  Error: [-6]: Overflow\r\n\r\n");
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].prompt, "Gr\u00FC\u00DFe \u4E2D");
    EXPECT_EQ(dialogs.messages[0].style, platform::vbExclamation);
}

TEST(CApplication, ErrorDisplayShowsNothingWhenTheLogCannotBeWritten) {
    TempDir dir;
    CurrentFolder here(dir.Path());
    std::filesystem::create_directory("ERROR.LOG");
    platform::RecordingDialogs dialogs;
    EXPECT_THROW(CApplication().ErrorDisplay(dialogs, "msg", "internal", 5), platform::FileError);
    EXPECT_TRUE(dialogs.messages.empty());
}

// The program's folder: the current one until the application object exists,
// then the program file's, ending in one separator either way.
TEST(CApplication, PathIsTheProgramsFolder) {
    const CApplication app;
    {
        TempDir dir;
        CurrentFolder here(dir.Path());
        EXPECT_EQ(app.Path(), std::filesystem::current_path().string() + "/");
    }
    std::vector<std::string> args = testing::internal::GetArgvs();
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    int argc = static_cast<int>(argv.size());
    const QCoreApplication qt(argc, argv.data());
    EXPECT_EQ(app.Path(), std::filesystem::canonical(std::filesystem::absolute(args[0])).parent_path().string() + "/");

    EXPECT_EQ(services::WithTrailingSeparator("/opt/quillmark"), "/opt/quillmark/");
    EXPECT_EQ(services::WithTrailingSeparator("/"), "/");
}
