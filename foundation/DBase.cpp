// Module DBase: database paths, the module record, the one-shot lookups and the aircraft list.
#include "foundation/DBase.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <vector>

#include "foundation/Disk.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "platform/db/Ado.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"
#include "platform/runtime/Variant.h"

namespace DBase {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kModule = "DBase";

// The joined record of one aircraft, with the aircraft number bound. The Windows design stated
// it with nested RIGHT JOINs that keep every row of the aircraft side; these are the same joins
// written as LEFT JOINs from Aircraft, which give the same columns in the same order and the
// same rows, and let SQLite read the record without a temporary table (the page templates read
// it once per field). The test of OpNum in the WHERE clause makes an aircraft without a
// corporate row give no row at all; that is how the program has always shown such an aircraft.
constexpr std::string_view kRecordSql =
    "SELECT Aircraft.*, ENGMFG.*, Engine.*, AircraftOPS.*, AircraftOPS.*, ACMFG.* FROM "
    "(((Aircraft LEFT JOIN ACMFG ON ACMFG.AcMfgNum = Aircraft.AcMfgNum) LEFT JOIN AircraftOPS "
    "ON Aircraft.AcNum = AircraftOPS.AcNum) LEFT JOIN Engine ON Engine.EngNumID = "
    "Aircraft.EngNumID) LEFT JOIN ENGMFG ON ENGMFG.EngMfgNumID = Engine.EngMfgNumID WHERE "
    "Aircraft.AcNum = ?1 AND AircraftOPS.OpNum = 3;";

constexpr std::string_view kSeatsSql =
    "SELECT * FROM AircraftOps WHERE AcNum = ?1 AND OpNum = ?2";

// Every aircraft with its maker's columns where a maker row exists, in the Aircraft table's
// own order. SQLite never moves the left table of a LEFT JOIN to an inner loop, so the rows come
// as the Aircraft table is stored: by rowid, or by its key for a table without one (WITHOUT
// ROWID), whose query would fail if it named the rowid.
constexpr std::string_view kListSql =
    "SELECT Aircraft.*, ACMFG.* FROM Aircraft LEFT JOIN ACMFG ON ACMFG.AcMfgNum = "
    "Aircraft.AcMfgNum";

struct Pass {
  std::string_view type;      // AcTypeName as stored
  std::string_view category;  // the category the list shows
};
constexpr Pass kPasses[] = {{"JETS", "Jets"},
                            {"PISTONS", "Pistons"},
                            {"TURBOPROPS", "TurboProps"},
                            {"HELICOPTERS", "Helicopters"}};

// The key value to bind. A text that is not a number is reported here, as the query built from
// it failed; Null is bound instead, which matches no row.
vb::Variant KeyParam(vb::Proc& g, std::string_view text) {
  return g.value([&] { return adodb::NumberParam(text); }, vb::Variant::Null());
}

// New module objects, the connection opened on the aircraft database.
void NewModuleRecord(vb::Proc& g) {
  Vars& v = vars();
  v.DBConnection = adodb::Connection();
  v.DBRecordset = adodb::Recordset();
  g.step([&] { v.DBConnection.open(ConnectionString(v.DBPath)); });
}

// A one-shot lookup on a connection of its own: `column` of the first row of the statement, as
// text. One failure is one report; a missing row is no failure.
std::string LookupFirst(vb::Proc& g, std::string_view column,
                        const std::function<std::string(adodb::Connection&)>& statement,
                        const std::vector<vb::Variant>& params) {
  std::string result;
  g.step([&] {
    adodb::Connection connection;
    connection.open(ConnectionString(vars().DBPath));
    adodb::Recordset rs;
    rs.open(statement(connection), connection, params);
    adodb::Field field = rs.fields(column);  // a missing column is reported, row or no row
    if (!rs.eof() && !field.value().isNull()) result = field.value().toString();
    rs.close();
  });
  return result;
}

// The database file: the joined name, its last part found without regard to case.
std::string DatabaseFile(const std::string& joined) {
  const fs::path path(joined);
  return vb::ResolveName(path.parent_path(), path.filename().string()).string();
}

}  // namespace

using State = vb::ModuleState<Vars, vb::ResetOrder::Foundation>;

Vars& vars() { return State::Get(); }

void resetForTest() { State::Reset(); }

std::string ConnectionString(std::string_view path) {
  // The password is the Windows design's; SQLite has no use for it.
  return "DRIVER={Microsoft Access Driver (*.mdb)};Password=73pahoru41;DBQ=" + std::string(path);
}

