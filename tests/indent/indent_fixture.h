// Helpers for the indenter's tests: VB text in, VB text out, through the host's
// code module, with a log of every read and replacement the indenter makes.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "addin/ide.h"
#include "host/source_module.h"

namespace indenttest {

/// A code module that passes every call on to a host module and logs the
/// indenter's reads and replacements. It can refuse to replace one line, as a
/// host that fails mid-run would.
class LoggingModule : public ide::CodeModule {
public:
    explicit LoggingModule(host::SourceModule& inner) : inner_(inner) {}

    std::string Lines(long startLine, long count) const override;
    void InsertLines(long line, const std::string& text) override;
    void ReplaceLine(long line, const std::string& text) override;
    void DeleteLines(long startLine, long count) override;
    long CountOfLines() const override;
    long CountOfDeclarationLines() const override;
    long ProcStartLine(const std::string& procName, ide::ProcKind kind) const override;
    long ProcCountLines(const std::string& procName, ide::ProcKind kind) const override;
    long ProcBodyLine(const std::string& procName, ide::ProcKind kind) const override;
    std::string ProcOfLine(long line, ide::ProcKind& kind) const override;
    bool Find(const std::string& target, long& startLine, long& startColumn, long& endLine,
              long& endColumn, bool wholeWord, bool matchCase, bool patternSearch) const override;

    mutable std::map<long, int> reads;  // line -> Lines(line, 1) calls
    std::map<long, int> replaced;       // line -> ReplaceLine calls
    long refuseReplaceAt = 0;           // ReplaceLine of this line fails

private:
    host::SourceModule& inner_;
};

/// A module's code from readable text: every "\n" becomes CR LF.
host::SourceModule ModuleOf(std::string_view code);
/// The module's code as readable text: every CR LF becomes "\n".
std::string CodeOf(const host::SourceModule& module);

/// The code after one run over all of its lines. Checks that each line was read
/// once and replaced at most once.
std::string IndentAllLines(std::string_view code);

/// Indents `input` and compares the result with `expected` as whole text, then
/// indents `expected` and checks that nothing changes.
void VerifyIndent(std::string_view expected, std::string_view input);
/// VerifyIndent with every line of `expected` moved flush left as the input.
void VerifyIndent(std::string_view expected);

}  // namespace indenttest
