// Module DBase: field specs. A spec names what a data label or a page-template text shows:
// columns of the open aircraft record, seat and table lookups, one-character operators applied
// left to right, a unit for the metric view and a number format.
#include <cmath>
#include <optional>

#include "foundation/DBase.h"
#include "foundation/General.h"
#include "foundation/Registry.h"
#include "platform/db/Ado.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/Strings.h"
#include "platform/runtime/Trap.h"

namespace DBase {

namespace {

constexpr std::string_view kModule = "DBase";

// A column of the open record: its value, or why there is none.
struct ColumnRead {
  bool missing = false;  // the record has no such column
  bool null = false;     // Null, or no value could be read (no open record, no current row)
  vb::Variant value;
  int type = 0;
};

ColumnRead ReadColumn(std::string_view name) {
  ColumnRead read;
  const adodb::Recordset& rs = vars().DBRecordset;
  // No open record (its open failed and was reported) or no current row: no value, found
  // without raising an error per field.
  if (!rs.isOpen()) {
    read.null = true;
    return read;
  }
  try {
    adodb::Field field = rs.fields(name);
    if (rs.eof()) {
      read.null = true;
      return read;
    }
    try {
      read.value = field.value();
      read.type = field.type();
      read.null = read.value.isNull();
    } catch (...) {
      read.null = true;
    }
  } catch (const vb::Error& e) {
    if (e.number == vb::err::ItemNotFound)
      read.missing = true;
    else
      read.null = true;
  } catch (...) {
    read.null = true;
  }
  return read;
}

std::string MissingText(std::string_view name) {
  return vars().ShowMissingFields ? "?" + std::string(name) : "-";
}

std::string NullText(std::string_view name) {
  return vars().ShowBlankFields ? "[" + std::string(name) + "]" : " ";
}

// The value of one term of a spec.
std::string TermValue(vb::Proc& g, const std::string& term) {
  Vars& v = vars();
  if (term.empty()) return "-";
  if (vb::InStr(term, ">") == 0) {
    ColumnRead read = ReadColumn(term);
    if (read.missing) return MissingText(term);
    if (read.null) return NullText(term);
    std::string text;
    g.step([&] {
      text = read.value.toString();
      v.LastFieldType = vb::Variant(static_cast<int32_t>(read.type));
    });
    if (text == "True") return "Yes";
    if (text == "False") return "No";
    return text;
  }
  // A lookup: local "=" key ">" table "." column; a missing separator gives its part all that
  // remains and leaves the later parts empty.
  std::string rest = term;
  std::string local = General::TakeLeft(rest, "=");
  std::string key = General::TakeLeft(rest, ">");
  std::string table = General::TakeLeft(rest, ".");
  std::string column = rest;
  local = vb::Trim(local);
  if (table == "CorpSeats" || table == "UtilSeats") {
    const Registry::Settings& s = Registry::RegSettings();
    std::string acNum = vb::Trim(key) == "1" ? s.Aircraft1 : s.Aircraft2;
    return g.value([&] { return LookupSeats(acNum, table == "CorpSeats" ? 3 : 6, local); });
  }
  ColumnRead read = ReadColumn(local);
  if (read.missing) return MissingText(column);
  if (read.null) return NullText(column);
  std::string keyValue, found;
  g.step([&] { keyValue = read.value.toString(); });
  g.step([&] { found = Lookup(column, table, key, keyValue); });
  return found;
}

// left op right, for the operator character `op`.
std::string Apply(char op, const std::string& left, const std::string& right) {
  auto number = [](const std::string& t) { return vb::Val(t); };
  switch (op) {
    case 'n':
      return left + "\r\n" + right;
    case '+':
      return vb::CStr(number(left) + number(right));
    case '-':
      return vb::CStr(number(left) - number(right));
    case '*':
      return vb::CStr(number(left) * number(right));
    case '/':
      return vb::CStr(vb::Divide(number(left), number(right)));
    case '%':
      return vb::CStr(vb::Divide(number(left), number(left) + number(right)));
    case 'z':
      return right == "0" ? left : left + " " + right;
    case ' ':
      return left + " " + right;
    case ',':
      return right == " " ? left : left + ", " + right;
    case '|':
      return right == " " ? left : left + "/" + right;
    default:
      return left + " " + op + " " + right;
  }
}

}  // namespace

vb::Variant DatabaseValue(std::string_view spec) {
  // Handles its own errors whatever the setting: a failed step is skipped, never reported.
  vb::Proc g(kModule, "DatabaseValue", vb::Trap::Silent, true);
  Vars& v = vars();
  v.LastFieldType = vb::Variant();
  if (spec.empty() || spec == "Color") return vb::Variant();
  std::string result;
  char op = 0;
  std::string remaining(spec);
  while (!remaining.empty()) {
    std::string term = vb::Trim(General::TakeLeft(remaining, "\\"));
    std::string value = TermValue(g, term);
    if (result.empty() || op == 0) {
      result = value;
    } else {
      // A division by zero leaves the result as it was.
      g.step([&] { result = Apply(op, result, value); });
    }
    if (!remaining.empty()) {
      op = remaining[0];
      remaining.erase(0, 1);
    } else {
      op = 0;
    }
  }
  return vb::Variant(result);
}

std::string DisplayDataValue(std::string spec) {
  vb::Proc g(kModule, "DisplayDataValue");
  Vars& v = vars();
  std::string unit, format, result;
  g.step([&] {
    if (long at = vb::InStr(spec, "{")) {
      unit = vb::Mid(spec, at + 1);
      if (long close = vb::InStr(unit, "}")) unit = vb::Left(unit, close - 1);
      spec = vb::Left(spec, at - 1);
    }
  });
  g.step([&] {
    if (long at = vb::InStr(spec, ";")) {
      format = vb::Mid(spec, at + 1);
      spec = vb::Left(spec, at - 1);
    }
  });
  std::string text;
  g.step([&] { text = DatabaseValue(spec).toString(); });
  if (text.empty()) return "";
  g.step([&] {
    if (v.MetricUnits && !unit.empty()) General::MetricConvert(text, unit);
  });
  result = text;
  g.step([&] {
    if (!format.empty()) {
      result = vb::Format(text, format);
      return;
    }
    if (v.LastFieldType.isEmpty()) return;
    switch (v.LastFieldType.toLong()) {
      case adodb::adUnsignedTinyInt:
      case adodb::adSmallInt:
      case adodb::adInteger:
        result = vb::Format(text, "#,##0");
        break;
      case adodb::adSingle:
      case adodb::adDouble:
        result = vb::Format(text, "#,##0.0");
        break;
      case adodb::adDate:
        result = vb::Format(text, "mm/dd/yy");
        break;
      case adodb::adCurrency:
        result = vb::Format(text, "$#,##0.00");
        break;
      default:
        break;  // text, yes/no and decimal columns are shown as they are
    }
  });
  if (result == "0") result = "-";
  return result;
}

}  // namespace DBase
