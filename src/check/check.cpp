#include "check/check.h"

#include <algorithm>
#include <map>

#include "errorhandlers/source_search.h"
#include "headers/comment_block.h"
#include "headers/header_text.h"
#include "headers/proc_header.h"
#include "ide/attempt.h"
#include "ide/statements.h"
#include "ide/vb_syntax.h"
#include "ide/vb_text.h"
#include "indent/indent.h"
#include "platform/ascii.h"

namespace check {

namespace {

struct RuleInfo {
    Rule rule;
    const char* name;
    bool fixable;
    const char* description;
};

constexpr RuleInfo kRules[] = {
    {Rule::ProcedureHeader, "procedure-header", true,
     "Every procedure part has a procedure header directly above or below its declaration."},
    {Rule::StaleHeader, "stale-header", false,
     "A procedure header names the procedure part it stands at (not one renamed or copied)."},
    {Rule::ModuleHeader, "module-header", true, "Every module has a module header."},
    {Rule::Notice, "notice", true, "Every module has the rights notice."},
    {Rule::ErrorHandler, "error-handler", true, "Every procedure part has an On Error statement."},
    {Rule::HandlerFallthrough, "handler-fallthrough", false,
     "An error handler's label is reached only by an error: an Exit, GoTo, Resume or End stands "
     "on the last code line before it."},
    {Rule::Indent, "indent", true, "Every procedure part is indented as the indenter writes it."},
};

const RuleInfo& InfoOf(Rule rule) { return kRules[static_cast<int>(rule)]; }

// Nothing to show: checking and fixing talk to nobody.
struct Silent : platform::DialogPort {
    int MsgBox(const std::string&, int, const std::string&) override { return platform::vbOK; }
    void OnTop(bool) override {}
    void SetBusy(bool) override {}
    void DoEvents() override {}
};

// The words of a line's code: strings and comments left out, so that only
// what the compiler reads counts. A ":" between statements is a word of its own.
std::vector<std::string> CodeWords(std::string_view line, ide::SyntaxState& state) {
    std::string code(line);
    for (const ide::SyntaxSpan& span : ide::ScanSyntax(line, state))
        if (span.kind == ide::SyntaxKind::String || span.kind == ide::SyntaxKind::Comment)
            std::fill(code.begin() + static_cast<long>(span.begin), code.begin() + static_cast<long>(span.end), ' ');
    std::vector<std::string> words;
    for (std::size_t i = 0; i < code.size();) {
        if (ide::IsNameChar(code[i])) {
            std::size_t j = i;
            while (j < code.size() && (ide::IsNameChar(code[j]) || code[j] == '.')) ++j;
            words.push_back(code.substr(i, j - i));
            i = j;
        } else {
            if (code[i] == ':') words.emplace_back(":");
            ++i;
        }
    }
    return words;
}

bool Is(const std::string& word, std::string_view keyword) { return platform::EqualsNoCase(word, keyword); }

// Whether the text holds `word` in any letter case (a quick look before the
// line is read as code).
bool MayHold(std::string_view text, std::string_view word) {
    // `word` is letters in lower case, which compare by their lower-case bit.
    if (text.size() < word.size()) return false;
    const char first = word[0];
    for (std::size_t i = 0, stop = text.size() - word.size(); i <= stop; ++i) {
        if ((text[i] | 0x20) != first) continue;
        std::size_t k = 1;
        while (k < word.size() && (text[i + k] | 0x20) == word[k]) ++k;
        if (k == word.size()) return true;
    }
    return false;
}

// One procedure part as the rules read it.
struct Part {
    const host::SourceModule& m;
    const host::ProcInfo& info;  // held by the caller while the part is read
    std::string display;
    long lastDeclLine = 0;
    long last = 0;

    Part(const host::SourceModule& module, const host::ProcInfo& i)
        : m(module), info(i), display(headers::PartDisplayName(i.name, i.kind)), last(i.startLine + i.countLines - 1) {
        lastDeclLine = ide::LastLineOfStatement(m, info.bodyLine, last);
    }

