#pragma once
// String functions of the BASIC runtime with its 1-based positions and binary compare.
// Texts are UTF-8 byte strings; positions and lengths count bytes.
#include <string>
#include <string_view>

namespace vb {

// Position (1-based) of `find` in `text` at or after `start`; 0 when absent. An empty `find`
// gives `start` (when start lies within the text). start < 1 raises error 5.
long InStr(long start, std::string_view text, std::string_view find);
inline long InStr(std::string_view text, std::string_view find) { return InStr(1, text, find); }

// Left$, Right$: a negative length raises error 5; a length past the end gives the whole text.
std::string Left(std::string_view text, long length);
std::string Right(std::string_view text, long length);
// Mid$ from 1-based `start` to the end, or `length` bytes; start < 1 or length < 0 raises 5.
std::string Mid(std::string_view text, long start);
std::string Mid(std::string_view text, long start, long length);

// LTrim$, RTrim$, Trim$: blanks only (tabs stay).
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);
std::string Trim(std::string_view text);

// UCase$ and LCase$ of the ASCII letters.
std::string UCase(std::string_view text);
std::string LCase(std::string_view text);

// Case-insensitive (ASCII) equality, as the Windows design compared names.
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace vb
