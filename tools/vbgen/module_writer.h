// Generated VB modules, for the benchmarks and as seeds for the fuzz targets.
#pragma once

#include <cstdint>
#include <string>

namespace vbgen {

/// A module of about `lineCount` lines, CR LF, with the usual mix of blocks,
/// continued statements, comments, declarations and keywords inside strings;
/// its indentation varies from procedure to procedure. The same seed gives the
/// same text.
std::string GenerateModule(const std::string& name, long lineCount, std::uint32_t seed = 12345);

}  // namespace vbgen
