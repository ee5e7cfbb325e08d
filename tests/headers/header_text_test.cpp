#include <gtest/gtest.h>

#include <string>

#include "headers/header_text.h"
#include "stage.h"

namespace {

using headertest::Stage;
using testsupport::Crlf;

// An apostrophe and 70 hyphens.
const std::string kRule = "'----------" "----------" "----------" "----------"
                          "----------" "----------" "----------";

// The procedure header block for `displayName`, against the text it must be
// ("\n" stands for CR LF; the block itself ends without a line end).
void ExpectProcHeader(Stage& stage, const std::string& displayName, const std::string& expected) {
    EXPECT_EQ(headers::sProcHeader(stage.window, displayName), Crlf(expected));
}

// The module header block of the stage's code window with `description` typed
// into the module description box.
void ExpectModuleHeader(Stage& stage, const std::string& description, const std::string& expected) {
    toolwindow::PlainTextBox box(description);
    EXPECT_EQ(headers::ModuleHeader(stage.window, headers::sModuleName(stage.window), box),
              Crlf(expected));
}

TEST(HeaderRules, AreAnApostropheAndSeventyHyphens) {
    EXPECT_EQ(headers::HeaderRule(), kRule + "\r\n");
    EXPECT_EQ(headers::HeaderEndRule(), kRule);
    EXPECT_EQ(headers::HeaderRule().size(), 73u);
}

TEST(ProcedureHeader, ShowsNameCopyrightAuthorCreatedAndOnlyTheSectionsThatHoldText) {
    Stage stage(headertest::ModuleFile(""));
    stage.UseExampleProject();
    ExpectProcHeader(stage, "AdjustStock",
                     kRule + "\n"
                     "' Name:\t\t\tAdjustStock\n"
                     "' Copyright:\tCopyright \u00a9 2026 Harbour Lane Traders\n"
                     "' Author:\t\tJo Doe\n"
                     "' Created:\t\tSaturday, July 04,2026 @ 1:05:09 pm (Vers: 2.1.0017)\n"
                     "'\n"
                     "' Description:\n" +
                         kRule);

    // Sections are the boxes' display lines: soft wraps and hard breaks alike.
    stage.window.boxes[toolwindow::Description].SetText(
        "Moves the stock level of one item by a signed amount and clamps it at zero.");
    stage.window.boxes[toolwindow::Inputs].SetText("Item: the stock item\r\nDelta: the change");
    stage.window.boxes[toolwindow::Assumptions].SetText("   ");
    stage.window.boxes[toolwindow::Results].SetText("None.");
    ExpectProcHeader(stage, "Let Total",
                     kRule + "\n"
                     "' Name:\t\t\tLet Total\n"
                     "' Copyright:\tCopyright \u00a9 2026 Harbour Lane Traders\n"
                     "' Author:\t\tJo Doe\n"
                     "' Created:\t\tSaturday, July 04,2026 @ 1:05:09 pm (Vers: 2.1.0017)\n"
                     "'\n"
                     "' Description:\tMoves the stock level of one item by a signed amount and clamps \n"
                     "'\t\t\t\t\tit at zero.\n"
                     "' Inputs:\t\tItem: the stock item\n"
                     "'\t\t\t\t\tDelta: the change\n"
                     "' Results:\t\tNone.\n" +
                         kRule);
}

TEST(ProcedureHeader, BlankMeansSpacesOnly) {
    Stage stage(headertest::ModuleFile(""));
    stage.window.name = "";
    stage.window.boxes[toolwindow::Description].SetText("  ");
    stage.window.boxes[toolwindow::Inputs].SetText("\r\n");  // two empty display lines
    stage.window.boxes[toolwindow::Assumptions].SetText("");
    stage.window.boxes[toolwindow::Results].SetText("\t");
    // No project: no Copyright line and an empty version.
    ExpectProcHeader(stage, "Foo",
                     kRule + "\n"
                     "' Name:\t\t\tFoo\n"
                     "' Author:\t\t\n"
                     "' Created:\t\tSaturday, July 04,2026 @ 1:05:09 pm (Vers: )\n"
                     "'\n"
                     "' Description:\n"
                     "' Inputs:\t\t\n"
                     "'\t\t\t\t\t\n"
                     "' Results:\t\t\t\n" +
                         kRule);
}

TEST(ProcedureHeader, ShowsAtMostSixtyFiveCharactersOfADisplayLine) {
    Stage stage(headertest::ModuleFile(""));
    toolwindow::PlainTextBox& box = stage.window.boxes[toolwindow::Description];
    box.SetWidth(100);  // a box wider than the header: its lines are cut, not wrapped
    box.SetText(std::string(60, 'a') + "bcdefGHIJ" + std::string(11, 'z') + "\n\u00e9" +
                std::string(70, 'x'));
    ExpectProcHeader(stage, "Foo",
                     kRule + "\n"
                     "' Name:\t\t\tFoo\n"
                     "' Author:\t\tJo Doe\n"
                     "' Created:\t\tSaturday, July 04,2026 @ 1:05:09 pm (Vers: )\n"
                     "'\n"
                     "' Description:\t" + std::string(60, 'a') + "bcdef\n"
                     "'\t\t\t\t\t\u00e9" + std::string(64, 'x') + "\n" +
                         kRule);
}

// The Created line of a procedure header made at `epochSeconds` (UTC).
std::string CreatedAt(long long epochSeconds) {
    Stage stage(headertest::ModuleFile(""));
    testsupport::FixedClock clock(epochSeconds);
    const std::string block = headers::sProcHeader(stage.window, "Foo");
    const std::size_t from = block.find("' Created:");
    return block.substr(from, block.find("\r\n", from) - from);
}

TEST(ProcedureHeader, CreatedShowsTheTimeOnTheTwelveHourClock) {
    const std::string expected =
        "' Created:\t\tFriday, December 04,2026 @ 6:04:41 am (Vers: )\n"
        "' Created:\t\tSaturday, July 04,2026 @ 12:00:00 pm (Vers: )\n"
        "' Created:\t\tSaturday, July 04,2026 @ 1:05:09 pm (Vers: )\n"
        "' Created:\t\tFriday, January 09,2026 @ 11:59:59 pm (Vers: )\n"
        "' Created:\t\tSaturday, July 04,2026 @ 12:30:00 am (Vers: )\n";
    EXPECT_EQ(CreatedAt(1796364281) + "\n" + CreatedAt(1783166400) + "\n" +
                  CreatedAt(1783170309) + "\n" + CreatedAt(1768003199) + "\n" +
                  CreatedAt(1783125000) + "\n",
              expected);
}

TEST(ModuleHeader, AlwaysEndsItsDescriptionWithALoneApostrophe) {
    Stage stage(headertest::ModuleFile(""));
    ExpectModuleHeader(stage, "",
                       kRule + "\n"
                       "' Module Name:\tModule1\n"
                       "' Author:\t\tJo Doe\n"
                       "' Created:\t\tSaturday, July 04,2026 @ 1:05:09 pm (Vers: )\n"
                       "'\n"
                       "' Description:\t'\n" +
                           kRule);
    // No blank test: blanks are shown as typed.
    ExpectModuleHeader(stage, "   ",
                       kRule + "\n"
                       "' Module Name:\tModule1\n"
                       "' Author:\t\tJo Doe\n"
                       "' Created:\t\tSaturday, July 04,2026 @ 1:05:09 pm (Vers: )\n"
                       "'\n"
                       "' Description:\t   \n"
                       "'\n" +
                           kRule);

    stage.UseExampleProject();
    ExpectModuleHeader(stage, "Stock levels and re-order rules.\nKept per warehouse.",
                       kRule + "\n"
                       "' Module Name:\tModule1\n"
                       "' Copyright:\tCopyright \u00a9 2026 Harbour Lane Traders\n"
                       "' Author:\t\tJo Doe\n"
                       "' Created:\t\tSaturday, July 04,2026 @ 1:05:09 pm (Vers: 2.1.0017)\n"
                       "'\n"
                       "' Description:\tStock levels and re-order rules.\n"
                       "'\t\t\t\t\tKept per warehouse.\n"
                       "'\n" +
                           kRule);
}

TEST(ModuleName, IsTheCaptionUpToItsFirstBlank) {
    host::SourceModule other(Crlf("Attribute VB_Name = \"Stock Levels\"\nOption Explicit\n"));
    Stage stage(headertest::ModuleFile(""));
    EXPECT_EQ(headers::sModuleName(stage.window), "Module1");
    stage.workspace.Open(other, "Stock Levels");  // caption "Stock Levels (Code)"
    EXPECT_EQ(headers::sModuleName(stage.window), "Stock");
    stage.workspace.Unfocus();
    EXPECT_EQ(headers::sModuleName(stage.window), "");
}

}  // namespace
