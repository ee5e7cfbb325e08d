// Files as the commands see them: read whole, written whole and atomically.
//
// Commands never touch the disk directly; they go through a FileStore, so the
// command line can show a diff of every file a command would change, or write
// them all, once the command has succeeded.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os.h"

namespace platform {

// File errors, numbered as the VB runtime numbers them.
inline constexpr int kBadFileName = 52;
inline constexpr int kFileNotFound = 53;
inline constexpr int kDiskFull = 61;
inline constexpr int kInputPastEnd = 62;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kPathFileAccess = 75;
inline constexpr int kPathNotFound = 76;

/// A file that could not be read or written. what() is a complete message naming
/// the file and the cause, fit to show to a user.
class FileError : public std::runtime_error {
public:
    FileError(int number, const std::string& path, const std::string& message)
        : std::runtime_error(message), number_(number), path_(path) {}
    int Number() const { return number_; }
    const std::string& Path() const { return path_; }

private:
    int number_;
    std::string path_;
};

/// No limit on the size of a file read.
inline constexpr std::uintmax_t kNoSizeLimit = UINTMAX_MAX;

/// The folder that holds a file on disk: the path without its last name and the
/// "/" before it (doubled ones too); "/" for a file in the root, "." for a bare
/// name. "\\" is part of a name here: a project file's paths are made disk paths
/// before they get here.
std::string FolderOf(const std::string& path);

/// The file's absolute path with every symbolic link in it resolved, so that
/// one file has one name however it is reached (a missing file: its folder's
/// real path and its name); the absolute path when it cannot be resolved. Two
/// hard links to one file keep two names: std::filesystem::equivalent tells.
std::string RealPath(const std::string& path);

/// Reads a whole file. Throws FileError (not found, a folder, no access, more
/// than `limit` bytes: an endless device such as /dev/zero is refused, not read
/// until memory runs out).
std::string ReadFileBytes(const std::string& path, std::uintmax_t limit = kNoSizeLimit);

/// Bytes handed over piece by piece, so that a large file is never whole in memory.
using ByteSink = std::function<void(std::string_view)>;
/// Gives a file's bytes, in order, to the sink; may throw.
using ByteProducer = std::function<void(const ByteSink&)>;

/// A file's new content, written to a temporary file beside it but not yet in
/// its place: a run that changes several files prepares them all before the
/// first one replaces its original, so that a full disk or a read-only file
/// stops the run with every original untouched.
///
/// The temporary file is named ".NAME.quillmark-PID-NUMBER.tmp", so that a stale
/// one left by a killed process is never taken for a module or a project, and
/// RemoveStaleTemporaries knows it for one once that process is gone. It gets
/// the permissions of the file it replaces; a symbolic link is written through
/// (the link stays a link). A file that nobody may write is refused, even for
/// the superuser.
class PreparedWrite {
public:
    /// Whether the temporary file is synced as it is written, or later, so that
    /// a run syncs all its files together once they are written.
    enum class Durability { kSynced, kSyncLater };
    /// Writes and flushes the temporary file, and syncs it unless told to
    /// wait. Throws FileError, leaving nothing behind.
    PreparedWrite(const std::string& path, const std::string& bytes, Durability durability = Durability::kSynced);
    /// The same for bytes that `produce` gives piece by piece; what it throws
    /// (after removing the temporary file) goes to the caller.
    PreparedWrite(const std::string& path, const ByteProducer& produce, Durability durability = Durability::kSynced);
    /// Removes the temporary file unless it was committed.
    ~PreparedWrite();
    PreparedWrite(PreparedWrite&& other) noexcept;
    PreparedWrite& operator=(PreparedWrite&&) = delete;
    PreparedWrite(const PreparedWrite&) = delete;
    PreparedWrite& operator=(const PreparedWrite&) = delete;

