// A module's code as the IDE shows it: which lines belong to which procedure (read
// from tricky VB source), edits with their line ends and hidden lines, the index
// after each edit, file and code lines, and Find.
#include <gtest/gtest.h>

#include <random>

#include "host/module_buffer.h"
#include "host_check.h"

namespace {

using testsupport::Crlf;

TEST(Outline, TrickySourceWithAnyLineEnd) {
    const std::pair<std::string, std::string> cases[] = {
        // Ranges take in the comments above and the lines after the last End.
        {"Option Explicit\nPrivate mCount As Long\n' about Foo\n\nPublic Sub Foo()\nEnd Sub\n\n' about Bar\n"
         "Private Function Bar() As Long\nBar = 1\nEnd Function\n' trailing\n",
         "decl 2\nSub Foo 3-6 body 5\nFunction Bar 7-12 body 9\n"},
        // Without code in the declarations section the first procedure starts at line 1;
        // without procedures the section ends at its last code line.
        {"' header\n\nSub Main()\nEnd Sub\n", "decl 0\nSub Main 1-4 body 3\n"},
        {"Option Explicit\nDim x As Long\n' note\n\n", "decl 2\n"},
        {"", "decl 0\n"},
        {"Dim a\rSub X()\rEnd Sub\r", "decl 1\nSub X 2-3 body 2\n"},
        {"Dim a\nSub X()\nEnd Sub", "decl 1\nSub X 2-3 body 2\n"},
        // A comment that ends in " _" goes on over the next line.
        {"' Was: _\nSub Y()\nSub X()\nEnd Sub\n", "decl 0\nSub X 1-4 body 3\n"},
        {"Public Static Function Counter() As Long\nEnd Function\nStatic Private Sub Quiet()\nEnd Sub\n"
         "Friend Property Get Value() As Long\nEnd Property\nPublic Property Let Value(ByVal v As Long)\n"
         "End Property\nPublic Property Set Value(ByVal v As Object)\nEnd Property\nprivate sub lower()\nend sub\n"
         "Public Sub _\n    Wrapped(ByVal a As Long, _\n            ByVal b As Long)\nEnd Sub\n"
         "Function Typed$(ByVal s As String)\nEnd Function\nSub [Odd Name]()\nEnd Sub ' done\n"
         "Sub B()\n10 End Sub\nSub C()\nDone: End Sub\nSub D()\nEnd Select\nEND SUB\n",
         "decl 0\nFunction Counter 1-2 body 1\nSub Quiet 3-4 body 3\nProperty Get Value 5-6 body 5\n"
         "Property Let Value 7-8 body 7\nProperty Set Value 9-10 body 9\nSub lower 11-12 body 11\n"
         "Sub Wrapped 13-16 body 13\nFunction Typed 17-18 body 17\nSub Odd Name 19-20 body 19\n"
         "Sub B 21-22 body 21\nSub C 23-24 body 23\nSub D 25-27 body 25\n"},
        // What looks like a procedure but is not.
        {"Private Declare Function GetTickCount Lib \"kernel32\" () As Long\n"
         "Public Declare Sub Sleep Lib \"kernel32\" (ByVal ms As Long)\nPublic Event Changed(ByVal What As String)\n"
         "Private Type Slot\n    Property As Long\n    Function As String\n    Sub(1 To 3) As Integer\nEnd Type\n"
         "Public Enum Colour\n    Red\nEnd Enum\nSub Main()\nsUB\nSubTotal = 1\nSub_Main\ns = \"End Sub\"\n"
         "' End Sub\nRem End Sub\nx = 1 ' End Sub\nExit Sub\nEnd Sub\n",
         "decl 11\nSub Main 12-21 body 12\n"},
        // Alternative declarations under #If are one procedure; a whole procedure under #If is not.
        {"Option Explicit\n#If VBA7 Then\nPublic Function Elapsed(ByVal t As LongPtr) As LongPtr\n#Else\n"
         "Public Function Elapsed(ByVal t As Long) As Long\n#End If\nElapsed = t\nEnd Function\n\n"
         "#If Win64 Then\nPrivate Sub Tick(ByVal t As LongLong)\n#ElseIf Win32 Then\n"
         "Private Sub Tick(ByVal t As Long)\n#Else\nPrivate Sub Tick(ByVal t As Integer)\n#End If\nEnd Sub\n",
         "decl 1\nFunction Elapsed 2-8 body 3\nSub Tick 9-17 body 11\n"},
        {"#If DEBUG Then\nSub Trace()\nEnd Sub\n#End If\n", "decl 1\nSub Trace 2-4 body 2\n"},
        // A form's designer block is no code, whatever it holds.
        {"VERSION 5.00\nObject = \"{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0\"; \"mscomctl.ocx\"\n"
         "Begin VB.Form frmMain\n   Begin VB.CommandButton cmdGo\n      BeginProperty Font\n"
         "         Name = \"Tahoma\"\n      EndProperty\n   End\n   Begin VB.Menu mnuFile\n"
         "      Caption = \"End Sub\"\n   End\nEnd\nAttribute VB_Name = \"frmMain\"\nPrivate Sub cmdGo_Click()\nEnd Sub\n",
         "decl 0\nSub cmdGo_Click 1-2 body 1\n"}};
    for (const auto& [vb, expected] : cases)
        for (const std::string& text : {vb, Crlf(vb)})
            EXPECT_EQ(hosttest::Outline(host::SourceModule(text)), expected) << text;
}

TEST(Outline, ProcOfLineAndLookUpErrors) {
    host::SourceModule module("Dim x\nProperty Get P()\nEnd Property\nProperty Let P(v)\nEnd Property");
    EXPECT_EQ(hosttest::Owners(module), "5 file lines: -@1 P/3[2+2@2]@2 P/3[2+2@2]@3 P/1[4+2@4]@4 P/1[4+2@4]@5");
    ide::ProcKind kind = ide::vbext_pk_Get;
    EXPECT_EQ(module.ProcOfLine(1, kind), "");
    EXPECT_EQ(kind, ide::vbext_pk_Proc) << "the declarations: no name, kind Proc";
    EXPECT_EQ(module.ProcStartLine("p", ide::vbext_pk_Let), 4) << "names compare without letter case";
    for (long line : {0L, 6L}) EXPECT_EQ(hosttest::ErrorOf([&] { module.ProcOfLine(line, kind); }), ide::kSubscriptOutOfRange);
    EXPECT_EQ(hosttest::ErrorOf([&] { module.ProcStartLine("P", ide::vbext_pk_Proc); }), ide::kSubNotDefined);
}

const std::string kMember = "Attribute Name.VB_UserMemId = 0";

struct EditCase {
    std::string before;
    char op;  // 'I'nsert, 'R'eplace or 'D'elete (arg is the count)
    long line;
    std::string arg, after;
    int error = 0;  // a failed edit changes nothing
};

TEST(Edit, LineEndsHiddenLinesAndErrors) {
    const std::string get = Crlf("Property Get Name()\n" + kMember + "\nEnd Property\n");
    const std::string prelude = "Attribute VB_Name = \"M\"";
    const EditCase cases[] = {
        {"A\r\nB\r\n", 'I', 3, "C", "A\r\nB\r\nC\r\n"},
        {"A\r\nB", 'I', 3, "C", "A\r\nB\r\nC"},  // nothing glued to a last line without line end
        {"A\nB\n", 'I', 2, "X\r\nY", "A\nX\nY\nB\n"},
        {"A\r\n", 'I', 1, "X\nY\rZ\r\n", "X\r\nY\r\nZ\r\n\r\nA\r\n"},
        {"A\r\n", 'I', 1, "", "\r\nA\r\n"},
        {"", 'I', 1, "Option Explicit", "Option Explicit\r\n"},
        {prelude, 'I', 1, "Option Explicit", prelude + "\r\nOption Explicit"},
        // New lines go after the hidden lines of the line above.
        {get, 'I', 2, "Name = 1", Crlf("Property Get Name()\n" + kMember + "\nName = 1\nEnd Property\n")},
        {"Sub Name()\r\n" + kMember, 'I', 2, "End Sub", "Sub Name()\r\n" + kMember + "\r\nEnd Sub"},
        {"A\r\nB\r\n", 'I', 0, "X", "", ide::kInvalidCall}, {"A\r\nB\r\n", 'I', 4, "X", "", ide::kInvalidCall},
        // A file cannot end in an empty line without a line end (read again, the
        // line would be gone): an empty last line takes one.
        {"A\r\nB", 'I', 3, "C\r\n", "A\r\nB\r\nC\r\n\r\n"},
        {"A\r\nB", 'R', 2, "X\r\n", "A\r\nX\r\n\r\n"},
        {"A\r\n   ", 'R', 2, "", "A\r\n\r\n"},
        {"A\r\n\r\nB", 'D', 3, "1", "A\r\n\r\n"},
        // Nor can an empty line end in LF after a lone CR: "\r\n" reads back as one line end.
        {"A\rB\nC\nD\n", 'R', 2, "", "A\r\r\nC\nD\n"},
        {"A\r \n", 'R', 2, "", "A\r\r\n"},
        // A replaced line keeps its own line end, and its hidden lines after its last line.
        {"A\nB\r\nC", 'R', 2, "X", "A\nX\r\nC"},
        {"A\nB\r\nC", 'R', 3, "X\r\nY", "A\nB\r\nX\r\nY"},
        {get, 'R', 1, "' x\nProperty Get Name()", Crlf("' x\nProperty Get Name()\n" + kMember + "\nEnd Property\n")},
        {"A\r\n", 'R', 0, "X", "", ide::kSubscriptOutOfRange}, {"A\r\n", 'R', 2, "X", "", ide::kSubscriptOutOfRange},
        {"A\r\nB\r\nC", 'D', 2, "2", "A"},
        {"A\r\nB\r\nC\r\n", 'D', 2, "2", "A\r\n"},
        {"A\r\nB\r\nC\r\n", 'D', 1, "3", ""},
        {"A\r\nB\r\n", 'D', 1, "0", "A\r\nB\r\n"},
        // Member attributes of deleted lines go with the line above, or to the prelude.
        {Crlf("Dim a\n") + get, 'D', 2, "1", Crlf("Dim a\n" + kMember + "\nEnd Property\n")},
        {prelude + "\r\n" + get, 'D', 1, "2", Crlf(prelude + "\n" + kMember + "\n")},
        {"A\r\nB\r\n", 'D', 0, "1", "", ide::kSubscriptOutOfRange}, {"A\r\nB\r\n", 'D', 1, "-1", "", ide::kInvalidCall},
        {"A\r\nB\r\n", 'D', 2, "2", "", ide::kSubscriptOutOfRange},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(std::string(1, c.op) + std::to_string(c.line) + " on: " + c.before);
        host::SourceModule module(c.before);
        EXPECT_EQ(hosttest::ErrorOf([&] {
                      if (c.op == 'I') module.InsertLines(c.line, c.arg);
                      if (c.op == 'R') module.ReplaceLine(c.line, c.arg);
                      if (c.op == 'D') module.DeleteLines(c.line, std::stol(c.arg));
                  }),
                  c.error);
        EXPECT_EQ(module.Text(), c.error ? c.before : c.after);
        hosttest::ExpectSameAsFresh(module);
    }
    // Lines put in at the end and taken out again leave a file without a final
    // line end as it was.
    host::SourceModule bare("A\r\nB");
    bare.InsertLines(3, "\r\n \r\n");
    bare.DeleteLines(3, 3);
    EXPECT_EQ(bare.Text(), "A\r\nB");
}

TEST(Edit, RewritingEveryLineManyTimesKeepsTheTextInLittleRoom) {
    // Lines grow and shrink, as re-indenting does, far beyond the module's size,
    // top down and bottom up; the pool holds little more than the text itself.
    host::ModuleBuffer module(std::string(2000, '\n'));
    for (int round = 1; round <= 6; ++round) {
        std::vector<std::string> lines(2000);
        for (std::size_t i = 0; i < 2000; ++i) {
            const std::size_t k = round % 4 < 2 ? i : 1999 - i;
            lines[k] = std::string((round * 3 + k) % 11, ' ') + "x" + std::to_string(k * round) +
                       std::string(round % 2 ? 40 : 4, '-');
            module.Replace(k, lines[k]);
        }
        std::string text;
        for (const std::string& line : lines) text += line + "\n";
        module.Insert(0, {"' round"});
        module.Erase(0, 1);
        ASSERT_EQ(module.Text(), text) << "round " << round;
        const std::size_t live = module.PoolBytes() - module.UnusedPoolBytes();
        EXPECT_EQ(live, text.size() - 2000);
        EXPECT_LE(module.PoolBytes(), live + live / 3 + 64) << "round " << round;
    }
    // A replacement no longer than the line is written where the line stood.
    host::ModuleBuffer small(std::string("Dim a\r\nDim b\r\n"));
    const std::size_t before = small.PoolBytes();
    for (const char* text : {"Dim c", "' c", "Dim abc"}) small.Replace(1, std::string_view(text));
    EXPECT_EQ(small.PoolBytes(), before + 7);
    EXPECT_EQ(small.Text(), "Dim a\r\nDim abc\r\n");
}

const std::string kModule = Crlf(
    "Attribute VB_Name = \"Edits\"\nOption Explicit\n\n' first\n"
    "Public Sub First(ByVal a As Long, _\n                 ByVal b As Long)\n"
    "    If a > b Then\n        Debug.Print \"End Sub\"\n    End If\nEnd Sub\n\n"
    "Public Property Get Value() As Long\n" + kMember + "\n    Value = 1\nEnd Property\n\n"
    "Private Function Last() As Long\n    Last = 2\nEnd Function\n");

TEST(EditedIndex, StructuralEditsAgreeWithAFreshReading) {
    const std::pair<long, std::string> replacements[] = {
        {6, "      If a > b Then  "}, {4, "  Public Sub First(ByVal a As Long, _"}, {9, "' End Sub"},
        {4, "Public Sub Renamed(ByVal a As Long, _"}, {4, "Public Sub First(ByVal a As Long)"},
        {1, "Dim x As Long _"}, {11, "Public Property Let Value(ByVal v As Long)"}, {10, "Sub Added(): End Sub"},
        {5, " ByVal b As Long)"}};
    for (const auto& [line, text] : replacements) {
        host::SourceModule module(kModule);
        module.ReplaceLine(line, text);
        hosttest::ExpectSameAsFresh(module);
    }
    // The second line of a declaration, made another statement once the procedures were read.
    host::SourceModule continued(Crlf("Public _\n    Sub First()\nEnd Sub\n"));
    ASSERT_EQ(continued.Procedures().size(), 1u);
    continued.ReplaceLine(2, "    Const First = 1");
    hosttest::ExpectSameAsFresh(continued);
    // (Random edits checked against a fresh reading are the scan fuzz target's.)
}

TEST(Lines, FileAndCodeLinesRangesAndLineEnds) {
    host::SourceModule module(Crlf("VERSION 1.0 CLASS\nBEGIN\nEND\nAttribute VB_Name = \"C\"\nOption Explicit\n"
                                   "Property Get Name()\n" + kMember + "\n" + kMember + "\nEnd Property\n"));
    std::string codeLines;
    for (long fileLine = 1; fileLine <= 9; ++fileLine) codeLines += std::to_string(module.CodeLineOfFileLine(fileLine));
    EXPECT_EQ(codeLines, "111112223");
    EXPECT_EQ(hosttest::Owners(module), "9 file lines: -@5 Name/3[2+2@2]@6 Name/3[2+2@2]@9");
    for (long bad : {0L, 10L}) EXPECT_NE(hosttest::ErrorOf([&] { module.CodeLineOfFileLine(bad); }), 0);
    for (long bad : {0L, 4L}) EXPECT_NE(hosttest::ErrorOf([&] { module.FileLineOfCodeLine(bad); }), 0);
    host::SourceModule mixed("A\nB\nC\r\n");
    EXPECT_EQ(mixed.Lines(1, 3), "A\r\nB\r\nC");
    EXPECT_EQ(mixed.Lines(2, 5), "B\r\nC") << "a count past the end stops at the end";
    EXPECT_EQ(mixed.LineEnd() + host::SourceModule("A").LineEnd(), "\n\r\n");
    for (long bad : {0L, 4L}) EXPECT_THROW(mixed.Lines(bad, 1), ide::HostError);
}

struct FindCase {  // expected: "line:column-line:column" of the match, or "none"
    std::string target;
    long startLine, startColumn, endLine, endColumn;
    std::string expected;
    bool wholeWord = false, matchCase = true;
};

void ExpectFinds(std::string_view vb, const std::vector<FindCase>& cases) {
    host::SourceModule module(testsupport::Crlf(vb));
    for (FindCase c : cases) {
        std::string found = "none";
        if (module.Find(c.target, c.startLine, c.startColumn, c.endLine, c.endColumn, c.wholeWord, c.matchCase, false))
            found = std::to_string(c.startLine) + ":" + std::to_string(c.startColumn) + "-" +
                    std::to_string(c.endLine) + ":" + std::to_string(c.endColumn);
        EXPECT_EQ(found, c.expected) << c.target << " from line " << c.startLine << ", column " << c.startColumn;
    }
}

TEST(Find, RangeColumnsCaseAndWords) {
    ExpectFinds("' Sub Foo( in a comment\nSub Foo(ByVal a As Long)\n    Foo = a: FooBar = a\nEnd Sub\n",
                {{"Sub Foo(", 1, 1, 4, 1, "1:3-1:11"},  // the first match in the range, comments included
                 {"End Sub", 1, 1, 3, 1, "none"},      // the end line bounds the search
                 {"Foo", 3, 6, 4, 1, "3:14-3:17"},     // a start column on the first line only
                 {"Foo", 2, 6, 3, 1, "3:5-3:8"},
                 // End columns of 1 and below mean the whole last line; any other bounds the match's end.
                 {"FooBar", 3, 1, 3, 0, "3:14-3:20"}, {"FooBar", 3, 1, 3, 1, "3:14-3:20"},
                 {"FooBar", 3, 1, 3, 19, "none"}, {"FooBar", 3, 1, 3, 20, "3:14-3:20"},
                 // An end line past the module searches to the end; a start past it finds nothing.
                 {"End Sub", 2, 1, 99, 1, "4:1-4:8"},
                 // An empty range (an end line below the start, or below 1) finds nothing:
                 // the search never runs outside its range.
                 {"End Sub", 2, 1, 0, 1, "none"}, {"Sub Foo(", 3, 1, 2, 1, "none"},
                 {"End Sub", 5, 1, 9, 1, "none"}, {"", 1, 1, 4, 1, "none"},
                 {"end sub", 1, 1, 4, 1, "none"}, {"end sub", 1, 1, 4, 1, "4:1-4:8", false, false},
                 {"Foo", 3, 10, 3, 1, "none", true}, {"Foo", 3, 1, 3, 1, "3:5-3:8", true}});
    // Columns count characters, not bytes; letter case is ignored beyond ASCII,
    // in Latin-1 and Latin Extended-A letters, either way round.
    ExpectFinds("x = \"Größe\" & ÄRGER\n' łódź ŚLĄSK žluťoučký ŸVES Āā\n",
                {{"ärger", 1, 1, 1, 1, "1:15-1:20", false, false},
                 {"Grö", 1, 1, 1, 1, "none", true},
                 {"Größe", 1, 1, 1, 1, "1:6-1:11", true},
                 {"ŁÓDŹ", 1, 1, 2, 1, "2:3-2:7", false, false}, {"ŁÓDŹ", 1, 1, 2, 1, "none"},
                 {"śląsk", 1, 1, 2, 1, "2:8-2:13", false, false},
                 {"ŽLUŤOUČKÝ", 1, 1, 2, 1, "2:14-2:23", false, false},
                 {"ÿves", 1, 1, 2, 1, "2:24-2:28", false, false},
                 {"ā", 2, 1, 2, 1, "2:29-2:30", false, false}, {"Ā", 2, 30, 2, 1, "2:30-2:31", false, false}});
}

}  // namespace

