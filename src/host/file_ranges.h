// Procedure ranges in the file's own numbering, as an editor shows the lines:
// the hidden lines (the file header, attribute lines) inside a range count too.
#pragma once

#include "host/source_module.h"

namespace host {

struct FileRange {
    long start = 0;        // first file line
    long count = 0;
    long declaration = 0;  // the declaration's first file line
};

/// The file lines of a procedure part: from its first code line to the line
/// before the next code line after its last (the file's last line at the end).
FileRange FileRangeOf(const SourceModule& m, const ProcInfo& p);

/// The declarations section in file lines: from line 1 (the hidden header
/// included) to where the first procedure's range begins; the whole file when
/// there is no code at all.
long DeclarationFileLines(const SourceModule& m);

}  // namespace host
