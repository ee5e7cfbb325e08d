#include "host/source_module.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "host/module_buffer.h"
#include "host/proc_index.h"
#include "host/text_search.h"
#include "platform/listeners.h"
#include "platform/utf8.h"

namespace host {

namespace {

constexpr std::uint64_t kStale = std::numeric_limits<std::uint64_t>::max();

bool HasLineBreak(std::string_view text) {
    return std::memchr(text.data(), '\n', text.size()) != nullptr ||
           std::memchr(text.data(), '\r', text.size()) != nullptr;
}

/// Where the hidden lines stand among the code lines, for mapping file lines.
struct FileLineMap {
    long preludeLines = 0;
    long hiddenLines = 0;
    // (code line, hidden lines after it and after every code line above it)
    std::vector<std::pair<long, long>> attached;

    /// Hidden lines after code lines before `codeLine`.
    long HiddenBefore(long codeLine) const {
        auto it = std::lower_bound(attached.begin(), attached.end(), codeLine,
                                   [](const std::pair<long, long>& a, long c) { return a.first < c; });
        return it == attached.begin() ? 0 : (it - 1)->second;
    }
};

}  // namespace

long LineAfter(const LineChange& change, long line) {
    if (line < change.line) return line;
    if (line >= change.line + change.removed) return line + change.inserted - change.removed;
    return change.line;
}

struct SourceModule::Impl {
    explicit Impl(std::string&& text) : buffer(std::move(text)) {}

    std::uint64_t revision = 0;
    platform::Listeners<const LineChange&> listeners;

    void Changed(long line, long removed, long inserted) {
        listeners.Notify(LineChange{line, removed, inserted, ++revision});
    }

    ModuleBuffer buffer;
    mutable ProcIndex index;
    mutable std::uint64_t indexRevision = kStale;
    mutable FileLineMap fileMap;
    mutable std::uint64_t fileMapRevision = kStale;

    long Count() const { return static_cast<long>(buffer.Count()); }

    const ProcIndex& Index() const {
        if (indexRevision != buffer.StructureRevision()) {
            index.Build(buffer.Roles(),
                        [this](std::size_t i, Declaration& out) { return buffer.DeclarationAt(i, out); });
            indexRevision = buffer.StructureRevision();
        }
        return index;
    }

    const FileLineMap& Map() const {
        if (fileMapRevision != buffer.LayoutRevision()) {
            fileMap = FileLineMap{};
            fileMap.preludeLines = static_cast<long>(buffer.Prelude().size());
            long total = 0;
            for (std::size_t i = 0; i < buffer.Count(); ++i) {
                const std::size_t hidden = buffer.HiddenCount(i);
                if (hidden == 0) continue;
                total += static_cast<long>(hidden);
                fileMap.attached.emplace_back(static_cast<long>(i) + 1, total);
            }
            fileMap.hiddenLines = total;
            fileMapRevision = buffer.LayoutRevision();
        }
        return fileMap;
    }

    /// Runs an edit that adds `delta` lines before `line` or removes -`delta`
    /// lines from it. When the structure stays, a current index only shifts.
    template <class Edit>
    void ShiftingEdit(long line, long delta, Edit edit) {
        const bool current = indexRevision == buffer.StructureRevision();
        edit();
        if (current && indexRevision == buffer.StructureRevision() && delta != 0 &&
            !index.Shift(line, delta, buffer.Roles()))
            indexRevision = kStale;
    }

    const ProcEntry& Require(const std::string& name, ide::ProcKind kind) const {
        const ProcEntry* entry = Index().Find(name, kind);
        if (entry == nullptr) ide::Raise(ide::kSubNotDefined);
        return *entry;
    }

    void Delete(long startLine, long count, ErasedLines* erased) {
        if (count < 0) ide::Raise(ide::kInvalidCall);
        if (count == 0) return;
        RequireLine(startLine);
        if (count > Count() - startLine + 1) ide::Raise(ide::kSubscriptOutOfRange);
        ShiftingEdit(startLine, -count, [&] {
            buffer.Erase(static_cast<std::size_t>(startLine - 1), static_cast<std::size_t>(count), erased);
        });
        Changed(startLine, count, 0);
    }

