// Files: module files loaded and saved byte for byte in their code page, the
// example project, and project files gaining a related document.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "host/module_file.h"
#include "host/project.h"
#include "host_check.h"
#include "platform/encoding.h"

namespace {

using testsupport::Crlf;

struct Files : ::testing::Test {
    testsupport::TempDir dir;
    platform::DiskFiles disk;
    host::ModuleFile Load(const std::string& bytes, const std::string& encoding = "") {
        testsupport::WriteFile(dir.File("Prices.bas"), bytes);
        return host::ModuleFile::Load(dir.File("Prices.bas"), disk, encoding);
    }
};

TEST_F(Files, ModuleDecodesAndSavesByteForByte) {
    using namespace std::string_literals;
    // The bytes, an encoding to use, and "encoding bom name: text" as read. (That any
    // bytes that load save back unchanged is the module_file fuzz target's check.)
    const std::array<std::string, 3> cases[] = {
        {"", "", "windows-1252 0 Prices: "},  // without VB_Name: the file's stem
        {"\r\n\n\r\r\n", "", "windows-1252 0 Prices: \r\n\n\r\r\n"},
        {"' \x80 caf\xE9", "", "windows-1252 0 Prices: ' \xE2\x82\xAC caf\xC3\xA9"},
        {"\xEF\xBB\xBF" "Attribute VB_Name = \"Real\"\r\n' \xC3\xA9\r\n", "",
         "utf-8 1 Real: Attribute VB_Name = \"Real\"\r\n' \xC3\xA9\r\n"},
        {"' caf\xC3\xA9\n", "utf8", "utf-8 0 Prices: ' caf\xC3\xA9\n"},
        {"\xFF\xFE'\0 \0\xE9\0\r\0\n\0\xAC\x20\r\0"s, "", "utf-16le 1 Prices: ' \xC3\xA9\r\n\xE2\x82\xAC\r"},
        {"Sub A()\r\nAttribute A.VB_UserMemId = 0\nEnd Sub\r\x93\n", "",
         "windows-1252 0 Prices: Sub A()\r\nAttribute A.VB_UserMemId = 0\nEnd Sub\r\xE2\x80\x9C\n"}};
    for (const auto& [bytes, encoding, read] : cases) {
        host::ModuleFile file = Load(bytes, encoding);
        EXPECT_EQ(file.encoding + " " + std::to_string(file.bom) + " " + file.Name() + ": " + file.module.Text(), read);
        EXPECT_EQ(file.Bytes(), bytes);
        EXPECT_FALSE(file.Changed());
        // Written a line at a time, the bytes are the same.
        std::string pieces;
        file.WriteBytes([&](std::string_view piece) { pieces += piece; }, 1);
        EXPECT_EQ(pieces, bytes);
        // An edit made and taken back leaves the file unchanged; one kept changes it.
        file.module.InsertLines(1, "' x");
        EXPECT_TRUE(file.Changed());
        file.module.DeleteLines(1, 1);
        EXPECT_FALSE(file.Changed()) << read;
    }
}

TEST_F(Files, ModuleRefusesWhatItCannotReadOrWrite) {
    const std::string path = dir.File("Prices.bas");
    auto refused = [](auto message) { return testing::ThrowsMessage<std::runtime_error>(message); };
    EXPECT_THAT([&] { Load(std::string("MZ\x90\0\x03", 5)); }, refused(path + " is a binary file, not VB source."));
    EXPECT_THAT([&] { Load("' ok\r\n' caf\xE9\r\n", "utf-8"); },
                refused(path + ", line 2: the file is not valid UTF-8 at byte 12"));
    EXPECT_THAT([&] { Load("' ok\r\n", "klingon"); }, refused(testing::HasSubstr("klingon")));
    EXPECT_THROW(host::ModuleFile::Load(dir.File("Missing.bas"), disk), platform::FileError);
    // A character the code page cannot hold: named with its line in the file.
    host::ModuleFile file = Load("Attribute VB_Name = \"Bad\"\r\nOption Explicit\r\n");
    file.module.InsertLines(2, "' \xE4\xB8\xAD");
    for (std::size_t piece : {std::size_t{1}, std::size_t{1} << 16})
        EXPECT_THAT([&] { file.WriteBytes([](std::string_view) {}, piece); },
                    refused(path + ", line 3: U+4E2D '\xE4\xB8\xAD' cannot be stored in windows-1252"));
}

const std::string kExamples = QUILLMARK_EXAMPLES;

TEST_F(Files, TheExampleModulesSaveUnchangedAndTheirOutlines) {
    const std::pair<std::string, std::string> examples[] = {
        {"Inventory.bas", "Inventory\ndecl 16\nFunction NeedsReorder 17-23 body 19\nSub AdjustStock 24-38 body 25\n"
                          "Function Elapsed 39-46 body 41\nSub ReportAll 47-55 body 48\n"},
        {"Customer.cls", "Customer\ndecl 5\nProperty Get Name 6-9 body 7\nProperty Let Name 10-13 body 11\n"
                         "Property Get Account 14-17 body 15\nProperty Set Account 18-21 body 19\n"
                         "Function CanBuy 22-25 body 23\n"},
        {"frmMain.frm", "frmMain\ndecl 1\nSub cmdCount_Click 2-8 body 3\nSub Form_Load 9-12 body 10\n"}};
    for (const auto& [file, outline] : examples) {
        host::ModuleFile module = host::ModuleFile::Load(kExamples + "/" + file, disk);
        EXPECT_EQ(module.Bytes(), testsupport::ReadFile(kExamples + "/" + file));
        EXPECT_EQ(module.Name() + "\n" + hosttest::Outline(module.module), outline);
    }
}

TEST_F(Files, ProjectReadsTheExampleProject) {
    host::Project project(kExamples + "/Inventory.vbp", disk);
    std::string components;
    for (long i = 1; i <= project.VBComponents().Count(); ++i) {
        ide::VBComponent& c = project.VBComponents().Item(i);
        components += c.Name() + " " + std::to_string(c.Type()) + " " + c.FileNames(1).substr(kExamples.size()) + "\n";
    }
    EXPECT_EQ(components, "Inventory 1 /Inventory.bas\nCustomer 2 /Customer.cls\nfrmMain 5 /frmMain.frm\n");
    EXPECT_EQ(project.Name() + " " + project.FileName(), "Inventory " + kExamples + "/Inventory.vbp");
    EXPECT_TRUE(project.Lists(kExamples + "\\customer.CLS"));
    EXPECT_THROW(project.VBComponents().Item(4), ide::HostError);

    // Every module it reads, it lists: a name that ends in a blank or a quote
    // is a name on disk, not text to trim.
    testsupport::WriteFile(dir.File("Odd.vbp"), "Module=A; \"A.bas \"\r\nClass=B; B.cls\"\\\\ \\\\\r\n");
    host::Project odd(dir.File("Odd.vbp"), disk);
    ASSERT_EQ(odd.ModulePaths().size(), 2u);
    for (const std::string& module : odd.ModulePaths()) EXPECT_TRUE(odd.Lists(module)) << module;
}

TEST_F(Files, ProjectAddFileWritesOneRelatedDocLine) {
    const std::string vbp = dir.File("App.vbp"), log = dir.File("REVISION.TXT");
    auto added = [&](const std::string& before, const std::vector<std::string>& paths) {
        testsupport::WriteFile(vbp, before);
        host::Project project(vbp, disk);
        for (const std::string& path : paths)
            EXPECT_EQ(project.VBComponents().AddFile(path, true).Type(), ide::vbext_ct_RelatedDocument);
        EXPECT_EQ(project.Changed(), project.Text() != before);
        return project.Text();
    };
    EXPECT_EQ(added(Crlf("Type=Exe\nModule=M; M.bas\nForm=F.frm\nName=\"App\"\n"), {log}),
              Crlf("Type=Exe\nModule=M; M.bas\nForm=F.frm\nRelatedDoc=REVISION.TXT\nName=\"App\"\n"));
    // Listed already: by another spelling of the same path, or twice in a row.
    EXPECT_EQ(added("Type=Exe\r\nRelatedDoc=docs\\Revision.txt\r\n",
                    {dir.File("DOCS/revision.TXT"), dir.Path() + "\\docs\\Revision.txt"}),
              "Type=Exe\r\nRelatedDoc=docs\\Revision.txt\r\n");
    EXPECT_EQ(added("Type=Exe\nName=\"App\"", {log, log}), "Type=Exe\nName=\"App\"\nRelatedDoc=REVISION.TXT");
    EXPECT_EQ(added("Type=Exe\r\nModule=M; M.bas", {dir.Path() + "/../Shared/Log.txt"}),
              "Type=Exe\r\nModule=M; M.bas\r\nRelatedDoc=..\\Shared\\Log.txt");

    testsupport::WriteFile(vbp, "Type=Exe\r\n");
    host::Project project(vbp, disk);
    ide::VBComponent& doc = project.VBComponents().AddFile(log, true);
    EXPECT_EQ(&project.VBComponents().Item(1), &doc);
    // Modules are added by their kind; a file of no module kind is refused.
    ide::VBComponent& module = project.VBComponents().AddFile(dir.File("Util.bas"), false);
    EXPECT_EQ(module.Name() + " " + std::to_string(module.Type()), "Util 1");
    EXPECT_EQ(project.Text(), "Type=Exe\r\nRelatedDoc=REVISION.TXT\r\nModule=Util; Util.bas\r\n");
    EXPECT_THROW(project.VBComponents().AddFile(dir.File("notes.txt"), false), ide::HostError);
    // A line break in a path would put lines of its own into the project.
    const std::pair<const char*, bool> broken[] = {
        {"Log\r\nModule=X; X.bas\r\n.txt", true}, {"a\nb/REVISION.TXT", true}, {"Bad\r.bas", false}};
    for (const auto& [path, related] : broken)
        EXPECT_THROW(project.VBComponents().AddFile(dir.File(path), related), ide::HostError) << path;
    EXPECT_EQ(project.Text(), "Type=Exe\r\nRelatedDoc=REVISION.TXT\r\nModule=Util; Util.bas\r\n");
    EXPECT_THROW(host::Project(dir.File("None.vbp"), disk), platform::FileError);
}

}  // namespace
