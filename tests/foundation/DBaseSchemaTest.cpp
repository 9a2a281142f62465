// The schema contract of both databases, checked against the test fixtures: every table and
// column the program reads is there, with a declared type whose ADO code gives the display
// format, and every text column compares without regard to case, as Access compared it.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>
#include <set>

#include "platform/db/Ado.h"
#include "platform/db/Connection.h"
#include "platform/runtime/Strings.h"
#include "support/Fixtures.h"

namespace {

namespace fs = std::filesystem;

struct TableColumns {
  const char* table;
  std::vector<const char*> columns;
};

// The tables and the columns the program reads of them.
const TableColumns kAircraftTables[] = {
    {"Aircraft", {"AcNum", "AcTypeName", "AcName", "AcMfgNum", "EngNumID", "QTZData"}},
    {"ACMFG", {"AcMfgNum", "AcMfgName"}},
    {"Engine", {"EngNumID", "EngMfgNumID"}},
    {"ENGMFG", {"EngMfgNumID"}},
    {"AircraftOps", {"AcNum", "OpNum", "PilotSeats", "PassSeats"}},
    {"ACDPWAT", {"AcNum", "displayOrder", "GroupID", "X", "Y", "CAT", "OpNum"}},
    {"Graph Notes", {"GRAPH", "AcNum", "NotesX", "NotesY", "Notes", "Align", "Size"}},
    {"Graph Qualifier", {"GRAPH", "Notes"}},
    {"GraphQTZScale",
     {"GroupNumber", "QTZGraphName", "XMax", "XScale", "XLabel", "YMax", "YScale", "YLabel"}},
    {"VW_AircraftAll", {"AcNum", "GroupNum"}},
    {"ProductExplainTerms", {"ET_ReportGroup", "ET_PlainTextToolTip"}},
    {"ACDPSrvClngCorp", {"AcNum", "displayOrder", "Range", "Altitude", "GroupID"}},
    {"ACDPSrvClngUtil", {"AcNum", "displayOrder", "Payload", "Altitude", "GroupID"}},
    {"ACDPHv", {"AcNum", "displayOrder", "Velocity", "Height", "GroupID"}},
    {"ACDPVne", {"AcNum", "displayOrder", "Speed", "Altitude", "VneVh"}},
    {"ACDPMTE", {"AcNum", "displayOrder", "MTER", "MTEE", "GroupID"}},
    {"ACDPMOS", {"AcNum", "displayOrder", "MOSK", "MCSA", "GroupID"}},
    {"ACDPPR", {"AcNum", "displayOrder", "PRR", "PRP", "GroupID"}},
    {"ACDPMLW", {"AcNum", "displayOrder", "MLWR", "MLWP", "GroupID"}},
    {"ACDPLR", {"AcNum", "displayOrder", "LRR", "LRBF", "LRBT"}},
    {"ACDPMCS", {"AcNum", "displayOrder", "MCSR", "MCSBF", "MCSBT"}},
    {"ACDPTOFL",
     {"AcNum", "displayOrder", "TOFLR1", "TOFLR2", "TOFLR3", "TOFLSL1", "TOFL5kFt", "TOFLSL3"}},
    {"ACDPLD", {"AcNum", "displayOrder", "4Pax", "MaxLWt"}},
    {"ACDPToLD", {"AcNum", "displayOrder", "Distance", "Range", "ToLd"}},
    {"ACDPMCS2", {"AcNum", "displayOrder", "MCSK", "MCSA"}},
};

// Columns the comparison window's field specs name bare in the joined aircraft record.
const std::vector<const char*> kRecordColumns = {
    "AcName", "ModelNum", "ProducedInServ", "InProd", "ProdYr", "SerialNumbers", "ValidForAll",
    "Remarks", "YrTypeCert", "CertBasis", "RVSMCert", "Certified", "CatACert", "MinCrewVfrIfr",
    "CertCeiling", "AcMfgName", "AcMfgName2", "Address_1", "Address_2", "City", "State",
    "Zipcode", "Country", "Phone", "WebAddress", "WtMTOGW", "WtMTOGWExt", "WtMTOGWOpt", "WtBow",
    "WtBowOpt", "VfrWtBOW", "WtUsableFuel", "WtOptFuel", "WtMaxExtLoad", "WT30MFuelRsv",
    "WtMaxRamp", "WtMaxRampOpt", "WtMaxLand", "WtZeroFuelW", "WtZeroFuelWOpt", "WtPayFuel",
    "WtPayFuelOpt", "MaxPayloadOpt", "NBAAIfrFRes", "EngMfgName", "EngMod", "EngRTO",
    "EngRTMaxCont", "EngROEI25Min", "EngROEI30Min", "EngROEIMaxCont", "AFRTO", "AFRMaxCont",
    "AFROEI25Min", "AFROEI30Min", "AFROEIMaxCont", "ThrustSlStd", "ThrustReversers",
    "RocAllEng", "RocOei", "VNE", "ME", "MR", "AvgCrSpeedMax", "MaxRngMax", "AvgCrSpeedLrc",
    "MaxRngLrc", "VREF", "V2MTGW", "VmcAir", "VmcGround", "Ica", "Ttica", "ServOEI",
    "PilotSeats", "PassSeats", "PassMax", "Attendants", "ForwardPassSeat", "SeatVol",
    "CabinVol", "BagVolInt", "BagVolExt", "DoorHeight", "DoorWidth", "PrssrDiff", "PrssrSLC",
    "PrssrCAMCA", "FAR36Takeoff", "FAR36Approach", "FAR36FlyOver", "FAR36Sideline", "FAR36MNL",
    "FAR36MS3Rstc", "EqpAPU", "EqpAvSys", "EqpCVC", "EqpEICAS", "EqpExtLavServ", "EqpFDR",
    "EqpGWS", "EqpMDS", "EqpSingPointRef", "EqpTWS", "EqpVHS833",
};
const char* const kJoinedTables[] = {"Aircraft", "ACMFG", "Engine", "ENGMFG", "AircraftOPS"};
// The keys the joins share; everything else must be unique across the joined tables, or the
// first one in the select list would hide the other.
const std::set<std::string> kJoinKeys = {"AcNum", "AcMfgNum", "EngNumID", "EngMfgNumID"};

const TableColumns kDrawingTables[] = {
    {"DXF",
     {"AcNum", "Top", "Front", "Side", "Interior", "Cabin", "CabinFront", "CabinSide",
      "InteriorEMS", "CabinFrontEMS", "CabinSideEMS", "InteriorUtil", "CabinFrontUtil",
      "CabinSideUtil"}},
};

class DBaseSchema : public ::testing::Test {
 protected:
  testsupport::TempDir dir;

