// A run that changes several files, written all or nothing: the folders it
// writes into are locked before it reads, and its prepared files replace their
// originals only when none changed on disk since the run read it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/os.h"

namespace platform {

/// Locks the folders that hold `files`, each by its real path and once, in the
/// one order every run takes them, so that two runs never wait for each
/// other's locks at once (a file reached through a link is written in its
/// target's folder). Then removes stale temporaries from them. `locking` is
/// called with each folder just before it is locked.
std::vector<FolderLock> LockFoldersOf(const std::vector<std::string>& files,
                                      const std::function<void(const std::string& folder)>& locking = {});

/// What WriteAllOrNothing asks of its caller.
struct WriteChecks {
    /// Whether the file at `path` changed since the run read it (with `nowAt`,
    /// the file there is compared: the original a rename replaced); a caller
    /// says so to the user.
    std::function<bool(const std::string& path, const std::string& nowAt)> changed;
    /// Runs a step that may throw a file error; false, once the caller has told
    /// why, when it failed.
    std::function<bool(const std::function<void()>& step)> attempt;
    /// Called with each file just before its prepared bytes replace it.
    std::function<void(const std::string& path)> replacing;
    /// The threads that sync the prepared files together.
    std::size_t jobs = 1;
};

/// Prepares every change `staged` holds after the writes already `prepared`,
/// syncs them all (those prepared with Durability::kSyncLater too), then
/// replaces all their originals, or none: a file changed on disk since it was
/// read, a write that cannot be prepared or synced, or a rename that fails
/// leaves every original as it was (and returns false). `prepared` is emptied.
bool WriteAllOrNothing(std::vector<PreparedWrite>& prepared, const StagedFiles& staged, const WriteChecks& checks);

}  // namespace platform
