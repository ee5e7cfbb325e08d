#include "platform/vbruntime.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace platform;

namespace {

struct NumberCase {
    double value;
    const char* pattern;
    const char* expected;
};

struct TextCase {
    const char* text;
    const char* pattern;
    const char* expected;
};

void ExpectFormats(const std::vector<NumberCase>& numbers, const std::vector<TextCase>& texts) {
    for (const auto& c : numbers)
        EXPECT_EQ(Format(c.value, c.pattern), c.expected) << c.value << " as " << c.pattern;
    for (const auto& c : texts)
        EXPECT_EQ(Format(std::string_view(c.text), c.pattern), c.expected) << '"' << c.text << "\" as " << c.pattern;
}

}  // namespace

TEST(Format, NumberPatternsPadRoundAndKeepWideNumbers) {
    ExpectFormats(
        {
            {12, "00000", "00012"},      {123456, "00000", "123456"}, {0, "00000", "00000"},
            {-12, "00000", "-00012"},    {17, "0000", "0017"},        {12345, "0000", "12345"},
            {2.5, "0000", "0003"},       {3.5, "0000", "0004"},       {-2.5, "00", "-03"},
            {2.49, "00", "02"},          {-0.4, "00", "00"},          {4, "#0.", "4."},
            {0, "#0.", "0."},            {123, "#0.", "123."},        {3, "00.", "03."},
            {123, "00.", "123."},        {7, "00", "07"},             {1e15, "00000", "1000000000000000"},
        },
        {
            {"12", "00000", "00012"},    {" 7 ", "00000", "00007"},   {"12.6", "00000", "00013"},
            {"-3", "00000", "-00003"},   {"&H10", "0000", "0016"},    {"abc", "00000", "abc"},
            {"12abc", "00000", "12abc"}, {"", "00000", ""},           {"1 2", "00000", "1 2"},
        });
}

TEST(Format, TextPatternsFillFromTheLeftWithBang) {
    ExpectFormats({}, {
                          {"AB", "@@@!", "AB "},
                          {"ABC", "@@@!", "ABC"},
                          {"ABCD", "@@@!", "ABCD"},
                          {"", "@@@!", "   "},
                          {"\u00C9J", "@@@!", "\u00C9J "},  // characters, not bytes
                          {"AB", "@@@", " AB"},
                      });
    EXPECT_THROW(Format(1.0, "0.00"), std::invalid_argument);
    EXPECT_THROW(Format(1.0, "@@@!"), std::invalid_argument);
    EXPECT_THROW(Format(std::string_view("x"), "dd/mm"), std::invalid_argument);
}

TEST(Val, ReadsTheLeadingNumberAsTheRuntimeDoes) {
    const std::vector<std::pair<const char*, double>> cases = {
        {"", 0},          {"abc", 0},        {"12abc", 12},      {"-3", -3},           {"+4", 4},
        {"  \t\n 42", 42}, {"1 2 3", 123},    {"- 1 . 5", -1.5},  {"1.5e2", 150},       {"1.5E-1", 0.15},
        {"2D3", 2000},    {"1e", 1},         {"1e+x", 1},        {".5", 0.5},          {"1.2.3", 1.2},
        {"1,000", 1},     {"&H1F", 31},      {"&h1f", 31},       {"&HFFFF", -1},       {"&H10000", 65536},
        {"&O17", 15},     {"&o8", 0},        {"&H", 0},          {"&HFFFFFFFF", -1},   {"&", 0},
        {"1.0", 1},       {"\r1", 0},  // only blanks, tabs and line feeds are skipped
    };
    for (const auto& [text, expected] : cases) EXPECT_DOUBLE_EQ(Val(text), expected) << '"' << text << '"';
}

TEST(TextHelpers, TrimBlanksOnlyAndCountCharacters) {
    EXPECT_EQ(Trim("  \tIf x Then\t  "), "\tIf x Then\t");
    EXPECT_EQ(LTrim("  a  "), "a  ");
    EXPECT_EQ(RTrim("  a  "), "  a");
    EXPECT_EQ(Trim("    "), "");
    EXPECT_EQ(Trim(""), "");

    const std::string text = "a\u00E9\u4E2D\U0001F600z";
    EXPECT_EQ(Len(text), 5);
    EXPECT_EQ(Len(""), 0);
    EXPECT_EQ(Left(text, 2), "a\u00E9");
    EXPECT_EQ(Left(text, 99), text);
    EXPECT_EQ(Left(text, 0), "");
    EXPECT_EQ(Mid(text, 3, 2), "\u4E2D\U0001F600");
    EXPECT_EQ(Mid(text, 4), "\U0001F600z");
    EXPECT_EQ(Mid(text, 9), "");
    EXPECT_EQ(Mid(text, 5, 9), "z");
    EXPECT_THROW(Mid(text, 0), std::invalid_argument);
    EXPECT_THROW(Left(text, -1), std::invalid_argument);
}

TEST(TextHelpers, InStrFindsCharacterPositions) {
    EXPECT_EQ(InStr(1, "End Sub", "Sub"), 5);
    EXPECT_EQ(InStr(1, "End Sub", "sub"), 0);
    EXPECT_EQ(InStr(1, "\u00E4b\u00E7 Sub", "Sub"), 5);
    EXPECT_EQ(InStr(2, "abab", "ab"), 3);
    EXPECT_EQ(InStr(5, "abab", "ab"), 0);
    EXPECT_EQ(InStr(2, "abab", ""), 2);
    EXPECT_EQ(InStr(1, "", ""), 0);
    EXPECT_THROW(InStr(0, "abab", "a"), std::invalid_argument);

    EXPECT_EQ(InStrText(1, "Private SUB Foo()", "sub "), 9);
    EXPECT_EQ(InStrText(2, "Sub x: sub y", "SUB"), 8);
    EXPECT_EQ(InStrText(1, "x \u00C4RGER", "\u00E4rger"), 3);
    EXPECT_EQ(InStrText(2, "\u00E9t\u00C9", "\u00E9"), 3);
    EXPECT_EQ(InStrText(1, "abc", "abcd"), 0);
    EXPECT_EQ(InStrText(4, "abc", "c"), 0);
}
