#include "vbgen/module_writer.h"

#include <algorithm>
#include <array>
#include <vector>

namespace vbgen {

namespace {

/// Writes VB procedures with the usual mix of blocks, continued statements,
/// comments and declarations. Deterministic, so runs compare.
class ModuleWriter {
public:
    explicit ModuleWriter(std::uint32_t seed) : seed_(seed) {}
    std::string Write(const std::string& name, long targetLines) {
        Line(0, "Attribute VB_Name = \"" + name + "\"");
        Code(targetLines);
        return std::move(text_);
    }
    std::string WriteClass(const std::string& name, long targetLines) {
        for (const char* line : {"VERSION 1.0 CLASS", "BEGIN", "  MultiUse = -1  'True",
                                 "  Persistable = 0  'NotPersistable", "  DataBindingBehavior = 0  'vbNone",
                                 "  DataSourceBehavior  = 0  'vbNone", "  MTSTransactionMode  = 0  'NotAnMTSObject",
                                 "END"})
            Line(0, line);
        Attributes(name, true);
        Line(0, "Option Explicit");
        Line(0, "");
        Declarations();
        WithEventsVariables();
        const int properties = 2 + Pick(6);
        for (int p = 1; p <= properties; ++p) Line(0, "Private mValue" + std::to_string(p) + " As String");
        Line(0, "");
        for (int p = 1; p <= properties; ++p) PropertyPair("Value" + std::to_string(p), p == 1);
        Procedures(targetLines);
        return std::move(text_);
    }
    std::string WriteForm(const std::string& name, long targetLines) {
        Designer(name, targetLines);
        Attributes(name, false);
        Line(0, "Option Explicit");
        Line(0, "");
        Declarations();
        WithEventsVariables();
        EventProcedures(targetLines - targetLines / 4);
        Procedures(targetLines);
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

    void Code(long targetLines) {
        Line(0, "Option Explicit");
        Line(0, "");
        Declarations();
        Procedures(targetLines);
    }

    void Declarations() {
        Line(0, "' Generated for the indenter benchmark.");
        Line(0, "Private Const MAX_ITEMS As Long = 100");
        Line(0, "Private mCount As Long");
        Line(0, "");
    }

    void Procedures(long targetLines) {
        for (int n = 1; lines_ < targetLines; ++n) Procedure(n);
    }

    // The attributes of a class or a form, hidden by the IDE.
    void Attributes(const std::string& name, bool isClass) {
        Line(0, "Attribute VB_Name = \"" + name + "\"");
        Line(0, "Attribute VB_GlobalNameSpace = False");
        Line(0, std::string("Attribute VB_Creatable = ") + (isClass ? "True" : "False"));
        Line(0, std::string("Attribute VB_PredeclaredId = ") + (isClass ? "False" : "True"));
        Line(0, "Attribute VB_Exposed = False");
    }

    // Each WithEvents variable carries the attribute line VB writes after it.
    void WithEventsVariables() {
        const int count = 1 + Pick(4);
        for (int v = 1; v <= count; ++v) {
            const std::string variable = "mEvents" + std::to_string(v);
            Line(0, "Private WithEvents " + variable + " As CEventSource");
            Line(0, "Attribute " + variable + ".VB_VarHelpID = -1");
        }
        Line(0, "");
    }

    // A Property Get/Let pair; the Get carries member attributes after its
    // declaration.
    void PropertyPair(const std::string& name, bool isDefault) {
        unit_ = 4;
        Line(0, "Public Property Get " + name + "() As String");
        Line(0, "Attribute " + name + ".VB_Description = \"The " + name + " of the item.\"");
        if (isDefault) Line(0, "Attribute " + name + ".VB_UserMemId = 0");
        Line(1, name + " = m" + name);
        Line(0, "End Property");
        Line(0, "");
        Line(0, "Public Property Let " + name + "(ByVal sValue As String)");
        Line(1, "m" + name + " = sValue");
        Line(0, "End Property");
        Line(0, "");
    }

    // Most of a form's code: the form's and its controls' event procedures,
    // many and short, some with an error handler, until `targetLines`.
    void EventProcedures(long targetLines) {
        static const char* events[][2] = {
            {"Click", "()"},
            {"Change", "()"},
            {"KeyPress", "(KeyAscii As Integer)"},
            {"GotFocus", "()"},
            {"LostFocus", "()"},
            {"MouseDown", "(Button As Integer, Shift As Integer, X As Single, Y As Single)"},
            {"DblClick", "()"},
            {"Validate", "(Cancel As Boolean)"},
        };
        for (const char* form : {"Load()", "Resize()", "Unload(Cancel As Integer)"})
            EventProcedure(std::string("Form_") + form);
        for (const auto& [event, arguments] : events)
            for (const std::string& control : controlNames_) {
                if (lines_ >= targetLines) return;
                if (control.rfind("tmr", 0) == 0) continue;
                EventProcedure(control + "_" + event + arguments);
            }
    }

    void EventProcedure(const std::string& declaration) {
        unit_ = 4;
        const std::string name = declaration.substr(0, declaration.find('('));
        const bool handles = Pick(3) == 0;
        Line(0, "Private Sub " + declaration);
        if (handles) Line(1, "On Error GoTo " + name + "_Err");
        const int statements = 1 + Pick(5);
        const int depth = Pick(3) == 0 ? 1 : 3;
        for (int s = 0; s < statements; ++s) Statement(1, depth);
        if (handles) {
            Line(1, "Exit Sub");
            Line(0, name + "_Err:");
            Line(1, "MsgBox Err.Description, vbExclamation");
        }
        Line(0, "End Sub");
        Line(0, "");
    }

    // The designer block: the form and its controls, three blanks a level as
    // VB writes them, each Begin line with its trailing blank.
    void Designer(const std::string& name, long targetLines) {
        Line(0, "VERSION 5.00");
        Line(0, "Object = \"{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0\"; \"MSCOMCTL.OCX\"");
        if (Pick(2) == 0) Line(0, "Object = \"{F9043C88-F6F2-101A-A3C9-08002B2F49FB}#1.2#0\"; \"COMDLG32.OCX\"");
        if (Pick(3) == 0) Line(0, "Object = \"{5E9E78A0-531B-11CF-91F6-C2863C385E30}#1.0#0\"; \"MSFLXGRD.OCX\"");
        frx_ = "\"" + name + ".frx\":";
        Designed(0, "Begin VB.Form " + name + " ");
        Prop(1, "BorderStyle", "1  'Fixed Single");
        Prop(1, "Caption", "\"" + name + "\"");
        for (const char* size : {"ClientHeight", "ClientLeft", "ClientTop", "ClientWidth"})
            Prop(1, size, std::to_string(45 + Pick(9000)));
        Prop(1, "Icon", Frx(766));
        Prop(1, "LinkTopic", "\"Form1\"");
        Prop(1, "MaxButton", "0   'False");
        Prop(1, "StartUpPosition", "2  'CenterScreen");
        const long controls = 3 + targetLines / 100;
        for (long c = 0; c < controls;) c += Control(1);
        Designed(1, "Begin VB.Menu mnuFile ");
        Prop(2, "Caption", "\"&File\"");
        for (const char* item : {"Open", "Save", "Exit"}) {
            Designed(2, std::string("Begin VB.Menu mnuFile") + item + " ");
            Prop(3, "Caption", std::string("\"&") + item + "\"");
            Designed(2, "End");
        }
        Designed(1, "End");
        Designed(0, "End");
    }

    void Designed(int level, const std::string& text) {
        text_.append(static_cast<std::size_t>(level * 3), ' ');
        text_ += text;
        text_ += "\r\n";
        ++lines_;
    }
    void Prop(int level, const std::string& property, const std::string& value) {
        std::string padded = property;
        padded.resize(std::max<std::size_t>(padded.size(), 16), ' ');
        Designed(level, padded + "=   " + value);
    }
    // A value the designer keeps in the form's .frx, at the next offset.
    std::string Frx(int size) {
        static const char* digits = "0123456789ABCDEF";
        std::string offset = frx_;
        for (int shift = 12; shift >= 0; shift -= 4) offset += digits[(frxOffset_ >> shift) & 15];
        frxOffset_ += size;
        return offset;
    }
    void Font(int level) {
        Designed(level, "BeginProperty Font ");
        Prop(level + 1, "Name", "\"Tahoma\"");
        Prop(level + 1, "Size", "8.25");
        Prop(level + 1, "Charset", "0");
        Prop(level + 1, "Weight", Pick(2) == 0 ? "400" : "700");
        for (const char* flag : {"Underline", "Italic", "Strikethrough"}) Prop(level + 1, flag, "0   'False");
        Designed(level, "EndProperty");
    }
    void Placed(int level, int tabIndex) {
        Prop(level, "Height", std::to_string(255 + Pick(3000)));
        Prop(level, "Left", std::to_string(120 + Pick(8000)));
        Prop(level, "TabIndex", std::to_string(tabIndex));
        Prop(level, "Top", std::to_string(120 + Pick(6000)));
        Prop(level, "Width", std::to_string(255 + Pick(4000)));
    }

    // One control (a frame or a picture box holding others); returns how many
    // controls it wrote.
    long Control(int level) {
        static const char* kinds[][2] = {
            {"VB.CommandButton", "cmd"}, {"VB.TextBox", "txt"},     {"VB.Label", "lbl"},
            {"VB.CheckBox", "chk"},      {"VB.ComboBox", "cbo"},    {"VB.OptionButton", "opt"},
            {"VB.Frame", "fra"},         {"VB.PictureBox", "pic"},  {"MSComctlLib.ListView", "lvw"},
            {"VB.ListBox", "lst"},       {"VB.Image", "img"},       {"VB.Timer", "tmr"},
        };
        const int kind = Pick(level < 3 ? 12 : 6);
        const std::string prefix = kinds[kind][1];
        const std::string name = prefix + "Item" + std::to_string(++controls_);
        const int tabIndex = static_cast<int>(controls_);
        Designed(level, std::string("Begin ") + kinds[kind][0] + " " + name + " ");
        long written = 1;
        if (prefix == "cmd" || prefix == "chk" || prefix == "opt" || prefix == "lbl" || prefix == "fra")
            Prop(level + 1, "Caption", "\"&" + name.substr(3) + "\"");
        if (prefix == "txt") Prop(level + 1, "Text", "\"\"");
        if (prefix == "cbo" || prefix == "lst") {
            Prop(level + 1, "ItemData", Frx(4));
            Prop(level + 1, "List", Frx(64));
        }
        if (prefix == "img" || prefix == "pic") Prop(level + 1, "Picture", Frx(4000 + Pick(20000)));
        if (Pick(3) == 0) Font(level + 1);
        if (prefix == "tmr") {
            Prop(level + 1, "Interval", "1000");
            Prop(level + 1, "Left", "120");
            Prop(level + 1, "Top", "120");
        } else {
            Placed(level + 1, tabIndex);
        }
        if (prefix == "lvw") {
            Prop(level + 1, "_ExtentX", std::to_string(1000 + Pick(20000)));
            Prop(level + 1, "_ExtentY", std::to_string(1000 + Pick(9000)));
            Prop(level + 1, "View", "3");
            Prop(level + 1, "_Version", "393217");
            Designed(level + 1, "BeginProperty ColumnHeaders {C6E2E4F0-B9E6-11D0-9BB4-00C04FC30B1D} ");
            const int columns = 2 + Pick(5);
            Prop(level + 2, "NumItems", std::to_string(columns));
            for (int c = 1; c <= columns; ++c) {
                Designed(level + 2, "BeginProperty ColumnHeader(" + std::to_string(c) +
                                        ") {BDD1F052-858B-11D1-B16A-00C0F0283628} ");
                Prop(level + 3, "Text", "\"Column " + std::to_string(c) + "\"");
                Prop(level + 3, "Object.Width", std::to_string(1000 + Pick(3000)));
                Designed(level + 2, "EndProperty");
            }
            Designed(level + 1, "EndProperty");
        }
        if (prefix == "fra" || prefix == "pic") {
            const int children = 1 + Pick(6);
            for (int c = 0; c < children; ++c) written += Control(level + 1);
        }
        controlNames_.push_back(name);
        Designed(level, "End");
        return written;
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
    std::string frx_;
    int frxOffset_ = 0;
    long controls_ = 0;
    std::vector<std::string> controlNames_;  // of the form's controls, in order
};

}  // namespace

std::string GenerateModule(const std::string& name, long lineCount, std::uint32_t seed) {
    return ModuleWriter(seed).Write(name, lineCount);
}

std::string GenerateClass(const std::string& name, long lineCount, std::uint32_t seed) {
    return ModuleWriter(seed).WriteClass(name, lineCount);
}

std::string GenerateForm(const std::string& name, long lineCount, std::uint32_t seed) {
    return ModuleWriter(seed).WriteForm(name, lineCount);
}

}  // namespace vbgen
