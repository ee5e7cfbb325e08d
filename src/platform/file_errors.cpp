#include "platform/file_errors.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace platform {

namespace {

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

}  // namespace

FileError FileErrorFromErrno(int error, FileAction action, const std::string& path) {
    const std::string head =
        (action == FileAction::Read ? "cannot read '" : "cannot write '") + path + "': ";
    const std::string folder = FolderOf(path);
    auto make = [&](int number, const std::string& cause) { return FileError(number, path, head + cause); };

    switch (error) {
    case ENOENT:
        if (action == FileAction::Read && IsFolder(folder))
            return make(kFileNotFound, "no such file; check the name and the folder");
        return make(kPathNotFound, "the folder '" + folder + "' does not exist; check the path");
    case ENOTDIR:
        return make(kPathNotFound, "a part of the path is not a folder; check the path");
    case EACCES:
    case EPERM:
        if (action == FileAction::Read)
            return make(kPermissionDenied, "permission denied; check the file's permissions");
        return make(kPermissionDenied, "permission denied; check that the file and its folder '" + folder +
                                           "' may be written");
    case EISDIR:
        return make(kPathFileAccess, "it is a folder, not a file; name a file");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return make(kDiskFull, "disk full; free some space and try again");
    case EFBIG:
        return make(kDiskFull, "disk full: the file is too large for the disk; free some space or "
                               "choose another disk");
    case EROFS:
        return make(kPathFileAccess, "the disk is read-only; copy the file to a writable disk");
    case ENAMETOOLONG:
        return make(kBadFileName, "the name is too long; choose a shorter path");
    case ELOOP:
        return make(kPathFileAccess, "too many symbolic links in the path; check the path");
    default:
        return make(kPathFileAccess, std::generic_category().message(error) + "; check the disk and try again");
    }
}

FileError ReadOnlyFileError(const std::string& path) {
    return FileError(kPathFileAccess, path,
                     "cannot write '" + path + "': the file is read-only; make it writable and try again");
}

FileError TooLargeFileError(const std::string& path, std::uintmax_t limit) {
    const std::string size = limit >= (1u << 20) ? std::to_string(limit >> 20) + " MB"
                                                 : std::to_string(limit) + " bytes";
    return FileError(kPathFileAccess, path,
                     "cannot read '" + path + "': it is larger than " + size +
                         ", more than Quillmark reads from one file; name a smaller file");
}

}  // namespace platform
