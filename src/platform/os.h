// The few services Qt and the standard library do not offer portably: locks
// that other processes see, making a written file durable, whether a stream is
// a terminal, and the allocator's tuning. They are implemented in os_posix.cpp,
// the only file of the program that calls the operating system directly.
#pragma once

#include <cstdio>
#include <string>

namespace platform {

/// An exclusive lock on a folder, held by this object and released when it goes
/// (and by the system when the process ends, however it ends). Every process of
/// the program that writes into the folder takes it, so their reads and writes
/// of one file do not interleave. No lock file is created.
class FolderLock {
public:
    /// Waits for the lock. `keepWaiting` is asked every few milliseconds while
    /// another process holds it; when it returns false the wait ends without the
    /// lock (Held() false). A folder that cannot be locked (a file system without
    /// locks) is not locked, and Held() is false.
    explicit FolderLock(const std::string& folder, bool (*keepWaiting)() = nullptr);
    ~FolderLock();
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&&) = delete;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool Held() const { return handle_ >= 0; }

private:
    int handle_ = -1;
};

/// Makes the written content of an open file durable. False when the disk
/// reports a failure (the content may then be lost).
bool SyncToDisk(int handle);
/// Gives the open file `handle` the owner and group of the file at `original`,
/// so a file written in its place keeps them (root editing another user's
/// module). Where that is not allowed, the file keeps its creator's: false.
bool TakeOwnerOf(int handle, const std::string& original);
/// Makes renames in a folder durable; failures are not reported (some file
/// systems cannot sync a folder).
void SyncFolder(const std::string& folder);

/// How OpenHandle opens a file.
enum class OpenFor {
    Read,
    CreateNew,  // write a file that must not exist yet
    Append,     // write at the end, creating the file when missing
};
/// Opens a file by its name as the system keeps it, bytes in any encoding (a
/// QFile takes only names of text: one in another code page cannot be opened
/// by name). A handle to give a QFile, or -1 with errno set.
int OpenHandle(const std::string& path, OpenFor how);
/// Closes a handle OpenHandle gave, keeping errno.
void CloseHandle(int handle);
/// Whether this process may write the file (its permissions, its owner, and the
/// superuser's rights).
bool MayWrite(const std::string& path);

/// Waits until no other process holds the file open, so that nothing more can
/// be written into it through a handle opened before its name was given to
/// another file; at most `limitMs` milliseconds. Returns at once where the
/// system cannot tell (a file system without leases): false then, and when
/// the time ran out.
bool WaitUntilOthersClose(const std::string& path, int limitMs);

/// This process's id.
long ProcessId();
/// Whether a process with this id runs (on this machine), whoever owns it.
bool ProcessRuns(long id);

/// The name of a temporary file the process has on disk, kept in a list that a
/// signal handler can walk (RemoveTemporariesNow), so that a process ended by
/// Ctrl-C leaves none behind. Names come and go with signals held back, so a
/// handler never sees the list half changed, and a file is made in the same
/// step as its name goes on the list, so that a handler running on another
/// thread never misses a file made while it removes them.
class TemporaryName {
public:
    TemporaryName() = default;
    ~TemporaryName() { Clear(); }
    TemporaryName(TemporaryName&& other) noexcept : node_(other.node_) { other.node_ = nullptr; }
    TemporaryName& operator=(TemporaryName&&) = delete;
    TemporaryName(const TemporaryName&) = delete;
    TemporaryName& operator=(const TemporaryName&) = delete;

    /// Makes the file `name`, which must not exist yet, and puts the name on the
    /// list: a handle to give a QFile, or -1 with errno set (and no name kept).
    int Create(std::string name);
    /// Takes the name off the list (the file is gone or is no longer temporary).
    void Clear();
    const std::string& Get() const;
    bool empty() const { return node_ == nullptr; }

    struct Node;  // an entry of the list

private:
    Node* node_ = nullptr;
};
/// Removes every file a TemporaryName of the process names, calling only what
/// a signal handler may call. The list stays closed after: the process is to
/// end, and no other thread makes a temporary file before it does.
void RemoveTemporariesNow() noexcept;

/// While one lives, the signals sent to this thread wait; they come when it
/// goes. For work that must not be cut in the middle.
class SignalsHeld {
public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    alignas(8) unsigned char before_[128];  // the signal mask it replaced
};

/// Whether the stream writes to a terminal.
bool IsTerminal(std::FILE* stream);

/// The program or shared library file that holds the object at `address`, as
/// the system loaded it; empty when the system cannot tell.
std::string FileHolding(const void* address);

/// One run reads, changes and writes whole modules of megabytes, one after
/// another: this keeps freed memory for the next module instead of giving it
/// back and faulting it in again. Does nothing where the allocator has no such
/// setting.
void KeepMemoryBetweenAllocations();

}  // namespace platform
