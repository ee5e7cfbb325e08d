// Which statement and which part of which procedure hold a line.
#include <gtest/gtest.h>

#include "ide/proc_range.h"
#include "ide/statements.h"
#include "host/source_module.h"
#include "support/support.h"

namespace {

// "name/kind start+count@body", or "-" for no procedure.
std::string PartText(const ide::ProcPart& part) {
    static const char* const kKinds[] = {"Proc", "Let", "Set", "Get"};
    if (part.name.empty()) return "-";
    return part.name + "/" + kKinds[part.kind] + " " + std::to_string(part.Start()) + "+" +
           std::to_string(part.Count()) + "@" + std::to_string(part.Body());
}

// Each line of the module in turn, as "line:part" pieces joined by blanks where the part changes.
std::string PartsOfEveryLine(std::string_view vb) {
    const host::SourceModule module(testsupport::Crlf(vb));
    std::string parts, previous;
    for (long line = 1; line <= module.CountOfLines(); ++line) {
        const std::string text = PartText(ide::ProcPartAt(module, line));
        if (text == previous) continue;
        parts += (parts.empty() ? "" : " ") + std::to_string(line) + ":" + text;
        previous = text;
    }
    return parts;
}

TEST(Statements, FirstAndLastLineOfAContinuedStatement) {
    const host::SourceModule m(testsupport::Crlf(
        "Sub Foo(a, _\n"   // 1
        "        b, _\n"   // 2
        "        c)\n"     // 3
        "x = 1\n"          // 4
        "Call Bar(x, _\n"  // 5
        "         y, _")); // 6: the last line, still continued
    std::string spans;  // "first-last" of the statement that holds each line
    for (long line = 1; line <= 6; ++line)
        spans += std::to_string(ide::FirstLineOfStatement(m, line)) + "-" +
                 std::to_string(ide::LastLineOfStatement(m, line)) + " ";
    EXPECT_EQ(spans, "1-3 1-3 1-3 4-4 5-6 5-6 ");  // the last stops at the module's end
    EXPECT_EQ(ide::LastLineOfStatement(m, 1, 2), 2);  // and at the limit
}

TEST(ProcPartAt, SettlesTheKindAndTheCopyThatHoldTheLine) {
    struct Case {
        const char* vb;
        const char* parts;
    };
    const Case cases[] = {
        // The declarations section holds no part; comments above a declaration belong to it.
        {"Option Explicit\n\n' Adds.\nSub Add()\nEnd Sub\n", "1:- 2:Add/Proc 2+4@4"},
        // Each part of a property is a range of its own, found by the rule, not by ProcOfLine's kind.
        {"Property Get V()\nEnd Property\nProperty Let V(x)\nEnd Property\nProperty Set V(o)\nEnd Property\n",
         "1:V/Get 1+2@1 3:V/Let 3+2@3 5:V/Set 5+2@5"},
        // Alternative declarations of one procedure are one part.
        {"#If Win64 Then\nSub A(ByVal h As LongPtr)\n#Else\nSub A(ByVal h As Long)\n#End If\nEnd Sub\n",
         "1:A/Proc 1+6@2"},
        // Two whole copies: each line is in its own copy.
        {"Option Explicit\n#If Win64 Then\nSub A()\nBeep\nEnd Sub\n#Else\nSub A()\nBeep\nEnd Sub\n#End If\n",
         "1:- 3:A/Proc 3+3@3 6:A/Proc 6+5@7"},
        {"#If Win64 Then\nProperty Get V()\nEnd Property\nProperty Let V(x)\nEnd Property\n#Else\n"
         "Property Get V()\nEnd Property\nProperty Let V(x)\nEnd Property\n#End If\n",
         "1:- 2:V/Get 2+2@2 4:V/Let 4+2@4 6:V/Get 6+3@7 9:V/Let 9+3@9"},
    };
    for (const Case& c : cases) EXPECT_EQ(PartsOfEveryLine(c.vb), c.parts) << c.vb;
}

TEST(SettleProcKind, TheFirstPropertyPartWhoseRangeHoldsTheLineElseTheSub) {
    ide::ProcRanges r;
    r.start[ide::vbext_pk_Get] = 10, r.count[ide::vbext_pk_Get] = 5;   // 10..14
    r.start[ide::vbext_pk_Let] = 14, r.count[ide::vbext_pk_Let] = 3;   // 14..16, overlapping Get
    r.start[ide::vbext_pk_Set] = 20, r.count[ide::vbext_pk_Set] = 0;   // holds nothing
    const std::pair<long, ide::ProcKind> cases[] = {
        {9, ide::vbext_pk_Proc}, {10, ide::vbext_pk_Get}, {14, ide::vbext_pk_Get}, {15, ide::vbext_pk_Let},
        {16, ide::vbext_pk_Let}, {17, ide::vbext_pk_Proc}, {20, ide::vbext_pk_Proc}, {0, ide::vbext_pk_Proc},
    };
    for (const auto& [line, kind] : cases) EXPECT_EQ(ide::SettleProcKind(r, line), kind) << line;
    // Parts the procedure lacks probe as 0 and hold no line, not even line 0.
    EXPECT_EQ(ide::SettleProcKind(ide::ProcRanges{}, 0), ide::vbext_pk_Proc);
}

}  // namespace
