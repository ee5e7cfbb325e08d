// A code window's colours: each line drawn as text with its spans marked, so a
// case reads as the line it colours.
#include <gtest/gtest.h>

#include "ide/vb_syntax.h"

namespace {

/// The lines with keywords in [], strings in {}, comments in <> and the
/// continuation mark in ||, each line scanned with the state the one above left.
std::string Marked(const std::vector<std::string>& lines) {
    ide::SyntaxState state;
    std::string out;
    for (const std::string& line : lines) {
        std::string marked;
        std::size_t at = 0;
        for (const ide::SyntaxSpan& span : ide::ScanSyntax(line, state)) {
            const std::string_view marks = "[]{}<>||";
            const std::size_t k = 2 * static_cast<std::size_t>(span.kind);
            marked += line.substr(at, span.begin - at) + marks[k] + line.substr(span.begin, span.end - span.begin) +
                      marks[k + 1];
            at = span.end;
        }
        out += (out.empty() ? "" : "\n") + marked + line.substr(at);
    }
    return out;
}

TEST(VbSyntax, KeywordsStringsCommentsAndContinuations) {
    struct Case {
        std::vector<std::string> lines;
        std::string marked;
    };
    const Case cases[] = {
        {{"Public Sub Foo(ByVal s As String)"}, "[Public] [Sub] Foo([ByVal] s [As] [String])"},
        {{"  x = \"It's \"\"End Sub\"\"\" ' done"}, "  x = {\"It's \"\"End Sub\"\"\"} <' done>"},
        {{"sUB = Me.Print + rs.Close"}, "[sUB] = [Me].Print + rs.Close"},
        {{"10 Rem note", "x = 1: Rem also", "Call F(a:=1): RemX = 2"},
         "10 <Rem note>\nx = 1: <Rem also>\n[Call] F(a:=1): RemX = 2"},
        {{"' a comment _", "  that goes on", "Dim a"}, "<' a comment _>\n<  that goes on>\n[Dim] a"},
        {{"MsgBox \"one\" & _", "  \"two\"  _  ", "  & x"},
         "MsgBox {\"one\"} & |_|\n  {\"two\"}  |_|  \n  & x"},
        {{"s = \"unterminated", "If x Then"}, "s = {\"unterminated}\n[If] x [Then]"},
        {{"#If Win64 Then", "#End If"}, "[#If] Win64 [Then]\n[#End] [If]"},
        {{"Rem"}, "<Rem>"},
        {{"Declare PtrSafe Function F Lib \"k\" () As LongPtr"},
         "[Declare] [PtrSafe] [Function] F [Lib] {\"k\"} () [As] [LongPtr]"},
        {{"x = a_"}, "x = a_"},
        {{"DefObj O", "DefLngPtr P", "DefVar V-Z"}, "[DefObj] O\n[DefLngPtr] P\n[DefVar] V-Z"},
    };
    for (const Case& c : cases) EXPECT_EQ(Marked(c.lines), c.marked);
}

}  // namespace
