#include "host_check.h"

#include <set>

namespace hosttest {

std::string Outline(const host::SourceModule& module) {
    std::string out = "decl " + std::to_string(module.CountOfDeclarationLines()) + "\n";
    std::set<std::string> seen;
    for (const host::ProcInfo& p : module.Procedures()) {
        out += p.keyword + " " + p.name + " " + std::to_string(p.startLine) + "-" +
               std::to_string(p.startLine + p.countLines - 1) + " body " + std::to_string(p.bodyLine) +
               "\n";
        // A name defined twice (a compile error in VB) is looked up as its first definition.
        if (!seen.insert(p.name + std::to_string(p.kind)).second) continue;
        EXPECT_EQ(module.ProcStartLine(p.name, p.kind), p.startLine) << p.name;
        EXPECT_EQ(module.ProcCountLines(p.name, p.kind), p.countLines) << p.name;
        EXPECT_EQ(module.ProcBodyLine(p.name, p.kind), p.bodyLine) << p.name;
    }
    return out;
}

std::string Owners(const host::SourceModule& module) {
    std::string out;
    for (long line = 1; line <= module.CountOfLines(); ++line) {
        ide::ProcKind kind = ide::vbext_pk_Proc;
        std::string name = module.ProcOfLine(line, kind);
        if (!out.empty()) out += ' ';
        out += name.empty() ? "-" : name + "/" + std::to_string(kind);
    }
    return out;
}

void ExpectSameAsFresh(const host::SourceModule& edited) {
    host::SourceModule fresh(edited.Text());
    EXPECT_EQ(Outline(edited), Outline(fresh)) << edited.Text();
    EXPECT_EQ(Owners(edited), Owners(fresh));
    EXPECT_EQ(edited.CountOfLines(), fresh.CountOfLines());
    EXPECT_EQ(edited.CountOfFileLines(), fresh.CountOfFileLines());
    for (long line = 1; line <= fresh.CountOfLines(); ++line)
        EXPECT_EQ(edited.FileLineOfCodeLine(line), fresh.FileLineOfCodeLine(line)) << line;
}

}  // namespace hosttest
