#include "platform/runtime/Clock.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include "platform/runtime/Error.h"
#include "platform/runtime/Strings.h"

namespace vb {

namespace {

class SystemClock final : public Clock {
 public:
  float SecondsSinceMidnight() override {
    auto [tm, micros] = local();
    return static_cast<float>(tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec + micros / 1e6);
  }
  double Now() override {
    auto [tm, micros] = local();
    (void)micros;
    return DateFromParts(
        {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec});
  }

 private:
  static std::pair<std::tm, long> local() {
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    auto micros = std::chrono::duration_cast<std::chrono::microseconds>(
                      now - std::chrono::system_clock::from_time_t(t))
                      .count();
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm, static_cast<long>(micros)};
  }
};

SystemClock systemClock;
Clock* current = &systemClock;

constexpr std::chrono::sys_days epoch =
    std::chrono::year{1899} / std::chrono::December / std::chrono::day{30};

}  // namespace

void SetClock(Clock* clock) { current = clock ? clock : &systemClock; }

float Timer() { return current->SecondsSinceMidnight(); }

double Now() { return current->Now(); }

double DateFromParts(const DateTimeParts& p) {
  using namespace std::chrono;
  sys_days d =
      year{p.year} / month{static_cast<unsigned>(p.month)} / day{static_cast<unsigned>(p.day)};
  double days = static_cast<double>((d - epoch).count());
  double time = (p.hour * 3600.0 + p.minute * 60.0 + p.second) / 86400.0;
  // Before the epoch the fraction still counts forward from midnight of the day.
  return days >= 0 ? days + time : days - time;
}

DateTimeParts PartsOfDate(double date) {
  using namespace std::chrono;
  // Dates run from 1 January 100 to 31 December 9999; any other number (a NaN too) is no
  // date, as converting it to one overflows.
  if (!(date > kFirstDate - 1 && date < kLastDate + 1)) Raise(err::Overflow);
  double whole = std::trunc(date);
  long long secs = std::llround(std::fabs(date - whole) * 86400.0);
  long long dayNumber = static_cast<long long>(whole);
  if (secs >= 86400) {
    secs -= 86400;
    dayNumber += date < 0 ? -1 : 1;
  }
  year_month_day ymd{epoch + days{dayNumber}};
  DateTimeParts p;
  p.year = static_cast<int>(ymd.year());
  p.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  p.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
  p.hour = static_cast<int>(secs / 3600);
  p.minute = static_cast<int>(secs / 60 % 60);
  p.second = static_cast<int>(secs % 60);
  return p;
}

DateForms& CurrentDateForms() {
  static DateForms forms;
  return forms;
}

bool AppendDateField(std::string& out, const DateTimeParts& p, char letter, size_t count) {
  int value = 0;
  size_t width = count >= 2 ? 2 : 1;
  switch (letter) {
    case 'd':
      value = p.day;
      break;
    case 'M':
      value = p.month;
      break;
    case 'y':
      value = count >= 3 ? p.year : p.year % 100;
      width = count >= 3 ? 4 : 2;
      break;
    case 'h':
      value = p.hour % 12 == 0 ? 12 : p.hour % 12;
      break;
    case 'H':
      value = p.hour;
      break;
    case 'm':
      value = p.minute;
      break;
    case 's':
      value = p.second;
      break;
    default:
      return false;
  }
  const std::string digits = std::to_string(value);
  if (digits.size() < width) out.append(width - digits.size(), '0');
  out += digits;
  return true;
}

std::string FormatDatePattern(double date, std::string_view pattern) {
  DateTimeParts p = PartsOfDate(date);
  const DateForms& forms = CurrentDateForms();
  std::string out;
  for (size_t i = 0; i < pattern.size();) {
    char c = pattern[i];
    size_t n = 1;
    while (i + n < pattern.size() && pattern[i + n] == c) ++n;
    if (c == 't') {
      out += p.hour < 12 ? forms.am : forms.pm;
    } else if (!AppendDateField(out, p, c, n)) {
      out.append(n, c);
    }
    i += n;
  }
  return out;
}

