#include "host/module_buffer.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <numeric>
#include <stdexcept>

#include "ide/statements.h"

namespace host {

namespace {

/// The most common line end: CR LF on a tie and in a file without line ends.
Eol MostCommonEol(const std::size_t (&counts)[4]) {
    const std::size_t crlf = counts[static_cast<int>(Eol::CrLf)];
    const std::size_t lf = counts[static_cast<int>(Eol::Lf)];
    const std::size_t cr = counts[static_cast<int>(Eol::Cr)];
    if (crlf >= lf && crlf >= cr) return Eol::CrLf;
    return lf >= cr ? Eol::Lf : Eol::Cr;
}

bool IsStructural(LineKind kind) {
    return kind != LineKind::Blank && kind != LineKind::Comment && kind != LineKind::Code;
}

bool SameDeclaration(const std::string& before, const std::string& after) {
    Declaration a, b;
    bool hadA = ParseDeclaration(before, a);
    bool hadB = ParseDeclaration(after, b);
    return hadA == hadB && a.name == b.name && a.kind == b.kind;
}

std::uint32_t LengthOf(std::string_view text) {
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("line too long");
    return static_cast<std::uint32_t>(text.size());
}

}  // namespace

TextPool::TextPool(std::string&& text) {
    auto first = std::make_unique<Block>();
    first->text = std::move(text);
    first->data = first->text.data();
    first->size = first->fill = first->text.size();
    last_ = first.get();
    handedOut_ = unused_ = first->size;  // each line takes its part back
    blocks_.push_back(std::move(first));
}

void TextPool::AddBlock(std::size_t atLeast) {
    // Never filled before use, so its pages cost nothing until texts come.
    const std::size_t size = std::max({atLeast, std::size_t{64} * 1024, handedOut_ / 8});
    auto block = std::make_unique<Block>();
    block->owned = std::make_unique_for_overwrite<char[]>(size);
    block->data = block->owned.get();
    block->size = size;
    // The tail of the block left behind is lost.
    unused_ += last_->size - last_->fill;
    handedOut_ += last_->size - last_->fill;
    last_->fill = last_->size;
    last_ = block.get();
    blocks_.push_back(std::move(block));
}

char* TextPool::Put(std::string_view text) {
    if (last_->size - last_->fill < text.size()) AddBlock(text.size());
    char* at = last_->data + last_->fill;
    if (!text.empty()) std::memcpy(at, text.data(), text.size());
    last_->fill += text.size();
    handedOut_ += text.size();
    return at;
}

void TextPool::Compact(std::vector<CodeLine>& lines) {
    const std::less<const char*> below;
    std::sort(blocks_.begin(), blocks_.end(),
              [&](const std::unique_ptr<Block>& a, const std::unique_ptr<Block>& b) { return below(a->data, b->data); });
    // The lines by where their texts stand: a merge of the runs already in
    // order, few after a pass over the module.
    std::vector<std::uint32_t> order(lines.size());
    std::iota(order.begin(), order.end(), 0u);
    const auto before = [&](std::uint32_t a, std::uint32_t b) { return below(lines[a].text, lines[b].text); };
    std::vector<std::size_t> runs{0};
    for (std::size_t k = 1; k < order.size(); ++k)
        if (before(order[k], order[k - 1])) runs.push_back(k);
    runs.push_back(order.size());
    while (runs.size() > 2) {
        std::vector<std::size_t> merged{0};
        for (std::size_t j = 0; j + 1 < runs.size(); j += 2) {
            const std::size_t end = runs[std::min(j + 2, runs.size() - 1)];
            const auto at = [&](std::size_t k) { return order.begin() + static_cast<std::ptrdiff_t>(k); };
            if (j + 2 < runs.size()) std::inplace_merge(at(runs[j]), at(runs[j + 1]), at(end), before);
            merged.push_back(end);
        }
        runs = std::move(merged);
    }
    // Each text moves down to the first place free in address order, never past
    // where it stood: all before it take no more room than they did.
    auto block = blocks_.begin();
    std::size_t fill = 0, live = 0;
    for (const std::uint32_t i : order) {
        CodeLine& line = lines[i];
        while (fill + line.length > (*block)->size) {
            (*block)->fill = fill;
            ++block;
            fill = 0;
        }
        char* to = (*block)->data + fill;
        if (line.length > 0) std::memmove(to, line.text, line.length);
        line.text = to;
        fill += line.length;
        live += line.length;
    }
    (*block)->fill = fill;
    last_ = block->get();
    blocks_.erase(block + 1, blocks_.end());
    handedOut_ = 0;
    for (const std::unique_ptr<Block>& b : blocks_) handedOut_ += b->fill;
    unused_ = handedOut_ - live;
}

ModuleBuffer::ModuleBuffer(std::string&& fileText) : pool_(std::move(fileText)) {
    const char* const base = pool_.Begin();
    const std::string_view text(base, pool_.HandedOut());
    std::size_t eolCounts[4] = {0, 0, 0, 0};
    LineReader reader(text);
    LineSpan line;
    for (std::size_t k = PreludeLength(text); k > 0 && reader.Next(line); --k) {
        ++eolCounts[static_cast<int>(line.eol)];
        prelude_.push_back({std::string(line.text), line.eol});
        std::string name = VbNameOf(line.text);
        if (!name.empty()) name_ = std::move(name);
    }
    // The code lines' texts stay where they stand in the file's text. Room for
    // added lines costs nothing until they come, and spares copying every line
    // to a vector twice the size when the first comes.
    const std::size_t expected = reader.ExpectedLines();
    lines_.reserve(expected + expected / 8 + 16);
    std::size_t usedBytes = 0;
    while (reader.Next(line)) {
        ++eolCounts[static_cast<int>(line.eol)];
        if (!lines_.empty() && IsAttributeLine(line.text)) {
            CodeLine& owner = lines_.back();
            if (!owner.hidden) owner.hidden = std::make_unique<std::vector<RawLine>>();
            owner.hidden->push_back({std::string(line.text), line.eol});
        } else {
            char* at = pool_.Begin() + (line.text.data() - base);
            lines_.push_back(CodeLine{at, LengthOf(line.text), line.eol, nullptr});
            usedBytes += line.text.size();
        }
    }
    pool_.Claim(usedBytes);
    usualEol_ = MostCommonEol(eolCounts);
    roles_.reserve(lines_.capacity());
    roles_.resize(lines_.size());
    if (!lines_.empty()) Reclassify(0, lines_.size() - 1, true);
}

CodeLine ModuleBuffer::NewLine(std::string_view text, Eol eol) {
    return CodeLine{pool_.Put(text), LengthOf(text), eol, nullptr};
}

void ModuleBuffer::SetText(CodeLine& line, std::string_view text) {
    if (text.size() <= line.length) {
        // A line's bytes belong to it alone: shorter text is written in place.
        if (!text.empty()) std::memmove(line.text, text.data(), text.size());
        pool_.Release(line.length - text.size());
        line.length = LengthOf(text);
        return;
    }
    pool_.Release(line.length);
    line.text = pool_.Put(text);
    line.length = LengthOf(text);
}

void ModuleBuffer::CompactIfWasteful() {
    if (pool_.Wasteful()) pool_.Compact(lines_);
}

std::size_t ModuleBuffer::StatementStart(std::size_t i) const {
    while (i > 0 && roles_[i - 1].continues) --i;
    return i;
}

std::string ModuleBuffer::StatementText(std::size_t i) const {
    if (!roles_[i].continues || i + 1 >= lines_.size()) return std::string(Text(i));
    std::vector<std::string_view> parts;
    for (std::size_t j = i; j < lines_.size(); ++j) {
        parts.push_back(Text(j));
        if (!roles_[j].continues) break;
    }
    return JoinContinued(parts);
}

bool ModuleBuffer::DeclarationAt(std::size_t i, Declaration& out) const {
    if (!roles_[i].continues) return ParseDeclaration(Text(i), out);
    return ParseDeclaration(StatementText(i), out);
}

bool ModuleBuffer::Reclassify(std::size_t first, std::size_t last, bool added) {
    bool changed = false;
    const auto at = [](long k) { return static_cast<std::size_t>(k); };
    ide::StatementReader reader([this, at](long k) { return Text(at(k)); }, static_cast<long>(StatementStart(first)),
                                static_cast<long>(lines_.size()));
    std::vector<std::string_view> parts;
    for (ide::StatementLines statement; reader.Next(statement);) {
        const std::size_t i = at(statement.first), j = at(statement.last);
        // Past the edited lines, stop at the first statement that started a
        // statement before the edit too: its role and those after it still hold.
        if (i > last && !roles_[i - 1].continues && !roles_[i].inner) break;
        LineRole role;
        if (j == i) {
            role = ClassifyStatement(Text(i));
        } else {
            parts.clear();
            for (std::size_t k = i; k <= j; ++k) parts.push_back(Text(k));
            role = ClassifyStatement(JoinContinued(parts));
        }
        for (std::size_t k = i; k <= j; ++k) {
            LineRole next = role;
            next.continues = k < j || statement.continues;
            next.inner = k > i;
            const bool isNew = added && k >= first && k <= last;
            if (isNew ? IsStructural(next.kind) : !(next == roles_[k])) changed = true;
            roles_[k] = next;
        }
    }
    if (changed) ++structureRevision_;
    return changed;
}

Eol* ModuleBuffer::LastEol() {
    if (!lines_.empty()) {
        CodeLine& last = lines_.back();
        if (last.hidden && !last.hidden->empty()) return &last.hidden->back().eol;
        return &last.eol;
    }
    return prelude_.empty() ? nullptr : &prelude_.back().eol;
}

void ModuleBuffer::Insert(std::size_t at, const std::vector<std::string>& texts) {
    if (texts.empty()) return;
    Eol lastEol = usualEol_;
    if (at == lines_.size()) {
        Eol* fileEnd = LastEol();
        if (fileEnd != nullptr && *fileEnd == Eol::None) {
            *fileEnd = usualEol_;
            lastEol = Eol::None;
        }
    }
    std::vector<CodeLine> added;
    added.reserve(texts.size());
    for (const std::string& text : texts) added.push_back(NewLine(text, usualEol_));
    added.back().eol = lastEol;
    PutLines(at, std::move(added));
}

void ModuleBuffer::Replace(std::size_t at, std::string_view text) {
    // A line inside a continued statement that only moves keeps the statement
    // as it was (the blanks before it stand between two of its words): nothing
    // is read again, so indenting a statement of many lines stays linear.
    if (roles_[at].inner && ide::WithoutIndent(Text(at)) == ide::WithoutIndent(text)) {
        SetText(lines_[at], text);
        CompactIfWasteful();
        return;
    }
    // The common case (the indenter replaces every line) costs one classification.
    const bool wasDeclaration = roles_[at].kind == LineKind::Declaration;
    const std::size_t start = StatementStart(at);
    std::string before = wasDeclaration ? StatementText(start) : std::string();
    SetText(lines_[at], text);
    const bool changed = Reclassify(at, at, false);
    if (!changed && wasDeclaration && !SameDeclaration(before, StatementText(start)))
        ++structureRevision_;
    CompactIfWasteful();
}

void ModuleBuffer::Replace(std::size_t at, const std::vector<std::string>& texts) {
    if (texts.size() == 1) {
        Replace(at, std::string_view(texts.front()));
        return;
    }
    SetText(lines_[at], texts.back());
    std::vector<CodeLine> added;
    added.reserve(texts.size() - 1);
    for (std::size_t k = 0; k + 1 < texts.size(); ++k) added.push_back(NewLine(texts[k], usualEol_));
    const auto offset = static_cast<std::ptrdiff_t>(at);
    lines_.insert(lines_.begin() + offset, std::make_move_iterator(added.begin()),
                  std::make_move_iterator(added.end()));
    roles_.insert(roles_.begin() + offset, added.size(), LineRole{});
    Reclassify(at, at + added.size(), false);
    ++structureRevision_;
    ++layoutRevision_;
    CompactIfWasteful();
}

std::vector<RawLine>& ModuleBuffer::HiddenAbove(std::size_t at) {
    if (at == 0) return prelude_;
    CodeLine& above = lines_[at - 1];
    if (!above.hidden) above.hidden = std::make_unique<std::vector<RawLine>>();
    return *above.hidden;
}

void ModuleBuffer::Erase(std::size_t at, std::size_t count, ErasedLines* erased) {
    if (count == 0) return;
    const bool throughEnd = at + count == lines_.size();
    Eol* fileEnd = LastEol();
    const bool endedBare = fileEnd != nullptr && *fileEnd == Eol::None;
    bool structural = false;
    std::vector<RawLine> orphans;
    if (erased != nullptr) *erased = ErasedLines{at, {}, std::nullopt};
    for (std::size_t k = at; k < at + count; ++k) {
        structural = structural || IsStructural(roles_[k].kind);
        pool_.Release(lines_[k].length);
        if (erased != nullptr)
            erased->lines.push_back({std::string(Text(k)), lines_[k].eol, HiddenCount(k)});
        if (lines_[k].hidden)
            for (RawLine& line : *lines_[k].hidden) orphans.push_back(std::move(line));
    }
    const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(at);
    lines_.erase(first, first + static_cast<std::ptrdiff_t>(count));
    const auto firstRole = roles_.begin() + static_cast<std::ptrdiff_t>(at);
    roles_.erase(firstRole, firstRole + static_cast<std::ptrdiff_t>(count));
    if (!orphans.empty()) {
        // Attribute lines stay in the file: they go with the line above.
        std::vector<RawLine>& keeper = HiddenAbove(at);
        for (RawLine& line : orphans) keeper.push_back(std::move(line));
    }
    if (throughEnd && endedBare) {
        fileEnd = LastEol();
        if (fileEnd != nullptr) {
            if (erased != nullptr) erased->bareEnd = *fileEnd;
            *fileEnd = Eol::None;
        }
    }
    if (!lines_.empty()) {
        std::size_t touched = std::min(at, lines_.size() - 1);
        structural = Reclassify(touched, touched, false) || structural;
    }
    if (structural) ++structureRevision_;
    ++layoutRevision_;
    CompactIfWasteful();
}

void ModuleBuffer::Restore(const ErasedLines& erased) {
    const std::size_t at = erased.at;
    if (erased.lines.empty() || at > lines_.size()) return;
    if (erased.bareEnd) {
        if (Eol* fileEnd = LastEol()) *fileEnd = *erased.bareEnd;
    }
    // The hidden lines the erased lines handed up stand last above them.
    std::size_t handed = 0;
    for (const ErasedLines::Line& line : erased.lines) handed += line.hidden;
    std::vector<RawLine> handedUp;
    if (handed > 0) {
        std::vector<RawLine>& keeper = HiddenAbove(at);
        const auto from = keeper.end() - static_cast<std::ptrdiff_t>(std::min(handed, keeper.size()));
        handedUp.assign(std::make_move_iterator(from), std::make_move_iterator(keeper.end()));
        keeper.erase(from, keeper.end());
        if (keeper.empty() && at > 0) lines_[at - 1].hidden.reset();
        handedUp.resize(handed);  // only short when the lines are not as the Erase left them
    }
    std::vector<CodeLine> added;
    added.reserve(erased.lines.size());
    auto hidden = handedUp.begin();
    for (const ErasedLines::Line& line : erased.lines) {
        added.push_back(NewLine(line.text, line.eol));
        if (line.hidden == 0) continue;
        const auto next = hidden + static_cast<std::ptrdiff_t>(line.hidden);
        added.back().hidden = std::make_unique<std::vector<RawLine>>(std::make_move_iterator(hidden),
                                                                      std::make_move_iterator(next));
        hidden = next;
    }
    PutLines(at, std::move(added));
}

void ModuleBuffer::PutLines(std::size_t at, std::vector<CodeLine> added) {
    const auto offset = static_cast<std::ptrdiff_t>(at);
    lines_.insert(lines_.begin() + offset, std::make_move_iterator(added.begin()),
                  std::make_move_iterator(added.end()));
    roles_.insert(roles_.begin() + offset, added.size(), LineRole{});
    Reclassify(at, at + added.size() - 1, true);
    ++layoutRevision_;
    CompactIfWasteful();
}

void ModuleBuffer::ForEachFileLine(const std::function<void(std::string_view, std::string_view)>& put) const {
    // Every line must read back as the line it is. An empty line cannot end the
    // file without a line end (read again, it would be gone), and an empty line
    // ending in LF after a lone CR would read back as one CR LF: such lines are
    // written with the usual line end, or CR LF.
    bool afterCr = false;
    auto line = [&](std::string_view text, Eol eol, bool last) {
        if (text.empty() && eol == Eol::None && last) eol = usualEol_;
        if (text.empty() && eol == Eol::Lf && afterCr) eol = Eol::CrLf;
        put(text, EolText(eol));
        afterCr = eol == Eol::Cr;
    };
    for (const RawLine& raw : prelude_) line(raw.text, raw.eol, false);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        line(Text(i), lines_[i].eol, i + 1 == lines_.size() && !lines_[i].hidden);
        if (lines_[i].hidden)
            for (const RawLine& h : *lines_[i].hidden) line(h.text, h.eol, false);
    }
}

std::string ModuleBuffer::Text() const {
    std::size_t size = pool_.HandedOut() - pool_.Unused() + 2 * lines_.size();
    for (const RawLine& line : prelude_) size += line.text.size() + 2;
    std::string text;
    text.reserve(size);
    ForEachFileLine([&](std::string_view line, std::string_view eol) { text.append(line).append(eol); });
    return text;
}

}  // namespace host
