#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "child_process.h"
#include "support/support.h"

namespace fs = std::filesystem;
using platform::FileError;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

// Runs `action` and checks the FileError it must throw: its number, and that the
// message begins with `messageStart` and names the file.
void ExpectFileError(const std::function<void()>& action, int number, const std::string& messageStart) {
    SCOPED_TRACE(messageStart);
    try {
        action();
        ADD_FAILURE() << "no FileError";
    } catch (const FileError& e) {
        EXPECT_EQ(e.Number(), number);
        EXPECT_EQ(std::string(e.what()).substr(0, messageStart.size()), messageStart) << e.what();
        EXPECT_FALSE(e.Path().empty());
    }
}

// What a folder holds, so that a left-over temporary file shows.
std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// In a child process whose files may grow to `limit` bytes only: the number of
// the FileError that `action` throws, 0 when it throws none.
int FileErrorUnderSizeLimit(rlim_t limit, const std::function<void()>& action) {
    return testchild::Run([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        setrlimit(RLIMIT_FSIZE, &small);
        try {
            action();
        } catch (const FileError& e) {
            return e.Number();
        }
        return 0;
    });
}

}  // namespace

TEST(ReadFileBytes, ReadsEveryByteAndNamesEachFailure) {
    TempDir dir;
    const std::string bytes("Attribute VB_Name = \"m\"\r\n\0\xFF\x81 last", 30);
    WriteFile(dir.File("m.bas"), bytes);
    EXPECT_EQ(platform::ReadFileBytes(dir.File("m.bas")), bytes);
    WriteFile(dir.File("empty.bas"), "");
    EXPECT_EQ(platform::ReadFileBytes(dir.File("empty.bas")), "");

    const std::string missing = dir.File("x.bas");
    ExpectFileError([&] { platform::ReadFileBytes(missing); }, platform::kFileNotFound,
                    "cannot read '" + missing + "': no such file");
    const std::string noFolder = dir.File("nowhere/x.bas");
    ExpectFileError([&] { platform::ReadFileBytes(noFolder); }, platform::kPathNotFound,
                    "cannot read '" + noFolder + "': the folder '" + dir.File("nowhere") + "' does not exist");
    ExpectFileError([&] { platform::ReadFileBytes(dir.Path()); }, platform::kPathFileAccess,
                    "cannot read '" + dir.Path() + "': it is a folder");
    ExpectFileError([&] { platform::ReadFileBytes(dir.File("m.bas/x")); }, platform::kPathNotFound,
                    "cannot read '" + dir.File("m.bas/x") + "': a part of the path is not a folder");

    // Permissions bind root too once it has become an ordinary user.
    fs::permissions(dir.Path(), fs::perms(0755));
    WriteFile(dir.File("secret.bas"), "x");
    fs::permissions(dir.File("secret.bas"), fs::perms::none);
    const int number = testchild::Run([&] {
        if (!testchild::BecomeOrdinaryUser()) return 1;
        try {
            platform::ReadFileBytes(dir.File("secret.bas"));
        } catch (const FileError& e) {
            return e.Number();
        }
        return 0;
    });
    EXPECT_EQ(number, platform::kPermissionDenied);
}

TEST(WriteFileAtomic, ReplacesTheWholeFileAndKeepsItsPermissions) {
    TempDir dir;
    const std::string path = dir.File("Form1.frm");
    platform::WriteFileAtomic(path, "new\r\n");
    EXPECT_EQ(ReadFile(path), "new\r\n");

    fs::permissions(path, fs::perms(0640));
    platform::WriteFileAtomic(path, "shorter");
    EXPECT_EQ(ReadFile(path), "shorter");
    EXPECT_EQ(ModeOf(path), 0640u);
    EXPECT_EQ(Listing(dir.Path()), std::vector<std::string>{"Form1.frm"});

    // A link stays a link; the file it points to gets the text.
    fs::create_symlink("Form1.frm", dir.File("link.frm"));
    platform::WriteFileAtomic(dir.File("link.frm"), "through the link");
    EXPECT_TRUE(fs::is_symlink(dir.File("link.frm")));
    EXPECT_EQ(ReadFile(path), "through the link");
    EXPECT_TRUE(platform::IsRegularFile(path));
    EXPECT_FALSE(platform::IsRegularFile(dir.Path()));
    EXPECT_FALSE(platform::IsRegularFile(dir.File("none")));
}

