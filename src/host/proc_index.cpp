#include "host/proc_index.h"

#include <algorithm>

#include "platform/ascii.h"

namespace host {

namespace {

std::string Key(std::string_view name, ide::ProcKind kind) {
    std::string key = platform::AsciiLowered(name);
    key += static_cast<char>('0' + static_cast<int>(kind));
    return key;
}

bool IsCode(const LineRole& role) {
    return role.kind != LineKind::Blank && role.kind != LineKind::Comment;
}

/// The last line before `line` (1-based) that is neither blank nor a comment, or 0.
long LastCodeLineBefore(const std::vector<LineRole>& roles, long line) {
    for (long k = line - 1; k >= 1; --k)
        if (IsCode(roles[static_cast<std::size_t>(k - 1)])) return k;
    return 0;
}

}  // namespace

void ProcIndex::Build(const std::vector<LineRole>& roles, const DeclarationAt& declarationAt) {
    entries_.clear();
    byName_.clear();
    const long n = static_cast<long>(roles.size());
    bool open = false;          // the last entry still waits for its End line
    long ifBeforeOpen = 0;      // the #If line right before the open entry's declaration
    long previousIf = 0;        // the previous statement's line when it was an #If
    for (long i = 0; i < n; ++i) {
        const LineRole& role = roles[static_cast<std::size_t>(i)];
        if (role.inner) continue;
        const long line = i + 1;
        if (role.kind == LineKind::Declaration) {
            Declaration decl;
            if (declarationAt(static_cast<std::size_t>(i), decl)) {
                if (open && entries_.back().kind == decl.kind &&
                    platform::EqualsNoCase(entries_.back().name, decl.name)) {
                    // An alternative declaration under #If ... #Else: the range
                    // takes in the #If that opens the alternatives.
                    if (ifBeforeOpen != 0) entries_.back().head = ifBeforeOpen;
                    entries_.back().alternatives = true;
                } else {
                    ProcEntry entry;
                    entry.name = std::move(decl.name);
                    entry.kind = decl.kind;
                    entry.keyword = decl.keyword;
                    entry.head = entry.body = line;
                    entries_.push_back(std::move(entry));
                    open = true;
                    ifBeforeOpen = previousIf;
                }
            }
        } else if (role.kind == LineKind::End && open) {
            entries_.back().end = line;
            open = false;
        }
        previousIf = role.kind == LineKind::CondIf ? line : 0;
    }
    SetRanges(roles);
    for (std::size_t k = 0; k < entries_.size(); ++k)
        byName_.emplace(Key(entries_[k].name, entries_[k].kind), k);
}

bool ProcIndex::Shift(long at, long delta, const std::vector<LineRole>& roles) {
    const long from = delta > 0 ? at : at - delta;
    // The #If right before alternative declarations takes part in their range:
    // lines coming between them, or going from between them, change that.
    const long firstTouched = delta > 0 ? at - 1 : at;  // an insertion touches the gap before `at`
    const long lastTouched = delta > 0 ? at : from - 1;
    for (const ProcEntry& e : entries_) {
        if (!e.alternatives) continue;
        if (e.head < e.body && lastTouched > e.head && firstTouched < e.body) return false;
        if (delta < 0 && lastTouched == e.body - 1) return false;
    }
    for (ProcEntry& e : entries_) {
        if (e.head >= from) e.head += delta;
        if (e.body >= from) e.body += delta;
        if (e.end >= from) e.end += delta;
    }
    SetRanges(roles);
    return true;
}

void ProcIndex::SetRanges(const std::vector<LineRole>& roles) {
    const long n = static_cast<long>(roles.size());
    if (entries_.empty()) {
        declarationLines_ = LastCodeLineBefore(roles, n + 1);
        return;
    }
    declarationLines_ = LastCodeLineBefore(roles, entries_.front().head);
    entries_.front().start = declarationLines_ + 1;
    for (std::size_t k = 1; k < entries_.size(); ++k) {
        const ProcEntry& previous = entries_[k - 1];
        // After a procedure without End, the next one starts at its own head.
        entries_[k].start = previous.end > 0 ? previous.end + 1 : entries_[k].head;
    }
    for (std::size_t k = 0; k < entries_.size(); ++k) {
        long next = k + 1 < entries_.size() ? entries_[k + 1].start : n + 1;
        entries_[k].count = next - entries_[k].start;
    }
}

const ProcEntry* ProcIndex::Find(std::string_view name, ide::ProcKind kind) const {
    auto it = byName_.find(Key(name, kind));
    return it == byName_.end() ? nullptr : &entries_[it->second];
}

const ProcEntry* ProcIndex::At(long line) const {
    if (entries_.empty() || line < entries_.front().start) return nullptr;
    auto it = std::upper_bound(entries_.begin(), entries_.end(), line,
                               [](long l, const ProcEntry& e) { return l < e.start; });
    return &*(it - 1);
}

}  // namespace host
