// The handler applied to every procedure of a large module, last to first.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "handler_session.h"

namespace errorhandlers_test {
namespace {

// One generated procedure part: its text and what the handler must do to it.
struct Part {
    std::string name;
    std::string keyword;      // "Sub", "Function", "Property Get"...
    std::vector<std::string> lines;
    long declarationEnd = 0;  // index of the line the On Error line must follow
};

std::string LabelStem(const Part& p) {
    if (p.keyword.rfind("Property ", 0) == 0) return p.keyword.substr(9) + "_" + p.name;
    return p.name;
}

std::string ClosingOf(const Part& p) {
    return p.keyword.rfind("Property", 0) == 0 ? "End Property" : "End " + p.keyword;
}

std::string ExitOf(const Part& p) {
    return p.keyword.rfind("Property", 0) == 0 ? "Exit Property" : "Exit " + p.keyword;
}

// A procedure part with a random choice of what makes the searches hard: a
// comment above that holds the declaration text, a declaration continued over
// lines or given twice under #If, and closing statements in comments and
// strings of the body.
Part MakePart(std::mt19937& random, const std::string& name, const std::string& keyword) {
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    Part p{name, keyword, {}, 0};
    const std::string closing = ClosingOf(p);
    if (chance(40)) p.lines.push_back("' " + keyword + " " + name + "( does the work");
    if (chance(30)) p.lines.push_back("");
    const std::string head = (chance(50) ? "Public " : "Private ") + keyword + " " + name + "(";
    const bool isSub = keyword == "Sub";
    const std::string returns = keyword == "Function" || keyword == "Property Get" ? " As Long" : "";
    if (isSub && chance(30)) {
        p.lines.push_back("#If VBA7 Then");
        p.lines.push_back(head + "ByVal h As LongPtr)");
        p.lines.push_back("#Else");
        p.lines.push_back(head + "ByVal h As Long)");
        p.lines.push_back("#End If");
    } else if (chance(30)) {
        p.lines.push_back(head + "ByVal a As Long, _");
        p.lines.push_back("    ByVal b As Long)" + returns);
    } else {
        p.lines.push_back(head + "ByVal a As Long)" + returns);
    }
    p.declarationEnd = static_cast<long>(p.lines.size()) - 1;
    const int statements = static_cast<int>(random() % 4);
    for (int i = 0; i < statements; ++i) {
        switch (random() % 4) {
            case 0: p.lines.push_back("    ' " + closing + " comes later"); break;
            case 1: p.lines.push_back("    s = \"" + closing + "\""); break;
            case 2: p.lines.push_back("    Rem " + closing); break;
            default: p.lines.push_back("    x = x + 1"); break;
        }
    }
    p.lines.push_back(closing);
    return p;
}

// The lines a handler of `kind` adds: the On Error line with the empty line its
// line end brings, and the block of exit, label, If, body and End If.
long AddedLines(int kind) {
    switch (kind) {
        case toolwindow::Custom: return 2 + 3 + 2 + 1;  // a two-line template
        case toolwindow::ResumeNext: return 1;
        case toolwindow::StandardExe: return 2 + 3 + 11 + 1;
        default: return 2 + 3 + 12 + 1;
    }
}

TEST(InsertErrorHandler, HandlesEveryProcedureOfALargeModule) {
    std::mt19937 random(20240601);
    std::vector<Part> parts;
    for (int i = 0; i < 60; ++i) {
        const std::string name = "Proc" + std::to_string(i);
        switch (random() % 4) {
            case 0: parts.push_back(MakePart(random, name, "Sub")); break;
            case 1: parts.push_back(MakePart(random, name, "Function")); break;
            case 2:
                parts.push_back(MakePart(random, name, "Property Get"));
                parts.push_back(MakePart(random, name, "Property Let"));
                break;
            default:
                parts.push_back(MakePart(random, name, "Property Set"));
                parts.push_back(MakePart(random, name, "Property Get"));
                break;
        }
    }
    std::string source = "Attribute VB_Name = \"Big\"\r\nOption Explicit\r\n";
    for (const Part& p : parts)
        for (const std::string& l : p.lines) source += l + "\r\n";

    HandlerSession s(source, toolwindow::Custom, "Log [ModuleName], [ProcName]\r\nResume Next", "Big");
    const std::vector<host::ProcInfo> before = s.module.Procedures();
    ASSERT_EQ(parts.size(), before.size());
    std::vector<int> kinds(parts.size());
    for (std::size_t i = parts.size(); i-- > 0;) {
        kinds[i] = static_cast<int>(i % 4);
        s.window.handlerKind = kinds[i];
        // The cursor on the declaration or on the End line.
        const long line = i % 3 == 0 ? before[i].bodyLine
                                     : before[i].startLine + before[i].countLines - 1;
        ASSERT_TRUE(s.Insert(line)) << parts[i].name << " " << parts[i].keyword;
    }
    EXPECT_TRUE(s.dialogs.messages.empty());

    const std::vector<host::ProcInfo> after = s.module.Procedures();
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const Part& p = parts[i];
        const host::ProcInfo& proc = after[i];
        SCOPED_TRACE(p.keyword + " " + p.name);
        EXPECT_EQ(p.name, proc.name);
        EXPECT_EQ(p.keyword, proc.keyword);
        EXPECT_EQ(before[i].countLines + AddedLines(kinds[i]), proc.countLines);

        const long first = proc.startLine;
        const long last = proc.startLine + proc.countLines - 1;
        const std::string onError = kinds[i] == toolwindow::ResumeNext
                                        ? "On Error Resume Next"
                                        : "On Error Goto " + LabelStem(p) + "_Err\t\t" + kStamp;
        EXPECT_EQ(onError, s.module.Lines(first + p.declarationEnd + 1, 1));
        long onErrorLines = 0;
        for (long n = first; n <= last; ++n)
            if (s.module.Lines(n, 1).rfind("On Error", 0) == 0) ++onErrorLines;
        EXPECT_EQ(1, onErrorLines);

        EXPECT_EQ(ClosingOf(p), s.module.Lines(last, 1));
        if (kinds[i] == toolwindow::ResumeNext) {
            // The end is untouched: above it stands the last line of the body,
            // or the On Error line when the body is empty.
            const std::size_t above = p.lines.size() - 2;
            EXPECT_EQ(static_cast<long>(above) == p.declarationEnd ? onError : p.lines[above],
                      s.module.Lines(last - 1, 1));
        } else {
            const long blockLines = AddedLines(kinds[i]) - 2;
            EXPECT_EQ("End If ", s.module.Lines(last - 1, 1));
            EXPECT_EQ(ExitOf(p), s.module.Lines(last - blockLines, 1));
            EXPECT_EQ(LabelStem(p) + "_Err:\t\t\t\t" + kStamp, s.module.Lines(last - blockLines + 1, 1));
            EXPECT_EQ("If Err <> 0 Then", s.module.Lines(last - blockLines + 2, 1));
        }
    }
}

}  // namespace
}  // namespace errorhandlers_test
