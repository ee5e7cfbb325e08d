// The procedure index of a module: every procedure part with its line range,
// built from the line roles of the scanner.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ide/ide.h"
#include "host/line_scanner.h"

namespace host {

struct ProcEntry {
    std::string name;
    ide::ProcKind kind = ide::vbext_pk_Proc;
    const char* keyword = "";
    long head = 0;   // first line of the declaration, or of the #If before alternative declarations
    long body = 0;   // first line of the (first) declaration
    long end = 0;    // the End line; 0 when there is none
    long start = 0;  // first line of the range
    long count = 0;  // lines in the range
    bool alternatives = false;  // declared more than once under #If ... #Else
};

class ProcIndex {
public:
    /// Parses the declaration whose statement starts at a 0-based line.
    using DeclarationAt = std::function<bool(std::size_t, Declaration&)>;

    void Build(const std::vector<LineRole>& roles, const DeclarationAt& declarationAt);
    /// Follows lines inserted (`delta` > 0 lines before line `at`) or deleted
    /// (-`delta` lines from line `at`) when none of them was a declaration, an End
    /// line or a conditional-compilation line and no other role changed. False
    /// when the edit needs a new Build (it came between an #If and the declaration
    /// after it).
    bool Shift(long at, long delta, const std::vector<LineRole>& roles);

    long DeclarationLines() const { return declarationLines_; }
    /// The part of that name (any letter case) and kind, or nullptr.
    const ProcEntry* Find(std::string_view name, ide::ProcKind kind) const;
    /// The part whose range holds the line, or nullptr in the declarations section.
    const ProcEntry* At(long line) const;
    const std::vector<ProcEntry>& Entries() const { return entries_; }

private:
    /// Ranges and the declarations section from the entries' anchor lines.
    void SetRanges(const std::vector<LineRole>& roles);

    std::vector<ProcEntry> entries_;
    std::unordered_map<std::string, std::size_t> byName_;
    long declarationLines_ = 0;
};

}  // namespace host
