#include "platform/db/Recordset.h"

#include <sqlite3.h>

#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>

#include "platform/runtime/Clock.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/Strings.h"

namespace adodb {

namespace {

using Statement = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>;

// Maps SQLite's message to the number the Access driver gave for the same fault.
[[noreturn]] void RaiseStatementError(sqlite3* db, int rc, bool preparing,
                                      const Connection* connection = nullptr) {
  std::string message = sqlite3_errmsg(db);
  long number = err::DriverFailed;
  if (message.rfind("no such table: ", 0) == 0 && connection) {
    // A saved query of an Access file that did not translate says why.
    std::string problem = connection->missingTableText(message.substr(15));
    if (!problem.empty()) vb::Raise(err::NoSuchTable, "[Access] " + problem);
  }
  if (message.rfind("no such table", 0) == 0)
    number = err::NoSuchTable;
  else if (message.rfind("no such column", 0) == 0)
    number = err::NoValueGiven;
  else if (preparing && (rc & 0xff) == SQLITE_ERROR)
    number = err::SyntaxError;
  // The message names the driver the file is read by.
  if (connection && connection->isAccess()) vb::Raise(number, "[Access] " + message);
  RaiseDriverError(number, message);
}

#ifdef TOLVANE_SQLITE_COLUMN_METADATA
// Whether the result name was given by an AS clause rather than made by SQLite from the column:
// SQLite names a repeated column of a nested join "AcMfgNum:1", and may qualify a name with its
// table ("Aircraft.AcNum").
bool IsAlias(std::string_view result, std::string_view origin) {
  if (vb::EqualsNoCase(result, origin)) return false;
  if (result.size() > origin.size() + 1 &&
      vb::EqualsNoCase(result.substr(0, origin.size()), origin) && result[origin.size()] == ':') {
    std::string_view suffix = result.substr(origin.size() + 1);
    bool digits = true;
    for (char c : suffix) digits = digits && std::isdigit(static_cast<unsigned char>(c));
    if (digits) return false;
  }
  if (result.size() > origin.size() && result[result.size() - origin.size() - 1] == '.' &&
      vb::EqualsNoCase(result.substr(result.size() - origin.size()), origin))
    return false;
  return true;
}
#endif

// The bare name of a result column. SQLite leaves the names of columns without AS unspecified
// (a nested join gives "AcMfgNum:1"), so a column taken from a table is named by its name in
// the table; an AS name and an expression keep their result name.
std::string ColumnName(sqlite3_stmt* st, int i) {
  const char* result = sqlite3_column_name(st, i);
  std::string name = result ? result : "";
#ifdef TOLVANE_SQLITE_COLUMN_METADATA
  const char* origin = sqlite3_column_origin_name(st, i);
  if (origin && !IsAlias(name, origin)) return origin;
#endif
  return name;
}

std::string_view Text(sqlite3_stmt* st, int col) {
  const unsigned char* text = sqlite3_column_text(st, col);
  return {reinterpret_cast<const char*>(text ? text : reinterpret_cast<const unsigned char*>("")),
          static_cast<size_t>(sqlite3_column_bytes(st, col))};
}

// The value as SQLite stored it: for expression columns, and for stored values that the
// declared type cannot hold.
vb::Variant ByStorage(sqlite3_stmt* st, int col) {
  switch (sqlite3_column_type(st, col)) {
    case SQLITE_INTEGER: {
      sqlite3_int64 v = sqlite3_column_int64(st, col);
      if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max())
        return vb::Variant(static_cast<int32_t>(v));
      return vb::Variant(static_cast<double>(v));
    }
    case SQLITE_FLOAT: return vb::Variant(sqlite3_column_double(st, col));
    case SQLITE_NULL: return vb::Variant::Null();
    default: return vb::Variant(std::string(Text(st, col)));
  }
}

bool NumberOf(sqlite3_stmt* st, int col, double& value) {
  switch (sqlite3_column_type(st, col)) {
    case SQLITE_INTEGER: value = static_cast<double>(sqlite3_column_int64(st, col)); return true;
    case SQLITE_FLOAT: value = sqlite3_column_double(st, col); return true;
    case SQLITE_TEXT: return vb::TryParseNumber(Text(st, col), value);
    default: return false;
  }
}

bool Digits(std::string_view t, size_t pos, size_t count, int& value) {
  if (pos + count > t.size()) return false;
  value = 0;
  for (size_t i = pos; i < pos + count; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(t[i]))) return false;
    value = value * 10 + (t[i] - '0');
  }
  return true;
}

