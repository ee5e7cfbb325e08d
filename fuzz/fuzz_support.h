// What the fuzz targets share: reading the fuzzer's bytes as a module and the
// fields of a command, files and settings in memory, and the properties every
// command must keep.
//
// An input is a module's bytes, optionally followed by a NUL byte and the
// command's parameters (numbers, flags and texts). A module file holds no NUL,
// so any module file is an input as it stands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/module_file.h"
#include "host/source_module.h"
#include "host/workspace.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "support/memory_settings.h"
#include "toolwindow/penwork.h"
#include "support/plain_penwork.h"

namespace fuzz {

inline constexpr char kModulePath[] = "/fuzz/Module1.bas";
inline constexpr char kProjectPath[] = "/fuzz/Project1.vbp";

/// The module part and the parameters of an input.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size);
    /// The bytes before the first NUL: a module file.
    std::string_view Module() const { return module_; }
    /// A number from 0 to `limit` (inclusive); 0 once the parameters run out.
    std::uint32_t Number(std::uint32_t limit);
    bool Flag() { return Number(1) == 1; }
    /// A text up to the next NUL, read as Windows-1252 (so every byte is a
    /// character) and given as UTF-8, the way a command receives its options.
    std::string Text();
    /// A line of a module of `count` lines: mostly within it, sometimes just outside.
    long Line(long count);

private:
    std::string_view module_;
    std::string_view params_;
};

/// Files in memory: a path not written is missing.
class MemoryFiles : public platform::FileStore {
public:
    std::optional<std::string> Read(const std::string& path) override;
    void Write(const std::string& path, const std::string& bytes) override;
    std::map<std::string, std::string> files;
};

/// A dialog port that records the titles of the messages it shows.
class RecordingDialogs : public platform::DialogPort {
public:
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    void OnTop(bool) override {}
    void SetBusy(bool) override {}
    void DoEvents() override {}
    std::vector<std::string> titles;
};

/// Stops the run with a report when a property does not hold.
void Require(bool holds, const char* property);
/// A text as a C string literal, for reports.
std::string Quoted(std::string_view text);
/// What a report then shows besides the property (empty: nothing).
void Explain(std::string explanation);

/// Loads `bytes` as a module file; nullopt when the host refuses them (a file
/// or encoding error), which is a refusal and no finding, or, `forEditing`,
/// when a designer block that never ends hides everything after it.
std::optional<host::ModuleFile> LoadModule(std::string_view bytes, const std::string& encoding = "",
                                           bool forEditing = true);

/// A procedure part as the index gives it, for comparing indexes.
struct Part {
    std::string name;
    int kind = 0;
    long start = 0, count = 0, body = 0;
    bool operator==(const Part&) const = default;
};
std::vector<Part> PartsOf(const host::SourceModule& module);

/// The index's answers agree with each other: ranges follow one another to the
/// end of the module after the declarations section, ProcOfLine, ProcStartLine
/// and ProcCountLines say the same as Procedures(), and file lines map to code
/// lines and back.
void CheckIndex(const host::SourceModule& module);

/// After a command: the module saves, the saved bytes load again to the same
/// text, and the reloaded index equals the one the edits kept up to date.
/// Returns the saved bytes (nullopt when the module holds a character its code
/// page cannot store, which the save refuses by design). Without `sameIndex`
/// (the command wrote code of the user's own) only the text is compared.
std::optional<std::string> CheckStillLoads(const host::ModuleFile& file, bool sameIndex = true);

/// Whether every line of `before` is still in `after`, in order, with the same
/// text: a command that only inserts lines changed no byte it was not asked to.
bool KeepsLines(std::string_view before, std::string_view after);

/// The names and kinds of the procedure parts, in order.
std::vector<std::pair<std::string, int>> Names(const host::SourceModule& module);

/// A module as it was before a command: its text and its procedure parts.
struct Before {
    explicit Before(const host::SourceModule& module) : text(module.Text()), names(Names(module)) {}
    std::string text;
    std::vector<std::pair<std::string, int>> names;
};

/// A generator's world: the module open in a code window with the cursor at a
/// line, its project, the tool window's fields, files and settings in memory.
struct Stage {
    explicit Stage(host::ModuleFile& file, long line, const std::string& projectText = "");
    /// At a line the input picks, with the project's text (when `projectFromInput`)
    /// and then the fields (FillFields) read from the input.
    Stage(host::ModuleFile& file, Input& input, bool projectFromInput);
    long line = 0;
    MemoryFiles files;
    platform::MemorySettings settings;  // the tests' store: the user's is never touched
    RecordingDialogs dialogs;
    std::optional<host::Project> project;
    host::Workspace workspace;
    toolwindow::PlainPenwork window;

private:
    void Open(host::ModuleFile& file, const std::string& projectText);
};

/// Fills the tool window's fields from the input: author, initials, revision
/// type and number, the eight text boxes, Before or After, the revision
/// targets and the handler kind.
void FillFields(Input& input, toolwindow::PlainPenwork& window);

/// What a command must keep, whatever it did: a refused command leaves the
/// bytes as they were; otherwise it only inserted lines; the module still
/// loads with its index intact and the same procedures (unless `mayDeclare`:
/// the inserted text holds code of the user's own).
void CheckCommand(const host::ModuleFile& file, const Before& before, bool refused, bool mayDeclare = false);

}  // namespace fuzz
