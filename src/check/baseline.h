// A baseline: the findings a project had when it started to keep the rules, by
// file, procedure and rule (not by line, so that edits elsewhere leave it
// valid). A run with a baseline reports only findings beyond it.
#pragma once

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "check/report.h"

namespace check {

class Baseline {
public:
    /// Reads a baseline file. Throws platform::FileError, or std::runtime_error
    /// for a file that is no baseline.
    static Baseline Read(const std::string& path);
    /// The text of a baseline file at `path` holding `findings`.
    static std::string Text(const std::string& path, const std::vector<FileFinding>& findings);

    /// The findings it does not hold: of each file, procedure and rule, those
    /// beyond the number recorded.
    std::vector<FileFinding> NewFindings(const std::vector<FileFinding>& findings) const;

private:
    using Key = std::tuple<std::string, std::string, std::string>;  // file, procedure, rule
    /// The key of a finding; the file relative to the baseline's folder.
    static Key KeyOf(const std::string& folder, const FileFinding& f);

    std::string folder_;
    std::map<Key, long> counts_;
};

}  // namespace check