std::string GeneralDate(double date) {
  const DateForms& forms = CurrentDateForms();
  DateTimeParts p = PartsOfDate(date);
  bool midnight = p.hour == 0 && p.minute == 0 && p.second == 0;
  bool zeroDate = p.year == 1899 && p.month == 12 && p.day == 30;
  if (zeroDate) return FormatDatePattern(date, forms.longTime);
  if (midnight) return FormatDatePattern(date, forms.shortDate);
  return FormatDatePattern(date, forms.shortDate) + " " + FormatDatePattern(date, forms.longTime);
}

}  // namespace vb

namespace vb {

namespace {

// Reads an unsigned number at `i`; false when there is no digit.
bool readNumber(std::string_view t, size_t& i, int& value) {
  size_t start = i;
  value = 0;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9' && i - start < 6)
    value = value * 10 + (t[i++] - '0');
  return i > start;
}

void skipBlanks(std::string_view t, size_t& i) {
  while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
}

// "h:mm[:ss] [AM|PM]" from `i` to the end of the text.
bool readTime(std::string_view t, size_t& i, int& h, int& m, int& s) {
  const DateForms& forms = CurrentDateForms();
  s = 0;
  if (!readNumber(t, i, h) || i >= t.size() || t[i] != ':') return false;
  ++i;
  if (!readNumber(t, i, m)) return false;
  if (i < t.size() && t[i] == ':') {
    ++i;
    if (!readNumber(t, i, s)) return false;
  }
  skipBlanks(t, i);
  std::string_view rest = t.substr(i);
  size_t end = rest.find_last_not_of(" \t");
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(0, end + 1);
  if (!rest.empty()) {
    bool pm = EqualsNoCase(rest, forms.pm) || EqualsNoCase(rest, "PM");
    bool am = EqualsNoCase(rest, forms.am) || EqualsNoCase(rest, "AM");
    if ((!am && !pm) || h < 1 || h > 12) return false;
    if (am && h == 12) h = 0;
    if (pm && h != 12) h += 12;
  }
  i = t.size();
  return h < 24 && m < 60 && s < 60;
}

}  // namespace

bool TryParseDate(std::string_view text, double& date) {
  std::string_view t = text;
  size_t i = 0;
  skipBlanks(t, i);
  int h = 0, mi = 0, s = 0;
  size_t timeStart = i;
  if (readTime(t, timeStart, h, mi, s)) {
    date = (h * 3600.0 + mi * 60.0 + s) / 86400.0;
    return true;
  }
  h = mi = s = 0;
  // The order of month, day and year as the locale writes its short date.
  std::string order;
  for (char c : CurrentDateForms().shortDate)
    if ((c == 'M' || c == 'd' || c == 'y') && order.find(c) == std::string::npos) order += c;
  if (order.size() != 3) order = "Mdy";
  int parts[3];
  for (int k = 0; k < 3; ++k) {
    if (!readNumber(t, i, parts[k])) return false;
    if (k < 2) {
      if (i >= t.size() || (t[i] != '/' && t[i] != '-' && t[i] != '.')) return false;
      ++i;
    }
  }
  int year = 0, month = 0, day = 0;
  for (int k = 0; k < 3; ++k) {
    if (order[k] == 'M')
      month = parts[k];
    else if (order[k] == 'd')
      day = parts[k];
    else
      year = parts[k];
  }
  if (year < 100) year += year < 30 ? 2000 : 1900;
  if (month < 1 || month > 12 || day < 1 || year > 9999) return false;
  std::chrono::year_month_day ymd{std::chrono::year{year},
                                  std::chrono::month{static_cast<unsigned>(month)},
                                  std::chrono::day{static_cast<unsigned>(day)}};
  if (!ymd.ok()) return false;
  skipBlanks(t, i);
  if (i < t.size()) {
    if (!readTime(t, i, h, mi, s)) return false;
  }
  date = DateFromParts({year, month, day, h, mi, s});
  return true;
}

}  // namespace vb
