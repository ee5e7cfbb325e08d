#include <filesystem>
#include <utility>

#include "headers/header_text.h"
#include "stage.h"

namespace {

using stage::Crlf;
using stage::kRule;

// Version 2.1.0017 and a copyright in the Windows code page.
constexpr char kProject[] =
    "Type=Exe\r\nMajorVer=2\r\nMinorVer=1\r\nRevisionVer=17\r\n"
    "VersionLegalCopyright=\"Copyright \xa9 2026 Harbour Lane Traders\"\r\n";

// What follows the name line of either header, with kProject and with no project.
const std::string kAuthor =
    "' Copyright:\tCopyright \u00a9 2026 Harbour Lane Traders\n"
    "' Author:\t\tJo Doe\n"
    "' Created:\t\tSaturday, July 04,2026 @ 1:05:09 pm (Vers: 2.1.0017)\n"
    "'\n";
const std::string kAuthorNoProject =
    "' Author:\t\tJo Doe\n"
    "' Created:\t\tSaturday, July 04,2026 @ 1:05:09 pm (Vers: )\n"
    "'\n";

// Sections are the boxes' display lines, soft wraps and hard breaks alike,
// each cut at 65 characters; a section of spaces only is left out.
TEST(ProcedureHeader, ShowsNameCopyrightAuthorCreatedAndTheSectionsThatHoldText) {
    stage::Stage stage;
    stage.UseProject(kProject);
    auto& boxes = stage.window.boxes;
    boxes[toolwindow::Description].SetText(
        "Moves the stock level of one item by a signed amount and clamps it at zero.");
    boxes[toolwindow::Inputs].SetText("Item: the stock item\r\nDelta: the change");
    boxes[toolwindow::Assumptions].SetText("   ");
    boxes[toolwindow::Results].SetWidth(100);  // wider than the header: cut, not wrapped
    boxes[toolwindow::Results].SetText(std::string(60, 'a') + "bcdefGHIJ\n\u00e9" + std::string(70, 'x'));
    EXPECT_EQ(headers::sProcHeader(stage.window, "Let Total"),
              Crlf(kRule + "\n' Name:\t\t\tLet Total\n" + kAuthor +
                   "' Description:\tMoves the stock level of one item by a signed amount and clamps \n"
                   "'\t\t\t\t\tit at zero.\n"
                   "' Inputs:\t\tItem: the stock item\n"
                   "'\t\t\t\t\tDelta: the change\n"
                   "' Results:\t\t" + std::string(60, 'a') + "bcdef\n"
                   "'\t\t\t\t\t\u00e9" + std::string(64, 'x') + "\n" +
                   kRule));

    // A blank description keeps its label.
    for (auto& box : boxes) box.SetText("  ");
    EXPECT_EQ(headers::sProcHeader(stage.window, "Foo"),
              Crlf(kRule + "\n' Name:\t\t\tFoo\n" + kAuthor + "' Description:\n" + kRule));
}

// The name is the caption up to its first blank; the description is shown as
// typed, blanks too, and always ends with a lone apostrophe.
TEST(ModuleHeader, EndsItsDescriptionWithALoneApostrophe) {
    stage::Stage stage("", "Stock Levels");
    const auto header = [&](const std::string& description) {
        const toolwindow::PlainTextBox box(description);
        return headers::ModuleHeader(stage.window, headers::sModuleName(stage.window), box);
    };
    EXPECT_EQ(header(""),
              Crlf(kRule + "\n' Module Name:\tStock\n" + kAuthorNoProject + "' Description:\t'\n" + kRule));
    stage.UseProject(kProject);
    EXPECT_EQ(header("   \nKept per warehouse."),
              Crlf(kRule + "\n' Module Name:\tStock\n" + kAuthor +
                   "' Description:\t   \n"
                   "'\t\t\t\t\tKept per warehouse.\n"
                   "'\n" +
                   kRule));
}

// "version|copyright" read from a project file holding the bytes given;
// "(missing)", "(folder)" and "(none)" stand for the file gone, a folder in its
// place and no project at all.
TEST(ProjectFile, GivesVersionAndCopyright) {
    const std::string v = "MajorVer=1\r\nMinorVer=0\r\nRevisionVer=1\r\n";
    const std::pair<std::string, std::string> cases[] = {
        // Fewer than three key lines give the fallback; repeats count, the later one wins.
        {"Type=Exe\r\nRevisionVer=5\r\nMajorVer=2\r\n", "1.0.0000|"},
        {"MajorVer=2\r\nMajorVer=3\r\nMinorVer=1\r\n", "3.1.0000|"},
        // The first copyright line, less its quotes.
        {v + "VersionLegalCopyright=\"\xa9 Acme\"\r\nVersionLegalCopyright=\"Two\"\r\n", "1.0.0001|\u00a9 Acme"},
        {v + "VersionLegalCopyright=\"\r\n", "1.0.0001|"},  // too short to hold its quotes
        {"(missing)", "1.0.0000|"}, {"(folder)", "1.0.0000|"}, {"(none)", "|"},
    };
    for (const auto& [vbp, expected] : cases) {
        stage::Stage stage;
        if (vbp != "(none)") stage.UseProject(vbp.starts_with("(") ? v : vbp);
        if (vbp == "(missing)" || vbp == "(folder)") std::filesystem::remove(stage.projectPath);
        if (vbp == "(folder)") std::filesystem::create_directory(stage.projectPath);
        const headers::ProjectFacts facts = headers::ReadProjectFacts(stage.window);
        EXPECT_EQ(facts.version + "|" + facts.copyright, expected) << vbp;
        EXPECT_EQ(headers::ProjectVersion(stage.window), facts.version) << vbp;
    }
}

}  // namespace
