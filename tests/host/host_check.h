// Checks shared by the host's tests: a module's outline as text, and an edited
// module compared with a fresh reading of its text.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "host/source_module.h"
#include "support/support.h"

namespace hosttest {

/// "decl N" and one line per procedure part, "<keyword> <name> <first>-<last> body <line>";
/// the Proc* look-ups must agree with each part (a name defined twice is its first part).
inline std::string Outline(const host::SourceModule& module) {
    std::string out = "decl " + std::to_string(module.CountOfDeclarationLines()) + "\n";
    std::set<std::string> seen;
    for (const host::ProcInfo& p : module.Procedures()) {
        out += p.keyword + " " + p.name + " " + std::to_string(p.startLine) + "-" +
               std::to_string(p.startLine + p.countLines - 1) + " body " + std::to_string(p.bodyLine) + "\n";
        if (!seen.insert(p.name + std::to_string(p.kind)).second) continue;
        EXPECT_EQ(module.ProcStartLine(p.name, p.kind), p.startLine) << p.name;
        EXPECT_EQ(module.ProcCountLines(p.name, p.kind), p.countLines) << p.name;
        EXPECT_EQ(module.ProcBodyLine(p.name, p.kind), p.bodyLine) << p.name;
    }
    return out;
}

/// Every code line's ProcOfLine ("name/kind", or "-" in the declarations) with the range
/// that ProcLinesAt answers for the line ("[start+count@body]": a procedure defined twice
/// answers for the copy holding the line), and its file line.
inline std::string Owners(const host::SourceModule& module) {
    std::string out = std::to_string(module.CountOfFileLines()) + " file lines:";
    for (long line = 1; line <= module.CountOfLines(); ++line) {
        ide::ProcKind kind = ide::vbext_pk_Proc;
        const std::string name = module.ProcOfLine(line, kind);
        out += " " + (name.empty() ? "-" : name + "/" + std::to_string(kind));
        if (!name.empty()) {
            const ide::ProcLines lines = module.ProcLinesAt(name, kind, line);
            EXPECT_TRUE(lines.start <= line && line < lines.start + lines.count) << name << " at " << line;
            out += "[" + std::to_string(lines.start) + "+" + std::to_string(lines.count) + "@" +
                   std::to_string(lines.body) + "]";
        }
        out += "@" + std::to_string(module.FileLineOfCodeLine(line));
    }
    return out;
}

/// The number of the HostError the action throws, or 0.
inline int ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ide::HostError& e) {
        return e.Number();
    }
    return 0;
}

/// The edited module answers as a module freshly read from its text does.
inline void ExpectSameAsFresh(const host::SourceModule& edited) {
    host::SourceModule fresh(edited.Text());
    EXPECT_EQ(Outline(edited), Outline(fresh)) << edited.Text();
    EXPECT_EQ(Owners(edited), Owners(fresh)) << edited.Text();
}

}  // namespace hosttest