// "YYYY-MM-DD", optionally followed by " " or "T" and "HH:MM[:SS[.fraction]]". Read by hand:
// a stored date has no time zone, and Qt's ISO reading would make it a local date-time, in which
// the hour that daylight saving skips does not exist.
bool ParseIsoDate(std::string_view t, double& date) {
  vb::DateTimeParts p;
  if (!Digits(t, 0, 4, p.year) || t.size() < 10 || t[4] != '-' || !Digits(t, 5, 2, p.month) ||
      t[7] != '-' || !Digits(t, 8, 2, p.day))
    return false;
  using namespace std::chrono;
  year_month_day ymd{year{p.year}, month{static_cast<unsigned>(p.month)},
                     day{static_cast<unsigned>(p.day)}};
  if (!ymd.ok()) return false;
  if (t.size() > 10) {
    if ((t[10] != ' ' && t[10] != 'T') || !Digits(t, 11, 2, p.hour) || t.size() < 16 ||
        t[13] != ':' || !Digits(t, 14, 2, p.minute))
      return false;
    size_t end = 16;
    if (t.size() > 16) {
      if (t[16] != ':' || !Digits(t, 17, 2, p.second)) return false;
      end = 19;
      if (t.size() > 19 && t[19] == '.') {
        int digit = 0;
        for (end = 20; end < t.size() && Digits(t, end, 1, digit);) ++end;
      }
    }
    if (end != t.size() || p.hour > 23 || p.minute > 59 || p.second > 59) return false;
  }
  date = vb::DateFromParts(p);
  return true;
}

// A stored value as the Variant of its column's ADO type.
vb::Variant ReadValue(sqlite3_stmt* st, int col, int type) {
  if (sqlite3_column_type(st, col) == SQLITE_NULL) return vb::Variant::Null();
  double number = 0;
  switch (type) {
    case adBoolean:
      if (NumberOf(st, col, number)) return vb::Variant(number != 0);
      if (vb::EqualsNoCase(vb::Trim(Text(st, col)), "True")) return vb::Variant(true);
      if (vb::EqualsNoCase(vb::Trim(Text(st, col)), "False")) return vb::Variant(false);
      break;
    case adUnsignedTinyInt:
    case adSmallInt:
    case adInteger: {
      if (!NumberOf(st, col, number) || number != std::trunc(number)) break;
      if (type == adUnsignedTinyInt && number >= 0 && number <= 255)
        return vb::Variant(static_cast<uint8_t>(number));
      if (type == adSmallInt && number >= -32768 && number <= 32767)
        return vb::Variant(static_cast<int16_t>(number));
      if (type == adInteger && number >= -2147483648.0 && number <= 2147483647.0)
        return vb::Variant(static_cast<int32_t>(number));
      break;
    }
    case adSingle:
      if (NumberOf(st, col, number)) return vb::Variant(static_cast<float>(number));
      break;
    case adDouble:
    case adNumeric:
      if (NumberOf(st, col, number)) return vb::Variant(number);
      break;
    case adCurrency:
      if (NumberOf(st, col, number) && std::fabs(number) < 9.2e14)
        return vb::Variant::Currency(number);
      break;
    case adDate: {
      if (sqlite3_column_type(st, col) == SQLITE_TEXT) {
        std::string_view text = Text(st, col);
        if (ParseIsoDate(text, number) || vb::TryParseDate(text, number))
          return vb::Variant::Date(number);
      } else if (NumberOf(st, col, number)) {
        return vb::Variant::Date(number);
      }
      break;
    }
    case adWChar:
    case adVarWChar:
    case adLongVarWChar: return vb::Variant(std::string(Text(st, col)));
    default: break;
  }
  return ByStorage(st, col);
}

int TypeOfStorage(int storage) {
  switch (storage) {
    case SQLITE_INTEGER: return adInteger;
    case SQLITE_FLOAT: return adDouble;
    case SQLITE_TEXT: return adVarWChar;
    case SQLITE_BLOB: return adLongVarBinary;
    default: return adEmpty;
  }
}

void Bind(sqlite3* db, sqlite3_stmt* st, const std::vector<vb::Variant>& params) {
  const int wanted = sqlite3_bind_parameter_count(st);
  if (static_cast<size_t>(wanted) != params.size())
    RaiseDriverError(err::NoValueGiven, "the statement has " + std::to_string(wanted) +
                                            " parameters and " + std::to_string(params.size()) +
                                            " values were given");
  for (int i = 0; i < wanted; ++i) {
    const vb::Variant& v = params[static_cast<size_t>(i)];
    int rc = SQLITE_OK;
    switch (v.type()) {
      case vb::VarType::Empty:
      case vb::VarType::Null: rc = sqlite3_bind_null(st, i + 1); break;
      case vb::VarType::Boolean:
      case vb::VarType::Byte:
      case vb::VarType::Integer:
      case vb::VarType::Long: rc = sqlite3_bind_int64(st, i + 1, v.toLong()); break;
      case vb::VarType::Single:
      case vb::VarType::Double:
      case vb::VarType::Currency: rc = sqlite3_bind_double(st, i + 1, v.toDouble()); break;
      case vb::VarType::Date:  // dates are stored as ISO text
        rc = sqlite3_bind_text(st, i + 1, IsoDateText(v.toDate()).c_str(), -1, SQLITE_TRANSIENT);
        break;
      case vb::VarType::String: {
        std::string text = v.toString();
        rc = sqlite3_bind_text(st, i + 1, text.data(), static_cast<int>(text.size()),
                               SQLITE_TRANSIENT);
        break;
      }
      case vb::VarType::List: vb::Raise(vb::err::TypeMismatch);
    }
    if (rc != SQLITE_OK) RaiseStatementError(db, rc, false);
  }
}

}  // namespace