  // Every column of every table of the database: declared type and collation.
  struct ColumnInfo {
    std::string declared, collation;
  };
  std::map<std::string, std::map<std::string, ColumnInfo>> Schema(const fs::path& file) {
    std::map<std::string, std::map<std::string, ColumnInfo>> schema;
    adodb::Connection connection;
    connection.open(testsupport::ConnectionStringFor(file));
    sqlite3* db = connection.handle();
    std::vector<std::string> tables;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table'", -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
      tables.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    for (const std::string& table : tables) {
      sqlite3_prepare_v2(db, ("PRAGMA table_info(" + adodb::QuoteIdentifier(table) + ")").c_str(),
                         -1, &st, nullptr);
      while (sqlite3_step(st) == SQLITE_ROW) {
        std::string column = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
        const char* type = nullptr;
        const char* collation = nullptr;
        sqlite3_table_column_metadata(db, nullptr, table.c_str(), column.c_str(), &type,
                                      &collation, nullptr, nullptr, nullptr);
        schema[table][column] = {type ? type : "", collation ? collation : ""};
      }
      sqlite3_finalize(st);
    }
    return schema;
  }

  void CheckTables(const fs::path& file, const TableColumns* begin, const TableColumns* end) {
    adodb::Connection connection;
    connection.open(testsupport::ConnectionStringFor(file));
    for (const TableColumns* t = begin; t != end; ++t) {
      for (const char* column : t->columns) {
        std::string missing;
        try {
          connection.columnName(t->table, column);
        } catch (const vb::Error& e) {
          missing = e.description;
        }
        EXPECT_EQ(missing, "") << t->table << "." << column;
      }
    }
  }

