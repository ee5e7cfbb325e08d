// The exact text of the note line, the revision lines and the blocks and the
// entry built from them.
#include "revision_bench.h"

namespace revisiontest {
namespace {

constexpr char kGo[] = "Option Explicit\n\nSub Go()\nEnd Sub\n";

TEST(RevisionTexts, ProcedureModuleAndCodeBlocks) {
    RevisionBench bench;
    bench.targets = {true, true, false, true};
    bench.Expect(kGo, 4,
                 "' BUG: 00012, 2.1.0017, ABC, 2026-07-04, Stock, Go\n"
                 "' Re-order level raised.\n"
                 "'\n"
                 "Option Explicit\n"
                 "\n"
                 "' BUG: 00012  Vers: 2.1.0017 By: ABC @ 2026-07-04 13:05:09\n"
                 "' Re-order level raised.\n"
                 "'----------------------------------------------------------------------\n"
                 "Sub Go()\n"
                 "' BUG: 00012  Vers: 2.1.0017 By: ABC @ 2026-07-04 13:05:09\n"
                 "' Re-order level raised.\n"
                 "End Sub\n");
}

// Number, initials and revision text as typed, against the number shown, the
// initials of the entry and the revision lines.
struct TextCase {
    std::string number, initials, text, shownNumber, entryInitials, lines;
};

TEST(RevisionTexts, NumberInitialsAndRevisionLines) {
    const std::string wide(79, 'x');  // the box is 79 characters wide
    const TextCase cases[] = {
        {"12abc", "ABC", "", "00012", "ABC", ""},  // an empty box: no revision lines
        {"", "ABC", "", "00000", "ABC", ""},
        {"1234567", "ABC", "", "1234567", "ABC", ""},
        {"12", "AB", "", "00012", "AB ", ""},  // padded to three in the entry only
        // Later blank lines are left out; a blank first line is kept.
        {"12", "ABC", "Counts were wrong.\n   \n\nNow they add up.", "00012", "ABC",
         "' Counts were wrong.\n' Now they add up.\n"},
        {"12", "ABC", "\nSee the log.", "00012", "ABC", "' \n' See the log.\n"},
        {"12", "ABC", wide + " and more", "00012", "ABC", "' " + wide + "\n' and more\n"},
    };
    for (const TextCase& c : cases) {
        RevisionBench bench;
        bench.targets = {true, true, false, true};
        bench.number = c.number;
        bench.initials = c.initials;
        bench.text = c.text;
        const std::string note = "' BUG: " + c.shownNumber + "  Vers: 2.1.0017 By: " +
                                 c.initials + " @ 2026-07-04 13:05:09\n" + c.lines;
        bench.Expect(kGo, 4,
                     "' BUG: " + c.shownNumber + ", 2.1.0017, " + c.entryInitials +
                         ", 2026-07-04, Stock, Go\n" + c.lines + "'\nOption Explicit\n\n" + note +
                         "'" + std::string(70, '-') + "\nSub Go()\n" + note + "End Sub\n");
    }
}

}  // namespace
}  // namespace revisiontest