TEST(WriteFileAtomic, AFailureLeavesTheOldFileAndNoTemporaryFile) {
    TempDir dir;
    fs::permissions(dir.Path(), fs::perms(0755));
    const std::string path = dir.File("Module1.bas");
    WriteFile(path, "old text");

    fs::permissions(path, fs::perms(0444));
    ExpectFileError([&] { platform::WriteFileAtomic(path, "new"); }, platform::kPathFileAccess,
                    "cannot write '" + path + "': the file is read-only");
    EXPECT_EQ(ReadFile(path), "old text");
    fs::permissions(path, fs::perms(0644));

    ExpectFileError([&] { platform::WriteFileAtomic(dir.Path(), "new"); }, platform::kPathFileAccess,
                    "cannot write '" + dir.Path() + "': it is a folder");
    ExpectFileError([&] { platform::WriteFileAtomic(dir.File("none/x.bas"), "new"); }, platform::kPathNotFound,
                    "cannot write '" + dir.File("none/x.bas") + "': the folder");

    // The disk fills up while the new text is written.
    EXPECT_EQ(FileErrorUnderSizeLimit(4096, [&] { platform::WriteFileAtomic(path, std::string(100000, 'x')); }),
              platform::kDiskFull);
    EXPECT_EQ(ReadFile(path), "old text");

    // A folder that may not be written.
    fs::create_directory(dir.File("locked"));
    WriteFile(dir.File("locked/Class1.cls"), "old");
    fs::permissions(dir.File("locked/Class1.cls"), fs::perms(0666));
    fs::permissions(dir.File("locked"), fs::perms(0555));
    const int number = testchild::Run([&] {
        if (!testchild::BecomeOrdinaryUser()) return 1;
        try {
            platform::WriteFileAtomic(dir.File("locked/Class1.cls"), "new");
        } catch (const FileError& e) {
            return e.Number();
        }
        return 0;
    });
    EXPECT_EQ(number, platform::kPermissionDenied);
    EXPECT_EQ(ReadFile(dir.File("locked/Class1.cls")), "old");

    EXPECT_EQ(Listing(dir.Path()), (std::vector<std::string>{"Module1.bas", "locked"}));
    EXPECT_EQ(Listing(dir.File("locked")), std::vector<std::string>{"Class1.cls"});
}

TEST(AppendFile, AddsToTheEndAndTakesBackAnEntryCutShort) {
    TempDir dir;
    const std::string path = dir.File("ERROR.LOG");
    platform::AppendFile(path, "one\r\n");
    platform::AppendFile(path, "two\r\n");
    EXPECT_EQ(ReadFile(path), "one\r\ntwo\r\n");

    EXPECT_EQ(FileErrorUnderSizeLimit(100, [&] { platform::AppendFile(path, std::string(500, 'x')); }),
              platform::kDiskFull);
    EXPECT_EQ(ReadFile(path), "one\r\ntwo\r\n");

    ExpectFileError([&] { platform::AppendFile(dir.Path(), "x"); }, platform::kPathFileAccess,
                    "cannot write '" + dir.Path() + "': it is a folder");
}

TEST(StagedFiles, HoldsWritesBackAndListsOnlyRealChanges) {
    TempDir dir;
    const std::string a = dir.File("a.bas");
    const std::string b = dir.File("b.bas");
    const std::string fresh = dir.File("new.bas");
    WriteFile(a, "a0");
    WriteFile(b, "b0");

    platform::StagedFiles staged;
    staged.Write(b, "b1");
    staged.Write(a, "a0");  // the same text: no change
    staged.Write(fresh, "");
    staged.Write(dir.Path() + "/./b.bas", "b2");  // the same file, spelled differently
    EXPECT_EQ(staged.Read(b), "b2");
    EXPECT_EQ(staged.Read(a), "a0");
    EXPECT_EQ(staged.Read(dir.File("none.bas")), std::nullopt);
    EXPECT_EQ(ReadFile(b), "b0");
    EXPECT_FALSE(fs::exists(fresh));

    const auto changes = staged.Changes();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].path, b);
    EXPECT_EQ(changes[0].before, "b0");
    EXPECT_EQ(changes[0].after, "b2");
    EXPECT_EQ(changes[1].path, fresh);
    EXPECT_EQ(changes[1].before, std::nullopt);

    staged.Commit();
    EXPECT_EQ(ReadFile(b), "b2");
    EXPECT_EQ(ReadFile(fresh), "");
    EXPECT_EQ(ReadFile(a), "a0");
    EXPECT_TRUE(staged.Changes().empty());

    platform::DiskFiles disk;
    EXPECT_EQ(disk.Read(dir.File("none.bas")), std::nullopt);
    EXPECT_EQ(disk.Read(dir.File("none/x.bas")), std::nullopt);
    EXPECT_THROW(disk.Read(dir.Path()), FileError);
}
