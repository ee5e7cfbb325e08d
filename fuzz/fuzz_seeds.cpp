// Writes the seed inputs of every fuzz target: fuzz_seeds EXAMPLES OUTDIR.
// Module targets get the example modules and generated ones, each followed by
// a few parameter bytes; the project reader the example projects; the settings
// reader a few settings files.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "vbgen/module_writer.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kModuleTargets[] = {"module_file",  "scan",          "indent",
                                          "proc_header",  "module_header", "comment_block",
                                          "rights_notice", "error_handler", "revision",
                                          "lsp"};

// What generated modules lack: properties, #If alternatives, member attributes,
// a form's prelude, Declare and Type blocks.
constexpr const char kShapes[] =
    "VERSION 1.0 CLASS\r\nBEGIN\r\n  MultiUse = -1  'True\r\nEND\r\nAttribute VB_Name = \"Shapes\"\r\n"
    "Option Explicit\r\n#If Win64 Then\r\nPrivate Declare PtrSafe Function GetTickCount Lib \"kernel32\" () As LongPtr\r\n"
    "#Else\r\nPrivate Declare Function GetTickCount Lib \"kernel32\" () As Long\r\n#End If\r\n"
    "Private Type tItem\r\n    Name As String\r\nEnd Type\r\nPrivate mValue As Long\r\n\r\n"
    "Public Property Get Value() As Long\r\nAttribute Value.VB_UserMemId = 0\r\n    Value = mValue\r\nEnd Property\r\n\r\n"
    "Public Property Let Value(ByVal lNew As Long)\r\n    mValue = lNew\r\nEnd Property\r\n\r\n"
    "#If VBA7 Then\r\nPrivate Sub Tick(ByVal p As LongPtr, _\r\n    ByVal q As Long)\r\n#Else\r\n"
    "Private Sub Tick(ByVal p As Long, ByVal q As Long)\r\n#End If\r\n    If p Then q = 1 Else q = 2\r\n"
    "    Debug.Print \"End Sub\": q = 3\r\nEnd Sub\r\n' trailing comment\r\n";

constexpr const char* kSettings[] = {
    "[Author]\nName=Jane Doe\nInitials=JD\n[Revision]\nType=BUG\nNumber=00012\nCode=1\n",
    "[ErrorHandler]\nCustom=\"On Error Goto 0\\r\\n' [ProcName]\"\n[Author]\nName=a, b\n",
    "[General]\nx=@ByteArray(abc)\n[Author]\nName=\"quoted ; semi\"\n",
};

void Write(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string Slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A few parameter bytes after the module: a line, flags and short texts.
std::string Params(std::uint32_t seed) {
    std::string params(1, '\0');
    for (int i = 0; i < 3; ++i) params += static_cast<char>((seed * 97u + static_cast<std::uint32_t>(i) * 31u) & 0xFF);
    params += std::string("Jane\0JD\0BUG\0") + "00012" + '\0' + "Adds the rows." + '\0';
    return params;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: fuzz_seeds EXAMPLES OUTDIR\n";
        return 2;
    }
    const fs::path examples = argv[1], out = argv[2];
    std::vector<std::pair<std::string, std::string>> modules;  // name, bytes
    for (const auto& entry : fs::directory_iterator(examples)) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".vbp")
            Write(out / "project" / entry.path().filename(), Slurp(entry.path()));
        else
            modules.emplace_back(entry.path().filename().string(), Slurp(entry.path()));
    }
    modules.emplace_back("shapes.cls", kShapes);
    for (std::uint32_t seed = 1; seed <= 6; ++seed)
        modules.emplace_back("generated" + std::to_string(seed) + ".bas",
                             vbgen::GenerateModule("Generated" + std::to_string(seed), 30 + 25 * seed, seed));
    modules.emplace_back("generated.frm", vbgen::GenerateForm("frmGenerated", 80, 1));
    modules.emplace_back("generated.cls", vbgen::GenerateClass("CGenerated", 60, 1));
    for (const char* target : kModuleTargets) {
        std::uint32_t n = 0;
        for (const auto& [name, bytes] : modules) {
            Write(out / target / name, bytes);
            Write(out / target / (name + ".params"), bytes + Params(++n));
        }
    }
    Write(out / "project" / "lf.vbp", "Type=Exe\nModule=A; src\\A.bas\nClass=B; ..\\B.cls\nRelatedDoc=REVISION.TXT");
    for (std::size_t i = 0; i < std::size(kSettings); ++i)
        Write(out / "settings" / ("seed" + std::to_string(i) + ".ini"), kSettings[i]);
    return 0;
}
