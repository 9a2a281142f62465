#pragma once
// Number reading and number text of the BASIC runtime, always in the "." form whatever the
// user's locale; the locale is applied only by display formatting.
#include <cstdint>
#include <string>
#include <string_view>

namespace vb {

// The number at the start of a text, as Val does: blanks, tabs and line feeds are skipped
// wherever they stand ("1 2 3" reads 123, "- 3" reads -3); an optional sign, digits, one ".",
// and an exponent with E or D; reading stops at the first character that cannot continue the
// number ("12.5.3" reads 12.5, "1,200" reads 1). "&H" and "&O" read hexadecimal and octal, as
// a 16-bit value when it fits ("&HFFFF" reads -1), otherwise as 32-bit ("&HFFFFFFFF" reads -1).
// An empty or non-numeric text gives 0; so does a number too large for a double.
double Val(std::string_view text);

// Whether a whole text is a number, as IsNumeric and CDbl judge it: blanks around it, an
// optional sign, digits with optional "," grouping, one ".", an optional exponent (E or D);
// or "&H"/"&O" with digits. On success `value` holds the number ("." is the decimal point).
bool TryParseNumber(std::string_view text, double& value);

// Plain number text (Str$ without its leading blank): "." decimal point, no grouping, at most
// `significant` significant digits (15 for a double, 7 for a single), no trailing zeros, no
// leading zero before the point (".5", "-.25"), exponent form below 1E-04 and from 1E+15 on
// ("1E+15", "1.5E-05"). Infinities are "1.#INF" and "-1.#INF"; a NaN is "-1.#IND" (the
// indefinite NaN, with its sign bit set) or "1.#QNAN".
std::string NumberText(double value, int significant = 15);

// CStr of a number: the plain number text with a zero before the point of a value below 1 in
// size ("0.5", "-0.25"), as the conversion of a number variable to text gave.
std::string CStr(double value, int significant = 15);

// Fix: truncation toward zero, kept as a double (never cast to an integer type).
double Fix(double value);
// Sgn: -1, 0 or 1.
int Sgn(double value);

// CInt, CLng, CByte: rounding half to even; a result out of range raises error 6 (Overflow).
int16_t CInt(double value);
int32_t CLng(double value);
uint8_t CByte(double value);
// CSng: the value at single precision; out of the single range raises error 6.
float CSng(double value);

// Integer division helpers of the evaluator: a zero divisor raises error 11, 0/0 error 6.
double Divide(double a, double b);

}  // namespace vb
