// Stand-ins for the VB runtime's text and number helpers. Text is UTF-8 and
// every position and length counts characters (code points), as VB's do.
#pragma once

#include <string>
#include <string_view>

namespace platform {

/// Format$ for the patterns the system uses: "00000", "0000", "00", "#0.",
/// "00." and "@@@!". Numbers are rounded to whole numbers first. A text that
/// reads as a number takes a number pattern as that number; any other text is
/// returned as it is. Another pattern throws std::invalid_argument.
std::string Format(double value, std::string_view pattern);
std::string Format(std::string_view text, std::string_view pattern);

/// Val: the leading number of a text; blanks, tabs and line feeds are skipped;
/// "&H" and "&O" prefixes; 0 when there is none.
double Val(std::string_view text);

/// Trim, LTrim, RTrim: blanks (U+0020) only; tabs stay.
std::string Trim(std::string_view text);
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);

/// InStr(start, haystack, needle, vbTextCompare): 1-based position of the first
/// match at or after `start`, ignoring letter case; 0 when there is none.
long InStrText(long start, std::string_view haystack, std::string_view needle);
/// InStr with binary (case-sensitive) comparison.
long InStr(long start, std::string_view haystack, std::string_view needle);

/// Len, Left$, Mid$ in characters. A start below 1 or a negative length (here
/// and in InStr) throws std::invalid_argument, where VB raises error 5.
long Len(std::string_view text);
std::string Left(std::string_view text, long length);
std::string Mid(std::string_view text, long start, long length = -1);

}  // namespace platform
