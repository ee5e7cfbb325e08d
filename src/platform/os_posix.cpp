// The program's only direct calls to the operating system (POSIX), kept in one
// place so that everything else builds on any system Qt runs on:
// - folder locks (flock): neither Qt nor the standard library has a lock that
//   other processes see without leaving a lock file beside the user's files;
// - fsync of a file and of its folder: QFile and std::ofstream cannot make a
//   write durable, and QSaveFile cannot prepare several files before the first
//   one replaces its original;
// - open and access by a name of bytes: Qt takes names of text only;
// - fchown: Qt can copy a file's permissions but not its owner;
// - getpid and kill(pid, 0): whether the process that made a file still runs;
// - isatty: neither library tells whether a stream is a terminal;
// - dladdr: a shared library (the add-in) cannot ask Qt for its own file;
// - mallopt, where the C library is glibc (measured in bench/cli_bench.cpp).
#include "platform/os.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

FolderLock::FolderLock(const std::string& folder, bool (*keepWaiting)()) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            handle_ = fd;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) break;
        if (keepWaiting != nullptr && !keepWaiting()) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::close(fd);
}

FolderLock::~FolderLock() {
    if (handle_ >= 0) ::close(handle_);  // releases the lock
}

FolderLock::FolderLock(FolderLock&& other) noexcept : handle_(other.handle_) { other.handle_ = -1; }

bool SyncToDisk(int handle) { return ::fsync(handle) == 0; }

bool TakeOwnerOf(int handle, const std::string& original) {
    struct stat old {};
    if (::stat(original.c_str(), &old) != 0) return false;
    struct stat now {};
    if (::fstat(handle, &now) == 0 && now.st_uid == old.st_uid && now.st_gid == old.st_gid) return true;
    return ::fchown(handle, old.st_uid, old.st_gid) == 0;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

int OpenHandle(const std::string& path, OpenFor how) {
    const int flags = how == OpenFor::Read        ? O_RDONLY
                      : how == OpenFor::CreateNew ? O_WRONLY | O_CREAT | O_EXCL
                                                  : O_WRONLY | O_CREAT | O_APPEND;
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

void CloseHandle(int handle) {
    const int error = errno;
    ::close(handle);
    errno = error;
}

bool MayWrite(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

long ProcessId() { return static_cast<long>(::getpid()); }

bool ProcessRuns(long id) {
    return id > 0 && (::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM);
}

bool IsTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) == 1; }

std::string FileHolding(const void* address) {
    Dl_info info{};
    if (address == nullptr || ::dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
    return info.dli_fname;
}

void KeepMemoryBetweenAllocations() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_TOP_PAD, 64 << 20);
#endif
}

}  // namespace platform
