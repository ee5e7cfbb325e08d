// Module files loaded and saved: byte for byte, in their code page.
#include <gtest/gtest.h>

#include <random>

#include "host/module_file.h"
#include "platform/encoding.h"
#include "support/support.h"

namespace {

using testsupport::Crlf;
using testsupport::TempDir;

/// Writes the bytes, loads them and saves them again: nothing may change.
void ExpectRoundTrip(const std::string& bytes, const std::string& encoding = "") {
    TempDir dir;
    const std::string path = dir.File("Module1.bas");
    testsupport::WriteFile(path, bytes);
    platform::DiskFiles files;
    host::ModuleFile file = host::ModuleFile::Load(path, files, encoding);
    EXPECT_EQ(file.originalBytes, bytes);
    EXPECT_EQ(file.Bytes(), bytes);
    EXPECT_FALSE(file.Changed());
    // The same text read again from the module's own text.
    EXPECT_EQ(host::SourceModule(file.module.Text()).Text(), file.module.Text());
}

/// A module of random lines: every line end, blanks at line ends, every byte
/// value in comments and strings (but NUL, which makes a binary file), hidden
/// lines, with or without a last line end.
std::string StressModule(unsigned seed, bool finalLineEnd) {
    std::mt19937 random(seed);
    const std::vector<std::string> fragments = {
        "Sub Stress()", "End Sub", "Attribute Stress.VB_UserMemId = 0", "x = 1 _", "  + 2",
        "#If Win64 Then", "#Else", "#End If", "Public Property Get P()", "End Property", "", "   ",
        "Private Declare Function F Lib \"k\" () As Long", "Rem End Sub"};
    const char* ends[] = {"\r\n", "\n", "\r"};
    std::string text = "Attribute VB_Name = \"Stress\"\r\n";
    for (int line = 0; line < 400; ++line) {
        switch (random() % 3) {
        case 0: text += fragments[random() % fragments.size()]; break;
        case 1:
        case 2: {
            text += random() % 2 ? "' " : "s = \"";
            for (int k = 0; k < 12; ++k) {
                char c = static_cast<char>(random() % 256);
                if (c != '\r' && c != '\n' && c != '\0') text += c;
            }
            if (random() % 2) text += "  \t ";
        }
        }
        text += ends[random() % 3];
    }
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n') text += static_cast<char>(b);
    if (finalLineEnd) text += "\r\n";
    return text;
}

TEST(ModuleFile, RoundTripsByteForByte) {
    for (unsigned seed = 1; seed <= 6; ++seed) ExpectRoundTrip(StressModule(seed, seed % 2 == 0));
    ExpectRoundTrip("");
    ExpectRoundTrip("Attribute VB_Name = \"M\"");
    ExpectRoundTrip("\r\n\n\r\r\n");
    ExpectRoundTrip("\xEF\xBB\xBF" "Attribute VB_Name = \"M\"\r\n' \xC3\xBC\r\n");
    ExpectRoundTrip("' caf\xC3\xA9\n", "utf-8");
}

TEST(ModuleFile, CodePagesAndNames) {
    TempDir dir;
    platform::DiskFiles files;
    auto load = [&](const std::string& name, const std::string& bytes, const std::string& encoding = "") {
        testsupport::WriteFile(dir.File(name), bytes);
        return host::ModuleFile::Load(dir.File(name), files, encoding);
    };
    host::ModuleFile ansi = load("Prices.bas", "' \x80 caf\xE9\r\nOption Explicit\r\n");
    EXPECT_EQ(ansi.encoding, "windows-1252");
    EXPECT_EQ(ansi.module.Lines(1, 1), "' \xE2\x82\xAC caf\xC3\xA9");
    EXPECT_EQ(ansi.Name(), "Prices") << "no VB_Name: the file's stem";

    host::ModuleFile bom = load("Named.bas", "\xEF\xBB\xBF" "Attribute VB_Name = \"Real\"\r\n' \xC3\xA9\r\n");
    EXPECT_EQ(bom.encoding, "utf-8");
    EXPECT_TRUE(bom.bom);
    EXPECT_EQ(bom.module.Lines(1, 1), "' \xC3\xA9");
    EXPECT_EQ(bom.Name(), "Real");

    host::ModuleFile forced = load("Forced.bas", "' \xC3\xA9\r\n", "utf8");
    EXPECT_EQ(forced.module.Lines(1, 1), "' \xC3\xA9");
    EXPECT_FALSE(forced.bom);
}

TEST(ModuleFile, RefusesWhatItCannotReadOrWrite) {
    TempDir dir;
    platform::DiskFiles files;
    const std::string path = dir.File("Bad.bas");
    auto messageOf = [&](const std::string& bytes, const std::string& encoding) -> std::string {
        testsupport::WriteFile(path, bytes);
        try {
            host::ModuleFile::Load(path, files, encoding);
        } catch (const platform::FileError& e) {
            return e.what();
        } catch (const platform::EncodingError& e) {
            return e.what();
        }
        return "loaded";
    };
    EXPECT_EQ(messageOf(std::string("MZ\x90\0\x03", 5), ""), path + " is a binary file, not VB source.");
    EXPECT_EQ(messageOf("' ok\r\n' caf\xE9\r\n", "utf-8"),
              path + ", line 2: the file is not valid UTF-8 at byte 12");
    EXPECT_NE(messageOf("' ok\r\n", "klingon").find("klingon"), std::string::npos);
    try {
        host::ModuleFile::Load(dir.File("Missing.bas"), files);
        ADD_FAILURE();
    } catch (const platform::FileError& e) {
        EXPECT_EQ(e.Number(), platform::kFileNotFound);
    }

    // A character the code page cannot hold: named with its line in the file.
    testsupport::WriteFile(path, Crlf("Attribute VB_Name = \"Bad\"\nOption Explicit\n"));
    host::ModuleFile file = host::ModuleFile::Load(path, files);
    file.module.InsertLines(2, "' \xE4\xB8\xAD");
    try {
        file.Bytes();
        ADD_FAILURE();
    } catch (const platform::EncodingError& e) {
        EXPECT_EQ(std::string(e.what()), path + ", line 3: U+4E2D '\xE4\xB8\xAD' cannot be stored in windows-1252");
    }
}

}  // namespace
