#pragma once
// Module DBase: the one door to the aircraft database. It works out both database paths, keeps
// the module connection and recordset that a caller opens on one aircraft's joined record (or
// on its rows of a performance table), reads and closes, offers two one-shot lookups with
// their own connection, and loads the aircraft list.
//
// Values never become SQL text: aircraft numbers, operation numbers and key values are bound
// as parameters, and a text that is not a number fails as the query built from it would have
// (reported, no rows). Table and column names are checked against the database's schema.
// Nothing is ever written to a database, and no open ever creates one.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Variant.h"

namespace DBase {

struct Vars {
  std::string DBPath;     // the aircraft database
  std::string DxfDBPath;  // the drawing database
  // The module record: one slot, replaced by new objects at every module open. Callers in
  // other modules read DBRecordset directly; DBase::CloseDatabase closes both.
  adodb::Connection DBConnection;
  adodb::Recordset DBRecordset;

  // Field specs. LastFieldType: the ADO type code of the last plain column DatabaseValue read
  // with a non-Null value; Empty at the start of every evaluation.
  vb::Variant LastFieldType;
  bool ShowMissingFields = false;  // show "?column" instead of "-" for a column the record lacks
  bool ShowBlankFields = false;    // show "[column]" instead of a blank for a Null column
  bool MetricUnits = false;        // display values in metric units
};
Vars& vars();

void resetForTest();

// The connection string of a database file, the same for both databases.
std::string ConnectionString(std::string_view path);

// DBPath and DxfDBPath from INI section "Database", keys "DBName" and "DxfDBName" (defaults
// "ac.mdb" and "dxf.mdb"), always put after the program folder; then loads the aircraft list.
void InitDatabasePaths();

// Opens the module record on the joined record of an aircraft: its columns and those of its
// maker, its engine, the engine's maker and its corporate (operation 3) operating data. An
// aircraft without an operation 3 row gives an empty record.
void OpenDatabase(std::string_view acNum);
// Opens the module record on an aircraft's rows of a performance table, in displayOrder.
void OpenGraphTable(std::string_view table, std::string_view acNum);
// Closes the module recordset (reported when it is not open), then the module connection.
void CloseDatabase();

// One column of the first row of `table` whose `keyColumn` equals the number `keyValue`, as
// text; "" when Null or when there is no such row (no report). A missing table or column, a key
// that is not a number and a database that cannot be opened are reported and give "".
// Uses its own connection: the module record is untouched.
std::string Lookup(std::string_view column, std::string_view table, std::string_view keyColumn,
                   std::string_view keyValue);
// One column of the AircraftOPS row of an aircraft and an operation (3 corporate, 6 utility),
// with the rules of Lookup.
std::string LookupSeats(std::string_view acNum, int16_t operation, std::string_view column);

// Loads the aircraft list (Globals) from the aircraft database: jets, then pistons, turboprops
// and helicopters, each in the Aircraft table's order. A missing database leaves the list empty
// without a report.
void LoadAircraftDBInfo();

// The raw text of a field spec evaluated against the module record: terms (columns, seat and
// table lookups) joined by "\" and a one-character operator, applied left to right. Empty for
// an empty spec and for "Color". Handles its own errors, whatever the error-handling setting.
vb::Variant DatabaseValue(std::string_view spec);
// The display text of a field spec: the unit part "{unit}" and the format part ";format" are
// taken off, the rest evaluated, converted to metric when MetricUnits is on and the spec has a
// unit, formatted by the explicit format or by LastFieldType, and a result of "0" shown as "-".
std::string DisplayDataValue(std::string spec);

}  // namespace DBase