    /// Makes the temporary file's content durable, when it is not yet. Throws
    /// FileError (the temporary file goes with this object).
    void MakeDurable();
    /// Renames the temporary file over the original, atomically. Throws
    /// FileError; the original is then as it was.
    void Commit();
    /// The same, keeping the original beside it under a hidden name (named as
    /// the temporary files are: a second hard link, or a copy where the file
    /// system has none) until this object goes, so that Undo() can put it back.
    void CommitUndoably();
    /// After CommitUndoably(): puts the original back in one rename (or removes
    /// the file when there was none). Throws FileError.
    void Undo();
    /// After CommitUndoably(): the original as it was replaced, under its hidden
    /// name; a hard link, it holds what another program wrote into the original
    /// up to the rename and through a handle it still holds. Empty when there
    /// was no original.
    const std::string& Replaced() const { return kept_; }
    /// The path as given.
    const std::string& Path() const { return path_; }
    /// The folder the file is written into (the link's target's, for a link).
    std::string Folder() const;

private:
    std::string path_;
    std::string target_;  // the file to replace: `path_`, or what its link points to
    TemporaryName temp_;  // empty once committed or given away
    std::string kept_;    // the original, kept until this object goes
    bool undoable_ = false;
    bool durable_ = false;
};

/// Removes the temporary files of PreparedWrites in a folder that processes no
/// longer running left behind (killed before they could remove them). One whose
/// process runs, or whose name does not tell its process, stays.
void RemoveStaleTemporaries(const std::string& folder);

/// Writes a whole file atomically: a PreparedWrite committed at once, and the
/// rename made durable. On any failure the old file stays as it was and
/// FileError is thrown.
void WriteFileAtomic(const std::string& path, const std::string& bytes);
/// Appends to a file, creating it when missing; existing content is never
/// truncated, and an entry cut short by a full disk is taken back. Throws FileError.
void AppendFile(const std::string& path, const std::string& bytes);
bool IsRegularFile(const std::string& path);

class FileStore {
public:
    virtual ~FileStore() = default;
    /// The file's bytes, or nullopt when there is no such file. Throws FileError
    /// when it exists but cannot be read.
    virtual std::optional<std::string> Read(const std::string& path) = 0;
    virtual void Write(const std::string& path, const std::string& bytes) = 0;
};

/// What a file held when it was read, enough to tell later whether it still
/// holds that: whether it existed, its size and a digest of its bytes.
struct FileContent {
    bool exists = false;
    std::uintmax_t size = 0;
    std::string digest;
    static FileContent Of(std::string_view bytes);
    /// The same for bytes given piece by piece.
    static FileContent Of(const ByteProducer& produce);
    bool operator==(const FileContent&) const = default;
};
/// Whether the file at `path` holds other bytes than `read` (or appeared, or
/// went, or cannot be read now), whatever its time of last change says: a
/// file written again with the bytes it had is unchanged.
bool ChangedOnDisk(const std::string& path, const FileContent& read);

/// Straight to the disk. Remembers how each file looked when it was first
/// read, so that a writer can tell whether another program changed it since.
/// Threads may read through one store at once.
class DiskFiles : public FileStore {
public:
    /// Files larger than `limit` bytes are refused with FileError.
    explicit DiskFiles(std::uintmax_t limit = kNoSizeLimit) : limit_(limit) {}
    std::optional<std::string> Read(const std::string& path) override;
    void Write(const std::string& path, const std::string& bytes) override;
    /// Whether the file changed on disk (or appeared, or went) since this store
    /// first read it; false for a file it never read. With `nowAt`, the file
    /// there is compared with what `path` held (the original a rename replaced).
    bool ChangedSinceRead(const std::string& path, const std::string& nowAt = {}) const;
    /// Whether reads are remembered for ChangedSinceRead (they are unless told
    /// otherwise). A reader that will never ask reads without taking a digest
    /// of every file.
    void RememberReads(bool remember) { remember_ = remember; }

private:
    std::uintmax_t limit_;
    bool remember_ = true;
    mutable std::mutex readLock_;  // guards read_
    std::map<std::string, FileContent> read_;  // by absolute path, as first read
};

/// Holds writes back: reads see earlier writes; Changes() lists what would be
/// written, Commit() writes it. Reads of files it holds no write for go to
/// `base` (the disk when none is given), and Commit() writes to it, so one
/// staging can sit on top of another.
class StagedFiles : public FileStore {
public:
    StagedFiles() : base_(&disk_) {}
    explicit StagedFiles(FileStore& base) : base_(&base) {}
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    struct Change {
        std::string path;
        std::optional<std::string> before;  // nullopt: a new file
        std::string after;
    };
    std::optional<std::string> Read(const std::string& path) override;
    void Write(const std::string& path, const std::string& bytes) override;
    /// The same, taking over the bytes instead of copying them.
    void Write(const std::string& path, std::string&& bytes);
    /// The same for a file the caller has read from this store just before, whose
    /// bytes then need no second reading (they are ignored when the file was
    /// written here already).
    void Write(const std::string& path, std::string&& bytes, std::string&& readBefore);
    /// Files whose content would change, in the order first written.
    std::vector<Change> Changes();
    /// The same without copying the files: `visit(path, before, after)`.
    template <class Visit>
    void ForEachChange(Visit&& visit) const {
        for (const std::string& path : order_) {
            const std::string key = KeyOf(path);
            const std::optional<std::string>& before = original_.at(key);
            const std::string& after = staged_.at(key);
            if (!before || *before != after) visit(path, before, after);
        }
    }
    /// Writes every change to the base, one file after another.
    void Commit();
    /// Forgets every write, as if none had been made.
    void Clear();
    /// How many writes were made, changing or not: a step that wrote nothing
    /// leaves it as it was.
    std::size_t WriteCount() const { return writes_; }

    /// One key per file, however the path was spelled ("a/../b.bas", "./b.bas").
    static std::string KeyOf(const std::string& path);

private:
    void Stage(const std::string& key, const std::string& path, std::string&& bytes);
    DiskFiles disk_;
    FileStore* base_;
    std::map<std::string, std::string> staged_;
    std::map<std::string, std::optional<std::string>> original_;  // before the first write
    std::vector<std::string> order_;
    std::size_t writes_ = 0;
};

}  // namespace platform
