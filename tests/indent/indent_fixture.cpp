#include "indent_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "indent/indent.h"
#include "platform/dialogs.h"
#include "support/support.h"

namespace indenttest {

std::string LoggingModule::Lines(long startLine, long count) const {
    if (count == 1) ++reads[startLine];
    return inner_.Lines(startLine, count);
}
void LoggingModule::InsertLines(long line, const std::string& text) { inner_.InsertLines(line, text); }
void LoggingModule::ReplaceLine(long line, const std::string& text) {
    if (line == refuseReplaceAt) throw ide::HostError(ide::kInvalidCall, "refused");
    ++replaced[line];
    inner_.ReplaceLine(line, text);
}
void LoggingModule::DeleteLines(long startLine, long count) { inner_.DeleteLines(startLine, count); }
long LoggingModule::CountOfLines() const { return inner_.CountOfLines(); }
long LoggingModule::CountOfDeclarationLines() const { return inner_.CountOfDeclarationLines(); }
long LoggingModule::ProcStartLine(const std::string& procName, ide::ProcKind kind) const {
    return inner_.ProcStartLine(procName, kind);
}
long LoggingModule::ProcCountLines(const std::string& procName, ide::ProcKind kind) const {
    return inner_.ProcCountLines(procName, kind);
}
long LoggingModule::ProcBodyLine(const std::string& procName, ide::ProcKind kind) const {
    return inner_.ProcBodyLine(procName, kind);
}
std::string LoggingModule::ProcOfLine(long line, ide::ProcKind& kind) const {
    return inner_.ProcOfLine(line, kind);
}
bool LoggingModule::Find(const std::string& target, long& startLine, long& startColumn,
                         long& endLine, long& endColumn, bool wholeWord, bool matchCase,
                         bool patternSearch) const {
    return inner_.Find(target, startLine, startColumn, endLine, endColumn, wholeWord, matchCase,
                       patternSearch);
}

host::SourceModule ModuleOf(std::string_view code) {
    return host::SourceModule(testsupport::Crlf(code));
}

std::string CodeOf(const host::SourceModule& module) {
    std::string text = module.Text();
    std::string readable;
    readable.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) readable += text[i];
    return readable;
}

std::string IndentAllLines(std::string_view code) {
    host::SourceModule module = ModuleOf(code);
    LoggingModule logged(module);
    platform::RecordingDialogs dialogs;
    const long count = module.CountOfLines();
    Indent::IndentBlock(dialogs, logged, 1, count);
    for (long line = 1; line <= count; ++line) {
        EXPECT_LE(logged.reads[line], 1) << "line " << line << " read more than once";
        EXPECT_LE(logged.replaced[line], 1) << "line " << line << " replaced more than once";
    }
    return CodeOf(module);
}

void VerifyIndent(std::string_view expected, std::string_view input) {
    EXPECT_EQ(std::string(expected), IndentAllLines(input)) << "from input:\n" << input;
    EXPECT_EQ(std::string(expected), IndentAllLines(expected)) << "indenting again changed it";
}

void VerifyIndent(std::string_view expected) {
    std::string flush;
    for (std::size_t at = 0; at < expected.size();) {
        at = expected.find_first_not_of(' ', at);
        if (at == std::string_view::npos) break;
        const std::size_t end = std::min(expected.find('\n', at), expected.size() - 1) + 1;
        flush.append(expected.substr(at, end - at));
        at = end;
    }
    VerifyIndent(expected, flush);
}

}  // namespace indenttest
