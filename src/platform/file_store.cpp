#include <filesystem>

#include "platform/files.h"

namespace platform {

// One key per file, however the path was spelled ("a/../b.bas", "./b.bas").
std::string StagedFiles::KeyOf(const std::string& path) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    return (ec ? std::filesystem::path(path) : absolute).lexically_normal().string();
}

std::optional<std::string> DiskFiles::Read(const std::string& path) {
    const std::string key = StagedFiles::KeyOf(path);
    std::optional<std::string> bytes;
    try {
        bytes = ReadFileBytes(path, limit_);
    } catch (const FileError& e) {
        if (e.Number() != kFileNotFound && e.Number() != kPathNotFound) throw;
    }
    // What the file held when first read; a digest is taken once, and only
    // when someone will ask whether the file changed.
    if (!remember_) return bytes;
    {
        const std::lock_guard lock(readLock_);
        if (read_.contains(key)) return bytes;
    }
    const FileContent content = bytes ? FileContent::Of(*bytes) : FileContent{};
    const std::lock_guard lock(readLock_);
    read_.emplace(key, content);  // a second reader of the same file meanwhile keeps the first
    return bytes;
}

bool DiskFiles::ChangedSinceRead(const std::string& path, const std::string& nowAt) const {
    const std::string key = StagedFiles::KeyOf(path);
    FileContent read;
    {
        const std::lock_guard lock(readLock_);
        const auto it = read_.find(key);
        if (it == read_.end()) return false;
        read = it->second;
    }
    return ChangedOnDisk(nowAt.empty() ? key : nowAt, read);
}

void DiskFiles::Write(const std::string& path, const std::string& bytes) { WriteFileAtomic(path, bytes); }

std::optional<std::string> StagedFiles::Read(const std::string& path) {
    const auto staged = staged_.find(KeyOf(path));
    if (staged != staged_.end()) return staged->second;
    return base_->Read(path);
}

void StagedFiles::Write(const std::string& path, const std::string& bytes) { Write(path, std::string(bytes)); }

void StagedFiles::Write(const std::string& path, std::string&& bytes) {
    const std::string key = KeyOf(path);
    if (!original_.count(key)) original_.emplace(key, base_->Read(path));
    Stage(key, path, std::move(bytes));
}

void StagedFiles::Write(const std::string& path, std::string&& bytes, std::string&& readBefore) {
    const std::string key = KeyOf(path);
    if (!original_.count(key)) original_.emplace(key, std::move(readBefore));
    Stage(key, path, std::move(bytes));
}

void StagedFiles::Stage(const std::string& key, const std::string& path, std::string&& bytes) {
    ++writes_;
    if (!staged_.count(key)) order_.push_back(path);
    staged_[key] = std::move(bytes);
}

std::vector<StagedFiles::Change> StagedFiles::Changes() {
    std::vector<Change> changes;
    ForEachChange([&](const std::string& path, const std::optional<std::string>& before,
                      const std::string& after) { changes.push_back({path, before, after}); });
    return changes;
}

void StagedFiles::Commit() {
    for (const Change& change : Changes()) {
        base_->Write(change.path, change.after);
        original_[KeyOf(change.path)] = change.after;
    }
}

void StagedFiles::Clear() {
    staged_.clear();
    original_.clear();
    order_.clear();
}

}  // namespace platform
