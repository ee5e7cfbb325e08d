#include "vbgen/module_writer.h"

#include <array>

namespace vbgen {

namespace {

/// Writes VB procedures with the usual mix of blocks, continued statements,
/// comments and declarations. Deterministic, so runs compare.
class ModuleWriter {
public:
    explicit ModuleWriter(std::uint32_t seed) : seed_(seed) {}
    std::string Write(const std::string& name, long targetLines) {
        Line(0, "Attribute VB_Name = \"" + name + "\"");
        Line(0, "Option Explicit");
        Line(0, "");
        Line(0, "' Generated for the indenter benchmark.");
        Line(0, "Private Const MAX_ITEMS As Long = 100");
        Line(0, "Private mCount As Long");
        Line(0, "");
        for (int n = 1; lines_ < targetLines; ++n) Procedure(n);
        return std::move(text_);
    }
    long procedures() const { return procedures_; }

private:
    std::uint32_t Next() {
        seed_ = seed_ * 1664525u + 1013904223u;
        return seed_ >> 8;
    }
    int Pick(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }

    void Line(int level, const std::string& text) {
        if (!text.empty()) text_.append(static_cast<std::size_t>(level * unit_), ' ');
        text_ += text;
        text_ += "\r\n";
        ++lines_;
    }

    void Procedure(int n) {
        ++procedures_;
        unit_ = std::array<int, 3>{0, 3, 4}[static_cast<std::size_t>(Pick(3))];
        const std::string name = "Process" + std::to_string(n);
        const bool isFunction = Pick(2) == 0;
        Line(0, "' " + name + ": works through the items and reports what it found.");
        Line(0, isFunction ? "Private Function " + name + "(ByVal lCount As Long, _"
                           : "Public Sub " + name + "(ByVal lCount As Long, _");
        Line(0, std::string("    ByRef sName As String)") + (isFunction ? " As Boolean" : ""));
        Line(1, "Dim i As Long");
        Line(1, "Dim sText As String, vItem As Variant");
        if (Pick(3) == 0) Line(1, "Static lCalls As Long");
        Line(1, "On Error GoTo " + name + "_Err");
        const int statements = 6 + Pick(8);
        for (int s = 0; s < statements; ++s) Statement(1, 0);
        Line(0, name + "_Exit:");
        Line(1, isFunction ? "Exit Function" : "Exit Sub");
        Line(0, name + "_Err:");
        Line(1, "MsgBox \"Error \" & Err.Number & \" in " + name + ": \" & Err.Description");
        Line(1, "Resume " + name + "_Exit");
        Line(0, isFunction ? "End Function" : "End Sub");
        Line(0, "");
    }

    void Statement(int level, int depth) {
        const int choice = depth >= 3 ? Pick(5) : Pick(14);
        switch (choice) {
        case 0: Line(level, "sText = sText & \"End Sub \" & CStr(i) & \": \" & sName ' not the end"); break;
        case 1: Line(level, "mCount = mCount + 1 ' running total"); break;
        case 2: Line(level, "If Len(sText) > MAX_ITEMS Then sText = Left$(sText, MAX_ITEMS)"); break;
        case 3: Line(0, ""); break;
        case 4:
            Line(level, "' Keep the caller's name when nothing else is known.");
            Line(level, "Call LogMessage(\"Processing \" & sName, _");
            Line(level + 1, "lCount, _");
            Line(level + 1, "vbInformation)");
            break;
        case 5:
            Line(level, "If lCount > i Then");
            Block(level + 1, depth);
            if (Pick(2) == 0) {
                Line(level, "ElseIf lCount = i Then");
                Block(level + 1, depth);
            }
            Line(level, "Else");
            Block(level + 1, depth);
            Line(level, "End If");
            break;
        case 6: Around(level, depth, "For i = 1 To lCount", "Next i"); break;
        case 7: Around(level, depth, "Do While mCount < lCount", "Loop"); break;
        case 8:
            Line(level, "Select Case lCount Mod 3");
            for (int c = 0; c < 3; ++c) {
                Line(level + 1, c < 2 ? "Case " + std::to_string(c) : std::string("Case Else"));
                Block(level + 2, depth);
            }
            Line(level, "End Select");
            break;
        case 9:
            Line(level, "With vItem");
            Line(level + 1, ".Value = sText");
            Block(level + 1, depth);
            Line(level, "End With");
            break;
        case 10: Around(level, depth, "For Each vItem In mItems", "Next"); break;
        case 11: Line(level, "Debug.Print \"Done: \"; i; \" of \"; lCount"); break;
        case 12: Line(level, "DoEvents"); break;
        default: Line(level, "sName = Trim$(sName) & vbCrLf"); break;
        }
    }

    // A block of statements between an opening and a closing line.
    void Around(int level, int depth, const std::string& open, const std::string& close) {
        Line(level, open);
        Block(level + 1, depth);
        Line(level, close);
    }

    void Block(int level, int depth) {
        const int statements = 1 + Pick(3);
        for (int s = 0; s < statements; ++s) Statement(level, depth + 1);
    }

    std::uint32_t seed_;
    int unit_ = 4;
    long lines_ = 0;
    long procedures_ = 0;
    std::string text_;
};

}  // namespace

std::string GenerateModule(const std::string& name, long lineCount, std::uint32_t seed) {
    return ModuleWriter(seed).Write(name, lineCount);
}

}  // namespace vbgen