  void CheckAircraftDatabase(const fs::path& ac, bool withTestColumns);

  // Each declared type is one the type map knows, and each text column is COLLATE NOCASE.
  void CheckTypes(const fs::path& file) {
    for (const auto& [table, columns] : Schema(file)) {
      for (const auto& [column, info] : columns) {
        const int type = adodb::AdoTypeOf(info.declared);
        EXPECT_NE(type, adodb::adEmpty) << table << "." << column << " " << info.declared;
        if (type == adodb::adWChar || type == adodb::adVarWChar || type == adodb::adLongVarWChar) {
          EXPECT_TRUE(vb::EqualsNoCase(info.collation, "NOCASE")) << table << "." << column;
        }
      }
    }
  }
};

void DBaseSchema::CheckAircraftDatabase(const fs::path& ac, bool withTestColumns) {
  CheckTables(ac, std::begin(kAircraftTables), std::end(kAircraftTables));
  CheckTypes(ac);

  // Every field-spec column stands in exactly one of the five joined tables.
  auto schema = Schema(ac);
  std::map<std::string, int> owners;
  for (const char* table : kJoinedTables)
    for (const auto& [column, info] : schema[table]) ++owners[vb::UCase(column)];
  for (const char* column : kRecordColumns)
    EXPECT_EQ(owners[vb::UCase(column)], 1) << column;
  for (const auto& [column, count] : owners) {
    bool key = false;
    for (const std::string& k : kJoinKeys) key = key || vb::EqualsNoCase(k, column);
    if (!key) {
      EXPECT_EQ(count, 1) << column << " stands in more than one joined table";
    }
  }

  // The types the display formatting depends on.
  std::map<std::string, std::map<std::string, int>> types = {
      {"Aircraft",
       {{"AcNum", adodb::adInteger}, {"QTZData", adodb::adBoolean}, {"InProd", adodb::adBoolean},
        {"ProdYr", adodb::adSmallInt}, {"YrTypeCert", adodb::adDate},
        {"Remarks", adodb::adLongVarWChar}, {"BagVolInt", adodb::adSingle},
        {"WtMTOGW", adodb::adDouble}}},
      {"AircraftOPS", {{"PilotSeats", adodb::adUnsignedTinyInt}}},
  };
  if (withTestColumns) types["Aircraft"]["ListPrice"] = adodb::adCurrency;
  for (const auto& [table, columns] : types)
    for (const auto& [column, type] : columns)
      EXPECT_EQ(adodb::AdoTypeOf(schema[table][column].declared), type) << table << "." << column;
}

TEST_F(DBaseSchema, TheAircraftDatabaseHasEveryTableAndColumnTheProgramReads) {
  const fs::path ac = dir / "ac.mdb";
  testsupport::BuildFromScript(ac, "ac_fixture.sql");
  CheckAircraftDatabase(ac, true);
}

TEST_F(DBaseSchema, TheSampleDatabaseHasEveryTableAndColumnTheProgramReads) {
  const fs::path ac = dir / "ac.mdb";
  std::string sql;
  ASSERT_TRUE(vb::ReadWholeFile(TOLVANE_SAMPLE_AC_SQL, sql));
  testsupport::BuildDatabase(ac, sql);
  CheckAircraftDatabase(ac, false);
}

TEST_F(DBaseSchema, TheDrawingDatabaseHasItsDrawingColumns) {
  const fs::path dxf = dir / "dxf.mdb";
  testsupport::BuildFromScript(dxf, "dxf_fixture.sql");
  CheckTables(dxf, std::begin(kDrawingTables), std::end(kDrawingTables));
  CheckTypes(dxf);
}

}  // namespace
