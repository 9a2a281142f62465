#pragma once
// The clock and the dates of the BASIC runtime. Dates are OLE automation dates: days since
// 1899-12-30 as a double, the time of day as the fraction. The clock can be replaced, so that
// tests drive time by hand.
#include <string>
#include <string_view>

namespace vb {

class Clock {
 public:
  virtual ~Clock() = default;
  // Seconds since local midnight (Timer).
  virtual float SecondsSinceMidnight() = 0;
  // The local date and time as an OLE date (Now).
  virtual double Now() = 0;
};

// Installs a clock; nullptr restores the system clock.
void SetClock(Clock* clock);

// Timer: seconds since local midnight at single precision; it falls back to 0 at midnight.
float Timer();
// Now: the local date and time.
double Now();

struct DateTimeParts {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0;
};

// DateSerial + TimeSerial: the OLE date of a calendar date and time.
double DateFromParts(const DateTimeParts& parts);
// The first and the last day a date can hold: 1 January 100 and 31 December 9999.
inline constexpr double kFirstDate = -657434;
inline constexpr double kLastDate = 2958465;

// The calendar date and time of an OLE date, rounded to the second. A number outside the date
// range (from kFirstDate to the last second of kLastDate) raises error 6 (Overflow); so do the
// layouts of a date below, which all go through this.
DateTimeParts PartsOfDate(double date);

// The locale's date forms, in the pattern letters d, dd, M, MM, yy, yyyy, h, hh, H, HH, m, mm,
// s, ss, tt (AM/PM designator). Defaults are those of English (United States).
struct DateForms {
  std::string shortDate = "M/d/yyyy";
  std::string longTime = "h:mm:ss tt";
  std::string am = "AM";
  std::string pm = "PM";
};
DateForms& CurrentDateForms();

// A date laid out by a pattern of the letters above; other characters stand as they are.
std::string FormatDatePattern(double date, std::string_view pattern);
// Appends one field of a date pattern, a run of `count` letters in the letters above: d day,
// M month, y year, h hour of 12, H hour of 24, m minute, s second. One letter gives the number
// as it is, more give at least two digits; the year is its last two digits, or all four from
// three letters on. False, and nothing appended, for any other letter.
bool AppendDateField(std::string& out, const DateTimeParts& parts, char letter, size_t count);

// The general date text (CStr of a date): the short date, a blank and the long time; the date
// alone when the time is midnight, the time alone for the zero date.
std::string GeneralDate(double date);

// CDate and IsDate of text: a date in the locale's short-date order (M, d, y with "/", "-" or
// "." between; two-digit years 00-29 are 2000-2029), optionally followed by a time
// "h:mm[:ss] [AM|PM]"; or a time alone. Returns false when the text is no valid date.
bool TryParseDate(std::string_view text, double& date);

}  // namespace vb
