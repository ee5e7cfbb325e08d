// REVISION.TXT: found through the project or created beside it, and appended to.
#include <gtest/gtest.h>

#include <filesystem>

#include "revision_bench.h"
#include "revisions/revision_log.h"

namespace revisiontest {
namespace {

using testsupport::Crlf;
using testsupport::ReadFile;

constexpr char kAdjust[] =
    "Option Explicit\n"
    "\n"
    "Public Sub Adjust(ByRef Quantity As Long, ByVal Delta As Long)\n"
    "Quantity = Quantity + Delta\n"
    "End Sub\n";

// kProjectText once the log is added to it.
constexpr char kProjectListingTheLog[] =
    "Type=Exe\r\n"
    "Module=Stock; Stock.bas\r\n"
    "RelatedDoc=REVISION.TXT\r\n"
    "Name=\"Stock\"\r\n"
    "MajorVer=2\r\n"
    "MinorVer=1\r\n"
    "RevisionVer=17\r\n";

/// A project that has no components, under any file name.
class NamedProject : public ide::VBProject, public ide::VBComponents {
public:
    explicit NamedProject(std::string fileName) : fileName_(std::move(fileName)) {}
    std::string FileName() const override { return fileName_; }
    ide::VBComponents& VBComponents() override { return *this; }
    long Count() const override { return 0; }
    ide::VBComponent& Item(long) override { ide::Raise(ide::kSubscriptOutOfRange); }
    ide::VBComponent& AddFile(const std::string&, bool) override { ide::Raise(ide::kInvalidCall); }

private:
    std::string fileName_;
};

// Revises kAdjust with the cursor in Adjust, writing the log alone.
void Log(RevisionBench& bench) {
    bench.fields.targets = {false, false, true, false};
    EXPECT_EQ(bench.Revise(kAdjust, 4), Crlf(kAdjust)) << "the module is left as it was";
}

void ExpectFile(const std::string& path, std::string_view lines) {
    EXPECT_EQ(ReadFile(path), Crlf(lines)) << path;
}

std::string Heading(const RevisionBench& bench) {
    return "'\n"
           "'\tREVISION.TXT  for " + bench.ProjectPath() + "\n"
           "'\tCreated: 2026-07-04 13:05:09 - Version: 2.1.0017\n"
           "'\n"
           "' Type Number Version   By    Date    Module, Procedure     \n"
           "'-----|------|--------|----|---------|---------------------------------\n";
}

TEST(RevisionLog, FirstRevisionCreatesTheLogAndAddsItToTheProject) {
    RevisionBench bench;
    bench.fields.text = "Prices in \xE2\x82\xAC, caf\xC3\xA9 included.";  // euro sign, e acute
    Log(bench);
    const std::string log = bench.dir.File("REVISION.TXT");
    EXPECT_EQ(ReadFile(log),
              Crlf(Heading(bench) +
                   "' BUG: 00012, 2.1.0017, ABC, 2026-07-04, Stock, Adjust\n"
                   "' Prices in \x80, caf\xE9 included.\n"
                   "'\n"));
    EXPECT_EQ(bench.project->Text(), kProjectListingTheLog);
    EXPECT_EQ(bench.outcome.written, std::vector{revisions::LogTarget});

    // The second finds the log through the project: no heading, no new line in
    // the project.
    bench.fields = Fields{};
    bench.fields.type = "NEW";
    bench.fields.number = "13";
    Log(bench);
    EXPECT_EQ(ReadFile(log),
              Crlf(Heading(bench) +
                   "' BUG: 00012, 2.1.0017, ABC, 2026-07-04, Stock, Adjust\n"
                   "' Prices in \x80, caf\xE9 included.\n"
                   "'\n"
                   "' NEW: 00013, 2.1.0017, ABC, 2026-07-04, Stock, Adjust\n"
                   "' Re-order level raised.\n"
                   "'\n"));
    EXPECT_EQ(bench.project->Text(), kProjectListingTheLog);
}

TEST(RevisionLog, TheFirstRelatedDocumentNamedLikeTheLogIsTheLog) {
    // Any case, another folder, other characters before the name.
    RevisionBench bench(std::string(kProjectText) +
                        "RelatedDoc=README.txt\r\n"
                        "RelatedDoc=notes\\OldRevision.TXT\r\n"
                        "RelatedDoc=notes\\REVISION.TXT\r\n");
    std::filesystem::create_directory(bench.dir.File("notes"));
    testsupport::WriteFile(bench.dir.File("README.txt"), "Read me.\r\n");
    testsupport::WriteFile(bench.dir.File("notes/OldRevision.TXT"), "' Kept by hand.\r\n'\r\n");
    testsupport::WriteFile(bench.dir.File("notes/REVISION.TXT"), "");
    Log(bench);
    ExpectFile(bench.dir.File("notes/OldRevision.TXT"),
               "' Kept by hand.\n"
               "'\n"
               "' BUG: 00012, 2.1.0017, ABC, 2026-07-04, Stock, Adjust\n"
               "' Re-order level raised.\n"
               "'\n");
    ExpectFile(bench.dir.File("README.txt"), "Read me.\n");
    ExpectFile(bench.dir.File("notes/REVISION.TXT"), "");
    EXPECT_FALSE(std::filesystem::exists(bench.dir.File("REVISION.TXT")));
    EXPECT_FALSE(bench.project->Changed());
}

TEST(RevisionLog, ALogBesideTheProjectButNotInItGetsNoHeadingAndIsAdded) {
    RevisionBench bench;
    testsupport::WriteFile(bench.dir.File("REVISION.TXT"), "' Started by hand.\r\n");
    Log(bench);
    ExpectFile(bench.dir.File("REVISION.TXT"),
               "' Started by hand.\n"
               "' BUG: 00012, 2.1.0017, ABC, 2026-07-04, Stock, Adjust\n"
               "' Re-order level raised.\n"
               "'\n");
    EXPECT_EQ(bench.project->Text(), kProjectListingTheLog);
}

TEST(RevisionLog, WithoutASavedProjectTheLogIsSkippedAndTheOtherTargetsRun) {
    RevisionBench bench;
    bench.fields = Targets(false, false, true, true);
    const std::string revised =
        "Option Explicit\n"
        "\n"
        "Public Sub Adjust(ByRef Quantity As Long, ByVal Delta As Long)\n"
        "' BUG: 00012  Vers:  By: ABC @ 2026-07-04 13:05:09\n"
        "' Re-order level raised.\n"
        "Quantity = Quantity + Delta\n"
        "End Sub\n";

    bench.project.reset();
    ExpectRevised(bench, kAdjust, 4, revised);
    EXPECT_EQ(bench.outcome.written, std::vector{revisions::CodeTarget});
    ASSERT_EQ(bench.outcome.skipped.size(), 1u);
    EXPECT_EQ(revisions::SkipNotice(bench.outcome.skipped[0]),
              "the log target is skipped: no project");

    NamedProject unsaved("");
    bench.unsaved = &unsaved;
    ExpectRevised(bench, kAdjust, 4,
                  "Option Explicit\n"
                  "\n"
                  "Public Sub Adjust(ByRef Quantity As Long, ByVal Delta As Long)\n"
                  "' BUG: 00012  Vers: 1.0.0000 By: ABC @ 2026-07-04 13:05:09\n"
                  "' Re-order level raised.\n"
                  "Quantity = Quantity + Delta\n"
                  "End Sub\n");
    ASSERT_EQ(bench.outcome.skipped.size(), 1u);
    EXPECT_EQ(revisions::SkipNotice(bench.outcome.skipped[0]),
              "the log target is skipped: the project has never been saved");
    EXPECT_FALSE(std::filesystem::exists(bench.dir.File("REVISION.TXT")));
}

TEST(RevisionLog, ProjectDirIsThePathUpToItsLastSeparator) {
    auto dir = [](const std::string& fileName) {
        NamedProject project(fileName);
        return revisions::sProjectDir(project);
    };
    EXPECT_EQ(dir("C:\\Apps\\Stock\\Stock.vbp"), "C:\\Apps\\Stock\\");
    EXPECT_EQ(dir("C:\\Stock.vbp"), "C:\\");
    EXPECT_EQ(dir("/home/kim/stock/Stock.vbp"), "/home/kim/stock/");
    EXPECT_EQ(dir("/home/kim\\stock/Stock.vbp"), "/home/kim\\stock/");
    EXPECT_EQ(dir("\\\\server\\share\\Stock.vbp"), "\\\\server\\share\\");
    EXPECT_EQ(dir("\xC3\xA9/Stock.vbp"), "\xC3\xA9/");
    for (const char* bad : {"", "Stock.vbp", "/Stock.vbp", "\\Stock.vbp"})
        EXPECT_THROW(dir(bad), ide::HostError) << bad;
}

}  // namespace
}  // namespace revisiontest
