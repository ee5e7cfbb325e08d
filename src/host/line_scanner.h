// The host's scanner: splits module text into lines with their own line ends and
// tells what each line is to the procedure index (a declaration, an End line, a
// conditional-compilation line, a comment...). It looks only at where a statement
// starts, so keywords inside strings and comments never count.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ide/ide.h"
#include "ide/vb_text.h"
#include "platform/ascii.h"

namespace host {

using ide::Eol;
using ide::EolText;
using ide::LineReader;
using ide::LineSpan;

/// One physical line of a file: its text and its own line end.
struct RawLine {
    std::string text;
    Eol eol = Eol::None;
};

std::vector<RawLine> SplitFileLines(std::string_view text);

enum class LineKind : std::uint8_t {
    Blank,
    Comment,
    Code,
    Declaration,  // Sub, Function, Property Get/Let/Set
    End,          // End Sub, End Function, End Property
    CondIf,       // #If
    CondElse,     // #ElseIf, #Else
    CondEnd,      // #End If
};

/// What a physical line means to the procedure index. A statement continued over
/// several lines with " _" is classified as a whole: its later lines are `inner`
/// and carry the kind of the statement.
struct LineRole {
    LineKind kind = LineKind::Code;
    std::uint8_t procKind = 0;  // ide::ProcKind of a declaration
    bool continues = false;     // ends with the continuation mark " _"
    bool inner = false;         // not the first line of its statement
    bool operator==(const LineRole&) const = default;
};

/// A declaration's name and kind.
struct Declaration {
    std::string name;
    ide::ProcKind kind = ide::vbext_pk_Proc;
    const char* keyword = "";  // "Sub", "Function", "Property Get", ...
};

/// Classifies one statement: `text` is its first line, or its lines joined by
/// JoinContinued. The result has `continues` and `inner` unset.
LineRole ClassifyStatement(std::string_view text);

/// Parses a procedure declaration; false when the statement is none.
bool ParseDeclaration(std::string_view text, Declaration& out);

/// The lines of one continued statement joined into one line, continuation
/// marks removed.
std::string JoinContinued(const std::vector<std::string_view>& lines);

/// `Attribute Name.VB_Something = value`: a line the code window hides.
bool IsAttributeLine(std::string_view line);

/// Number of lines at the top of a module file that the code window hides:
/// VERSION, Object= lines and BEGIN ... END designer blocks, then the leading
/// Attribute lines.
std::size_t PreludeLength(std::string_view fileText);

/// The value of `Attribute VB_Name = "..."`, or empty when the line is not one.
std::string VbNameOf(std::string_view line);

using platform::EqualsNoCase;

}  // namespace host
