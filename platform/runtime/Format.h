#pragma once
// Format: the number and date patterns of the display formatting. The value comes in as text
// in the runtime's "." form; the user's locale is applied to the output only (grouping and
// decimal characters, the date separator), so values are never read in a locale's form.
#include <string>
#include <string_view>

namespace vb {

// The locale characters the formatted output uses. Defaults are those of English (United
// States).
struct NumberForms {
  std::string decimal = ".";
  std::string group = ",";
  std::string dateSeparator = "/";
  std::string timeSeparator = ":";
};
NumberForms& CurrentNumberForms();

// Takes the number and date forms of the system locale (QLocale::system()) into
// CurrentNumberForms and CurrentDateForms; the C/POSIX locale keeps the defaults.
void UseSystemLocale();

// Formats `text` by `pattern`.
// Number patterns: "0" a digit always shown, "#" a digit shown when significant, "," grouping
// (between digit placeholders), "." the decimal point, "%" multiplies by 100 and shows "%",
// literal characters ("$", "-", "+", "(", ")", blanks, ...; "\x" and "..." for any text), and
// up to four sections split by ";" (positive, negative, zero, Null). Rounding is half away from
// zero on the decimal value.
// Date patterns (letters d, m, y, h, n, s, "AM/PM"): "mm/dd/yy" and the like; "m" after an
// hour is minutes; "/" and ":" are the locale's separators.
// A text that is not a number (or, for a date pattern, not a date) comes back unchanged.
std::string Format(std::string_view text, std::string_view pattern);

}  // namespace vb
