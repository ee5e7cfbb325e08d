#include "platform/vbruntime.h"
#include "platform/utf8.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace platform;

// A number, or a text when `text` is given, formatted by `pattern`.
TEST(Format, PatternsPadRoundAndKeepWideNumbersAndTexts) {
    const struct {
        double value;
        const char *text, *pattern, *expected;
    } cases[] = {
        {12, nullptr, "00000", "00012"},     {123456, nullptr, "00000", "123456"}, {-12, nullptr, "00000", "-00012"},
        {1e15, nullptr, "00000", "1000000000000000"}, {2.5, nullptr, "0000", "0003"}, {3.5, nullptr, "0000", "0004"},
        {-2.5, nullptr, "00", "-03"},        {2.49, nullptr, "00", "02"},          {-0.4, nullptr, "00", "00"},
        {0, nullptr, "#0.", "0."},           {123, nullptr, "#0.", "123."},        {3, nullptr, "00.", "03."},
        {0, " 7 ", "00000", "00007"},        {0, "12.6", "00000", "00013"},        {0, "-3", "00000", "-00003"},
        {0, "&H10", "0000", "0016"},         {0, "12abc", "00000", "12abc"},       {0, "", "00000", ""},
        {0, "1 2", "00000", "1 2"},          {0, "AB", "@@@!", "AB "},             {0, "ABCD", "@@@!", "ABCD"},
        {0, "", "@@@!", "   "},              {0, "\u00C9J", "@@@!", "\u00C9J "},   {0, "AB", "@@@", " AB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text ? Format(std::string_view(c.text), c.pattern) : Format(c.value, c.pattern), c.expected)
            << (c.text ? c.text : std::to_string(c.value)) << " as " << c.pattern;
    EXPECT_THROW(Format(1.0, "0.00"), std::invalid_argument);
    EXPECT_THROW(Format(1.0, "@@@!"), std::invalid_argument);
    EXPECT_THROW(Format(std::string_view("x"), "dd/mm"), std::invalid_argument);
}

TEST(Val, ReadsTheLeadingNumberAsTheRuntimeDoes) {
    const std::pair<const char*, double> cases[] = {
        {"", 0},        {"abc", 0},     {"12abc", 12},    {"-3", -3},      {"+4", 4},        {"  \t\n 42", 42},
        {"1 2 3", 123}, {"- 1 . 5", -1.5}, {"1.5e2", 150}, {"1.5E-1", 0.15}, {"2D3", 2000},   {"1e+x", 1},
        {".5", 0.5},    {"1.2.3", 1.2}, {"1,000", 1},     {"&h1f", 31},    {"&HFFFF", -1},   {"&H10000", 65536},
        {"&O17", 15},   {"&o8", 0},     {"&H", 0},        {"&HFFFFFFFF", -1}, {"&", 0},
        {"\r1", 0},  // only blanks, tabs and line feeds are skipped
    };
    for (const auto& [text, expected] : cases) EXPECT_DOUBLE_EQ(Val(text), expected) << '"' << text << '"';
}

TEST(TextHelpers, TrimBlanksOnlyAndCountCharacters) {
    EXPECT_EQ(Trim("  \tIf x Then\t  ") + "|" + LTrim("  a  ") + "|" + RTrim("  a  ") + "|" + Trim("  "),
              "\tIf x Then\t|a  |  a|");
    const std::string text = "a\u00E9\u4E2D\U0001F600z";
    EXPECT_EQ(Len(text), 5);
    EXPECT_EQ(Left(text, 2) + "|" + Left(text, 99) + "|" + Mid(text, 3, 2) + "|" + Mid(text, 4) + "|" + Mid(text, 9),
              "a\u00E9|" + text + "|\u4E2D\U0001F600|\U0001F600z|");
    EXPECT_THROW(Mid(text, 0), std::invalid_argument);
    EXPECT_THROW(Left(text, -1), std::invalid_argument);
}

TEST(TextHelpers, InStrFindsCharacterPositions) {
    const struct {
        bool ignoreCase;
        long start;
        const char *haystack, *needle;
        long expected;
    } cases[] = {
        {false, 1, "End Sub", "Sub", 5},   {false, 1, "End Sub", "sub", 0},      {false, 1, "\u00E4b\u00E7 Sub", "Sub", 5},
        {false, 2, "abab", "ab", 3},       {false, 5, "abab", "ab", 0},          {false, 2, "abab", "", 2},
        {false, 1, "", "", 0},             {true, 1, "Private SUB Foo()", "sub ", 9}, {true, 2, "Sub x: sub y", "SUB", 8},
        {true, 1, "x \u00C4RGER", "\u00E4rger", 3}, {true, 2, "\u00E9t\u00C9", "\u00E9", 3}, {true, 1, "abc", "abcd", 0},
        {true, 4, "abc", "c", 0},          {true, 1, "Dim Zoom", "zoom", 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ((c.ignoreCase ? InStrText : InStr)(c.start, c.haystack, c.needle), c.expected)
            << c.start << " '" << c.haystack << "' '" << c.needle << "'";
    EXPECT_THROW(InStr(0, "abab", "a"), std::invalid_argument);
}

// Columns count characters: the byte where each column of a mixed text starts.
TEST(TextHelpers, ColumnsFindTheirBytes) {
    const std::string text = "a\u00E9\u4E2D\U0001F600z";  // bytes 0, 1, 3, 6, 10; 11 in all
    const std::pair<long, std::size_t> cases[] = {{-3, 0}, {0, 0}, {1, 0}, {2, 1}, {3, 3},
                                                  {4, 6}, {5, 10}, {6, 11}, {99, 11}};
    for (const auto& [column, byte] : cases) EXPECT_EQ(utf8::OffsetOfColumn(text, column), byte) << column;
    EXPECT_EQ(utf8::OffsetOfColumn("", 2), 0u);
}
