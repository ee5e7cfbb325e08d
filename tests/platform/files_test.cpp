#include "platform/files.h"
#include "platform/os.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <iostream>

#include "support/support.h"

namespace fs = std::filesystem;
using platform::FileError;
using testsupport::ReadFile;
using testsupport::WriteFile;
using testing::StartsWith;

namespace {

// "<number> <message>" of the error that `action` throws, "0" when none.
std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const FileError& e) {
        return std::to_string(e.Number()) + " " + e.what();
    } catch (...) {
        return "99";
    }
    return "0";
}

// The number of the FileError that `action` throws in a child process: with files
// limited to `sizeLimit` bytes, or, with no limit, as an ordinary user (so that
// permissions bind root too).
int ChildFileError(const std::function<void()>& action, rlim_t sizeLimit = RLIM_INFINITY) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{sizeLimit, sizeLimit};
        const bool ready = sizeLimit != RLIM_INFINITY ? setrlimit(RLIMIT_FSIZE, &limit) == 0
                                                      : geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
        _exit(ready ? std::stoi(ErrorOf(action)) : 98);
    }
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

long Entries(const std::string& folder) { return std::distance(fs::directory_iterator(folder), {}); }

// Each failure {path, number, cause} throws "cannot <verb> '<path>': <cause>...".
void ExpectFailures(const char* verb, const std::vector<std::tuple<std::string, int, std::string>>& failures,
                    const std::function<void(const std::string&)>& action) {
    for (const auto& [path, number, cause] : failures)
        EXPECT_THAT(ErrorOf([&, &p = path] { action(p); }),
                    StartsWith(std::to_string(number) + " cannot " + verb + " '" + path + "': " + cause));
}

}  // namespace

TEST(ReadFileBytes, ReadsEveryByteAndNamesEachFailure) {
    testsupport::TempDir dir;
    const std::string bytes("Attribute VB_Name = \"m\"\r\n\0\xFF\x81 last", 30), m = dir.File("m.bas");
    WriteFile(m, bytes);
    WriteFile(dir.File("empty.bas"), "");
    EXPECT_EQ(platform::ReadFileBytes(m), bytes);
    EXPECT_EQ(platform::ReadFileBytes(dir.File("empty.bas")), "");
    ExpectFailures("read",
                   {{dir.File("x.bas"), platform::kFileNotFound, "no such file"},
                    {dir.File("no/x"), platform::kPathNotFound, "the folder '" + dir.File("no") + "' does not exist"},
                    {dir.Path(), platform::kPathFileAccess, "it is a folder"},
                    {m + "/x", platform::kPathNotFound, "a part of the path is not a folder"}},
                   [](const std::string& path) { platform::ReadFileBytes(path); });
    fs::permissions(dir.Path(), fs::perms(0755));
    fs::permissions(m, fs::perms::none);
    EXPECT_EQ(ChildFileError([&] { platform::ReadFileBytes(m); }), platform::kPermissionDenied);
}

// Where the folder of a file was once told three ways.
TEST(FolderOf, IsTheFolderThatHoldsTheFileOnDisk) {
    const std::pair<std::string, std::string> cases[] = {
        {"Module1.bas", "."}, {"/Module1.bas", "/"}, {"src//Module1.bas", "src"},
        {"/p/src/Module1.bas", "/p/src"}, {"src\\Module1.bas", "."},  // a backslash is part of a name
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(platform::FolderOf(path), folder) << path;
}

TEST(WriteFileAtomic, ReplacesTheWholeFileKeepingPermissionsAndLinks) {
    testsupport::TempDir dir;
    const std::string path = dir.File("Form1.frm");
    WriteFile(path, "longer old text");
    fs::permissions(path, fs::perms(0640));
    platform::WriteFileAtomic(path, "shorter");
    EXPECT_EQ(ReadFile(path), "shorter");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
    // A link stays a link; the file it points to gets the text.
    fs::create_symlink("Form1.frm", dir.File("link.frm"));
    platform::WriteFileAtomic(dir.File("link.frm"), "through the link");
    EXPECT_TRUE(fs::is_symlink(dir.File("link.frm")));
    EXPECT_EQ(ReadFile(path), "through the link");
    EXPECT_EQ(Entries(dir.Path()), 2);
    EXPECT_TRUE(platform::IsRegularFile(path) && !platform::IsRegularFile(dir.Path()));
    // Root writing another user's file leaves it that user's.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), 4321, 4321), 0);
        platform::WriteFileAtomic(path, "root's edit");
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4321u);
        EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
    }
}