    // The words of a line's code, read from the first line of its statement
    // (a comment goes on over continued lines).
    std::vector<std::string> WordsAt(long line) const {
        const auto text = [this](long n) { return m.LineText(n); };
        ide::SyntaxState state;
        std::vector<std::string> words;
        for (long n = ide::StatementStart(text, line, info.startLine); n <= line; ++n) words = CodeWords(text(n), state);
        return words;
    }
};

// The On Error statements of a part: whether it has one, and the labels its
// On Error GoTo statements name.
struct ErrorHandling {
    bool onError = false;
    std::vector<std::string> labels;
};

// Whether a line's code opens with an On Error statement.
bool StartsOnError(const std::vector<std::string>& words) {
    return words.size() > 1 && Is(words[0], "On") && (Is(words[1], "Error") || Is(words[1], "Local"));
}

ErrorHandling ErrorHandlingOf(const Part& part) {
    ErrorHandling found;
    for (long line = part.info.bodyLine; line <= part.last; ++line) {
        if (!MayHold(part.m.LineText(line), "error")) continue;
        const std::vector<std::string> words = part.WordsAt(line);
        for (std::size_t i = 0; i + 1 < words.size(); ++i) {
            if (!Is(words[i], "On")) continue;
            std::size_t k = i + 1;
            if (Is(words[k], "Local") && k + 1 < words.size()) ++k;
            if (!Is(words[k], "Error")) continue;
            found.onError = true;
            if (k + 2 < words.size() && Is(words[k + 1], "GoTo") && ide::IsNameStart(words[k + 2][0]))
                found.labels.push_back(words[k + 2]);
        }
    }
    return found;
}

// Whether the statement leaves the flow: Exit Sub, Function or Property, GoTo,
// Resume, or End alone.
bool LeavesFlow(const std::vector<std::string>& words) {
    auto last = std::find(words.rbegin(), words.rend(), ":");
    std::vector<std::string> statement(last.base(), words.end());
    if (!statement.empty() && platform::IsDigit(statement.front()[0])) statement.erase(statement.begin());
    if (statement.empty()) return false;
    const std::string& first = statement.front();
    if (Is(first, "Exit"))
        return statement.size() > 1 && (Is(statement[1], "Sub") || Is(statement[1], "Function") || Is(statement[1], "Property"));
    return Is(first, "GoTo") || Is(first, "Resume") || (Is(first, "End") && statement.size() == 1);
}

long FirstColumn(const host::SourceModule& m, long line) {
    const std::string_view text = m.LineText(line);
    const std::size_t code = text.find_first_not_of(" \t");
    return code == std::string_view::npos ? 1 : static_cast<long>(code) + 1;
}

// The lines of the rights notice, as the notice command writes them.
const std::vector<std::string>& NoticeLines() {
    static const std::vector<std::string> lines = [] {
        const std::string text = headers::RightsNoticeText();
        std::vector<std::string> out;
        for (std::string_view line : ide::SplitLines(text)) out.emplace_back(line);
        return out;
    }();
    return lines;
}

class Checker {
public:
    Checker(const host::SourceModule& m, const Config& config) : m_(m), config_(config) {}

    std::vector<Finding> Run() {
        const std::vector<host::ProcInfo> procs = m_.Procedures();
        const long top = procs.empty() ? m_.CountOfLines() : procs.front().bodyLine - 1;
        const std::string name = m_.Name().empty() ? std::string("the module") : m_.Name();
        if (On(Rule::ModuleHeader) && !HasModuleHeader(top)) AddModule(Rule::ModuleHeader, name + " has no module header");
        if (On(Rule::Notice) && !HasNotice(top)) AddModule(Rule::Notice, name + " has no rights notice");
        // The parts the indenter would change, in the order they stand, as the procedures are.
        const std::vector<Indent::PreviewedBlock> previewed = On(Rule::Indent) ? IndentPreview() : std::vector<Indent::PreviewedBlock>{};
        auto moves = previewed.begin();
        findings_.reserve(procs.size());
        for (const host::ProcInfo& info : procs) {
            if (config_.Skips(info.name)) continue;
            const Part part(m_, info);
            CheckHeader(part);
            CheckHandler(part);
            while (moves != previewed.end() && moves->block.startLine < info.startLine) ++moves;
            if (moves != previewed.end() && moves->block.startLine == info.startLine && moves->firstMoved > 0)
                Add(Rule::Indent, moves->firstMoved, part, part.display + " is not indented as the indenter writes it");
        }
        const auto byLine = [](const Finding& a, const Finding& b) { return a.line < b.line; };
        if (!std::is_sorted(findings_.begin(), findings_.end(), byLine))
            std::stable_sort(findings_.begin(), findings_.end(), byLine);
        return std::move(findings_);
    }

private:
    bool On(Rule rule) const { return config_.rules.count(rule) > 0; }

