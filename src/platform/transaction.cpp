#include "platform/transaction.h"

#include "platform/parallel.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <set>

namespace platform {

std::vector<FolderLock> LockFoldersOf(const std::vector<std::string>& files,
                                      const std::function<void(const std::string& folder)>& locking) {
    std::set<std::string> folders;
    for (const std::string& file : files) folders.insert(FolderOf(RealPath(file)));
    std::vector<FolderLock> locks;
    for (const std::string& folder : folders) {
        if (locking) locking(folder);
        locks.emplace_back(folder);
    }
    for (const std::string& folder : folders) RemoveStaleTemporaries(folder);
    return locks;
}

bool WriteAllOrNothing(std::vector<PreparedWrite>& prepared, const StagedFiles& staged, const WriteChecks& checks) {
    bool ok = true;
    staged.ForEachChange([&](const std::string& path, const auto&, const std::string& after) {
        if (ok) ok = checks.attempt([&] { prepared.emplace_back(path, after, PreparedWrite::Durability::kSyncLater); });
    });
    // Every file on disk before any replaces its original, synced together.
    std::vector<std::exception_ptr> unsynced(prepared.size());
    if (ok)
        ForEachIndex(prepared.size(), checks.jobs, [&](std::size_t i) {
            try {
                prepared[i].MakeDurable();
            } catch (const FileError&) {
                unsynced[i] = std::current_exception();
            }
        });
    for (const std::exception_ptr& failure : unsynced)
        if (ok && failure) ok = checks.attempt([&] { std::rethrow_exception(failure); });
    // Now that everything is prepared: a file another program saved since the
    // run read it is not overwritten.
    for (const PreparedWrite& write : prepared)
        if (ok && checks.changed(write.Path(), {})) ok = false;
    if (!ok) {
        prepared.clear();
        return false;
    }

    // Each original is kept until every file is in place: a rename that fails
    // (an append-only file, a sticky folder) puts back those made before it.
    // Ctrl-C waits until every file is old or every file is new.
    const SignalsHeld uncut;
    std::set<std::string> folders;
    std::size_t replaced = 0;
    for (; replaced < prepared.size() && ok; ++replaced) {
        PreparedWrite& write = prepared[replaced];
        if (checks.replacing) checks.replacing(write.Path());
        ok = checks.attempt([&] { write.CommitUndoably(); });
        folders.insert(write.Folder());
    }
    // What another program wrote into an original between the last check and
    // its rename is in the replaced original: then every original goes back.
    // A program that opened it before the rename may still be writing: the
    // original is looked at once no other process holds it open (or, for a
    // program that keeps its files open, once half a second has gone by).
    const auto patience = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    for (const PreparedWrite& write : prepared) {
        if (!ok || write.Replaced().empty()) continue;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            patience - std::chrono::steady_clock::now());
        WaitUntilOthersClose(write.Replaced(), static_cast<int>(std::max<long long>(left.count(), 0)));
        if (checks.changed(write.Path(), write.Replaced())) ok = false;
    }
    if (!ok)
        while (replaced-- > 0) checks.attempt([&] { prepared[replaced].Undo(); });
    for (const std::string& folder : folders) SyncFolder(folder);
    prepared.clear();
    return ok;
}

}  // namespace platform