TEST(WriteFileAtomic, AFailureLeavesTheOldFileAndNoTemporaryFile) {
    testsupport::TempDir dir;
    fs::permissions(dir.Path(), fs::perms(0755));
    const std::string path = dir.File("Module1.bas"), locked = dir.File("locked/Class1.cls");
    WriteFile(path, "old text");
    fs::permissions(path, fs::perms(0444));  // refused even for root
    ExpectFailures("write",
                   {{path, platform::kPathFileAccess, "the file is read-only"},
                    {dir.Path(), platform::kPathFileAccess, "it is a folder"},
                    {dir.File("none/x.bas"), platform::kPathNotFound, "the folder"}},
                   [](const std::string& p) { platform::WriteFileAtomic(p, "new"); });
    fs::permissions(path, fs::perms(0644));
    // The disk fills up while the new text is written.
    EXPECT_EQ(ChildFileError([&] { platform::WriteFileAtomic(path, std::string(100000, 'x')); }, 4096),
              platform::kDiskFull);
    // A folder that may not be written, holding a file that may.
    fs::create_directory(dir.File("locked"));
    WriteFile(locked, "old text");
    fs::permissions(locked, fs::perms(0666));
    fs::permissions(dir.File("locked"), fs::perms(0555));
    EXPECT_EQ(ChildFileError([&] { platform::WriteFileAtomic(locked, "new"); }), platform::kPermissionDenied);
    EXPECT_EQ(ReadFile(path) + ReadFile(locked), "old textold text");
    EXPECT_EQ(Entries(dir.Path()) + Entries(dir.File("locked")), 3);
    fs::permissions(dir.File("locked"), fs::perms(0755));  // or a user other than root cannot remove the folder
}

TEST(AppendFile, AddsToTheEndAndTakesBackAnEntryCutShort) {
    testsupport::TempDir dir;
    const std::string path = dir.File("ERROR.LOG");
    platform::AppendFile(path, "one\r\n");
    platform::AppendFile(path, "two\r\n");
    EXPECT_EQ(ChildFileError([&] { platform::AppendFile(path, std::string(500, 'x')); }, 100), platform::kDiskFull);
    EXPECT_EQ(ReadFile(path), "one\r\ntwo\r\n");
    ExpectFailures("write", {{dir.Path(), platform::kPathFileAccess, "it is a folder"}},
                   [](const std::string& p) { platform::AppendFile(p, "x"); });
}

TEST(StagedFiles, HoldsWritesBackAndListsOnlyRealChanges) {
    testsupport::TempDir dir;
    const std::string a = dir.File("a.bas"), b = dir.File("b.bas"), fresh = dir.File("new.bas");
    WriteFile(a, "a0");
    WriteFile(b, "b0");
    platform::StagedFiles staged;
    staged.Write(b, "b1");
    staged.Write(a, "a0");  // the same text: no change
    staged.Write(fresh, "");
    staged.Write(dir.Path() + "/./b.bas", "b2");  // the same file, spelled differently
    EXPECT_EQ(staged.Read(b), "b2");
    EXPECT_EQ(ReadFile(b), "b0");
    EXPECT_FALSE(fs::exists(fresh));
    const auto changes = staged.Changes();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_TRUE(changes[0].path == b && changes[0].before == "b0" && changes[0].after == "b2");
    EXPECT_TRUE(changes[1].path == fresh && changes[1].before == std::nullopt);

    // A staging over another reads through it and commits into it, not to the disk.
    platform::StagedFiles over(static_cast<platform::FileStore&>(staged));
    EXPECT_EQ(over.Read(b), "b2");
    over.Write(a, "a1");
    over.Commit();
    EXPECT_EQ(staged.Read(a), "a1");
    EXPECT_EQ(ReadFile(a), "a0");
    staged.Commit();
    EXPECT_EQ(ReadFile(a) + ReadFile(b) + ReadFile(fresh), "a1b2");
    EXPECT_TRUE(fs::exists(fresh) && staged.Changes().empty());

    platform::DiskFiles disk;
    EXPECT_EQ(disk.Read(dir.File("none/x.bas")), std::nullopt);
    EXPECT_THROW(disk.Read(dir.Path()), FileError);
}

// Another program's change is told by the bytes: a file written again as it was
// is unchanged, one changed within its size and given back its old time is not.
TEST(DiskFiles, ChangedSinceReadGoesByTheBytes) {
    testsupport::TempDir dir;
    const std::string path = dir.File("a.bas"), later = dir.File("later.bas");
    const std::pair<std::function<void()>, bool> cases[] = {
        {[] {}, false},
        {[&] {
             WriteFile(path, "Option Explicit\r\n");
             fs::last_write_time(path, fs::last_write_time(path) + std::chrono::hours(1));
         }, false},
        {[&] {
             const auto time = fs::last_write_time(path);
             WriteFile(path, "Option Explicit\n\n");
             fs::last_write_time(path, time);
         }, true},
        {[&] { WriteFile(path, "Option Explicit\r\n'\r\n"); }, true},
        {[&] { fs::remove(path); }, true},
        {[&] { WriteFile(later, ""); }, true}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& [change, changed] = cases[i];
        WriteFile(path, "Option Explicit\r\n");
        fs::remove(later);
        platform::DiskFiles disk;
        disk.Read(path);
        disk.Read(later);
        change();
        EXPECT_EQ(disk.ChangedSinceRead(path) || disk.ChangedSinceRead(later), changed) << "case " << i;
        EXPECT_FALSE(disk.ChangedSinceRead(dir.File("unread.bas")));
    }
}

// How the add-in finds its own library file, for its About box.
TEST(FileHolding, NamesTheLibraryThatHoldsAnObject) {
    EXPECT_THAT(platform::FileHolding(&std::cout), testing::HasSubstr("libstdc++"));
    EXPECT_EQ(platform::FileHolding(nullptr), "");
}
