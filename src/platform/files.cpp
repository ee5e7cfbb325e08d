#include "platform/files.h"

#include <QFile>
#include <xxhash.h>

#include <cerrno>
#include <memory>
#include <new>
#include <random>
#include <regex>

#include "platform/file_errors.h"
#include "platform/os.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

constexpr fs::perms kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

// Opens `file` on a handle the system gave (closed when the QFile goes), or
// false with errno set (the handle is -1, or closed here).
bool Adopt(QFile& file, int handle, QIODevice::OpenMode mode) {
    if (handle < 0) return false;
    if (file.open(handle, mode | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) return true;
    CloseHandle(handle);
    return false;
}

// Opens `file` on the file named by `path`'s bytes, whatever their encoding.
// False with errno set when the system refuses.
bool OpenByName(QFile& file, const std::string& path, OpenFor how, QIODevice::OpenMode mode) {
    return Adopt(file, OpenHandle(path, how), mode);
}

// The cause of a failed open, told by the file's state: the error of looking at
// it, a folder, or else no access.
int OpenFailureCause(const std::string& path) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (ec) return ec.value();
    if (fs::is_directory(st)) return EISDIR;
    return EACCES;
}

// The errno of a failed write: what the system said, or what Qt tells of it.
int WriteFailureCause(const QFile& file, int error) {
    if (error != 0) return error;
    return file.error() == QFileDevice::ResourceError ? ENOSPC : EIO;
}

bool WriteAll(QFile& file, std::string_view bytes, int& error) {
    const char* data = bytes.data();
    qint64 left = static_cast<qint64>(bytes.size());
    while (left > 0) {
        errno = 0;
        const qint64 n = file.write(data, left);
        if (n <= 0) {
            error = WriteFailureCause(file, errno);
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

// A symbolic link is written through, so the link stays a link.
std::string WriteTarget(const std::string& path) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        const fs::path resolved = fs::weakly_canonical(path, ec);
        if (!ec) return resolved.string();
    }
    return path;
}

std::string TempNameBeside(const std::string& target) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    const fs::path p(target);
    const std::string name = "." + p.filename().string() + ".quillmark-" + std::to_string(ProcessId()) + "-" +
                             std::to_string(random() % 1000000000ULL) + ".tmp";
    return (p.parent_path() / name).string();
}

