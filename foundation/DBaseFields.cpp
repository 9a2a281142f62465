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

// A value of a spec as the arithmetic and the metric conversion read it (`raw`, "." the decimal
// point whatever the locale, as the runtime writes numbers) and as it is shown (`shown`): the
// figures of number columns and of arithmetic results take the user's decimal character there,
// while the text of other columns is shown as stored.
struct Value {
  std::string raw;
  std::string shown;
};

// A text whose numbers are all figures, with the user's decimal character. Not grouped: a year
// or a number within a text keeps its digits together.
std::string ShownFigures(const std::string& raw) {
  const std::string& decimal = vb::CurrentNumberForms().decimal;
  std::string shown;
  for (char c : raw) {
    if (c == '.')
      shown += decimal;
    else
      shown += c;
  }
  return shown;
}

Value Text(std::string text) { return {text, text}; }

Value Figure(std::string text) {
  std::string shown = ShownFigures(text);
  return {std::move(text), std::move(shown)};
}

// left, then `between`, then right.
Value Join(const Value& left, std::string_view between, const Value& right) {
  return {left.raw + std::string(between) + right.raw,
          left.shown + std::string(between) + right.shown};
}

std::string MissingText(std::string_view name) {
  return vars().ShowMissingFields ? "?" + std::string(name) : "-";
}

std::string NullText(std::string_view name) {
  return vars().ShowBlankFields ? "[" + std::string(name) + "]" : " ";
}

// The value of one term of a spec.
Value TermValue(vb::Proc& g, const std::string& term) {
  Vars& v = vars();
  if (term.empty()) return Text("-");
  if (vb::InStr(term, ">") == 0) {
    ColumnRead read = ReadColumn(term);
    if (read.missing) return Text(MissingText(term));
    if (read.null) return Text(NullText(term));
    std::string text;
    g.step([&] {
      text = read.value.toString();
      v.LastFieldType = vb::Variant(static_cast<int32_t>(read.type));
    });
    if (text == "True") return Text("Yes");
    if (text == "False") return Text("No");
    const vb::VarType type = read.value.type();
    if (read.value.isNumber() && type != vb::VarType::Boolean && type != vb::VarType::Date)
      return Figure(std::move(text));
    return Text(std::move(text));
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
    return Text(g.value([&] { return LookupSeats(acNum, table == "CorpSeats" ? 3 : 6, local); }));
  }
  ColumnRead read = ReadColumn(local);
  if (read.missing) return Text(MissingText(column));
  if (read.null) return Text(NullText(column));
  std::string keyValue, found;
  g.step([&] { keyValue = read.value.toString(); });
  g.step([&] { found = Lookup(column, table, key, keyValue); });
  return Text(std::move(found));
}

// left op right, for the operator character `op`. The arithmetic reads the raw texts.
Value Apply(char op, const Value& left, const Value& right) {
  auto number = [](const Value& t) { return vb::Val(t.raw); };
  switch (op) {
    case 'n':
      return Join(left, "\r\n", right);
    case '+':
      return Figure(vb::CStr(number(left) + number(right)));
    case '-':
      return Figure(vb::CStr(number(left) - number(right)));
    case '*':
      return Figure(vb::CStr(number(left) * number(right)));
    case '/':
      return Figure(vb::CStr(vb::Divide(number(left), number(right))));
    case '%':
      return Figure(vb::CStr(vb::Divide(number(left), number(left) + number(right))));
    case 'z':
      return right.raw == "0" ? left : Join(left, " ", right);
    case ' ':
      return Join(left, " ", right);
    case ',':
      return right.raw == " " ? left : Join(left, ", ", right);
    case '|':
      return right.raw == " " ? left : Join(left, "/", right);
    default:
      return Join(left, std::string(" ") + op + " ", right);
  }
}

// DatabaseValue's evaluation, with the shown text beside the raw one; nothing for an empty spec
// and for "Color".
std::optional<Value> Evaluate(std::string_view spec) {
  // Handles its own errors whatever the setting: a failed step is skipped, never reported.
  vb::Proc g(kModule, "DatabaseValue", vb::Trap::Silent, true);
  Vars& v = vars();
  v.LastFieldType = vb::Variant();
  if (spec.empty() || spec == "Color") return std::nullopt;
  Value result;
  char op = 0;
  std::string remaining(spec);
  while (!remaining.empty()) {
    std::string term = vb::Trim(General::TakeLeft(remaining, "\\"));
    Value value = TermValue(g, term);
    if (result.raw.empty() || op == 0) {
      result = std::move(value);
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
  return result;
}

}  // namespace

vb::Variant DatabaseValue(std::string_view spec) {
  std::optional<Value> value = Evaluate(spec);
  return value ? vb::Variant(std::move(value->raw)) : vb::Variant();
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
  Value value;
  g.step([&] {
    if (std::optional<Value> evaluated = Evaluate(spec)) value = std::move(*evaluated);
  });
  std::string& text = value.raw;
  if (text.empty()) return "";
  g.step([&] {
    if (v.MetricUnits && !unit.empty()) {
      // Every number of the text is converted, and so becomes a figure.
      General::MetricConvert(text, unit);
      value.shown = ShownFigures(text);
    }
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
  // What no format changed (a text that is no single number comes back from Format as it
  // was) shows its figures with the user's decimal character.
  if (result == text) result = value.shown;
  if (result == "0") result = "-";
  return result;
}

}  // namespace DBase
