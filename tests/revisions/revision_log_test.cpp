// REVISION.TXT: found through the project or created beside it, and appended to.
#include <filesystem>

#include "revision_bench.h"
#include "revisions/revision_log.h"

namespace revisiontest {
namespace {

using testsupport::Crlf;
using testsupport::ReadFile;

const std::string kAdjustTop =
    "Option Explicit\n\nPublic Sub Adjust(ByRef Quantity As Long, ByVal Delta As Long)\n";
const std::string kAdjustRest = "Quantity = Quantity + Delta\nEnd Sub\n";
const std::string kListingTheLog =
    std::string(kProjectHead) + "RelatedDoc=REVISION.TXT\r\n" + kProjectTail;

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

// Revises Adjust, the cursor in it, writing the log alone: the module stays as it was.
void Log(RevisionBench& bench) {
    bench.targets = {false, false, true, false};
    bench.Expect(kAdjustTop + kAdjustRest, 4, kAdjustTop + kAdjustRest);
}

TEST(RevisionLog, FirstRevisionCreatesTheLogAndAddsItToTheProject) {
    RevisionBench bench;
    bench.text = "Prices in \xE2\x82\xAC, caf\xC3\xA9 included.";  // logged in CP 1252
    Log(bench);
    const std::string log = bench.dir.File("REVISION.TXT");
    const std::string first =
        Crlf("'\n"
             "'\tREVISION.TXT  for " + bench.dir.File("Stock.vbp") + "\n"
             "'\tCreated: 2026-07-04 13:05:09 - Version: 2.1.0017\n"
             "'\n"
             "' Type Number Version   By    Date    Module, Procedure     \n"
             "'-----|------|--------|----|---------|---------------------------------\n"
             "' BUG: 00012, 2.1.0017, ABC, 2026-07-04, Stock, Adjust\n"
             "' Prices in \x80, caf\xE9 included.\n"
             "'\n");
    EXPECT_EQ(ReadFile(log), first);
    EXPECT_EQ(bench.project->Text(), kListingTheLog);
    EXPECT_EQ(bench.outcome.written, std::vector{revisions::LogTarget});

    // The second finds it through the project: no heading, the project as it was.
    bench.text = "Re-order level raised.";
    Log(bench);
    EXPECT_EQ(ReadFile(log), first + Crlf(Entry("Adjust")));
    EXPECT_EQ(bench.project->Text(), kListingTheLog);
}

TEST(RevisionLog, TheFirstRelatedDocumentNamedLikeTheLogIsTheLog) {
    // Any case, another folder, other characters before the name.
    RevisionBench bench(kProjectText + "RelatedDoc=README.txt\r\n"
                                       "RelatedDoc=notes\\OldRevision.TXT\r\n"
                                       "RelatedDoc=notes\\REVISION.TXT\r\n");
    std::filesystem::create_directory(bench.dir.File("notes"));
    for (const char* other : {"README.txt", "notes/REVISION.TXT"})
        testsupport::WriteFile(bench.dir.File(other), "");
    testsupport::WriteFile(bench.dir.File("notes/OldRevision.TXT"), "' Kept by hand.\r\n");
    Log(bench);
    EXPECT_EQ(ReadFile(bench.dir.File("notes/OldRevision.TXT")),
              Crlf("' Kept by hand.\n" + Entry("Adjust")));
    for (const char* other : {"README.txt", "notes/REVISION.TXT"})
        EXPECT_EQ(ReadFile(bench.dir.File(other)), "") << other;
    EXPECT_FALSE(std::filesystem::exists(bench.dir.File("REVISION.TXT")));
    EXPECT_FALSE(bench.project->Changed());
}

TEST(RevisionLog, ALogBesideTheProjectButNotInItGetsNoHeadingAndIsAdded) {
    RevisionBench bench;
    testsupport::WriteFile(bench.dir.File("REVISION.TXT"), "' Started by hand.\r\n");
    Log(bench);
    EXPECT_EQ(ReadFile(bench.dir.File("REVISION.TXT")),
              Crlf("' Started by hand.\n" + Entry("Adjust")));
    EXPECT_EQ(bench.project->Text(), kListingTheLog);
}

TEST(RevisionLog, WithoutASavedProjectTheLogIsSkippedAndTheOtherTargetsRun) {
    RevisionBench bench;
    bench.project.reset();
    bench.targets = {false, false, true, true};
    const auto revised = [](const std::string& version) {
        return kAdjustTop + "' BUG: 00012  Vers: " + version +
               " By: ABC @ 2026-07-04 13:05:09\n' Re-order level raised.\n" + kAdjustRest;
    };
    bench.Expect(kAdjustTop + kAdjustRest, 4, revised(""));
    EXPECT_EQ(bench.outcome.written, std::vector{revisions::CodeTarget});
    EXPECT_EQ(bench.Skipped(), "the log target is skipped: no project\n");

    NamedProject unsaved("");
    bench.unsaved = &unsaved;
    bench.Expect(kAdjustTop + kAdjustRest, 4, revised("1.0.0000"));
    EXPECT_EQ(bench.Skipped(), "the log target is skipped: the project has never been saved\n");
    EXPECT_FALSE(std::filesystem::exists(bench.dir.File("REVISION.TXT")));

    // A project that cannot take the log in gets no log either.
    NamedProject refusing(bench.dir.File("Stock.vbp"));
    bench.unsaved = &refusing;
    Log(bench);
    EXPECT_TRUE(bench.outcome.written.empty());
    EXPECT_EQ(bench.outcome.skipped.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(bench.dir.File("REVISION.TXT")));
}

TEST(RevisionLog, ProjectDirIsThePathUpToItsLastSeparator) {
    const auto dir = [](const std::string& fileName) {
        NamedProject project(fileName);
        return revisions::sProjectDir(project);
    };
    EXPECT_EQ(dir("C:\\Apps\\Stock.vbp"), "C:\\Apps\\");
    EXPECT_EQ(dir("/home/kim\\stock/Stock.vbp"), "/home/kim\\stock/");
    EXPECT_EQ(dir("\\\\server\\share\\Stock.vbp"), "\\\\server\\share\\");
    for (const char* bad : {"", "Stock.vbp", "/Stock.vbp", "\\Stock.vbp"})
        EXPECT_THROW(dir(bad), ide::HostError) << bad;
}

}  // namespace
}  // namespace revisiontest
