#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#include "platform/file_errors.h"

namespace platform {

namespace {

// Closes a descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    /// Closes now and reports the errno of a failed close (0 when it worked).
    int Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

std::string FolderOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// A symbolic link is written through, so the link stays a link.
std::string WriteTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        std::error_code ec;
        const auto resolved = std::filesystem::weakly_canonical(path, ec);
        if (!ec) return resolved.string();
    }
    return path;
}

std::string TempNameBeside(const std::string& target) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    const std::filesystem::path p(target);
    const std::string name = "." + p.filename().string() + ".tmp" + std::to_string(random() % 1000000000ULL);
    return (p.parent_path() / name).string();
}

bool WriteAll(int fd, const std::string& bytes, int& error) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::string ReadFileBytes(const std::string& path) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) throw FileErrorFromErrno(errno, FileAction::Read, path);
    Descriptor file(fd);

    struct stat st {};
    if (::fstat(fd, &st) != 0) throw FileErrorFromErrno(errno, FileAction::Read, path);
    if (S_ISDIR(st.st_mode)) throw FileErrorFromErrno(EISDIR, FileAction::Read, path);

    std::string bytes;
    if (S_ISREG(st.st_mode)) bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            throw FileErrorFromErrno(errno, FileAction::Read, path);
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

void WriteFileAtomic(const std::string& path, const std::string& bytes) {
    const std::string target = WriteTarget(path);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (S_ISDIR(old.st_mode)) throw FileErrorFromErrno(EISDIR, FileAction::Write, path);
        // Renaming over the file would succeed where writing it may not: its own
        // permissions decide. A file nobody may write is read-only, for root too.
        if ((old.st_mode & 0222) == 0) throw ReadOnlyFileError(path);
        if (::access(target.c_str(), W_OK) != 0) throw FileErrorFromErrno(errno, FileAction::Write, path);
    } else if (errno != ENOENT) {
        throw FileErrorFromErrno(errno, FileAction::Write, path);
    }

    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = TempNameBeside(target);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST && errno != EINTR) break;
    }
    if (fd < 0) throw FileErrorFromErrno(errno, FileAction::Write, path);
    Descriptor file(fd);

    auto fail = [&](int error) {
        file.Close();
        ::unlink(temp.c_str());
        throw FileErrorFromErrno(error, FileAction::Write, path);
    };

    if (exists) {
        if (::fchmod(fd, old.st_mode & 07777) != 0) fail(errno);
        // Only root may give the file back its owner; for anyone else the
        // file was theirs already or stays theirs.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
        }
    }
    int error = 0;
    if (!WriteAll(fd, bytes, error)) fail(error);
    if (::fsync(fd) != 0) fail(errno);
    if (const int closeError = file.Close(); closeError != 0) {
        ::unlink(temp.c_str());
        throw FileErrorFromErrno(closeError, FileAction::Write, path);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temp.c_str());
        throw FileErrorFromErrno(renameError, FileAction::Write, path);
    }
    // Makes the rename itself durable; a folder that cannot be synced is no error.
    const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void AppendFile(const std::string& path, const std::string& bytes) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) throw FileErrorFromErrno(errno, FileAction::Write, path);
    Descriptor file(fd);

    struct stat before {};
    if (::fstat(fd, &before) != 0) throw FileErrorFromErrno(errno, FileAction::Write, path);
    if (S_ISDIR(before.st_mode)) throw FileErrorFromErrno(EISDIR, FileAction::Write, path);
    int error = 0;
    if (!WriteAll(fd, bytes, error)) {
        // Takes back a part-written entry, unless someone else appended meanwhile.
        struct stat now {};
        if (::fstat(fd, &now) == 0 && now.st_size > before.st_size &&
            now.st_size <= before.st_size + static_cast<off_t>(bytes.size())) {
            [[maybe_unused]] const int ignored = ::ftruncate(fd, before.st_size);
        }
        throw FileErrorFromErrno(error, FileAction::Write, path);
    }
    if (const int closeError = file.Close(); closeError != 0)
        throw FileErrorFromErrno(closeError, FileAction::Write, path);
}

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace platform
