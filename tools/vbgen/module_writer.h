// Generated VB modules, classes and forms, for the benchmarks and as seeds for
// the fuzz targets.
#pragma once

#include <cstdint>
#include <string>

namespace vbgen {

/// A module of about `lineCount` lines, CR LF, with the usual mix of blocks,
/// continued statements, comments, declarations and keywords inside strings;
/// its indentation varies from procedure to procedure. The same seed gives the
/// same text.
std::string GenerateModule(const std::string& name, long lineCount, std::uint32_t seed = 12345);

/// A class (.cls) of about `lineCount` lines: the VERSION 1.0 CLASS block and
/// the class attributes, then code as a module's, with property procedures
/// that carry member attributes.
std::string GenerateClass(const std::string& name, long lineCount, std::uint32_t seed = 12345);

/// A form (.frm) of about `lineCount` lines: VERSION 5.00, Object= lines, a
/// designer block of nested controls with property blocks and values kept in
/// the .frx (`"Form1.frx":0000`), larger on a larger form (a few hundred lines
/// at 2,000 lines), the form's attributes, WithEvents variables with their
/// hidden VB_VarHelpID lines, event procedures, then code as a module's.
std::string GenerateForm(const std::string& name, long lineCount, std::uint32_t seed = 12345);

}  // namespace vbgen