TEST(Changes, ListenersFollowEveryEditSoLinesCanBeMapped) {
    // Each line is tagged with its original number; mapping every original line
    // through the reported changes must find it again, whatever edits come.
    std::string text;
    for (int i = 1; i <= 30; ++i) text += "L" + std::to_string(i) + "\r\n";
    host::SourceModule module(text);
    std::vector<host::LineChange> changes;
    const int id = module.Subscribe([&](const host::LineChange& c) { changes.push_back(c); });
    std::mt19937 random(7);
    auto pick = [&](long n) { return static_cast<long>(random() % static_cast<unsigned long>(n)); };
    for (int step = 0; step < 80; ++step) {
        const long count = module.CountOfLines(), line = 1 + pick(count);
        long added = 0;  // the run of added lines from `line`
        while (line + added <= count && module.Lines(line + added, 1) == "new") ++added;
        switch (pick(4)) {
        case 0: module.InsertLines(1 + pick(count + 1), "new\r\nnew"); break;
        case 1: if (added > 0) module.ReplaceLine(line, "new\r\nnew"); break;
        case 2: if (added > 0) module.DeleteLines(line, added); break;
        default: if (added > 0) module.Restore(module.Cut(line, added));
        }
    }
    EXPECT_EQ(module.Revision(), changes.empty() ? 0u : changes.back().revision);
    for (long original = 1; original <= 30; ++original) {
        long line = original;
        for (const host::LineChange& c : changes) line = host::LineAfter(c, line);
        EXPECT_EQ(module.Lines(line, 1), "L" + std::to_string(original));
    }
    module.Unsubscribe(id);
    const std::size_t seen = changes.size();
    module.InsertLines(1, "after");
    EXPECT_EQ(changes.size(), seen);
}

