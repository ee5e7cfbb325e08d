// The exact text of the note line, the revision lines and the entries built
// from them.
#include <gtest/gtest.h>

#include "revision_bench.h"

namespace revisiontest {
namespace {

constexpr char kGo[] =
    "Option Explicit\n"
    "\n"
    "Sub Go()\n"
    "End Sub\n";

// The procedure, module and code targets at once on kGo, the cursor on End Sub.
void ExpectTexts(RevisionBench& bench, Fields fields, std::string_view after) {
    fields.targets = {true, true, false, true};
    bench.fields = fields;
    ExpectRevised(bench, kGo, 4, after);
}

Fields WithText(std::string text) {
    Fields fields;
    fields.text = std::move(text);
    return fields;
}

// The number as the module and code targets show it, with an empty revision box.
void ExpectNumber(RevisionBench& bench, const std::string& typed, const std::string& shown) {
    bench.fields = Targets(false, true, false, true);
    bench.fields.number = typed;
    bench.fields.text.clear();
    ExpectRevised(bench, "Sub Go()\nEnd Sub\n", 2,
                  "' BUG: " + shown + ", 2.1.0017, ABC, 2026-07-04, Stock, Go\n" +
                      "'\n"
                      "Sub Go()\n"
                      "' BUG: " + shown + "  Vers: 2.1.0017 By: ABC @ 2026-07-04 13:05:09\n" +
                      "End Sub\n");
}

TEST(RevisionTexts, NumberIsTheLeadingNumberInAtLeastFiveDigits) {
    RevisionBench bench;
    ExpectNumber(bench, "12abc", "00012");
    ExpectNumber(bench, "", "00000");
    ExpectNumber(bench, "1234567", "1234567");
}

// An empty box: the procedure block is the note line and the closing rule,
// the code block the note line alone, the entry its first line and "'".
TEST(RevisionTexts, AnEmptyBoxGivesNoRevisionLines) {
    RevisionBench bench;
    ExpectTexts(bench, WithText(""),
                "' BUG: 00012, 2.1.0017, ABC, 2026-07-04, Stock, Go\n"
                "'\n"
                "Option Explicit\n"
                "\n"
                "' BUG: 00012  Vers: 2.1.0017 By: ABC @ 2026-07-04 13:05:09\n"
                "'----------------------------------------------------------------------\n"
                "Sub Go()\n"
                "' BUG: 00012  Vers: 2.1.0017 By: ABC @ 2026-07-04 13:05:09\n"
                "End Sub\n");
}

TEST(RevisionTexts, InitialsArePaddedToThreeInTheEntryOnly) {
    RevisionBench bench;
    Fields fields;
    fields.type = "ALT";
    fields.initials = "AB";
    ExpectTexts(bench, fields,
                "' ALT: 00012, 2.1.0017, AB , 2026-07-04, Stock, Go\n"
                "' Re-order level raised.\n"
                "'\n"
                "Option Explicit\n"
                "\n"
                "' ALT: 00012  Vers: 2.1.0017 By: AB @ 2026-07-04 13:05:09\n"
                "' Re-order level raised.\n"
                "'----------------------------------------------------------------------\n"
                "Sub Go()\n"
                "' ALT: 00012  Vers: 2.1.0017 By: AB @ 2026-07-04 13:05:09\n"
                "' Re-order level raised.\n"
                "End Sub\n");
}

TEST(RevisionTexts, RevisionLinesAreTheBoxDisplayLinesLessLaterBlankOnes) {
    RevisionBench bench;
    // Later blank lines are left out.
    ExpectTexts(bench, WithText("Counts were wrong.\n   \n\nNow they add up."),
                "' BUG: 00012, 2.1.0017, ABC, 2026-07-04, Stock, Go\n"
                "' Counts were wrong.\n"
                "' Now they add up.\n"
                "'\n"
                "Option Explicit\n"
                "\n"
                "' BUG: 00012  Vers: 2.1.0017 By: ABC @ 2026-07-04 13:05:09\n"
                "' Counts were wrong.\n"
                "' Now they add up.\n"
                "'----------------------------------------------------------------------\n"
                "Sub Go()\n"
                "' BUG: 00012  Vers: 2.1.0017 By: ABC @ 2026-07-04 13:05:09\n"
                "' Counts were wrong.\n"
                "' Now they add up.\n"
                "End Sub\n");
    // A blank first line still gives an apostrophe and a blank.
    ExpectTexts(bench, WithText("\nSee the log."),
                "' BUG: 00012, 2.1.0017, ABC, 2026-07-04, Stock, Go\n"
                "' \n"
                "' See the log.\n"
                "'\n"
                "Option Explicit\n"
                "\n"
                "' BUG: 00012  Vers: 2.1.0017 By: ABC @ 2026-07-04 13:05:09\n"
                "' \n"
                "' See the log.\n"
                "'----------------------------------------------------------------------\n"
                "Sub Go()\n"
                "' BUG: 00012  Vers: 2.1.0017 By: ABC @ 2026-07-04 13:05:09\n"
                "' \n"
                "' See the log.\n"
                "End Sub\n");
    // The box is 79 characters wide: a line of 79 stays whole (less the blank
    // where it wraps), and the rest goes on the next line.
    const std::string wide(79, 'x');
    ExpectTexts(bench, WithText(wide + " and more"),
                "' BUG: 00012, 2.1.0017, ABC, 2026-07-04, Stock, Go\n"
                "' " + wide + "\n"
                "' and more\n"
                "'\n"
                "Option Explicit\n"
                "\n"
                "' BUG: 00012  Vers: 2.1.0017 By: ABC @ 2026-07-04 13:05:09\n"
                "' " + wide + "\n"
                "' and more\n"
                "'----------------------------------------------------------------------\n"
                "Sub Go()\n"
                "' BUG: 00012  Vers: 2.1.0017 By: ABC @ 2026-07-04 13:05:09\n"
                "' " + wide + "\n"
                "' and more\n"
                "End Sub\n");
}

}  // namespace
}  // namespace revisiontest