    void Add(Rule rule, long codeLine, const Part& part, std::string message) {
        findings_.push_back(Finding{rule, m_.FileLineOfCodeLine(codeLine), FirstColumn(m_, codeLine), part.display,
                                    std::move(message), Fixable(rule)});
    }

    void AddModule(Rule rule, const std::string& message) {
        const long line = m_.CountOfLines() > 0 ? m_.FileLineOfCodeLine(1) : 1;
        findings_.push_back(Finding{rule, line, 1, "", message, Fixable(rule)});
    }

    bool HasModuleHeader(long top) const {
        for (long line = 1; line < top; ++line)
            if (headers::IsHeaderRule(m_.LineText(line)) && headers::IsModuleHeaderNameLine(m_.LineText(line + 1)))
                return true;
        return false;
    }

    bool HasNotice(long top) const {
        const std::vector<std::string>& notice = NoticeLines();
        for (long line = 1; line < top; ++line)
            if (headers::IsHeaderRule(m_.LineText(line)) && m_.LineText(line + 1) == notice[1]) return true;
        return false;
    }

    // A header stands in the part's range above its declaration, or right below it.
    void CheckHeader(const Part& part) {
        if (!On(Rule::ProcedureHeader) && !On(Rule::StaleHeader)) return;
        // Below the declaration: past the On Error line that the handler puts
        // there too, and the blank line after it.
        long below = part.lastDeclLine + 1;
        for (; below < part.last; ++below) {
            const std::string_view text = m_.LineText(below);
            // Words are read only from a line that may hold an On Error statement.
            if (!ide::TrimBlanks(text).empty() &&
                !((MayHold(text, "error") || MayHold(text, "local")) && StartsOnError(part.WordsAt(below))))
                break;
        }
        auto headerAt = [&](long line) {
            if (line + 1 > part.last || !headers::IsHeaderRule(m_.LineText(line))) return false;
            const std::optional<std::string> name = headers::ProcHeaderNameOf(m_.LineText(line + 1));
            if (!name) return false;
            if (On(Rule::StaleHeader) && !platform::EqualsNoCase(*name, part.display))
                Add(Rule::StaleHeader, line + 1, part,
                    "the header of " + part.display + " names " + (name->empty() ? "no procedure" : *name));
            return true;
        };
        for (long line = part.info.startLine; line < part.info.bodyLine; ++line)
            if (headerAt(line)) return;
        if (headerAt(below)) return;
        if (On(Rule::ProcedureHeader))
            Add(Rule::ProcedureHeader, part.info.bodyLine, part, part.display + " has no procedure header");
    }

    void CheckHandler(const Part& part) {
        if (!On(Rule::ErrorHandler) && !On(Rule::HandlerFallthrough)) return;
        const ErrorHandling handling = ErrorHandlingOf(part);
        if (!handling.onError && On(Rule::ErrorHandler))
            Add(Rule::ErrorHandler, part.info.bodyLine, part, part.display + " has no On Error statement");
        if (!On(Rule::HandlerFallthrough)) return;
        for (const std::string& label : handling.labels) {
            const long at = errorhandlers::FindLabelLine(m_, label, part.lastDeclLine + 1, part.last);
            if (at == 0) continue;
            long line = at - 1;
            while (line > part.lastDeclLine &&
                   (part.WordsAt(line).empty() || ide::DirectiveOf(m_.LineText(line)) != ide::Directive::None))
                --line;
            if (line > part.lastDeclLine && LeavesFlow(part.WordsAt(line))) continue;
            Add(Rule::HandlerFallthrough, at, part,
                part.display + " runs into its handler " + label +
                    " without an error: no Exit, GoTo, Resume or End before the label");
        }
    }

    // Each part the indenter would run over, with the first line it would move.
    std::vector<Indent::PreviewedBlock> IndentPreview() const {
        Silent silent;
        return Indent::PreviewModule(silent, m_, [this](long line) { return m_.LineText(line); });
    }

