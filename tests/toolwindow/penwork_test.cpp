#include <gtest/gtest.h>

#include <string>

#include "host/workspace.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/settings.h"
#include "support/memory_settings.h"
#include "support/recording_dialogs.h"
#include "toolwindow/penwork.h"

namespace {

using toolwindow::PlainTextBox;

// The display lines of a box, each in brackets so that blanks show, one a line.
std::string Shown(const PlainTextBox& box) {
    std::string s;
    for (long i = 0; i < box.DisplayLineCount(); ++i) {
        if (i > 0) s += "\n";
        s += "[" + box.DisplayLine(i) + "]";
    }
    return s;
}

std::string Shown(const std::string& text, long width) { return Shown(PlainTextBox(text, width)); }

TEST(PlainTextBox, WrapsWordsAtItsWidthAsAnEditControlDoes) {
    EXPECT_EQ(Shown("", 10), "");
    EXPECT_EQ(Shown("the quick brown fox", 9), "[the quick ]\n[brown fox]");
    EXPECT_EQ(Shown("the quick brown fox", 8), "[the ]\n[quick ]\n[brown ]\n[fox]");
    // A word that ends right at the width stays; its blank goes with it.
    EXPECT_EQ(Shown("abcde fgh", 5), "[abcde ]\n[fgh]");
    // Blanks after a word stay on the line they follow, even past the width.
    EXPECT_EQ(Shown("abcd      efg", 5), "[abcd      ]\n[efg]");
    EXPECT_EQ(Shown("  indented  text  ", 65), "[  indented  text  ]");
    // Characters, not bytes, are counted.
    EXPECT_EQ(Shown("\u00e9\u00e9\u00e9\u00e9\u00e9 \u00e9\u00e9\u00e9", 5),
              "[\u00e9\u00e9\u00e9\u00e9\u00e9 ]\n[\u00e9\u00e9\u00e9]");
    EXPECT_EQ(Shown("Caf\u00e9 au lait", 8), "[Caf\u00e9 au ]\n[lait]");
}

TEST(PlainTextBox, BreaksAWordLongerThanItsWidth) {
    EXPECT_EQ(Shown("abcdefghijkl", 5), "[abcde]\n[fghij]\n[kl]");
    EXPECT_EQ(Shown("ab cdefghijk", 5), "[ab ]\n[cdefg]\n[hijk]");
    EXPECT_EQ(Shown("abc", 1), "[a]\n[b]\n[c]");
    EXPECT_EQ(Shown("abc", 0), "[a]\n[b]\n[c]");
}

TEST(PlainTextBox, EndsALineAtEveryHardLineBreak) {
    EXPECT_EQ(Shown("one\r\ntwo\nthree\rfour", 65), "[one]\n[two]\n[three]\n[four]");
    EXPECT_EQ(Shown("a\r\n", 65), "[a]\n[]");
    EXPECT_EQ(Shown("\r\n", 65), "[]\n[]");
    EXPECT_EQ(Shown("a\r\n\r\nb", 65), "[a]\n[]\n[b]");
    EXPECT_EQ(Shown("a\n\rb", 65), "[a]\n[]\n[b]");
    EXPECT_EQ(Shown("one two\nthree four", 4), "[one ]\n[two]\n[thre]\n[e ]\n[four]");
}

TEST(PlainTextBox, NeverCutsOffWhatWasTyped) {
    const std::string texts[] = {
        "Adds the rows of the grid and returns their total, or zero when empty.",
        "x  y   z    supercalifragilisticexpialidocious  end ",
        "   leading blanks and a verylongwordthatgoesonandon",
        "\u00c4rger \u00fcber \u00f6de W\u00f6rter ohne \u00dfinn",
    };
    for (const std::string& text : texts) {
        for (long width = 1; width <= 30; ++width) {
            const PlainTextBox box(text, width);
            std::string joined;
            for (long i = 0; i < box.DisplayLineCount(); ++i) joined += box.DisplayLine(i);
            EXPECT_EQ(joined, text) << "width " << width;
        }
    }
}

TEST(PlainTextBox, WrapsAgainWhenTextOrWidthChanges) {
    PlainTextBox box("one two three", 65);
    EXPECT_EQ(Shown(box), "[one two three]");
    box.SetWidth(8);
    EXPECT_EQ(Shown(box), "[one two ]\n[three]");
    box.SetText("four\nfive");
    EXPECT_EQ(Shown(box), "[four]\n[five]");
    EXPECT_EQ(box.Text(), "four\nfive");
    box.SetText("");
    EXPECT_EQ(Shown(box), "");
    EXPECT_EQ(box.DisplayLine(0), "");
}

// The fields of a plain tool window after LoadSettings over `store`, one a line.
std::string Loaded(platform::SettingsStore& store) {
    host::Workspace vbe;
    platform::RecordingDialogs dialogs;
    platform::DiskFiles files;
    toolwindow::PlainPenwork window(vbe, dialogs, files, store);
    window.name = window.initials = window.revType = window.revNumber = "(unset)";
    window.LoadSettings();
    std::string s = "name=" + window.txtName() + "\ninitials=" + window.txtInitials() +
                    "\ntype=" + window.cboRevType() + "\nnumber=" + window.txtRevNumber() +
                    "\ntargets=";
    for (int i = 0; i < 4; ++i) s += window.chkRevision(i) ? "1" : "0";
    return s;
}

TEST(PlainPenwork, LoadsTheStoredFieldsOrTheirDefaults) {
    namespace keys = platform::settings;
    platform::MemorySettings empty;
    EXPECT_EQ(Loaded(empty),
              "name=Enter Your Name Here\ninitials=EYI\ntype=Bug\nnumber=00000\ntargets=0000");

    platform::MemorySettings stored;
    stored.Save(keys::AuthorName, "");  // cleared, not absent: stays empty
    stored.Save(keys::AuthorInitials, " JD ");
    stored.Save(keys::RevisionType, "ALT");
    stored.Save(keys::RevisionNumber, "00042");
    stored.Save(keys::RevisionProcedure, "1");
    stored.Save(keys::RevisionModule, "2");
    stored.Save(keys::RevisionText, "1.0");
    stored.Save(keys::RevisionCode, "yes");
    EXPECT_EQ(Loaded(stored), "name=\ninitials= JD \ntype=ALT\nnumber=00042\ntargets=1010");

    // A line break stored in a single-line field would end the comment line
    // that the field is written into, and what follows would become code.
    platform::MemorySettings broken;
    broken.Save(keys::AuthorName, "Jane\r\nDim x");
    broken.Save(keys::AuthorInitials, "J\nD\n");
    broken.Save(keys::RevisionType, "\rBUG");
    broken.Save(keys::RevisionNumber, "1\r\n\r\n2");
    EXPECT_EQ(Loaded(broken), "name=Jane Dim x\ninitials=J D \ntype= BUG\nnumber=1  2\ntargets=0000");
}

}  // namespace
