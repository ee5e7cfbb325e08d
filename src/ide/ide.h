// The IDE's extensibility object model, as far as Quillmark calls it.
//
// Every command reads and changes VB source only through these interfaces; the
// host (src/host) implements them over files, the desktop editor over its code
// panes. Text is UTF-8. Lines and columns count from 1; a column counts
// characters (code points), not bytes. A failing operation throws HostError
// with the VB error number and description.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace ide {

/// A failed operation of the object model, numbered as the VB runtime numbers it.
class HostError : public std::runtime_error {
public:
    HostError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int Number() const { return number_; }
    std::string Description() const { return what(); }

private:
    int number_;
};

// The errors the host raises.
inline constexpr int kInvalidCall = 5;          // "Invalid procedure call or argument"
inline constexpr int kSubscriptOutOfRange = 9;  // "Subscript out of range"
inline constexpr int kSubNotDefined = 35;       // "Sub or Function not defined"
inline constexpr int kObjectNotSet = 91;        // "Object variable or With block variable not set"
[[noreturn]] void Raise(int number);            // throws HostError with the standard text

/// Procedure kinds (vbext_ProcKind).
enum ProcKind : int {
    vbext_pk_Proc = 0,  // Sub or Function
    vbext_pk_Let = 1,
    vbext_pk_Set = 2,
    vbext_pk_Get = 3,
};

/// Window kinds used by the commands (vbext_WindowType).
inline constexpr int vbext_wt_CodeWindow = 0;
inline constexpr int vbext_wt_Designer = 1;
inline constexpr int vbext_wt_ProjectWindow = 6;

/// Component kinds (vbext_ComponentType).
inline constexpr int vbext_ct_StdModule = 1;
inline constexpr int vbext_ct_ClassModule = 2;
inline constexpr int vbext_ct_VBForm = 5;
inline constexpr int vbext_ct_RelatedDocument = 10;

/// Where one procedure part stands: ProcStartLine, ProcCountLines and ProcBodyLine.
struct ProcLines {
    long start = 0;
    long count = 0;
    long body = 0;
};

class CodeModule {
public:
    virtual ~CodeModule() = default;

    /// The text of `count` lines from `startLine`, joined by CR LF.
    virtual std::string Lines(long startLine, long count) const = 0;
    /// Inserts `text` before `line` (1 <= line <= CountOfLines() + 1). The text is
    /// split at CR LF, lone LF and lone CR; a text ending in a line break adds an
    /// empty line after it.
    virtual void InsertLines(long line, const std::string& text) = 0;
    virtual void ReplaceLine(long line, const std::string& text) = 0;
    virtual void DeleteLines(long startLine, long count) = 0;
    virtual long CountOfLines() const = 0;
    /// Lines of the declarations section: up to its last line that is neither
    /// blank nor a comment before the first procedure.
    virtual long CountOfDeclarationLines() const = 0;

    /// First line of the procedure part, taking in the comment and blank lines above
    /// its declaration. Throws kSubNotDefined when there is no such part.
    virtual long ProcStartLine(const std::string& procName, ProcKind kind) const = 0;
    virtual long ProcCountLines(const std::string& procName, ProcKind kind) const = 0;
    /// The line of the declaration itself (its first physical line).
    virtual long ProcBodyLine(const std::string& procName, ProcKind kind) const = 0;
    /// Name of the procedure holding `line`, empty outside procedures; `kind`
    /// receives its kind.
    virtual std::string ProcOfLine(long line, ProcKind& kind) const = 0;
    /// A module may hold whole copies of one procedure, one under #If and another
    /// under #Else. ProcStartLine, ProcCountLines and ProcBodyLine answer for the
    /// first copy, as the IDE does; this answers for the copy whose range holds
    /// `line`, or the first one when none does. Throws kSubNotDefined when there
    /// is no such part. The default, right for a host that keeps no copies,
    /// answers as those three do.
    virtual ProcLines ProcLinesAt(const std::string& procName, ProcKind kind, long line) const;

    /// Searches lines startLine..endLine, from startColumn on the first line, and
    /// never outside them: an empty range finds nothing. An
    /// endColumn of -1, 0 or 1 means the whole last line; any other value is the
    /// column where a match must end at the latest. On success the four positions
    /// receive the match (end column one past its last character).
    virtual bool Find(const std::string& target, long& startLine, long& startColumn,
                      long& endLine, long& endColumn, bool wholeWord = false,
                      bool matchCase = false, bool patternSearch = false) const = 0;
};

class Window {
public:
    virtual ~Window() = default;
    virtual std::string Caption() const = 0;
    virtual bool Visible() const = 0;
    virtual int Type() const = 0;
    virtual void Close() = 0;
};

class CodePane {
public:
    virtual ~CodePane() = default;
    virtual void GetSelection(long& startLine, long& startColumn, long& endLine,
                              long& endColumn) const = 0;
    virtual ide::CodeModule& CodeModule() = 0;
    virtual ide::Window& Window() = 0;
};

class VBComponent {
public:
    virtual ~VBComponent() = default;
    virtual std::string Name() const = 0;
    virtual int Type() const = 0;
    /// Path of the component's file; index 1 is its first file.
    virtual std::string FileNames(int index) const = 0;
};

class VBComponents {
public:
    virtual ~VBComponents() = default;
    virtual long Count() const = 0;
    /// 1-based.
    virtual VBComponent& Item(long index) = 0;
    /// Adds a file to the project; with `relatedDocument` true as a related document.
    virtual VBComponent& AddFile(const std::string& path, bool relatedDocument) = 0;
};

class VBProject {
public:
    virtual ~VBProject() = default;
    /// Full path of the project file; empty for a project never saved.
    virtual std::string FileName() const = 0;
    virtual ide::VBComponents& VBComponents() = 0;
};

class CommandBarControl {
public:
    virtual ~CommandBarControl() = default;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void Delete() = 0;
};

class CommandBar {
public:
    virtual ~CommandBar() = default;
    virtual std::string Name() const = 0;
    /// Controls.Add: type 1 is a button, added at the end.
    virtual CommandBarControl& AddControl(int type) = 0;
};

class CommandBars {
public:
    virtual ~CommandBars() = default;
    /// Throws kSubscriptOutOfRange when there is no bar of that name.
    virtual CommandBar& Item(const std::string& name) = 0;
};

/// Source of a command-bar control's Click event.
class CommandBarEvents {
public:
    using ClickHandler =
        std::function<void(CommandBarControl& control, bool& handled, bool& cancelDefault)>;
    virtual ~CommandBarEvents() = default;
    virtual void OnClick(ClickHandler handler) = 0;
};

class VBE {
public:
    virtual ~VBE() = default;
    /// The code pane with the focus, or nullptr when no code window has it.
    virtual ide::CodePane* ActiveCodePane() = 0;
    /// The active project, or nullptr.
    virtual ide::VBProject* ActiveVBProject() = 0;
    virtual std::vector<ide::Window*> Windows() = 0;
    virtual ide::CommandBars& CommandBars() = 0;
    /// Events.CommandBarEvents(control).
    virtual ide::CommandBarEvents& CommandBarEvents(CommandBarControl& control) = 0;
};

/// The active pane, or HostError kObjectNotSet, as VB fails on `Nothing`.
CodePane& RequireActiveCodePane(VBE& vbe);
VBProject& RequireActiveVBProject(VBE& vbe);

}  // namespace ide
