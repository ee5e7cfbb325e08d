#include "services/application.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "support/support.h"

using services::CApplication;
using testsupport::Crlf;
using testsupport::TempDir;

namespace {

// Runs in `folder` as the current folder for the object's lifetime.
struct CurrentFolder {
    explicit CurrentFolder(const std::string& folder) { std::filesystem::current_path(folder); }
    ~CurrentFolder() { std::filesystem::current_path(old); }
    std::filesystem::path old = std::filesystem::current_path();
};

struct Call {
    long long when;
    std::string user;
    std::string internal;
    std::int16_t code;
};

// What ErrorDisplay leaves in ERROR.LOG after the calls, each at its own fixed
// time, and the message boxes it showed.
std::pair<std::string, std::vector<platform::RecordingDialogs::Message>> LogAfter(const std::string& existing,
                                                                                const std::vector<Call>& calls) {
    TempDir dir;
    CurrentFolder here(dir.Path());
    if (!existing.empty()) testsupport::WriteFile("ERROR.LOG", existing);
    platform::RecordingDialogs dialogs;
    for (const Call& call : calls) {
        testsupport::FixedClock clock(call.when);
        CApplication().ErrorDisplay(dialogs, call.user, call.internal, call.code);
    }
    return {testsupport::ReadFile("ERROR.LOG"), dialogs.messages};
}

constexpr long long kJuly4th = 1783170309;  // 2026-07-04 13:05:09 UTC

}  // namespace

TEST(CApplication, ErrorDisplayAppendsAnEntryThenShowsTheMessage) {
    const auto [log, boxes] = LogAfter("", {{kJuly4th, "Could not add the header.", "Object required", 424},
                                            {kJuly4th + 61, "Second", "Overflow", -6}});
    EXPECT_EQ(log, Crlf("2026-07-04 13:05:09\n"
                        "Could not add the header.\n"
                        "  Error: [424]: Object required\n"
                        "\n"
                        "2026-07-04 13:06:10\n"
                        "Second\n"
                        "  Error: [-6]: Overflow\n"
                        "\n"));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].prompt, "Could not add the header.");
    EXPECT_EQ(boxes[0].style, platform::vbExclamation);
    EXPECT_EQ(boxes[0].title, "Quillmark");

    // Earlier entries stay; the log is in Windows-1252, and a character it
    // cannot hold is written as "?" rather than losing the entry.
    const auto [appended, shown] = LogAfter("old entry\r\n\r\n", {{kJuly4th, "Gr\u00FC\u00DFe \u4E2D", "x", 1}});
    EXPECT_EQ(appended, "old entry\r\n\r\n2026-07-04 13:05:09\r\nGr\xFC\xDF" "e ?\r\n  Error: [1]: x\r\n\r\n");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].prompt, "Gr\u00FC\u00DFe \u4E2D");
}

TEST(CApplication, ErrorDisplayShowsNothingWhenTheLogCannotBeWritten) {
    TempDir dir;
    CurrentFolder here(dir.Path());
    std::filesystem::create_directory("ERROR.LOG");
    platform::RecordingDialogs dialogs;
    EXPECT_THROW(CApplication().ErrorDisplay(dialogs, "msg", "internal", 5), platform::FileError);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(CApplication, DescribesTheRunningProgram) {
    const CApplication app;
    {
        TempDir dir;
        CurrentFolder here(dir.Path());
        EXPECT_EQ(app.Path(), std::filesystem::current_path().string() + "/");  // no application object yet
    }
    std::vector<std::string> args = testing::internal::GetArgvs();
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    int argc = static_cast<int>(argv.size());
    const QCoreApplication qt(argc, argv.data());
    const std::string path = app.Path();
    EXPECT_EQ(path, std::filesystem::canonical(std::filesystem::absolute(args[0])).parent_path().string() + "/");
    ASSERT_GE(path.size(), 2u);
    EXPECT_NE(path[path.size() - 2], '/');
    EXPECT_EQ(app.HelpFile(), path + "Penwork.hlp");
    EXPECT_EQ(app.Title(), "Quillmark");
    EXPECT_EQ(app.Version(), "Version: 1.0.0");
    EXPECT_EQ(app.Copyright(), "Copyright \u00A9 2026 Quillmark developers");

    for (const char* folder : {"/opt/quillmark", "/opt/quillmark/"})
        EXPECT_EQ(services::WithTrailingSeparator(folder), "/opt/quillmark/");
    EXPECT_EQ(services::WithTrailingSeparator("/"), "/");
}
