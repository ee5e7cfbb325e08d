// The procedure and module header blocks. Lines are joined by CR LF; labels are
// followed by TABs so that, at a tab width of 4, every value starts at column 17.
#include "headers/header_text.h"

#include "headers/mheader.h"
#include "ide/vb_text.h"
#include "platform/clock.h"
#include "platform/vbruntime.h"

namespace headers {

namespace {

constexpr char kCrLf[] = "\r\n";
// Header sections and comment blocks show at most this many characters of a
// display line.
constexpr long kSectionWidth = 65;
// The labels of the name lines, which tell the two blocks apart.
constexpr std::string_view kProcNameLabel = "' Name:";
constexpr std::string_view kModuleNameLabel = "' Module Name:";

// The value after `label` and its TABs, when `line` (blanks around it allowed)
// opens with the label.
std::optional<std::string> ValueAfter(std::string_view label, std::string_view line) {
    line = ide::TrimBlanks(line);
    if (line.substr(0, label.size()) != label) return std::nullopt;
    return std::string(ide::TrimBlanks(line.substr(label.size())));
}

// Blank means nothing but spaces; a tab or a line break is not blank.
bool IsBlank(const toolwindow::TextBox& box) { return platform::Trim(box.Text()).empty(); }

// The lines every block shares after its name line: Copyright (only when there
// is one), Author, Created and a lone apostrophe.
std::string AuthorLines(toolwindow::Penwork& window) {
    std::string s;
    const ProjectFacts project = ReadProjectFacts(window);
    if (!project.copyright.empty()) s += "' Copyright:\t" + project.copyright + kCrLf;
    s += "' Author:\t\t" + window.txtName() + kCrLf;
    const std::string created = platform::HeaderDate(platform::Now());
    s += "' Created:\t\t" + created + " (Vers: " + project.version + ")" + kCrLf;
    s += "'";
    s += kCrLf;
    return s;
}

}  // namespace

std::string HeaderRule() { return HeaderEndRule() + kCrLf; }

std::string HeaderEndRule() { return "'" + std::string(70, '-'); }

bool IsHeaderRule(std::string_view line) {
    static const std::string rule = HeaderEndRule();  // asked of every procedure's lines
    return ide::TrimBlanks(line) == rule;
}

std::optional<std::string> ProcHeaderNameOf(std::string_view line) { return ValueAfter(kProcNameLabel, line); }

bool IsModuleHeaderNameLine(std::string_view line) { return ValueAfter(kModuleNameLabel, line).has_value(); }

std::string SectionLines(const toolwindow::TextBox& box) {
    const long n = mHeader::TextBoxLineCount(box);
    std::string s;
    for (long i = 0; i < n; ++i) {
        // The first line continues the label's line; the others line up under it.
        if (i > 0) s += "'\t\t\t\t\t";
        s += mHeader::TextBoxLine(i, box, kSectionWidth) + kCrLf;
    }
    return s;
}

std::string sProcHeader(toolwindow::Penwork& window, const std::string& displayName) {
    using toolwindow::Assumptions, toolwindow::Description, toolwindow::Inputs,
        toolwindow::Results;
    std::string s = HeaderRule();
    s += std::string(kProcNameLabel) + "\t\t\t" + displayName + kCrLf;
    s += AuthorLines(window);

    const toolwindow::TextBox& description = window.txtHeader(Description);
    if (IsBlank(description))
        s += std::string("' Description:") + kCrLf;
    else
        s += "' Description:\t" + SectionLines(description);

    // The other sections appear only when they hold something.
    struct Section {
        int box;
        const char* label;
    };
    for (const Section& section : {Section{Inputs, "' Inputs:\t\t"},
                                   Section{Assumptions, "' Assumptions:\t"},
                                   Section{Results, "' Results:\t\t"}}) {
        const toolwindow::TextBox& box = window.txtHeader(section.box);
        if (!IsBlank(box)) s += section.label + SectionLines(box);
    }
    return s + HeaderEndRule();
}

std::string ModuleHeader(toolwindow::Penwork& window, const std::string& moduleName,
                         const toolwindow::TextBox& description) {
    std::string s = HeaderRule();
    s += std::string(kModuleNameLabel) + "\t" + moduleName + kCrLf;
    s += AuthorLines(window);
    // No blank test here, and the description always ends with a lone apostrophe.
    s += "' Description:\t" + SectionLines(description) + "'" + kCrLf;
    return s + HeaderEndRule();
}

}  // namespace headers