void Recordset::open(std::string_view sql, Connection& connection,
                     const std::vector<vb::Variant>& params) {
  if (open_) vb::Raise(err::ObjectOpen, "Operation is not allowed when the object is open.");
  sqlite3* db = connection.handle();  // 3709 when the connection is not open

  // A statement of the same SQL prepared before on the same unchanged file is used again: the
  // program opens the joined record of an aircraft for every field it fills.
  sqlite3_stmt* raw = connection.takeStatement(sql);
  Statement st(raw, sqlite3_finalize);
  int rc = SQLITE_OK;
  if (!raw) {
    const char* tail = nullptr;
    rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &raw, &tail);
    st.reset(raw);
    if (rc != SQLITE_OK) RaiseStatementError(db, rc, true, &connection);
    if (!raw) RaiseDriverError(err::SyntaxError, "the statement is empty");
    for (const char* end = sql.data() + sql.size(); tail && tail < end; ++tail)
      if (!std::isspace(static_cast<unsigned char>(*tail)) && *tail != ';')
        RaiseDriverError(err::SyntaxError, "only one statement can be run at a time");
  }
  connection.prepared();
  Bind(db, raw, params);

  const int count = sqlite3_column_count(raw);
  std::vector<Column> columns(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const char* declared = sqlite3_column_decltype(raw, i);
    columns[static_cast<size_t>(i)] =
        Column{ColumnName(raw, i), AdoTypeOf(declared ? declared : "")};
  }
  std::vector<std::vector<vb::Variant>> rows;
  std::vector<int> storage(static_cast<size_t>(count), SQLITE_NULL);
  while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
    std::vector<vb::Variant>& row = rows.emplace_back();
    row.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
      auto c = static_cast<size_t>(i);
      row.push_back(ReadValue(raw, i, columns[c].type));
      if (storage[c] == SQLITE_NULL) storage[c] = sqlite3_column_type(raw, i);
    }
  }
  if (rc != SQLITE_DONE) RaiseStatementError(db, rc, false, &connection);
  connection.giveBackStatement(sql, st.release());
  // A column without a declared type takes the type of its first stored value.
  for (size_t c = 0; c < columns.size(); ++c)
    if (columns[c].type == adEmpty) columns[c].type = TypeOfStorage(storage[c]);

  columns_ = std::move(columns);
  rows_ = std::move(rows);
  position_ = 0;
  open_ = true;
}

void Recordset::requireOpen() const {
  if (!open_) vb::Raise(vb::err::ObjectClosed);
}

void Recordset::close() {
  requireOpen();
  open_ = false;
  columns_.clear();
  rows_.clear();
  position_ = 0;
}

bool Recordset::eof() const {
  requireOpen();
  return position_ >= rows_.size();
}

bool Recordset::bof() const {
  requireOpen();
  return rows_.empty();
}

void Recordset::moveNext() {
  if (eof()) vb::Raise(vb::err::NoCurrentRecord);
  ++position_;
}

void Recordset::moveFirst() {
  if (bof()) vb::Raise(vb::err::NoCurrentRecord);
  position_ = 0;
}

void Recordset::moveLast() {
  if (bof()) vb::Raise(vb::err::NoCurrentRecord);
  position_ = rows_.size() - 1;
}

long Recordset::recordCount() const {
  requireOpen();
  return static_cast<long>(rows_.size());
}

Field Recordset::fields(std::string_view name) const {
  requireOpen();
  for (size_t i = 0; i < columns_.size(); ++i)
    if (vb::EqualsNoCase(columns_[i].name, name)) return Field(this, i);
  vb::Raise(vb::err::ItemNotFound);
}

const Recordset& Field::checked() const {
  recordset_->requireOpen();
  // A field kept across a close and a new open may name a column the new result lacks.
  if (index_ >= recordset_->columns_.size()) vb::Raise(vb::err::ItemNotFound);
  return *recordset_;
}

const std::string& Field::name() const { return checked().columns_[index_].name; }

int Field::type() const { return checked().columns_[index_].type; }

const vb::Variant& Field::value() const {
  const Recordset& rs = checked();
  if (rs.eof()) vb::Raise(vb::err::NoCurrentRecord);
  return rs.rows_[rs.position_][index_];
}

}  // namespace adodb
