#include "platform/runtime/Number.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/runtime/Error.h"

namespace vb {

namespace {

bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Reads "&H..." / "&O..." after the prefix. Windows keeps the result 16-bit when it fits.
double readRadix(std::string_view text, size_t i, int radix) {
  uint64_t v = 0;
  bool any = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (isSkipped(c)) continue;
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (radix == 16 && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (radix == 16 && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      break;
    if (d >= radix) break;
    any = true;
    if (v > (UINT64_MAX >> 4)) return 0;  // far beyond any 32-bit value
    v = v * radix + d;
  }
  if (!any) return 0;
  if (v <= 0xFFFF) return static_cast<int16_t>(static_cast<uint16_t>(v));
  if (v <= 0xFFFFFFFFull) return static_cast<int32_t>(static_cast<uint32_t>(v));
  return static_cast<double>(v);
}

}  // namespace

double Val(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && isSkipped(text[i])) ++i;
  if (i + 1 < text.size() && text[i] == '&') {
    char p = text[i + 1];
    if (p == 'H' || p == 'h') return readRadix(text, i + 2, 16);
    if (p == 'O' || p == 'o') return readRadix(text, i + 2, 8);
    return 0;
  }
  // Gather the characters of the number without the skipped blanks, then convert once.
  std::string num;
  enum { Sign, Int, Frac, ExpSign, Exp } at = Sign;
  bool digits = false;
  size_t expStart = 0;  // length of `num` before the exponent, to drop an exponent with no digits
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (isSkipped(c)) continue;
    bool digit = c >= '0' && c <= '9';
    if (at == Sign && (c == '+' || c == '-')) {
      if (c == '-') num += '-';
      at = Int;
    } else if ((at == Sign || at == Int) && digit) {
      num += c, digits = true, at = Int;
    } else if ((at == Sign || at == Int) && c == '.') {
      num += '.', at = Frac;
    } else if (at == Frac && digit) {
      num += c, digits = true;
    } else if ((at == Int || at == Frac) && digits &&
               (c == 'E' || c == 'e' || c == 'D' || c == 'd')) {
      expStart = num.size();
      num += 'e', at = ExpSign;
    } else if (at == ExpSign && (c == '+' || c == '-')) {
      num += c, at = Exp;
    } else if ((at == ExpSign || at == Exp) && digit) {
      num += c, at = Exp;
      expStart = 0;
    } else {
      break;
    }
  }
  if (!digits) return 0;
  if (expStart) num.resize(expStart);  // "1e" reads 1
  double v = 0;
  auto result = std::from_chars(num.data(), num.data() + num.size(), v);
  if (result.ec != std::errc()) return 0;
  return v;
}

bool TryParseNumber(std::string_view text, double& value) {
  size_t b = text.find_first_not_of(" \t");
  if (b == std::string_view::npos) return false;
  size_t e = text.find_last_not_of(" \t");
  std::string_view t = text.substr(b, e - b + 1);
  if (t.size() >= 2 && t[0] == '&') {
    char p = t[1];
    int radix = (p == 'H' || p == 'h') ? 16 : (p == 'O' || p == 'o') ? 8 : 0;
    if (radix == 0 || t.size() == 2) return false;
    for (char c : t.substr(2)) {
      bool ok = (c >= '0' && c <= (radix == 8 ? '7' : '9')) ||
                (radix == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
      if (!ok) return false;
    }
    value = Val(t);
    return true;
  }
  std::string clean;
  size_t i = 0;
  if (t[i] == '+' || t[i] == '-') clean += t[i++];
  bool digits = false;
  while (i < t.size() && ((t[i] >= '0' && t[i] <= '9') || (t[i] == ',' && digits))) {
    if (t[i] != ',') clean += t[i], digits = true;
    ++i;
  }
  if (i < t.size() && t[i] == '.') {
    clean += t[i++];
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') clean += t[i++], digits = true;
  }
  if (!digits) return false;
  if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
    clean += 'e';
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) clean += t[i++];
    bool expDigits = false;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') clean += t[i++], expDigits = true;
    if (!expDigits) return false;
  }
  if (i != t.size()) return false;
  double v = 0;
  const char* first = clean.data();
  if (*first == '+') ++first;
  auto result = std::from_chars(first, clean.data() + clean.size(), v);
  if (result.ec != std::errc() || result.ptr != clean.data() + clean.size()) return false;
  value = v;
  return true;
}

std::string NumberText(double value, int significant) {
  // The texts the Windows runtime shows for the numbers that have no digits (a database
  // column may hold them): the indefinite NaN of a failed operation has its sign bit set.
  if (std::isnan(value)) return std::signbit(value) ? "-1.#IND" : "1.#QNAN";
  if (std::isinf(value)) return value < 0 ? "-1.#INF" : "1.#INF";
  if (value == 0) return "0";
  if (significant < 1) significant = 1;
  if (significant > 17) significant = 17;
  // "%.*e" rounds to the wanted significant digits; the mantissa digits and the exponent are
  // then laid out by hand in the runtime's own form.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", significant - 1, std::fabs(value));
  std::string digits;
  const char* p = buf;
  for (; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') digits += *p;
  int exp = *p == 'e' ? std::atoi(p + 1) : 0;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = value < 0 ? "-" : "";
  if (exp < -4 || exp >= 15) {
    out += digits[0];
    if (digits.size() > 1) out += '.' + digits.substr(1);
    char e[16];
    std::snprintf(e, sizeof e, "E%c%02d", exp < 0 ? '-' : '+', std::abs(exp));
    return out + e;
  }
  if (exp < 0) return out + "." + std::string(-exp - 1, '0') + digits;
  size_t intLen = static_cast<size_t>(exp) + 1;
  if (digits.size() <= intLen) return out + digits + std::string(intLen - digits.size(), '0');
  return out + digits.substr(0, intLen) + "." + digits.substr(intLen);
}

std::string CStr(double value, int significant) {
  std::string text = NumberText(value, significant);
  if (text.starts_with(".")) return "0" + text;
  if (text.starts_with("-.")) return "-0" + text.substr(1);
  return text;
}

double Fix(double value) { return std::trunc(value); }

int Sgn(double value) { return value > 0 ? 1 : value < 0 ? -1 : 0; }

namespace {
double roundEven(double value, double lo, double hi) {
  if (std::isnan(value)) Raise(err::Overflow);
  double r = std::nearbyint(value);  // the default rounding mode rounds halves to even
  if (r < lo || r > hi) Raise(err::Overflow);
  return r;
}
}  // namespace

int16_t CInt(double value) { return static_cast<int16_t>(roundEven(value, -32768, 32767)); }

int32_t CLng(double value) {
  return static_cast<int32_t>(roundEven(value, -2147483648.0, 2147483647.0));
}

uint8_t CByte(double value) { return static_cast<uint8_t>(roundEven(value, 0, 255)); }

float CSng(double value) {
  if (std::isfinite(value) && std::fabs(value) > FLT_MAX) Raise(err::Overflow);
  return static_cast<float>(value);
}

double Divide(double a, double b) {
  if (b == 0) Raise(a == 0 ? err::Overflow : err::DivisionByZero);
  return a / b;
}

}  // namespace vb