// A listener that leaves while it hears of an edit, and sends another away, still
// lets every listener hear that edit; from the next edit on only those left hear.
TEST(Subscribe, ListenersMayLeaveWhileTheyHearOfAnEdit) {
    host::SourceModule module("Sub A()\r\nEnd Sub\r\n");
    std::string heard;
    int second = 0;
    int first = 0;
    first = module.Subscribe([&](const host::LineChange& c) {
        heard += "1:" + std::to_string(c.line) + " ";
        module.Unsubscribe(first);
        module.Unsubscribe(second);
    });
    second = module.Subscribe([&](const host::LineChange& c) { heard += "2:" + std::to_string(c.line) + " "; });
    module.Subscribe([&](const host::LineChange& c) { heard += "3:" + std::to_string(c.line) + " "; });
    module.InsertLines(2, "Beep");
    module.DeleteLines(2, 1);
    EXPECT_EQ(heard, "1:2 2:2 3:2 3:2 ");
}

// Whole copies of a procedure under #If ... #Else: ProcStartLine and its kin
// answer for the first, as the IDE does; ProcLinesAt for the copy at the line,
// and for the first copy from anywhere else.
TEST(Outline, ProcLinesAtAnswersForTheCopyThatHoldsTheLine) {
    host::SourceModule module(Crlf("Option Explicit\n#If Win64 Then\nSub A()\nBeep\nEnd Sub\n#Else\n"
                                   "' The other one.\nSub A()\nBeep\nEnd Sub\n#End If\nSub B()\nEnd Sub\n"));
    auto lines = [&](long line) {
        const ide::ProcLines l = module.ProcLinesAt("a", ide::vbext_pk_Proc, line);
        return std::to_string(l.start) + "+" + std::to_string(l.count) + "@" + std::to_string(l.body);
    };
    for (long elsewhere : {1L, 12L, 0L, 99L}) EXPECT_EQ(lines(elsewhere), "3+3@3") << elsewhere;
    EXPECT_EQ(module.ProcStartLine("A", ide::vbext_pk_Proc), 3);
    EXPECT_EQ(hosttest::ErrorOf([&] { module.ProcLinesAt("A", ide::vbext_pk_Get, 4); }), ide::kSubNotDefined);
    module.InsertLines(4, "Dim i As Long");  // the index shifts; the copies stay apart
    EXPECT_EQ(lines(10), "7+5@9");
    hosttest::ExpectSameAsFresh(module);
}