void RemoveQuietly(const std::string& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

// The process that made a temporary file, by its name (TempNameBeside's); 0
// for any other name.
long MakerOfTemporary(const std::string& name) {
    static const std::regex pattern(R"(\..+\.quillmark-([0-9]{1,9})-[0-9]+\.tmp)");
    std::smatch match;
    return std::regex_match(name, match, pattern) ? std::stol(match[1].str()) : 0;
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

std::string RealPath(const std::string& path) {
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(fs::absolute(path, ec), ec);
    return ec ? StagedFiles::KeyOf(path) : real.string();
}

namespace {

// Reads a file in pieces, each given to `sink`; `size` is told the file's size
// first when it is known. Throws FileError as ReadFileBytes does.
void ReadPieces(const std::string& path, std::uintmax_t limit, const std::function<void(std::uintmax_t)>& size,
                const ByteSink& sink) {
    QFile file;
    if (!OpenByName(file, path, OpenFor::Read, QIODevice::ReadOnly))
        throw FileErrorFromErrno(OpenFailureCause(path), FileAction::Read, path);
    std::error_code ec;
    if (fs::is_directory(path, ec)) throw FileErrorFromErrno(EISDIR, FileAction::Read, path);

    if (!file.isSequential() && static_cast<std::uintmax_t>(file.size()) <= limit)
        size(static_cast<std::uintmax_t>(file.size()));
    char buffer[65536];
    std::uintmax_t total = 0;
    for (;;) {
        errno = 0;
        const qint64 n = file.read(buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) throw FileErrorFromErrno(errno != 0 ? errno : EIO, FileAction::Read, path);
        total += static_cast<std::uintmax_t>(n);
        if (total > limit) throw TooLargeFileError(path, limit);
        sink(std::string_view(buffer, static_cast<std::size_t>(n)));
    }
}

}  // namespace

std::string ReadFileBytes(const std::string& path, std::uintmax_t limit) {
    std::string bytes;
    ReadPieces(
        path, limit, [&](std::uintmax_t size) { bytes.reserve(static_cast<std::size_t>(size)); },
        [&](std::string_view piece) { bytes.append(piece); });
    return bytes;
}

PreparedWrite::PreparedWrite(const std::string& path, const std::string& bytes, Durability durability)
    : PreparedWrite(path, [&bytes](const ByteSink& sink) { sink(bytes); }, durability) {}

PreparedWrite::PreparedWrite(const std::string& path, const ByteProducer& produce, Durability durability)
    : path_(path), target_(WriteTarget(path)) {
    std::error_code ec;
    const fs::file_status old = fs::status(target_, ec);
    const bool replaces = fs::exists(old);
    if (replaces) {
        if (fs::is_directory(old)) throw FileErrorFromErrno(EISDIR, FileAction::Write, path);
        // Renaming over the file would succeed where writing it may not: its own
        // permissions decide. A file nobody may write is read-only, for root too.
        if ((old.permissions() & kAnyWrite) == fs::perms::none) throw ReadOnlyFileError(path);
        if (!MayWrite(target_)) throw FileErrorFromErrno(EACCES, FileAction::Write, path);
    } else {
        const fs::file_status folder = fs::status(FolderOf(target_), ec);
        if (ec || !fs::is_directory(folder))
            throw FileErrorFromErrno(ec ? ec.value() : fs::exists(folder) ? ENOTDIR : ENOENT, FileAction::Write, path);
    }

    QFile file;
    for (int attempt = 0; attempt < 100; ++attempt) {
        errno = 0;
        if (Adopt(file, temp_.Create(TempNameBeside(target_)), QIODevice::WriteOnly)) break;
        const int error = errno;
        if (!temp_.empty()) RemoveQuietly(temp_.Get());
        temp_.Clear();
        if (error != EEXIST && error != EINTR)
            throw FileErrorFromErrno(error != 0 ? error : OpenFailureCause(FolderOf(target_)), FileAction::Write,
                                     path);
    }
    if (temp_.empty()) throw FileErrorFromErrno(EEXIST, FileAction::Write, path);

    auto fail = [&](int error) {
        file.close();
        RemoveQuietly(temp_.Get());
        temp_.Clear();
        throw FileErrorFromErrno(error, FileAction::Write, path);
    };
    if (replaces) {
        // The owner first: changing it may clear set-id bits the permissions restore.
        TakeOwnerOf(file.handle(), target_);
        fs::permissions(temp_.Get(), old.permissions() & fs::perms::all, ec);
        if (ec) fail(EACCES);
    }
    int error = 0;
    try {
        produce([&](std::string_view bytes) {
            if (!WriteAll(file, bytes, error)) fail(error);
        });
    } catch (...) {
        if (!temp_.empty()) {
            file.close();
            RemoveQuietly(temp_.Get());
            temp_.Clear();
        }
        throw;
    }
    if (!file.flush()) fail(WriteFailureCause(file, errno));
    if (durability == Durability::kSynced && !SyncToDisk(file.handle())) fail(errno != 0 ? errno : EIO);
    file.close();
    if (file.error() != QFileDevice::NoError) fail(WriteFailureCause(file, errno));
    durable_ = durability == Durability::kSynced;
}

void PreparedWrite::MakeDurable() {
    if (durable_ || temp_.empty()) return;
    // The file's written pages are synced through any handle on it.
    errno = 0;
    const int handle = OpenHandle(temp_.Get(), OpenFor::Read);
    const bool synced = handle >= 0 && SyncToDisk(handle);
    const int error = errno != 0 ? errno : EIO;
    if (handle >= 0) CloseHandle(handle);
    if (!synced) throw FileErrorFromErrno(error, FileAction::Write, path_);
    durable_ = true;
}

PreparedWrite::~PreparedWrite() {
    if (!temp_.empty()) RemoveQuietly(temp_.Get());
    if (!kept_.empty()) RemoveQuietly(kept_);
}

PreparedWrite::PreparedWrite(PreparedWrite&& other) noexcept
    : path_(std::move(other.path_)),
      target_(std::move(other.target_)),
      temp_(std::move(other.temp_)),
      kept_(std::move(other.kept_)),
      undoable_(other.undoable_),
      durable_(other.durable_) {
    other.kept_.clear();
    other.undoable_ = false;
}

void PreparedWrite::Commit() {
    std::error_code ec;
    fs::rename(temp_.Get(), target_, ec);
    if (ec) {
        RemoveQuietly(temp_.Get());
        temp_.Clear();
        throw FileErrorFromErrno(ec.value(), FileAction::Write, path_);
    }
    temp_.Clear();
}

void PreparedWrite::CommitUndoably() {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(target_, ec))) {
        for (int attempt = 0; attempt < 100 && kept_.empty(); ++attempt) {
            kept_ = TempNameBeside(target_);
            ec.clear();
            fs::create_hard_link(target_, kept_, ec);
            // A file system without hard links (or a file that refuses one) gets a copy.
            if (ec && ec != std::errc::file_exists) {
                ec.clear();
                fs::copy_file(target_, kept_, ec);
            }
            if (ec) kept_.clear();
            if (ec && ec != std::errc::file_exists) break;
        }
        if (kept_.empty()) {
            RemoveQuietly(temp_.Get());
            temp_.Clear();
            throw FileErrorFromErrno(ec ? ec.value() : EEXIST, FileAction::Write, path_);
        }
    }
    try {
        Commit();
    } catch (const FileError&) {
        if (!kept_.empty()) RemoveQuietly(kept_);
        kept_.clear();
        throw;
    }
    undoable_ = true;
}

