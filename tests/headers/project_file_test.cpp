#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "headers/header_text.h"
#include "stage.h"

namespace {

using headertest::Stage;

// "version|copyright" as the stage's window reads them from its project.
std::string VersionAndCopyright(Stage& stage) {
    return headers::ProjectVersion(stage.window) + "|" + headers::ProjectCopyright(stage.window);
}

// Version and copyright of a project whose file holds `vbpBytes`.
void ExpectRead(const std::string& vbpBytes, const std::string& expected) {
    Stage stage(headertest::ModuleFile(""));
    stage.UseProject(vbpBytes);
    EXPECT_EQ(VersionAndCopyright(stage), expected) << vbpBytes;
}

TEST(ProjectFile, GivesVersionAndCopyright) {
    Stage example(headertest::ModuleFile(""));
    example.UseExampleProject();
    EXPECT_EQ(VersionAndCopyright(example), "2.1.0017|Copyright \u00a9 2026 Harbour Lane Traders");

    ExpectRead("Type=Exe\r\nMajorVer=1\r\nMinorVer=0\r\nRevisionVer=5\r\n", "1.0.0005|");
    ExpectRead("MajorVer=1\nMinorVer=0\nRevisionVer=12345", "1.0.12345|");
    // The revision is the leading number of its text; major and minor stay as written.
    ExpectRead("MajorVer=3 \r\nMinorVer=x\r\nRevisionVer=7b\r\n", "3 .x.0007|");
    ExpectRead("MajorVer=1\r\nMinorVer=2\r\nRevisionVer=\r\n", "1.2.0000|");
    // Keys are matched at the start of the line, letter case counting.
    ExpectRead("MajorVer=4\r\nMinorVer=2\r\nRevisionVer=9\r\nmajorver=7\r\n MajorVer=8\r\n",
               "4.2.0009|");
}

TEST(ProjectFile, GivesTheFallbackVersionWithFewerThanThreeKeyLines) {
    ExpectRead("Type=Exe\r\nRevisionVer=5\r\nMajorVer=2\r\n", "1.0.0000|");
    ExpectRead("", "1.0.0000|");
    // Every key line counts, repeats included; the later one wins.
    ExpectRead("MajorVer=2\r\nMajorVer=3\r\nMinorVer=1\r\n", "3.1.0000|");
    ExpectRead("MajorVer=2\r\nMinorVer=1\r\nRevisionVer=4\r\nRevisionVer=6\r\nMinorVer=5\r\n",
               "2.5.0006|");
}

TEST(ProjectFile, GivesTheCopyrightWithoutItsQuotes) {
    const std::string version = "MajorVer=1\r\nMinorVer=0\r\nRevisionVer=1\r\n";
    ExpectRead(version + "VersionLegalCopyright=\"(c) Acme\"\r\n", "1.0.0001|(c) Acme");
    // The file is in the Windows code page.
    ExpectRead(version + "VersionLegalCopyright=\"\xa9 Acme\"", "1.0.0001|\u00a9 Acme");
    // The first key line is taken.
    ExpectRead(version + "VersionLegalCopyright=\"One\"\r\nVersionLegalCopyright=\"Two\"\r\n",
               "1.0.0001|One");
    ExpectRead(version + "VersionLegalCopyright=\r\n", "1.0.0001|");
    ExpectRead(version + "VersionLegalCopyright=\"\"\r\n", "1.0.0001|");
    ExpectRead(version + "VersionLegalCopyright=\"\r\n", "1.0.0001|");
    ExpectRead(version + "versionlegalcopyright=\"Acme\"\r\n", "1.0.0001|");
}

TEST(ProjectFile, FallsBackWhenTheFileCannotBeRead) {
    Stage stage(headertest::ModuleFile(""));
    stage.UseExampleProject();
    std::filesystem::remove(stage.projectPath);
    EXPECT_EQ(VersionAndCopyright(stage), "1.0.0000|");

    std::filesystem::create_directory(stage.projectPath);  // a folder cannot be read as a file
    EXPECT_EQ(VersionAndCopyright(stage), "1.0.0000|");

    // No active project: no version at all.
    stage.workspace.SetProject(nullptr);
    EXPECT_EQ(VersionAndCopyright(stage), "|");
}

}  // namespace
