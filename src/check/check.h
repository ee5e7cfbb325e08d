// What a module lacks of the project's conventions: procedure and module
// headers, the rights notice, error handlers and indentation. Checking only
// reads the module, so an editor can check its in-memory module after every
// edit; fixing goes through the tool window's logic, so that every line it
// writes is the one the single-procedure command writes.
#pragma once

#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/penwork_core.h"
#include "host/source_module.h"
#include "host/workspace.h"

namespace check {

enum class Rule {
    ProcedureHeader,
    StaleHeader,
    ModuleHeader,
    Notice,
    ErrorHandler,
    HandlerFallthrough,
    Indent,
};

/// Every rule, in the order findings of one line are reported.
const std::vector<Rule>& AllRules();
/// "procedure-header", "stale-header", ...
std::string RuleName(Rule rule);
/// The rule of that name (letter case ignored), or nullopt.
std::optional<Rule> ParseRule(std::string_view name);
/// What the rule asks for, in one sentence.
std::string RuleDescription(Rule rule);
/// Whether --fix writes what the rule asks for.
bool Fixable(Rule rule);

struct Finding {
    Rule rule = Rule::ProcedureHeader;
    long line = 1;    // the file's line, from 1, as compilers print it
    long column = 1;  // from 1, in characters
    std::string procedure;  // "Get Total"; empty for the module's own rules
    std::string message;
    bool fixable = false;
};

/// A rules file that cannot be used: its path, the line (0 when none), and why.
class ConfigError : public std::runtime_error {
public:
    ConfigError(const std::string& path, long line, const std::string& why);
};

struct Config {
    std::set<Rule> rules{Rule::ProcedureHeader, Rule::ErrorHandler, Rule::Indent};
    std::vector<std::string> exclude;         // globs over paths relative to `folder`
    std::vector<std::string> skipProcedures;  // wildcard patterns over procedure names
    bool headerBefore = true;
    toolwindow::HandlerKind handler = toolwindow::Custom;
    std::optional<std::string> templateText;  // the custom handler's template, when given
    std::string baseline;                     // a baseline file, or empty
    std::string folder;                       // where the rules file stands; empty without one
    std::string file;                         // the rules file, or empty

    /// Whether a path (absolute, or relative to the current folder) is excluded.
    bool Excludes(const std::string& path) const;
    /// Whether a procedure part is left alone (by its bare name).
    bool Skips(const std::string& procName) const;
};

inline constexpr char kConfigFileName[] = ".quillmark.ini";

/// The nearest .quillmark.ini in `folder` or above it, or empty.
std::string FindConfigFile(const std::string& folder);
/// The rules of the nearest .quillmark.ini in `folder` or above it; the defaults
/// without one. Throws ConfigError.
Config LoadConfig(const std::string& folder);

/// The rules named in a list such as "procedure-header, indent". Throws
/// std::invalid_argument naming the first unknown one.
std::set<Rule> ParseRules(std::string_view list);

/// What the module lacks under `config`, in file order. Reads only.
std::vector<Finding> CheckModule(const host::SourceModule& module, const Config& config);

/// Writes what the fixable findings ask for through `window`, whose active code
/// pane in `workspace` shows `module` and is moved to each procedure part in
/// turn, from the bottom of the module up: the error handler, the header, then
/// the indenter over the part (also after a handler, when indent is a rule).
/// Returns how many findings it fixed.
std::size_t FixModule(host::SourceModule& module, const Config& config, host::Workspace& workspace,
                      core::PenworkCore& window);

/// Writes what one finding of CheckModule(module, config) asks for, as
/// FixModule writes it, and nothing else. False when it is not fixable.
bool FixFinding(host::SourceModule& module, const Config& config, host::Workspace& workspace,
                core::PenworkCore& window, const Finding& finding);

}  // namespace check