void PreparedWrite::Undo() {
    if (!undoable_) return;
    std::error_code ec;
    if (kept_.empty())
        fs::remove(target_, ec);
    else
        fs::rename(kept_, target_, ec);
    if (ec) throw FileErrorFromErrno(ec.value(), FileAction::Write, path_);
    kept_.clear();
    undoable_ = false;
}

std::string PreparedWrite::Folder() const { return FolderOf(target_); }

void RemoveStaleTemporaries(const std::string& folder) {
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const long maker = MakerOfTemporary(entry.path().filename().string());
        if (maker != 0 && maker != ProcessId() && !ProcessRuns(maker)) RemoveQuietly(entry.path().string());
    }
}

void WriteFileAtomic(const std::string& path, const std::string& bytes) {
    PreparedWrite write(path, bytes);
    write.Commit();
    SyncFolder(write.Folder());
}

void AppendFile(const std::string& path, const std::string& bytes) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) throw FileErrorFromErrno(EISDIR, FileAction::Write, path);
    QFile file;
    errno = 0;
    if (!OpenByName(file, path, OpenFor::Append, QIODevice::WriteOnly | QIODevice::Append)) {
        const int error = errno;
        throw FileErrorFromErrno(error != 0 ? error : OpenFailureCause(path), FileAction::Write, path);
    }
    const qint64 before = file.size();
    int error = 0;
    if (!WriteAll(file, bytes, error)) {
        // Takes back a part-written entry, unless someone else appended meanwhile.
        const qint64 now = file.size();
        if (now > before && now <= before + static_cast<qint64>(bytes.size())) file.resize(before);
        throw FileErrorFromErrno(error, FileAction::Write, path);
    }
    file.close();
    if (file.error() != QFileDevice::NoError) throw FileErrorFromErrno(WriteFailureCause(file, errno), FileAction::Write, path);
}

bool IsRegularFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

FileContent FileContent::Of(std::string_view bytes) {
    return Of([bytes](const ByteSink& sink) { sink(bytes); });
}

FileContent FileContent::Of(const ByteProducer& produce) {
    // XXH3-128: a change another program made is told at memory speed; the
    // digest guards against accidents, not against an attacker.
    const std::unique_ptr<XXH3_state_t, XXH_errorcode (*)(XXH3_state_t*)> state(XXH3_createState(), XXH3_freeState);
    if (!state || XXH3_128bits_reset(state.get()) != XXH_OK) throw std::bad_alloc();
    std::uintmax_t size = 0;
    produce([&](std::string_view bytes) {
        XXH3_128bits_update(state.get(), bytes.data(), bytes.size());
        size += bytes.size();
    });
    XXH128_canonical_t canonical;
    XXH128_canonicalFromHash(&canonical, XXH3_128bits_digest(state.get()));
    return {true, size, std::string(reinterpret_cast<const char*>(canonical.digest), sizeof canonical.digest)};
}

bool ChangedOnDisk(const std::string& path, const FileContent& read) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    const bool exists = !ec && fs::exists(st);
    if (exists != read.exists) return true;
    if (!exists) return false;
    // Another size is the quick answer; the same size needs the bytes.
    if (fs::file_size(path, ec) != read.size || ec) return true;
    try {
        // In pieces: a large module is not held a second time to be compared.
        const FileContent now = FileContent::Of([&path](const ByteSink& sink) {
            ReadPieces(path, kNoSizeLimit, [](std::uintmax_t) {}, sink);
        });
        return now.digest != read.digest;
    } catch (const FileError&) {
        return true;
    }
}

}  // namespace platform
