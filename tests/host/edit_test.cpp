// Editing a module: line ends, hidden lines and the procedure index after each edit.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "host/source_module.h"
#include "host_check.h"
#include "support/support.h"

using testsupport::Crlf;

namespace {

using Edit = std::function<void(host::SourceModule&)>;

/// The file text after the edit, and the edited module answers like a fresh one.
void ExpectEdit(const std::string& before, const Edit& edit, const std::string& after) {
    host::SourceModule module(before);
    edit(module);
    EXPECT_EQ(module.Text(), after) << "from: " << before;
    hosttest::ExpectSameAsFresh(module);
}

void ExpectError(const std::string& text, const Edit& edit, int number) {
    host::SourceModule module(text);
    try {
        edit(module);
        ADD_FAILURE() << "no error " << number;
    } catch (const ide::HostError& e) {
        EXPECT_EQ(e.Number(), number);
    }
    EXPECT_EQ(module.Text(), text) << "a failed edit changes nothing";
}

const std::string kMember = "Attribute Name.VB_UserMemId = 0";

TEST(InsertLines, LineEndsOfNewLines) {
    auto insert = [](long line, std::string text) {
        return [=](host::SourceModule& m) { m.InsertLines(line, text); };
    };
    ExpectEdit("A\r\nB\r\n", insert(3, "C"), "A\r\nB\r\nC\r\n");
    // After a last line without a line end: nothing is glued together.
    ExpectEdit("A\r\nB", insert(3, "C"), "A\r\nB\r\nC");
    ExpectEdit("A\nB\n", insert(2, "X\r\nY"), "A\nX\nY\nB\n");
    ExpectEdit("A\r\n", insert(1, "X\r\n"), "X\r\n\r\nA\r\n");
    ExpectEdit("A\r\n", insert(1, "X\nY\rZ"), "X\r\nY\r\nZ\r\nA\r\n");
    ExpectEdit("A\r\n", insert(1, ""), "\r\nA\r\n");
    ExpectEdit("", insert(1, "Option Explicit"), "Option Explicit\r\n");
    ExpectEdit("Attribute VB_Name = \"M\"", insert(1, "Option Explicit"),
               "Attribute VB_Name = \"M\"\r\nOption Explicit");
    // New lines go after the hidden lines of the line above.
    ExpectEdit(Crlf("Property Get Name()\n" + kMember + "\nEnd Property\n"), insert(2, "Name = 1"),
               Crlf("Property Get Name()\n" + kMember + "\nName = 1\nEnd Property\n"));
    ExpectEdit("Property Get Name()\r\n" + kMember, insert(2, "End Property"),
               "Property Get Name()\r\n" + kMember + "\r\nEnd Property");

    ExpectError("A\r\nB\r\n", insert(0, "X"), ide::kInvalidCall);
    ExpectError("A\r\nB\r\n", insert(4, "X"), ide::kInvalidCall);
}

TEST(ReplaceLine, KeepsTheLineEndAndHiddenLines) {
    auto replace = [](long line, std::string text) {
        return [=](host::SourceModule& m) { m.ReplaceLine(line, text); };
    };
    ExpectEdit("A\nB\r\nC", replace(2, "X"), "A\nX\r\nC");
    ExpectEdit("A\nB\r\nC", replace(3, "X\r\nY"), "A\nB\r\nX\r\nY");
    ExpectEdit("A\r\nB\r\n", replace(1, "X\r\n"), "X\r\n\r\nB\r\n");
    ExpectEdit(Crlf("Property Get Name()\n" + kMember + "\nEnd Property\n"),
               replace(1, "Public Property Get Name() As String"),
               Crlf("Public Property Get Name() As String\n" + kMember + "\nEnd Property\n"));
    ExpectEdit(Crlf("Property Get Name()\n" + kMember + "\nEnd Property\n"), replace(1, "' x\nProperty Get Name()"),
               Crlf("' x\nProperty Get Name()\n" + kMember + "\nEnd Property\n"));
    ExpectError("A\r\n", replace(0, "X"), ide::kSubscriptOutOfRange);
    ExpectError("A\r\n", replace(2, "X"), ide::kSubscriptOutOfRange);
}

TEST(ReplaceLine, RewritingEveryLineManyTimesKeepsTheText) {
    // Lines grow and shrink, as re-indenting does, far beyond the module's size.
    std::vector<std::string> lines;
    for (int k = 0; k < 2000; ++k) lines.push_back("x" + std::to_string(k) + " = " + std::to_string(k * 7));
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    host::SourceModule module(text);
    for (int round = 1; round <= 6; ++round) {
        text.clear();
        for (std::size_t k = 0; k < lines.size(); ++k) {
            lines[k] = std::string(static_cast<std::size_t>((round * 3 + k) % 11), ' ') + lines[k].substr(lines[k].find('x'));
            module.ReplaceLine(static_cast<long>(k) + 1, lines[k]);
            text += lines[k] + "\r\n";
        }
        module.InsertLines(1, "' round " + std::to_string(round));
        module.DeleteLines(1, 1);
        ASSERT_EQ(module.Text(), text) << "round " << round;
    }
}

TEST(DeleteLines, HiddenLinesStayAndTheFileEndingHolds) {
    auto erase = [](long line, long count) {
        return [=](host::SourceModule& m) { m.DeleteLines(line, count); };
    };
    ExpectEdit("A\r\nB\r\nC", erase(2, 2), "A");
    ExpectEdit("A\r\nB\r\nC\r\n", erase(2, 2), "A\r\n");
    ExpectEdit("A\r\nB\r\nC\r\n", erase(1, 3), "");
    // Member attributes of deleted lines go with the line above, or the prelude.
    ExpectEdit(Crlf("Dim a\nProperty Get Name()\n" + kMember + "\nEnd Property\n"), erase(2, 1),
               Crlf("Dim a\n" + kMember + "\nEnd Property\n"));
    ExpectEdit(Crlf("Attribute VB_Name = \"M\"\nProperty Get Name()\n" + kMember + "\nEnd Property\n"),
               erase(1, 2), Crlf("Attribute VB_Name = \"M\"\n" + kMember + "\n"));
    ExpectEdit("A\r\nB\r\n", erase(1, 0), "A\r\nB\r\n");

    ExpectError("A\r\nB\r\n", erase(0, 1), ide::kSubscriptOutOfRange);
    ExpectError("A\r\nB\r\n", erase(2, 2), ide::kSubscriptOutOfRange);
    ExpectError("A\r\nB\r\n", erase(1, -1), ide::kInvalidCall);
}

const std::string kModule = Crlf(
    "Attribute VB_Name = \"Edits\"\n"
    "Option Explicit\n"
    "\n"
    "' first\n"
    "Public Sub First(ByVal a As Long, _\n"
    "                 ByVal b As Long)\n"
    "    If a > b Then\n"
    "        Debug.Print \"End Sub\"\n"
    "    End If\n"
    "End Sub\n"
    "\n"
    "Public Property Get Value() As Long\n" +
    kMember +
    "\n"
    "    Value = 1\n"
    "End Property\n"
    "\n"
    "Private Function Last() As Long\n"
    "    Last = 2\n"
    "End Function\n");

TEST(EditedIndex, StructuralEditsAreSeen) {
    auto replace = [](long line, std::string text) {
        return [=](host::SourceModule& m) { m.ReplaceLine(line, text); };
    };
    auto edited = [](const Edit& edit) {
        host::SourceModule module(kModule);
        edit(module);
        hosttest::ExpectSameAsFresh(module);
        return hosttest::Outline(module);
    };
    // Re-indenting a whole procedure keeps the outline.
    EXPECT_EQ(edited([](host::SourceModule& m) {
                  for (long line = 4; line <= 9; ++line) {
                      std::string text = m.Lines(line, 1);
                      m.ReplaceLine(line, "  " + text + "  ");
                  }
              }),
              hosttest::Outline(host::SourceModule(kModule)));
    const std::string rest = "Property Get Value 10-13 body 11\nFunction Last 14-17 body 15\n";
    EXPECT_EQ(edited(replace(4, "Public Sub Renamed(ByVal a As Long, _")),
              "decl 1\nSub Renamed 2-9 body 4\n" + rest);
    EXPECT_EQ(edited(replace(4, "Public Sub First(ByVal a As Long)")),
              "decl 1\nSub First 2-9 body 4\n" + rest);
    EXPECT_EQ(edited(replace(9, "' End Sub")),
              "decl 1\nSub First 2-10 body 4\nProperty Get Value 11-13 body 11\n"
              "Function Last 14-17 body 15\n");
    EXPECT_EQ(edited(replace(11, "Public Property Let Value(ByVal v As Long)")),
              "decl 1\nSub First 2-9 body 4\nProperty Let Value 10-13 body 11\n"
              "Function Last 14-17 body 15\n");
    EXPECT_EQ(edited(replace(1, "Dim x As Long _")), "decl 2\nSub First 3-9 body 4\n" + rest);
    EXPECT_EQ(edited([](host::SourceModule& m) { m.InsertLines(10, "Sub Added()\r\nEnd Sub"); }),
              "decl 1\nSub First 2-9 body 4\nSub Added 10-11 body 10\n"
              "Property Get Value 12-15 body 13\nFunction Last 16-19 body 17\n");
    EXPECT_EQ(edited([](host::SourceModule& m) { m.DeleteLines(11, 4); }),
              "decl 1\nSub First 2-9 body 4\nFunction Last 10-13 body 11\n");
}

TEST(EditedIndex, RandomEditsAgreeWithAFreshReading) {
    const std::vector<std::string> pieces = {
        "Sub A()", "End Sub", "Public Function B() As Long", "End Function", "' comment", "",
        "x = 1 _", "    + 2", "#If Win64 Then", "#Else", "#End If", "Property Get C()",
        "End Property", "Dim z As Long", "Private Sub A()", "Rem End Sub", "s = \"End Sub\"",
        "Public Sub A(ByVal x As Long, _", "' note _", "Done: End Sub"};
    // (An attribute line typed into the code stays visible until the file is read
    // again, so the pieces hold none.)
    std::mt19937 random(20260101);
    auto pick = [&](std::size_t n) { return static_cast<long>(random() % n); };
    for (int round = 0; round < 60; ++round) {
        host::SourceModule module(kModule);
        for (int step = 0; step < 25; ++step) {
            const long count = module.CountOfLines();
            const std::string text = pieces[static_cast<std::size_t>(pick(pieces.size()))];
            switch (pick(4)) {
            case 0: module.InsertLines(1 + pick(static_cast<std::size_t>(count) + 1), text); break;
            case 1:
                if (count > 0) module.ReplaceLine(1 + pick(static_cast<std::size_t>(count)), text);
                break;
            case 2:
                if (count > 0) {
                    long start = 1 + pick(static_cast<std::size_t>(count));
                    module.DeleteLines(start, 1 + pick(static_cast<std::size_t>(std::min(3L, count - start + 1))));
                }
                break;
            default:
                if (count > 0) module.ReplaceLine(1 + pick(static_cast<std::size_t>(count)), text + "\r\n" + text);
            }
            // Query between edits, so that stale answers would be seen.
            hosttest::ExpectSameAsFresh(module);
            if (::testing::Test::HasFailure()) return;
        }
    }
}

TEST(FileLines, MapBetweenFileAndCodeLines) {
    host::SourceModule module(Crlf(
        "VERSION 1.0 CLASS\nBEGIN\nEND\nAttribute VB_Name = \"C\"\n"  // file lines 1-4
        "Option Explicit\n"                                           // 5: code 1
        "Property Get Name()\n" + kMember + "\n" + kMember + "\n"     // 6: code 2; 7, 8 hidden
        "End Property\n"));                                           // 9: code 3
    EXPECT_EQ(module.CountOfFileLines(), 9);
    std::string codeLines;
    for (long fileLine = 1; fileLine <= 9; ++fileLine)
        codeLines += std::to_string(module.CodeLineOfFileLine(fileLine));
    EXPECT_EQ(codeLines, "111112223");
    std::string fileLines;
    for (long codeLine = 1; codeLine <= 3; ++codeLine)
        fileLines += std::to_string(module.FileLineOfCodeLine(codeLine)) + " ";
    EXPECT_EQ(fileLines, "5 6 9 ");
    for (long bad : {0L, 10L}) EXPECT_THROW(module.CodeLineOfFileLine(bad), ide::HostError);
    for (long bad : {0L, 4L}) EXPECT_THROW(module.FileLineOfCodeLine(bad), ide::HostError);
}

TEST(LinesAndLineEnd, ReadingLines) {
    host::SourceModule module("A\nB\nC\r\n");
    EXPECT_EQ(module.Lines(2, 1), "B");
    EXPECT_EQ(module.Lines(1, 3), "A\r\nB\r\nC");
    EXPECT_EQ(module.Lines(2, 5), "B\r\nC") << "a count past the end stops at the end";
    EXPECT_EQ(module.LineEnd(), "\n");
    EXPECT_EQ(host::SourceModule("A").LineEnd(), "\r\n");
    EXPECT_THROW(module.Lines(4, 1), ide::HostError);
    EXPECT_THROW(module.Lines(0, 1), ide::HostError);
}

}  // namespace