    void RequireLine(long line) const {
        if (line < 1 || line > Count()) ide::Raise(ide::kSubscriptOutOfRange);
    }
};

SourceModule::SourceModule(std::string_view fileText) : SourceModule(std::string(fileText)) {}
SourceModule::SourceModule(std::string&& fileText) : impl_(std::make_unique<Impl>(std::move(fileText))) {}
SourceModule::~SourceModule() = default;
SourceModule::SourceModule(SourceModule&&) noexcept = default;
SourceModule& SourceModule::operator=(SourceModule&&) noexcept = default;

std::string SourceModule::Lines(long startLine, long count) const {
    if (count < 0) ide::Raise(ide::kInvalidCall);
    impl_->RequireLine(startLine);
    const long last = std::min(impl_->Count(), startLine + count - 1);
    std::string text;
    for (long line = startLine; line <= last; ++line) {
        if (line > startLine) text += "\r\n";
        text += impl_->buffer.Text(static_cast<std::size_t>(line - 1));
    }
    return text;
}

std::string_view SourceModule::LineText(long line) const {
    impl_->RequireLine(line);
    return impl_->buffer.Text(static_cast<std::size_t>(line - 1));
}

void SourceModule::InsertLines(long line, const std::string& text) {
    if (line < 1 || line > impl_->Count() + 1) ide::Raise(ide::kInvalidCall);
    const std::vector<std::string_view> pieces = ide::SplitLines(text);
    std::vector<std::string> lines(pieces.begin(), pieces.end());
    const long added = static_cast<long>(lines.size());
    impl_->ShiftingEdit(line, added, [&] { impl_->buffer.Insert(static_cast<std::size_t>(line - 1), lines); });
    impl_->Changed(line, 0, added);
}

void SourceModule::ReplaceLine(long line, const std::string& text) {
    impl_->RequireLine(line);
    if (!HasLineBreak(text)) {
        impl_->buffer.Replace(static_cast<std::size_t>(line - 1), std::string_view(text));
        impl_->Changed(line, 1, 1);
        return;
    }
    const std::vector<std::string_view> pieces = ide::SplitLines(text);
    std::vector<std::string> lines(pieces.begin(), pieces.end());
    const long inserted = static_cast<long>(lines.size());
    impl_->buffer.Replace(static_cast<std::size_t>(line - 1), lines);
    impl_->Changed(line, 1, inserted);
}

void SourceModule::DeleteLines(long startLine, long count) { impl_->Delete(startLine, count, nullptr); }

CutLines SourceModule::Cut(long startLine, long count) {
    auto erased = std::make_shared<ErasedLines>();
    impl_->Delete(startLine, count, erased.get());
    CutLines cut;
    cut.line_ = startLine;
    cut.count_ = static_cast<long>(erased->lines.size());
    cut.erased_ = std::move(erased);
    return cut;
}

void SourceModule::Restore(const CutLines& cut) {
    if (cut.count_ == 0) return;
    if (cut.line_ < 1 || cut.line_ > impl_->Count() + 1) ide::Raise(ide::kInvalidCall);
    impl_->ShiftingEdit(cut.line_, cut.count_, [&] { impl_->buffer.Restore(*cut.erased_); });
    impl_->Changed(cut.line_, 0, cut.count_);
}

long SourceModule::CountOfLines() const { return impl_->Count(); }

long SourceModule::CountOfDeclarationLines() const { return impl_->Index().DeclarationLines(); }

long SourceModule::ProcStartLine(const std::string& procName, ide::ProcKind kind) const {
    return impl_->Require(procName, kind).start;
}

long SourceModule::ProcCountLines(const std::string& procName, ide::ProcKind kind) const {
    return impl_->Require(procName, kind).count;
}

long SourceModule::ProcBodyLine(const std::string& procName, ide::ProcKind kind) const {
    return impl_->Require(procName, kind).body;
}

std::string SourceModule::ProcOfLine(long line, ide::ProcKind& kind) const {
    impl_->RequireLine(line);
    const ProcEntry* entry = impl_->Index().At(line);
    if (entry == nullptr) {
        kind = ide::vbext_pk_Proc;
        return {};
    }
    kind = entry->kind;
    return entry->name;
}

ide::ProcLines SourceModule::ProcLinesAt(const std::string& procName, ide::ProcKind kind,
                                         long line) const {
    const ProcIndex& index = impl_->Index();
    const ProcEntry* entry = line >= 1 && line <= impl_->Count() ? index.At(line) : nullptr;
    if (entry == nullptr || entry->kind != kind || !EqualsNoCase(entry->name, procName))
        entry = &impl_->Require(procName, kind);
    return {entry->start, entry->count, entry->body};
}

bool SourceModule::Find(const std::string& target, long& startLine, long& startColumn,
                        long& endLine, long& endColumn, bool wholeWord, bool matchCase,
                        bool /*patternSearch: searched as plain text*/) const {
    if (target.empty() || HasLineBreak(target)) return false;
    const long count = impl_->Count();
    const long first = std::max(startLine, 1L);
    // Never outside the range: an end line below the start (an empty range, or
    // one below line 1) finds nothing; one past the module stops at its end.
    const long last = std::min(endLine, count);
    if (first > last) return false;
    const LineSearch search(target, wholeWord, matchCase);
    for (long line = first; line <= last; ++line) {
        const std::string_view text = impl_->buffer.Text(static_cast<std::size_t>(line - 1));
        std::size_t from = 0;
        if (line == first && line == startLine) from = platform::utf8::OffsetOfColumn(text, startColumn);
        std::size_t limit = text.size();
        if (line == last && line == endLine && endColumn > 1) limit = platform::utf8::OffsetOfColumn(text, endColumn);
        const std::size_t at = search.FindIn(text, from, limit);
        if (at == std::string::npos) continue;
        startLine = endLine = line;
        startColumn = static_cast<long>(platform::utf8::Count(text.substr(0, at))) + 1;
        endColumn = startColumn + static_cast<long>(platform::utf8::Count(text.substr(at, search.TargetBytes())));
        return true;
    }
    return false;
}

std::string SourceModule::Text() const { return impl_->buffer.Text(); }

void SourceModule::ForEachFileLine(const std::function<void(std::string_view, std::string_view)>& put) const {
    impl_->buffer.ForEachFileLine(put);
}

std::uint64_t SourceModule::Revision() const { return impl_->revision; }

int SourceModule::Subscribe(ChangeListener listener) { return impl_->listeners.Add(std::move(listener)); }

void SourceModule::Unsubscribe(int id) { impl_->listeners.Remove(id); }

std::string SourceModule::Name() const { return impl_->buffer.Name(); }

std::string SourceModule::LineEnd() const { return std::string(EolText(impl_->buffer.UsualEol())); }

std::string SourceModule::LineEndOf(long line) const {
    impl_->RequireLine(line);
    return std::string(EolText(impl_->buffer.EolOf(static_cast<std::size_t>(line - 1))));
}

std::vector<ProcInfo> SourceModule::Procedures() const {
    std::vector<ProcInfo> procs;
    procs.reserve(impl_->Index().Entries().size());
    for (const ProcEntry& e : impl_->Index().Entries())
        procs.push_back(ProcInfo{e.name, e.kind, e.keyword, e.start, e.count, e.body});
    return procs;
}

long SourceModule::CodeLineOfFileLine(long fileLine) const {
    if (fileLine < 1 || fileLine > CountOfFileLines()) ide::Raise(ide::kSubscriptOutOfRange);
    const FileLineMap& map = impl_->Map();
    if (fileLine <= map.preludeLines) return 1;
    // The last code line that stands at or above the file line.
    long low = 1, high = impl_->Count();
    while (low < high) {
        long mid = low + (high - low + 1) / 2;
        if (map.preludeLines + mid + map.HiddenBefore(mid) <= fileLine)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

long SourceModule::FileLineOfCodeLine(long codeLine) const {
    impl_->RequireLine(codeLine);
    const FileLineMap& map = impl_->Map();
    return map.preludeLines + codeLine + map.HiddenBefore(codeLine);
}

long SourceModule::CountOfFileLines() const {
    const FileLineMap& map = impl_->Map();
    return map.preludeLines + impl_->Count() + map.hiddenLines;
}

}  // namespace host
