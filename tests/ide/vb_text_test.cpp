// The text rules every layer shares: line ends, continuation, directives.
#include <gtest/gtest.h>

#include <tuple>

#include "ide/vb_text.h"

namespace {

// The lines joined by "|", each followed by its line end's name when it has one.
std::string ReadLines(std::string_view text) {
    const char* names[] = {"", "<crlf>", "<lf>", "<cr>"};
    std::string out;
    ide::LineReader reader(text);
    for (ide::LineSpan span; reader.Next(span);)
        out += std::string(span.text) + names[static_cast<int>(span.eol)] + "|";
    return out;
}

std::string Split(std::string_view text) {
    std::string out;
    for (std::string_view line : ide::SplitLines(text)) out += std::string(line) + "|";
    return out;
}

TEST(Lines, FilesAndInsertedTextSplitAtEveryLineEnd) {
    struct Case {
        std::string_view text;
        const char* read;   // as a file is read
        const char* split;  // as InsertLines splits it
    };
    const Case cases[] = {
        {"", "", "|"},
        {"a\r\n", "a<crlf>|", "a||"},
        {"a\r\nb\nc\rd", "a<crlf>|b<lf>|c<cr>|d|", "a|b|c|d|"},
        {"\r\r\n\n", "<cr>|<crlf>|<lf>|", "||||"},
        {"\n\r", "<lf>|<cr>|", "|||"},  // LF CR is two line ends
        {"a long line without an end, past eight bytes", "a long line without an end, past eight bytes|",
         "a long line without an end, past eight bytes|"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadLines(c.text), c.read) << c.text;
        EXPECT_EQ(Split(c.text), c.split) << c.text;
    }
}

// A line, whether it goes on, and what stays of it when the continued lines are read as one.
TEST(ContinuesOnNextLine, WantsABlankBeforeTheUnderscore) {
    const std::tuple<std::string_view, bool, std::string_view> cases[] = {
        {"Sub Foo(a, _", true, "Sub Foo(a, "}, {"Sub Foo(a, _ \t ", true, "Sub Foo(a, "}, {"\t_", true, "\t"},
        {"_", true, ""},  {"x = my_", false, "x = my_"}, {"x = 1 ", false, "x = 1 "}, {"", false, ""},
        {"x = \"_", false, "x = \"_"}};
    for (const auto& [line, continues, rest] : cases) {
        EXPECT_EQ(ide::ContinuesOnNextLine(line), continues) << line;
        EXPECT_EQ(ide::WithoutContinuation(line), rest) << line;
    }
}

TEST(DirectiveOf, TellsConditionalCompilationLines) {
    using ide::Directive;
    const std::pair<std::string_view, Directive> cases[] = {
        {"  #if VBA7 Then", Directive::If},     {"# If X Then", Directive::If},
        {"#ElseIf X Then", Directive::ElseIf},  {"\t#ELSE ' other", Directive::Else},
        {"#End   If", Directive::EndIf},        {"#EndIf", Directive::EndIf},
        {"#End", Directive::None},              {"#Const Debugging = 1", Directive::None},
        {"' #If X Then", Directive::None},      {"#Iffy", Directive::None},
        {"", Directive::None},                  {"#", Directive::None},
    };
    for (const auto& [line, directive] : cases) EXPECT_EQ(ide::DirectiveOf(line), directive) << line;
}

}  // namespace
