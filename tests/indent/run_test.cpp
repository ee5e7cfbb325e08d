// One run over a block: what it reads and writes, where it stops, and how it
// lets the host breathe.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "indent/indent.h"
#include "indent_fixture.h"
#include "platform/dialogs.h"

namespace {

using indenttest::CodeOf;
using indenttest::LoggingModule;
using indenttest::ModuleOf;

constexpr const char* kProcedure =
    "  Public Sub Foo()\n"
    "   Dim i As Long\n"
    "For i = 1 To 2\n"
    "   x = i\n"
    "Next\n"
    "End Sub\n";

TEST(IndentRun, ReadsEachLineOnceAndReplacesAllButKeptLines) {
    // Unchanged lines are written back too; the kept declaration is not.
    host::SourceModule module = ModuleOf(kProcedure);
    LoggingModule logged(module);
    platform::RecordingDialogs dialogs;
    Indent::IndentBlock(dialogs, logged, 1, 6);
    EXPECT_EQ((std::map<long, int>{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}}), logged.reads);
    EXPECT_EQ((std::map<long, int>{{2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}}), logged.replaced);
    EXPECT_EQ(6, dialogs.eventRuns);
    EXPECT_EQ(
        "  Public Sub Foo()\n"
        "Dim i As Long\n"
        "For i = 1 To 2\n"
        "   x = i\n"
        "Next\n"
        "End Sub\n",
        CodeOf(module));
}

TEST(IndentRun, CoversExactlyTheGivenLines) {
    const std::string code = "x\n y\n  z\n   w\n";
    host::SourceModule module = ModuleOf(code);
    platform::RecordingDialogs dialogs;
    Indent::IndentBlock(dialogs, module, 2, 2);
    EXPECT_EQ("x\ny\nz\n   w\n", CodeOf(module));
    EXPECT_EQ(2, dialogs.eventRuns);

    Indent::IndentBlock(dialogs, module, 1, 0);
    Indent::IndentBlock(dialogs, module, 1, -5);
    EXPECT_EQ("x\ny\nz\n   w\n", CodeOf(module));
    EXPECT_EQ(2, dialogs.eventRuns);
}

TEST(IndentRun, StopsQuietlyWhereTheHostRefuses) {
    // Past the last line the read fails; a refused replacement ends the run.
    host::SourceModule module = ModuleOf(" a\n b\n c\n d\n");
    platform::RecordingDialogs dialogs;
    Indent::IndentBlock(dialogs, module, 3, 10);
    EXPECT_EQ(" a\n b\nc\nd\n", CodeOf(module));
    EXPECT_TRUE(dialogs.messages.empty());

    host::SourceModule refusing = ModuleOf(" a\n b\n c\n d\n");
    LoggingModule logged(refusing);
    logged.refuseReplaceAt = 2;
    Indent::IndentBlock(dialogs, logged, 1, 4);
    EXPECT_EQ("a\n b\n c\n d\n", CodeOf(refusing));
    EXPECT_EQ(0, logged.reads.count(3));
}

/// Runs pending events by checking that the busy cursor is up.
class BusyCheckingDialogs : public platform::RecordingDialogs {
public:
    void DoEvents() override {
        RecordingDialogs::DoEvents();
        if (!busy) ++eventsWhileIdle;
    }
    int eventsWhileIdle = 0;
};

TEST(IndentRun, IndentProcedureShowsTheBusyCursorForTheWholeRun) {
    host::SourceModule module = ModuleOf(kProcedure);
    BusyCheckingDialogs dialogs;
    Indent::IndentProcedure(dialogs, module, "Foo", 3);
    EXPECT_EQ(6, dialogs.eventRuns);
    EXPECT_EQ(0, dialogs.eventsWhileIdle);
    EXPECT_FALSE(dialogs.busy);
}

/// A module of flush-left lines that records each replacement as its count of
/// leading blanks and the rest, so that very deep indentation stays small.
class DeepModule : public ide::CodeModule {
public:
    explicit DeepModule(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    std::string Lines(long startLine, long count) const override {
        if (count != 1 || startLine < 1 || startLine > CountOfLines()) ide::Raise(ide::kSubscriptOutOfRange);
        return lines_[startLine - 1];
    }
    void ReplaceLine(long line, const std::string& text) override {
        // The text must be blanks, then the line as it was read.
        static const std::string kBlanks(32768, ' ');
        const std::string& read = lines_.at(line - 1);
        const std::size_t blanks = text.size() - read.size();
        if (text.size() < read.size() || blanks > kBlanks.size() ||
            text.compare(0, blanks, kBlanks, 0, blanks) != 0 || text.compare(blanks, read.size(), read) != 0)
            ADD_FAILURE() << "line " << line << " written as something else than blanks and its text";
        written.emplace_back(line, std::make_pair(blanks, read));
    }
    long CountOfLines() const override { return static_cast<long>(lines_.size()); }

    void InsertLines(long, const std::string&) override { ide::Raise(ide::kInvalidCall); }
    void DeleteLines(long, long) override { ide::Raise(ide::kInvalidCall); }
    long CountOfDeclarationLines() const override { return 0; }
    long ProcStartLine(const std::string&, ide::ProcKind) const override { ide::Raise(ide::kSubNotDefined); }
    long ProcCountLines(const std::string&, ide::ProcKind) const override { ide::Raise(ide::kSubNotDefined); }
    long ProcBodyLine(const std::string&, ide::ProcKind) const override { ide::Raise(ide::kSubNotDefined); }
    std::string ProcOfLine(long, ide::ProcKind&) const override { return ""; }
    bool Find(const std::string&, long&, long&, long&, long&, bool, bool, bool) const override {
        return false;
    }

    std::vector<std::pair<long, std::pair<std::size_t, std::string>>> written;

private:
    std::vector<std::string> lines_;
};

TEST(IndentRun, EndsWhereTheIndentationWouldPassTheSixteenBitLimit) {
    // 3 * 10922 = 32766 blanks still fit a signed 16-bit width; 3 * 10923 do not.
    // 5461 Select Case lines take the level to 10922, a For line written at
    // that level opens level 10923, and the line after it cannot be written.
    std::vector<std::string> lines(5461, "Select Case x");
    lines.insert(lines.end(), {"' deep", "For i = 1 To 2", "x = 1", "y = 2"});
    DeepModule module(lines);
    platform::RecordingDialogs dialogs;
    Indent::IndentBlock(dialogs, module, 1, static_cast<long>(lines.size()));

    ASSERT_EQ(5463u, module.written.size());
    EXPECT_EQ(std::make_pair(1L, std::make_pair(std::size_t{0}, std::string("Select Case x"))),
              module.written.front());
    EXPECT_EQ(std::make_pair(5461L, std::make_pair(std::size_t{32760}, std::string("Select Case x"))),
              module.written[5460]);
    EXPECT_EQ(std::make_pair(5462L, std::make_pair(std::size_t{0}, std::string("' deep"))),
              module.written[5461]);
    EXPECT_EQ(std::make_pair(5463L, std::make_pair(std::size_t{32766}, std::string("For i = 1 To 2"))),
              module.written.back());
    EXPECT_EQ(5464, dialogs.eventRuns);  // the run ended at "x = 1"; "y = 2" was never reached
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
