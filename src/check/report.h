// The findings of a run in the forms the tools around the code read: lines as
// compilers print them, JSON, and SARIF 2.1.0 for code-scanning and review tools.
#pragma once

#include <string>
#include <vector>

#include "check/check.h"

namespace check {

/// A finding with its file, as the run shows it: relative to the folder the run
/// started in when the file lies below it, with "/" between folders.
struct FileFinding {
    std::string file;
    Finding finding;
};

/// FILE:LINE:COL: RULE: message, one line each.
std::string TextReport(const std::vector<FileFinding>& findings);
/// The same for the findings of one file.
std::string TextReport(const std::string& file, const std::vector<Finding>& findings);
/// An array of {file, line, column, rule, procedure, message, fixable}.
std::string JsonReport(const std::vector<FileFinding>& findings);
/// One SARIF 2.1.0 run: every rule described once, each result located in its
/// file relative to `runFolder` (the base "%SRCROOT%").
std::string SarifReport(const std::vector<FileFinding>& findings, const std::string& runFolder,
                        const std::string& toolVersion);

}  // namespace check
