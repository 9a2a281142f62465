#include "platform/db/Ado.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "platform/runtime/Clock.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Strings.h"

namespace adodb {

namespace {

struct TypeWord {
  std::string_view word;
  int code;
};

// The one map from declared column types to ADO codes. Memo columns are declared LONGTEXT:
// SQLite gives a column declared MEMO numeric affinity, so a memo that reads like a number
// would be stored as a number; MEMO and LONGCHAR are still understood here.
constexpr TypeWord kTypes[] = {
    {"BYTE", adUnsignedTinyInt}, {"TINYINT", adUnsignedTinyInt},
    {"SMALLINT", adSmallInt},    {"SHORT", adSmallInt},
    {"INTEGER", adInteger},      {"INT", adInteger},
    {"LONG", adInteger},         {"COUNTER", adInteger},
    {"SINGLE", adSingle},        {"FLOAT4", adSingle},
    {"DOUBLE", adDouble},        {"FLOAT", adDouble},
    {"REAL", adDouble},          {"CURRENCY", adCurrency},
    {"MONEY", adCurrency},       {"DATETIME", adDate},
    {"DATE", adDate},            {"YESNO", adBoolean},
    {"BOOLEAN", adBoolean},      {"BIT", adBoolean},
    {"DECIMAL", adNumeric},      {"NUMERIC", adNumeric},
    {"CHAR", adWChar},           {"VARCHAR", adVarWChar},
    {"TEXT", adVarWChar},        {"LONGTEXT", adLongVarWChar},
    {"MEMO", adLongVarWChar},    {"LONGCHAR", adLongVarWChar},
    {"GUID", adGUID},            {"BINARY", adVarBinary},
    {"VARBINARY", adVarBinary},  {"LONGBINARY", adLongVarBinary},
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Control characters would break the one-line error log; they show as "?".
std::string Printable(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  return out;
}

}  // namespace

int AdoTypeOf(std::string_view declaredType) {
  size_t start = 0;
  while (start < declaredType.size() && IsBlank(declaredType[start])) ++start;
  size_t end = start;
  while (end < declaredType.size() &&
         std::isalnum(static_cast<unsigned char>(declaredType[end])))
    ++end;
  std::string_view word = declaredType.substr(start, end - start);
  if (word.empty()) return adEmpty;
  for (const TypeWord& t : kTypes)
    if (vb::EqualsNoCase(word, t.word)) return t.code;
  return adEmpty;
}

void RaiseDriverError(long number, std::string_view message) {
  vb::Raise(number, "[SQLite] " + std::string(message));
}

vb::Variant NumberParam(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  std::string_view t = text.substr(b, e - b);

  bool negative = false;
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  const size_t numberStart = i;
  auto digits = [&] {
    size_t from = i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
    return i - from;
  };
  size_t count = digits();
  bool whole = true;
  if (i < t.size() && t[i] == '.') {
    ++i;
    count += digits();
    whole = false;
  }
  bool valid = count > 0;
  if (valid && i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    valid = digits() > 0;
    whole = false;
  }
  if (!valid || i != t.size())
    RaiseDriverError(err::SyntaxError,
                     "syntax error: the key value '" + Printable(text) + "' is not a number");

  std::string_view number = t.substr(numberStart);
  if (whole) {
    int64_t value = 0;
    auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc() && ptr == number.data() + number.size()) {
      if (negative) value = -value;
      if (value >= std::numeric_limits<int32_t>::min() &&
          value <= std::numeric_limits<int32_t>::max())
        return vb::Variant(static_cast<int32_t>(value));
    }
  }
  double value = 0;
  std::from_chars(number.data(), number.data() + number.size(), value);
  return vb::Variant(negative ? -value : value);
}

std::string IsoDateText(double date) {
  vb::DateTimeParts p = vb::PartsOfDate(date);
  char text[48];
  if (p.hour == 0 && p.minute == 0 && p.second == 0)
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", p.year, p.month, p.day);
  else
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day,
                  p.hour, p.minute, p.second);
  return text;
}

std::string QuoteIdentifier(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

}  // namespace adodb
