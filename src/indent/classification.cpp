#include "indent/classification.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "indent/keywords.h"
#include "platform/ascii.h"

namespace Indent {

namespace {

enum class Test { Prefix, Word, AnyLine };

struct Row {
    Test test;
    std::string_view keyword;
    Rule rule;
};

// In order: the first row that matches decides.
constexpr Row kClassificationTable[] = {
    {Test::Prefix, "If ", Rule::IfRule},
    {Test::Word, "Else", Rule::WriteOutdented},
    {Test::Word, "ElseIf", Rule::WriteOutdented},
    {Test::Prefix, "End If", Rule::OutdentThenWrite},
    {Test::Word, "For", Rule::WriteThenIndent},
    {Test::Word, "Next", Rule::OutdentThenWrite},
    {Test::Word, "Do", Rule::WriteThenIndent},
    {Test::Word, "Loop", Rule::OutdentThenWrite},
    {Test::Word, "While", Rule::WriteThenIndent},
    {Test::Word, "Wend", Rule::OutdentThenWrite},
    {Test::Word, "With", Rule::WriteThenIndent},
    {Test::Prefix, "End With", Rule::OutdentThenWrite},
    {Test::Prefix, "Select Case", Rule::SelectCase},
    {Test::Word, "Case", Rule::WriteOutdented},
    {Test::Prefix, "End Select", Rule::EndSelect},
    {Test::Word, "Type", Rule::WriteThenIndent},
    {Test::Prefix, "Public Type", Rule::WriteThenIndent},
    {Test::Prefix, "Private Type", Rule::WriteThenIndent},
    {Test::Prefix, "End Type", Rule::OutdentThenWrite},
    {Test::Word, "Enum", Rule::WriteThenIndent},
    {Test::Prefix, "Public Enum", Rule::WriteThenIndent},
    {Test::Prefix, "Private Enum", Rule::WriteThenIndent},
    {Test::Prefix, "End Enum", Rule::OutdentThenWrite},
    {Test::Prefix, "Public ", Rule::Keep},
    {Test::Prefix, "Private ", Rule::Keep},
    {Test::Prefix, "Dim ", Rule::WriteFlush},
    {Test::Word, "Friend", Rule::Keep},
    {Test::Word, "Property", Rule::Keep},
    {Test::Word, "Sub", Rule::Keep},
    {Test::Word, "Function", Rule::Keep},
    {Test::Word, "Global", Rule::Keep},
    {Test::Prefix, "End Sub", Rule::WriteFlush},
    {Test::Prefix, "End Property", Rule::WriteFlush},
    {Test::Prefix, "End Function", Rule::WriteFlush},
    {Test::Word, "Static", Rule::WriteFlush},
    {Test::Word, "Option", Rule::WriteFlush},
    {Test::Prefix, "#", Rule::WriteAtLevel},
    {Test::AnyLine, "", Rule::WriteAtLevel},
};

constexpr std::size_t kRows = std::size(kClassificationTable);
static_assert(kClassificationTable[kRows - 1].test == Test::AnyLine,
              "the last row takes every other line");

constexpr bool Matches(const Row& row, std::string_view trimmed) {
    switch (row.test) {
    case Test::Prefix: return StartsWithText(trimmed, row.keyword);
    case Test::Word: return StartsWithWord(trimmed, row.keyword);
    case Test::AnyLine: return true;
    }
    return false;
}

// Every keyword row can only match a text that starts with the keyword's first
// character, so the rows are filed by that character, each list keeping the
// table's order; a line then meets only the few rows that could match it.
constexpr std::size_t kMaxRowsPerFirst = 16;

struct RowsByFirst {
    std::array<std::uint8_t, 256> count{};
    std::array<std::array<std::uint8_t, kMaxRowsPerFirst>, 256> rows{};
};

constexpr RowsByFirst FileRows() {
    RowsByFirst filed;
    for (std::size_t i = 0; i + 1 < kRows; ++i) {
        const auto first = static_cast<unsigned char>(kClassificationTable[i].keyword.front());
        filed.rows[first][filed.count[first]++] = static_cast<std::uint8_t>(i);
    }
    return filed;
}

constexpr RowsByFirst kRowsByFirst = FileRows();

constexpr Rule ClassifyByTable(std::string_view trimmed) {
    if (!trimmed.empty()) {
        const auto first = static_cast<unsigned char>(trimmed.front());
        for (std::size_t n = 0; n < kRowsByFirst.count[first]; ++n) {
            const Row& row = kClassificationTable[kRowsByFirst.rows[first][n]];
            if (Matches(row, trimmed)) return row.rule;
        }
    }
    return kClassificationTable[kRows - 1].rule;
}

}  // namespace

Rule Classify(std::string_view trimmed) { return ClassifyByTable(trimmed); }

bool IsBlockIf(std::string_view trimmed, ContinuationState state) {
    // The first "Then" from the third character on; without one, the
    // remainder is everything after "If ".
    const auto then = trimmed.find("Then", 2);
    const std::string_view after =
        then == std::string_view::npos ? trimmed.substr(std::min<std::size_t>(3, trimmed.size()))
                                        : trimmed.substr(then + 4);
    const std::string_view remainder = platform::TrimSpaces(after);
    return remainder.empty() || remainder.front() == '\'' || state == kFirstLine;
}

}  // namespace Indent