    const host::SourceModule& m_;
    const Config& config_;
    std::vector<Finding> findings_;
};

}  // namespace

const std::vector<Rule>& AllRules() {
    static const std::vector<Rule> rules = [] {
        std::vector<Rule> all;
        for (const RuleInfo& info : kRules) all.push_back(info.rule);
        return all;
    }();
    return rules;
}

std::string RuleName(Rule rule) { return InfoOf(rule).name; }

std::optional<Rule> ParseRule(std::string_view name) {
    for (const RuleInfo& info : kRules)
        if (platform::EqualsNoCase(name, info.name)) return info.rule;
    return std::nullopt;
}

std::string RuleDescription(Rule rule) { return InfoOf(rule).description; }

bool Fixable(Rule rule) { return InfoOf(rule).fixable; }

std::vector<Finding> CheckModule(const host::SourceModule& module, const Config& config) {
    return Checker(module, config).Run();
}

namespace {

// The procedure part a finding belongs to, by its first line; 0 for the module's own rules.
long PartOf(const host::SourceModule& module, const Finding& f) {
    if (f.procedure.empty()) return 0;
    const long codeLine = module.CodeLineOfFileLine(f.line);
    ide::ProcKind kind = ide::vbext_pk_Proc;
    const std::string name = module.ProcOfLine(codeLine, kind);
    return module.ProcLinesAt(name, kind, codeLine).start;
}

// Writes what `rules` ask for in the part that starts at `start` (the module's
// own rules under 0), through `window` on `pane`.
void FixPart(host::SourceModule& module, const Config& config, host::Workspace& workspace, ide::CodePane& pane,
             core::PenworkCore& window, long start, const std::set<Rule>& rules) {
    const auto at = [&](long line) { workspace.SetSelection(pane, host::Selection{line, 1, line, 1}); };
    if (start == 0) {
        // The notice goes in last, so that it stands above everything else.
        if (rules.count(Rule::ModuleHeader)) {
            at(1);
            window.SelectHeaderType(toolwindow::Module);
            window.Insert();
        }
        if (rules.count(Rule::Notice)) window.InsertRightsNotice();
        return;
    }
    // The part is found again by its first line before each step: the
    // steps write inside it, below that line.
    ide::ProcKind kind = ide::vbext_pk_Proc;
    const std::string name = module.ProcOfLine(start, kind);
    const auto declaration = [&] { return module.ProcLinesAt(name, kind, start).body; };
    const bool handler = rules.count(Rule::ErrorHandler) > 0;
    if (handler) {
        at(declaration());
        window.SelectHeaderType(toolwindow::Error);
        window.SelectHandler(config.handler);
        if (config.templateText && window.AcceptsKey(toolwindow::kHandlerTemplateBox))
            window.Box(toolwindow::kHandlerTemplateBox).SetText(*config.templateText);
        window.Insert();
    }
    if (rules.count(Rule::ProcedureHeader)) {
        at(declaration());
        window.SelectHeaderType(toolwindow::Procedure);
        window.SetHeaderBefore(config.headerBefore);
        window.Insert();
    }
    // What was written is indented too, as the indenter would leave it.
    if (rules.count(Rule::Indent) || (handler && config.rules.count(Rule::Indent))) {
        at(declaration());
        window.IndentProcedure();
    }
}

}  // namespace

std::size_t FixModule(host::SourceModule& module, const Config& config, host::Workspace& workspace,
                      core::PenworkCore& window) {
    ide::CodePane* pane = workspace.ActiveCodePane();
    if (pane == nullptr) return 0;
    // What each part needs, by its first line, from the bottom up; the module's own rules last.
    std::map<long, std::set<Rule>, std::greater<>> needs;
    for (const Finding& f : CheckModule(module, config))
        if (f.fixable) needs[PartOf(module, f)].insert(f.rule);
    std::size_t fixed = 0;
    for (const auto& [start, rules] : needs) {
        fixed += rules.size();
        FixPart(module, config, workspace, *pane, window, start, rules);
    }
    return fixed;
}

bool FixFinding(host::SourceModule& module, const Config& config, host::Workspace& workspace,
                core::PenworkCore& window, const Finding& finding) {
    ide::CodePane* pane = workspace.ActiveCodePane();
    if (pane == nullptr || !finding.fixable) return false;
    FixPart(module, config, workspace, *pane, window, PartOf(module, finding), {finding.rule});
    return true;
}

}  // namespace check
