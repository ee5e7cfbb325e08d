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
// - pthread_sigmask and unlink in a signal handler: the temporary files a
//   process ended by Ctrl-C removes;
// - fcntl(F_SETLEASE): whether another process holds a replaced file open;
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

#include <atomic>
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

bool WaitUntilOthersClose(const std::string& path, int limitMs) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    // A write lease is granted only while no other descriptor is open on the file.
    bool closed = false;
    for (int waited = 0;; ++waited) {
        if (::fcntl(fd, F_SETLEASE, F_WRLCK) == 0) {
            ::fcntl(fd, F_SETLEASE, F_UNLCK);
            closed = true;
            break;
        }
        if ((errno != EAGAIN && errno != EBUSY) || waited >= limitMs) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::close(fd);
    return closed;
}

namespace {

// The temporary names, a list a signal handler walks. It is changed with the
// changing thread's signals held back and under a flag, so a handler running
// in another thread waits for the change to end.
std::atomic_flag temporariesBusy = ATOMIC_FLAG_INIT;

void TakeTemporaries() noexcept {
    while (temporariesBusy.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
}
void GiveTemporaries() noexcept { temporariesBusy.clear(std::memory_order_release); }

}  // namespace

struct TemporaryName::Node {
    std::string name;
    Node* previous = nullptr;
    Node* next = nullptr;
};

namespace {
TemporaryName::Node* temporaries = nullptr;  // the list's first name
}  // namespace

int TemporaryName::Create(std::string name) {
    Clear();
    auto* node = new Node{std::move(name)};
    int handle = -1;
    int error = 0;
    {
        SignalsHeld held;
        TakeTemporaries();
        handle = OpenHandle(node->name, OpenFor::CreateNew);
        error = errno;
        if (handle >= 0) {
            node->next = temporaries;
            if (temporaries != nullptr) temporaries->previous = node;
            temporaries = node;
        }
        GiveTemporaries();
    }
    if (handle < 0) {
        delete node;
        errno = error;
        return -1;
    }
    node_ = node;
    return handle;
}

void TemporaryName::Clear() {
    if (node_ == nullptr) return;
    {
        SignalsHeld held;
        TakeTemporaries();
        if (node_->previous != nullptr) node_->previous->next = node_->next;
        else temporaries = node_->next;
        if (node_->next != nullptr) node_->next->previous = node_->previous;
        GiveTemporaries();
    }
    delete node_;
    node_ = nullptr;
}

const std::string& TemporaryName::Get() const {
    static const std::string none;
    return node_ != nullptr ? node_->name : none;
}

void RemoveTemporariesNow() noexcept {
    TakeTemporaries();  // and kept: a thread that makes a file now waits until the process ends
    for (const TemporaryName::Node* n = temporaries; n != nullptr; n = n->next) ::unlink(n->name.c_str());
}

static_assert(sizeof(sigset_t) <= 128 && alignof(sigset_t) <= 8, "SignalsHeld keeps a sigset_t");

SignalsHeld::SignalsHeld() {
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, reinterpret_cast<sigset_t*>(before_));
}

SignalsHeld::~SignalsHeld() { pthread_sigmask(SIG_SETMASK, reinterpret_cast<const sigset_t*>(before_), nullptr); }

}  // namespace platform
