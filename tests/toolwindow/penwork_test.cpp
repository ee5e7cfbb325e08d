#include <gtest/gtest.h>

#include "toolwindow/penwork.h"

namespace {

using toolwindow::PlainTextBox;

// The display lines of a box, each in brackets so that blanks show, one a line.
std::string Shown(const PlainTextBox& box) {
    std::string s;
    for (long i = 0; i < box.DisplayLineCount(); ++i) s += (i > 0 ? "\n[" : "[") + box.DisplayLine(i) + "]";
    return s;
}

// A box wraps words at its width as an edit control does, and ends a line at
// every hard line break (the breaks themselves are split as InsertLines splits).
TEST(PlainTextBox, WrapsWordsAtItsWidthAndBreaksOnlyWordsLongerThanIt) {
    const struct {
        const char* text;
        long width;
        const char* shown;
    } cases[] = {
        {"", 10, ""},
        {"abcde fgh", 5, "[abcde ]\n[fgh]"},       // a word ends right at the width: its blank stays
        {"abcd      efg", 5, "[abcd      ]\n[efg]"},  // blanks after a word stay, even past the width
        // characters, not bytes, are counted: a byte count would cut into the fifth
        {"\u00e9\u00e9\u00e9\u00e9\u00e9 \u00e9\u00e9\u00e9", 5, "[\u00e9\u00e9\u00e9\u00e9\u00e9 ]\n[\u00e9\u00e9\u00e9]"},
        {"abcdefghijkl", 5, "[abcde]\n[fghij]\n[kl]"},
        {"ab cdefghijk", 5, "[ab ]\n[cdefg]\n[hijk]"},
        {"abc", 0, "[a]\n[b]\n[c]"},
        {"one\r\ntwo\nthree\rfour", 65, "[one]\n[two]\n[three]\n[four]"},
        {"a\r\n\r\nb", 65, "[a]\n[]\n[b]"},
        {"one two\nthree four", 4, "[one ]\n[two]\n[thre]\n[e ]\n[four]"},
    };
    for (const auto& c : cases) {
        PlainTextBox box(c.text);  // laid out at the default width first: a new width wraps it again
        box.SetWidth(c.width);
        EXPECT_EQ(Shown(box), c.shown) << c.text << " @" << c.width;
    }
}

// A box never gives a line longer than its generator keeps, however wide it is.
TEST(PlainTextBox, NeverGivesALineLongerThanItsLimit) {
    PlainTextBox box("abcdefgh", 100, 3);
    EXPECT_EQ(Shown(box), "[abc]\n[def]\n[gh]");
    box.SetWidth(2);
    EXPECT_EQ(Shown(box), "[ab]\n[cd]\n[ef]\n[gh]");
}

// A pasted text without a blank or a line break wraps into full lines and the rest, its last character whole.
// (How fast a long one wraps is the benchmark's to measure.)
TEST(PlainTextBox, WrapsALongUnbrokenTextIntoFullLines) {
    const PlainTextBox box(std::string(3000, 'x') + "\xc3\xa9", 65);
    ASSERT_EQ(box.DisplayLineCount(), 47);
    EXPECT_EQ(box.DisplayLine(45), std::string(65, 'x'));
    EXPECT_EQ(box.DisplayLine(46), std::string(3000 - 46 * 65, 'x') + "\xc3\xa9");
}

}  // namespace
