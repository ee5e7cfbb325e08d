// FileError from a failed system call: the VB error number that fits the cause,
// and a message naming the file, the cause and what to do about it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/files.h"

namespace platform {

enum class FileAction { Read, Write };

/// The FileError for `error` (an errno value) when reading or writing `path`.
FileError FileErrorFromErrno(int error, FileAction action, const std::string& path);
/// The FileError for a file whose permissions forbid writing it.
FileError ReadOnlyFileError(const std::string& path);
/// The FileError for a file larger than `limit` bytes (or endless, as /dev/zero).
FileError TooLargeFileError(const std::string& path, std::uintmax_t limit);

}  // namespace platform