void InitDatabasePaths() {
  vb::Proc g(kModule, "InitDatabasePaths");
  Vars& v = vars();
  std::string folder, separator;
  g.step([&] {
    folder = vb::ProgramFolder().string();
    separator = !folder.empty() && folder.back() == '/' ? "" : "/";
  });
  // A name is always put after the program folder, even one that holds a full path.
  std::string name;
  g.step([&] { name = General::IniStr("Database", "DBName"); });
  if (name.empty()) name = "ac.mdb";
  g.step([&] { v.DBPath = DatabaseFile(folder + separator + name); });
  g.step([&] { name = General::IniStr("Database", "DxfDBName"); });
  if (name.empty()) name = "dxf.mdb";
  g.step([&] { v.DxfDBPath = DatabaseFile(folder + separator + name); });
  LoadAircraftDBInfo();
}

void OpenDatabase(std::string_view acNum) {
  vb::Proc g(kModule, "OpenDatabase");
  Vars& v = vars();
  NewModuleRecord(g);
  const vb::Variant key = KeyParam(g, acNum);
  g.step([&] { v.DBRecordset.open(kRecordSql, v.DBConnection, {key}); });
}

void OpenGraphTable(std::string_view table, std::string_view acNum) {
  vb::Proc g(kModule, "OpenGraphTable");
  Vars& v = vars();
  NewModuleRecord(g);
  const vb::Variant key = KeyParam(g, acNum);
  g.step([&] {
    const std::string sql = "SELECT * FROM " +
                            adodb::QuoteIdentifier(v.DBConnection.tableName(table)) +
                            " WHERE AcNum = ?1 ORDER BY displayOrder";
    v.DBRecordset.open(sql, v.DBConnection, {key});
  });
}

void CloseDatabase() {
  vb::Proc g(kModule, "CloseDatabase");
  Vars& v = vars();
  g.step([&] { v.DBRecordset.close(); });
  g.step([&] { v.DBConnection.close(); });
}

std::string Lookup(std::string_view column, std::string_view table, std::string_view keyColumn,
                   std::string_view keyValue) {
  vb::Proc g(kModule, "Lookup");
  const vb::Variant key = KeyParam(g, keyValue);
  return LookupFirst(
      g, column,
      [&](adodb::Connection& connection) {
        return "SELECT * FROM " + adodb::QuoteIdentifier(connection.tableName(table)) +
               " WHERE " + adodb::QuoteIdentifier(connection.columnName(table, keyColumn)) +
               " = ?1";
      },
      {key});
}

std::string LookupSeats(std::string_view acNum, int16_t operation, std::string_view column) {
  vb::Proc g(kModule, "LookupSeats");
  const vb::Variant key = KeyParam(g, acNum);
  return LookupFirst(
      g, column, [](adodb::Connection&) { return std::string(kSeatsSql); },
      {key, vb::Variant(operation)});
}

void LoadAircraftDBInfo() {
  vb::Proc g(kModule, "LoadAircraftDBInfo");
  Vars& v = vars();
  Globals::Vars& list = Globals::vars();
  if (!Disk::FileExists(v.DBPath)) return;

  NewModuleRecord(g);
  list.AircraftList.assign(1, Globals::AircraftListEntry{});
  list.AircraftCount = 0;
  // The table is read once and split into the four passes by type.
  adodb::Recordset& rs = v.DBRecordset;
  g.step([&] { rs.open(kListSql, v.DBConnection); });
  // After a failed query (reported) there is nothing to read.
  if (rs.isOpen()) {
    for (const Pass& pass : kPasses) {
      g.step([&] { rs.moveLast(); });
      g.step([&] { rs.moveFirst(); });
      long rows = 0;
      g.step([&] { rows = rs.recordCount(); });
      for (long row = 1; row <= rows; ++row) {
        bool listed = false;
        g.step([&] {
          const vb::Variant& type = rs.fields("AcTypeName").value();
          listed = !type.isNull() && type.toString() == pass.type;
        });
        if (listed && g.step([&] {
              if (list.AircraftCount == std::numeric_limits<int16_t>::max())
                vb::Raise(vb::err::Overflow);
              list.AircraftList.emplace_back().Category = pass.category;
              ++list.AircraftCount;
            })) {
          // A Null name cannot become text: reported, and that field stays empty.
          Globals::AircraftListEntry& entry = list.AircraftList.back();
          g.step([&] { entry.AcNum = rs.fields("AcNum").value().toString(); });
          g.step([&] { entry.AcMfgName = rs.fields("AcMfgName").value().toString(); });
          g.step([&] { entry.AcName = rs.fields("AcName").value().toString(); });
          g.step([&] { entry.QTZData = rs.fields("QTZData").value().toInteger(); });
        }
        g.step([&] { rs.moveNext(); });
      }
    }
    g.step([&] { rs.close(); });
  }
  g.step([&] { v.DBConnection.close(); });
}

}  // namespace DBase
