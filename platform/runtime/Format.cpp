#include "platform/runtime/Format.h"

#include <QLocale>
#include <QString>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/runtime/Clock.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/Strings.h"

namespace vb {

NumberForms& CurrentNumberForms() {
  static NumberForms forms;
  return forms;
}

namespace {

// Qt's date pattern letters to the runtime's (d, M, y, h, H, m, s, tt).
std::string FromQtPattern(const QString& qt) {
  std::string in = qt.toStdString(), out;
  for (size_t i = 0; i < in.size(); ++i) {
    char c = in[i];
    if (c == '\'') {  // quoted literal text
      size_t end = in.find('\'', i + 1);
      if (end == std::string::npos) end = in.size();
      out += in.substr(i + 1, end - i - 1);
      i = end;
    } else if ((c == 'A' || c == 'a') && i + 1 < in.size() &&
               (in[i + 1] == 'P' || in[i + 1] == 'p')) {
      out += "tt";
      ++i;
    } else if (c == 'z' || c == 't') {
      // milliseconds and time zones are not part of the runtime's forms
    } else {
      out += c;
    }
  }
  size_t end = out.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : out.substr(0, end + 1);
}

// The digits of a non-negative finite value times 10^shift, rounded half away from zero to
// `decimals` places, as an integer part (no leading zeros; "" for zero) and a fraction of
// exactly `decimals` digits. The shift moves the decimal point of the digits rather than
// multiplying the double, so that a percentage of the largest double is still its digits and
// never an overflow to infinity.
void DecimalDigits(double value, int decimals, int shift, std::string& whole,
                   std::string& fraction) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", value);  // 15 significant digits
  std::string digits;
  const char* p = buf;
  for (; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') digits += *p;
  int exp = (*p == 'e' ? std::atoi(p + 1) : 0) + (value == 0 ? 0 : shift);
  // Place the point: digits[0] has the weight 10^exp.
  std::string intPart, fracPart;
  if (exp >= 0) {
    if (static_cast<int>(digits.size()) <= exp + 1) {
      intPart = digits + std::string(exp + 1 - digits.size(), '0');
    } else {
      intPart = digits.substr(0, exp + 1);
      fracPart = digits.substr(exp + 1);
    }
  } else {
    fracPart = std::string(-exp - 1, '0') + digits;
  }
  if (static_cast<int>(fracPart.size()) < decimals)
    fracPart.append(decimals - fracPart.size(), '0');
  bool roundUp = static_cast<int>(fracPart.size()) > decimals && fracPart[decimals] >= '5';
  fracPart.resize(decimals);
  std::string all = intPart + fracPart;
  if (roundUp) {
    int i = static_cast<int>(all.size()) - 1;
    for (; i >= 0; --i) {
      if (all[i] == '9') {
        all[i] = '0';
      } else {
        ++all[i];
        break;
      }
    }
    if (i < 0) all = "1" + all;
  }
  whole = all.substr(0, all.size() - decimals);
  fraction = all.substr(all.size() - decimals);
  size_t nz = whole.find_first_not_of('0');
  whole = nz == std::string::npos ? std::string() : whole.substr(nz);
}

// Splits a pattern into its ";" sections, keeping quoted and escaped characters intact.
std::vector<std::string> Sections(std::string_view pattern) {
  std::vector<std::string> sections(1);
  for (size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (c == '\\' && i + 1 < pattern.size()) {
      sections.back() += pattern.substr(i, 2);
      ++i;
    } else if (c == '"') {
      size_t end = pattern.find('"', i + 1);
      if (end == std::string_view::npos) end = pattern.size() - 1;
      sections.back() += pattern.substr(i, end - i + 1);
      i = end;
    } else if (c == ';') {
      sections.emplace_back();
    } else {
      sections.back() += c;
    }
  }
  return sections;
}

// One element of a number section: a digit placeholder, the decimal point, or literal text.
struct Token {
  enum Kind { Digit, Point, Literal } kind;
  char placeholder = 0;  // '0' or '#'
  std::string text;
};

std::string FormatNumberSection(double value, const std::string& section) {
  // Infinities and NaNs have no digits: they show as the runtime's number text does.
  if (!std::isfinite(value)) return NumberText(value);
  const NumberForms& forms = CurrentNumberForms();
  std::vector<Token> tokens;
  bool grouping = false, percent = false, seenPoint = false;
  for (size_t i = 0; i < section.size(); ++i) {
    char c = section[i];
    if (c == '0' || c == '#') {
      tokens.push_back({Token::Digit, c, {}});
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
      tokens.push_back({Token::Point, 0, {}});
    } else if (c == ',') {
      // Grouping when it stands between digit placeholders of the integer part.
      bool before = false, after = false;
      for (size_t k = 0; k < i; ++k) before |= section[k] == '0' || section[k] == '#';
      for (size_t k = i + 1; k < section.size() && section[k] != '.'; ++k)
        after |= section[k] == '0' || section[k] == '#';
      if (before && after && !seenPoint)
        grouping = true;
      else
        tokens.push_back({Token::Literal, 0, ","});
    } else if (c == '%') {
      percent = true;
      tokens.push_back({Token::Literal, 0, "%"});
    } else if (c == '\\' && i + 1 < section.size()) {
      tokens.push_back({Token::Literal, 0, std::string(1, section[++i])});
    } else if (c == '"') {
      size_t end = section.find('"', i + 1);
      if (end == std::string::npos) end = section.size();
      tokens.push_back({Token::Literal, 0, section.substr(i + 1, end - i - 1)});
      i = end;
    } else {
      tokens.push_back({Token::Literal, 0, std::string(1, c)});
    }
  }

  int intSlots = 0, fracSlots = 0;
  bool inFraction = false, hasDigits = false;
  for (const Token& t : tokens) {
    if (t.kind == Token::Point) inFraction = true;
    if (t.kind != Token::Digit) continue;
    hasDigits = true;
    if (inFraction)
      ++fracSlots;
    else
      ++intSlots;
  }
  if (!hasDigits) {
    std::string out;
    for (const Token& t : tokens) out += t.text;
    return out;
  }
  // The leftmost '0' of the integer part and every placeholder to its right always show a
  // digit ("#,##0" shows at least one, "00#" three).
  int minIntDigits = 0;
  {
    int pos = 0;
    for (const Token& t : tokens) {
      if (t.kind == Token::Point) break;
      if (t.kind == Token::Digit) {
        ++pos;
        if (t.placeholder == '0') {
          minIntDigits = intSlots - pos + 1;
          break;
        }
      }
    }
  }

  std::string whole, fraction;
  DecimalDigits(std::fabs(value), fracSlots, percent ? 2 : 0, whole, fraction);
  if (static_cast<int>(whole.size()) < minIntDigits)
    whole = std::string(minIntDigits - whole.size(), '0') + whole;
  // Trailing '#' of the fraction drop their zeros.
  {
    int keep = fracSlots;
    int k = fracSlots;
    for (auto it = tokens.rbegin(); it != tokens.rend() && k > 0; ++it) {
      if (it->kind != Token::Digit) continue;
      if (it->placeholder == '#' && keep == k && fraction[k - 1] == '0') --keep;
      --k;
    }
    fraction.resize(keep);
  }
  // Grouped integer digits.
  std::string intText;
  for (size_t i = 0; i < whole.size(); ++i) {
    if (grouping && i > 0 && (whole.size() - i) % 3 == 0) intText += forms.group;
    intText += whole[i];
  }

  // Lay out: literals in place; the integer digits at the first integer placeholder; the
  // fraction digits at the fraction placeholders in order.
  std::string out;
  bool intDone = false;
  size_t fracAt = 0;
  inFraction = false;
  for (const Token& t : tokens) {
    switch (t.kind) {
      case Token::Literal:
        out += t.text;
        break;
      case Token::Point:
        inFraction = true;
        if (!intDone) {
          out += intText;
          intDone = true;
        }
        out += forms.decimal;
        break;
      case Token::Digit:
        if (!inFraction) {
          if (!intDone) {
            out += intText;
            intDone = true;
          }
        } else if (fracAt < fraction.size()) {
          out += fraction[fracAt++];
        }
        break;
    }
  }
  return out;
}

bool IsDatePattern(std::string_view pattern) {
  bool letters = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (c == '\\') {
      ++i;
      continue;
    }
    if (c == '0' || c == '#') return false;
    char l = static_cast<char>(c | 0x20);
    if (l == 'd' || l == 'm' || l == 'y' || l == 'h' || l == 'n' || l == 's') letters = true;
  }
  return letters;
}

std::string FormatDate(double date, std::string_view pattern) {
  const NumberForms& forms = CurrentNumberForms();
  const DateForms& dateForms = CurrentDateForms();
  DateTimeParts p = PartsOfDate(date);
  std::string out;
  bool afterHour = false;
  for (size_t i = 0; i < pattern.size();) {
    char c = pattern[i];
    char l = static_cast<char>(c | 0x20);
    if (c == '\\' && i + 1 < pattern.size()) {
      out += pattern[i + 1];
      i += 2;
      continue;
    }
    if (c == '"') {
      size_t end = pattern.find('"', i + 1);
      if (end == std::string_view::npos) end = pattern.size();
      out += pattern.substr(i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    if (EqualsNoCase(pattern.substr(i, 5), "AM/PM")) {
      out += p.hour < 12 ? dateForms.am : dateForms.pm;
      i += 5;
      continue;
    }
    size_t n = 1;
    while (i + n < pattern.size() && static_cast<char>(pattern[i + n] | 0x20) == l &&
           std::isalpha(static_cast<unsigned char>(c)))
      ++n;
    bool twelve = false;
    for (size_t k = i; k + 5 <= pattern.size(); ++k)
      twelve |= EqualsNoCase(pattern.substr(k, 5), "AM/PM");
    // The fields in the letters of the runtime's date patterns (FormatDatePattern).
    switch (l) {
      case 'd':
      case 'y':
      case 's':
        AppendDateField(out, p, l, n);
        break;
      case 'h':
        AppendDateField(out, p, twelve ? 'h' : 'H', n);
        afterHour = true;
        break;
      case 'n':
        AppendDateField(out, p, 'm', n);
        break;
      case 'm':
        AppendDateField(out, p, afterHour ? 'm' : 'M', n);
        afterHour = false;
        break;
      case '/':
        out += forms.dateSeparator;
        break;
      case ':':
        out += forms.timeSeparator;
        break;
      default:
        out.append(n, c);
        break;
    }
    i += n;
  }
  return out;
}

}  // namespace

void UseSystemLocale() {
  QLocale locale = QLocale::system();
  if (locale.language() == QLocale::C) return;
  NumberForms& forms = CurrentNumberForms();
  forms.decimal = QString(locale.decimalPoint()).toStdString();
  forms.group = QString(locale.groupSeparator()).toStdString();
  DateForms& dates = CurrentDateForms();
  std::string shortDate = FromQtPattern(locale.dateFormat(QLocale::ShortFormat));
  std::string longTime = FromQtPattern(locale.timeFormat(QLocale::LongFormat));
  if (!shortDate.empty()) dates.shortDate = shortDate;
  if (!longTime.empty()) dates.longTime = longTime;
  dates.am = locale.amText().toStdString();
  dates.pm = locale.pmText().toStdString();
  for (char c : shortDate) {
    if (c != 'd' && c != 'M' && c != 'y') {
      forms.dateSeparator = std::string(1, c);
      break;
    }
  }
}

std::string Format(std::string_view text, std::string_view pattern) {
  if (pattern.empty()) return std::string(text);
  if (IsDatePattern(pattern)) {
    double date = 0;
    if (!TryParseDate(text, date) && !TryParseNumber(text, date)) return std::string(text);
    return FormatDate(date, pattern);
  }
  double value = 0;
  if (!TryParseNumber(text, value)) return std::string(text);
  std::vector<std::string> sections = Sections(pattern);
  if (value < 0 && sections.size() >= 2 && !sections[1].empty())
    return FormatNumberSection(-value, sections[1]);
  if (value == 0 && sections.size() >= 3 && !sections[2].empty())
    return FormatNumberSection(0, sections[2]);
  std::string out = FormatNumberSection(value, sections[0]);
  // A single section puts the sign in front of everything; a value that rounds to zero
  // shows no sign.
  if (value < 0 && out.find_first_of("123456789") != std::string::npos) out = "-" + out;
  return out;
}

}  // namespace vb
