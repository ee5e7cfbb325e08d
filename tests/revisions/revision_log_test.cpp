// REVISION.TXT: found through the project or created beside it, and appended to.
#include <filesystem>

#include "revision_stage.h"
#include "revisions/revision_log.h"

namespace revisiontest {
namespace {

using testsupport::ReadFile;

const std::string kAdjustTop = "Option Explicit\n\nPublic Sub Adjust(ByRef Quantity As Long, ByVal Delta As Long)\n";
const std::string kAdjust = kAdjustTop + "Quantity = Quantity + Delta\nEnd Sub\n";
const std::string kListingTheLog = std::string(kProjectHead) + "RelatedDoc=REVISION.TXT\r\n" + kProjectTail;

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

// Adjust revised with the cursor in it, the log alone written: the module stays as it was.
void Log(Revision& revision) { EXPECT_EQ(revision.Run("--L-"), kAdjust); }

TEST(RevisionLog, FirstRevisionCreatesTheLogAndAddsItToTheProject) {
    Revision revision(kAdjust, 4);
    revision.Text("Prices in \xE2\x82\xAC, caf\xC3\xA9 included.");  // logged in CP 1252
    Log(revision);
    const std::string log = revision.dir.File("REVISION.TXT");
    const std::string first = Crlf("'\n"
                                   "'\tREVISION.TXT  for " + revision.projectPath + "\n"
                                   "'\tCreated: 2026-07-04 13:05:09 - Version: 2.1.0017\n"
                                   "'\n"
                                   "' Type Number Version   By    Date    Module, Procedure     \n"
                                   "'-----|------|--------|----|---------|---------------------------------\n"
                                   "' BUG: 00012, 2.1.0017, ABC, 2026-07-04, Stock, Adjust\n"
                                   "' Prices in \x80, caf\xE9 included.\n"
                                   "'\n");
    EXPECT_EQ(ReadFile(log), first);
    EXPECT_EQ(revision.project->Text(), kListingTheLog);
    EXPECT_EQ(revision.outcome.written, std::vector{revisions::LogTarget});

    // The second finds it through the project: no heading, the project as it was.
    revision.Text("Re-order level raised.");
    Log(revision);
    EXPECT_EQ(ReadFile(log), first + Crlf(Entry("Adjust")));
    EXPECT_EQ(revision.project->Text(), kListingTheLog);
}

TEST(RevisionLog, TheFirstRelatedDocumentNamedLikeTheLogIsTheLog) {
    // Any case, another folder, other characters before the name.
    Revision revision(kAdjust, 4,
                      kProjectText + "RelatedDoc=README.txt\r\nRelatedDoc=notes\\OldRevision.TXT\r\n"
                                     "RelatedDoc=notes\\REVISION.TXT\r\n");
    std::filesystem::create_directory(revision.dir.File("notes"));
    for (const char* other : {"README.txt", "notes/REVISION.TXT"}) testsupport::WriteFile(revision.dir.File(other), "");
    testsupport::WriteFile(revision.dir.File("notes/OldRevision.TXT"), "' Kept by hand.\r\n");
    Log(revision);
    EXPECT_EQ(ReadFile(revision.dir.File("notes/OldRevision.TXT")), Crlf("' Kept by hand.\n" + Entry("Adjust")));
    for (const char* other : {"README.txt", "notes/REVISION.TXT"})
        EXPECT_EQ(ReadFile(revision.dir.File(other)), "") << other;
    EXPECT_FALSE(std::filesystem::exists(revision.dir.File("REVISION.TXT")));
    EXPECT_FALSE(revision.project->Changed());
}

TEST(RevisionLog, ALogBesideTheProjectButNotInItGetsNoHeadingAndIsAdded) {
    Revision revision(kAdjust, 4);
    testsupport::WriteFile(revision.dir.File("REVISION.TXT"), "' Started by hand.\r\n");
    Log(revision);
    EXPECT_EQ(ReadFile(revision.dir.File("REVISION.TXT")), Crlf("' Started by hand.\n" + Entry("Adjust")));
    EXPECT_EQ(revision.project->Text(), kListingTheLog);
}

TEST(RevisionLog, WithoutASavedProjectTheLogIsSkippedAndTheOtherTargetsRun) {
    Revision unsaved(kAdjust, 4, "");
    NamedProject neverSaved("");
    unsaved.vbe.project = &neverSaved;
    EXPECT_EQ(unsaved.Run("--LC"), kAdjustTop + "' BUG: 00012  Vers: 1.0.0000 By: ABC @ 2026-07-04 13:05:09\n" +
                                       "' Re-order level raised.\n" + kAdjust.substr(kAdjustTop.size()));
    EXPECT_EQ(unsaved.outcome.written, std::vector{revisions::CodeTarget});
    EXPECT_EQ(unsaved.Skipped(), "the log target is skipped: the project has never been saved\n");

    // A project that cannot take the log in gets no log either.
    Revision refused(kAdjust, 4);
    NamedProject refusing(refused.projectPath);
    refused.vbe.project = &refusing;
    Log(refused);
    EXPECT_TRUE(refused.outcome.written.empty());
    EXPECT_EQ(refused.outcome.skipped.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(refused.dir.File("REVISION.TXT")));
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
