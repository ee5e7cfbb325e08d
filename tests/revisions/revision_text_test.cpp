// The exact text of the note line, the revision lines and the blocks and the
// entry built from them.
#include "revision_stage.h"

namespace revisiontest {
namespace {

constexpr char kGo[] = "Option Explicit\n\nSub Go()\nEnd Sub\n";

// Number, initials and revision text as typed, against the initials of the
// entry and the revision lines; the number shown is 00012 each time.
struct TextCase {
    std::string number, initials, text, entryInitials, lines;
};

TEST(RevisionTexts, NumberInitialsAndRevisionLines) {
    const std::string wide(79, 'x');  // the box is 79 characters wide
    const TextCase cases[] = {
        {"12abc", "ABC", "", "ABC", ""},  // the number's leading digits; an empty box: no revision lines
        {"12", "AB", "", "AB ", ""},      // padded to three in the entry only
        // Later blank lines are left out; a blank first line is kept.
        {"12", "ABC", "Counts were wrong.\n   \n\nNow they add up.", "ABC",
         "' Counts were wrong.\n' Now they add up.\n"},
        {"12", "ABC", "\nSee the log.", "ABC", "' \n' See the log.\n"},
        {"12", "ABC", wide + " and more", "ABC", "' " + wide + "\n' and more\n"},
    };
    for (const TextCase& c : cases) {
        Revision revision(kGo, 4);
        revision.window.revNumber = c.number;
        revision.window.initials = c.initials;
        revision.Text(c.text);
        const std::string note = "' BUG: 00012  Vers: 2.1.0017 By: " + c.initials +
                                 " @ 2026-07-04 13:05:09\n" + c.lines;
        EXPECT_EQ(revision.Run("PM-C"), "' BUG: 00012, 2.1.0017, " + c.entryInitials + ", 2026-07-04, Stock, Go\n" +
                                            c.lines + "'\nOption Explicit\n\n" + note + stage::kRule + "\nSub Go()\n" +
                                            note + "End Sub\n");
    }
}

}  // namespace
}  // namespace revisiontest
