// Files as the commands see them: read whole, written whole and atomically.
//
// Commands never touch the disk directly; they go through a FileStore, so the
// command line can show a diff of every file a command would change, or write
// them all, once the command has succeeded.
#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

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

/// Reads a whole file. Throws FileError (not found, a folder, no access...).
std::string ReadFileBytes(const std::string& path);
/// Writes a whole file atomically: a temporary file beside it, flushed, then
/// renamed over it; an existing file keeps its permissions. On any failure the
/// old file stays as it was and FileError is thrown.
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

/// Straight to the disk.
class DiskFiles : public FileStore {
public:
    std::optional<std::string> Read(const std::string& path) override;
    void Write(const std::string& path, const std::string& bytes) override;
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

private:
    static std::string KeyOf(const std::string& path);
    void Stage(const std::string& key, const std::string& path, std::string&& bytes);
    DiskFiles disk_;
    FileStore* base_;
    std::map<std::string, std::string> staged_;
    std::map<std::string, std::optional<std::string>> original_;  // before the first write
    std::vector<std::string> order_;
};

}  // namespace platform
