#include <fstream>

#include "foundation/DBaseFixture.h"
#include "platform/db/Ado.h"
#include "platform/runtime/Clock.h"

namespace {

using dbasetest::DBaseFixture;
using vb::Variant;
namespace fs = std::filesystem;

const std::string kClosed = "<Err:3704>Operation is not allowed when the object is closed.";

class DBaseAccess : public DBaseFixture {
 protected:
  adodb::Recordset& Record() { return DBase::vars().DBRecordset; }
  const Variant& Value(const char* name) { return Record().fields(name).value(); }
  void WriteIni(const std::string& text) {
    std::ofstream(dir / "Tolvane.ini", std::ios::binary) << text;
  }
};

TEST_F(DBaseAccess, DatabasePathsFollowTheProgramFolder) {
  DBase::InitDatabasePaths();
  EXPECT_EQ(DBase::vars().DBPath, (dir / "ac.mdb").string());
  EXPECT_EQ(DBase::vars().DxfDBPath, (dir / "dxf.mdb").string());
  EXPECT_EQ(Globals::vars().AircraftCount, 0);  // no database: no list, no report
  EXPECT_TRUE(Reports().empty());

  // Names in any case find the file; a full path still gets the program folder in front.
  std::ofstream(dir / "Fleet.MDB") << "x";
  WriteIni("[Database]\nDBName=fleet.mdb\nDxfDBName=/opt/drawings.mdb\n");
  DBase::InitDatabasePaths();
  EXPECT_EQ(DBase::vars().DBPath, (dir / "Fleet.MDB").string());
  EXPECT_EQ(DBase::vars().DxfDBPath, dir.path().string() + "//opt/drawings.mdb");

  fs::remove(dir / "Tolvane.ini");
  vb::SetProgramFolder("/");
  DBase::InitDatabasePaths();
  EXPECT_EQ(DBase::vars().DBPath, "/ac.mdb");
  EXPECT_EQ(DBase::vars().DxfDBPath, "/dxf.mdb");
}

TEST_F(DBaseAccess, TheJoinedRecordCarriesAllFiveTablesByBareName) {
  BuildDatabases();
  DBase::OpenDatabase("7");
  ASSERT_TRUE(Record().isOpen());
  ASSERT_FALSE(Record().eof());
  EXPECT_EQ(Record().recordCount(), 1);
  EXPECT_EQ(Value("AcName"), Variant("Seven"));              // Aircraft
  EXPECT_EQ(Value("acmfgname"), Variant("Maker B"));         // ACMFG
  EXPECT_EQ(Value("EngMod"), Variant("TF-40"));              // Engine
  EXPECT_EQ(Value("EngMfgName"), Variant("Engine Maker"));   // ENGMFG
  EXPECT_EQ(Value("PilotSeats"), Variant(uint8_t{2}));       // AircraftOPS, operation 3
  EXPECT_EQ(Value("OpNum"), Variant(int16_t{3}));
  EXPECT_EQ(Value("AcNum"), Variant(int32_t{7}));
  EXPECT_EQ(Value("AcMfgNum"), Variant(int32_t{2}));
  // The declared types reach the display formatting.
  struct Case {
    const char* column;
    int type;
    Variant value;
  };
  const Case cases[] = {
      {"WtMTOGW", adodb::adDouble, Variant(12500.0)},
      {"WtBow", adodb::adInteger, Variant(int32_t{0})},
      {"ProdYr", adodb::adSmallInt, Variant(int16_t{1998})},
      {"InProd", adodb::adBoolean, Variant(true)},
      {"EqpAPU", adodb::adBoolean, Variant(false)},
      {"BagVolInt", adodb::adSingle, Variant(0.1f)},
      {"YrTypeCert", adodb::adDate, Variant::Date(vb::DateFromParts({1998, 6, 15}))},
      {"ListPrice", adodb::adCurrency, Variant::Currency(4250000.5)},
      {"Remarks", adodb::adLongVarWChar, Variant("0123")},
      {"CertBasis", adodb::adWChar, Variant("FAR 25")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Record().fields(c.column).type(), c.type) << c.column;
    EXPECT_EQ(Value(c.column), c.value) << c.column;
  }
  EXPECT_TRUE(Value("WtMTOGWExt").isNull());
  EXPECT_TRUE(Reports().empty());
}

TEST_F(DBaseAccess, AnAircraftWithoutAMakerKeepsItsOwnKeys) {
  BuildDatabases();
  DBase::OpenDatabase("3");
  ASSERT_FALSE(Record().eof());
  EXPECT_EQ(Value("AcMfgNum"), Variant(int32_t{55}));  // the aircraft's, not the maker's Null
  EXPECT_TRUE(Value("AcMfgName").isNull());
  EXPECT_EQ(Value("EngNumID"), Variant(int32_t{101}));
  EXPECT_EQ(Value("EngMod"), Variant("P-200"));
  // ENGMFG stands first in the select list, and engine 101's maker has no row.
  EXPECT_TRUE(Value("EngMfgNumID").isNull());
  EXPECT_TRUE(Reports().empty());
}

TEST_F(DBaseAccess, AircraftNumbersAreValuesNeverSql) {
  BuildDatabases();
  struct Case {
    const char* acNum;
    size_t rows;
    bool reported;
  };
  const Case cases[] = {
      {"0007", 1, false},      // read as the number 7
      {" 12 ", 1, false},
      {"5", 0, false},         // no corporate operations row: an empty record
      {"999", 0, false},
      {"7 OR 1=1", 0, true},   // not a number: reported, no rows
      {"", 0, true},
      {"7; DROP TABLE Aircraft", 0, true},
  };
  size_t reports = 0;
  for (const Case& c : cases) {
    DBase::OpenDatabase(c.acNum);
    ASSERT_TRUE(Record().isOpen()) << c.acNum;
    EXPECT_EQ(static_cast<size_t>(Record().recordCount()), c.rows) << c.acNum;
    EXPECT_EQ(Record().eof(), c.rows == 0) << c.acNum;
    if (c.reported) {
      ++reports;
      ASSERT_EQ(Reports().size(), reports) << c.acNum;
      EXPECT_EQ(Reports().back().rfind("[DBase:OpenDatabase]<Err:-2147217900>[SQLite] syntax "
                                       "error: the key value '",
                                       0),
                0u)
          << Reports().back();
    }
    EXPECT_EQ(Reports().size(), reports) << c.acNum;
    DBase::CloseDatabase();
  }
  EXPECT_EQ(Reports().size(), reports);
}

TEST_F(DBaseAccess, ANestedOpenAndOneCloseLeaveNothingOpen) {
  BuildDatabases();
  DBase::OpenDatabase("7");
  EXPECT_EQ(Value("AcName"), Variant("Seven"));
  DBase::OpenDatabase("12");  // replaces the open objects
  EXPECT_EQ(Value("AcName"), Variant("Twelve"));
  DBase::CloseDatabase();
  EXPECT_FALSE(Record().isOpen());
  EXPECT_FALSE(DBase::vars().DBConnection.isOpen());
  EXPECT_TRUE(Reports().empty());
  DBase::CloseDatabase();  // a second close: the recordset's close is reported, once
  EXPECT_EQ(Reports(), std::vector<std::string>{"[DBase:CloseDatabase]" + kClosed});
}

TEST_F(DBaseAccess, AMissingDatabaseIsReportedAndNeverCreated) {
  DBase::vars().DBPath = (dir / "ac.mdb").string();
  DBase::OpenDatabase("7");
  EXPECT_FALSE(fs::exists(dir / "ac.mdb"));
  EXPECT_FALSE(Record().isOpen());
  EXPECT_EQ(Reports(),
            (std::vector<std::string>{
                "[DBase:OpenDatabase]<Err:-2147467259>[SQLite] unable to open database file: " +
                    (dir / "ac.mdb").string(),
                "[DBase:OpenDatabase]<Err:3709>" + vb::ErrorText(3709)}));
  EXPECT_EQ(testsupport::ReadText(dir / "ERROR.LOG").find("73pahoru41"), std::string::npos);
  EXPECT_EQ(DBase::Lookup("AcName", "Aircraft", "AcNum", "7"), "");
  EXPECT_EQ(Reports().size(), 3u);
  EXPECT_FALSE(fs::exists(dir / "ac.mdb"));
}

TEST_F(DBaseAccess, APerformanceTableOpensInDisplayOrder) {
  BuildDatabases();
  DBase::OpenGraphTable("acdppr", "7");
  ASSERT_TRUE(Record().isOpen());
  std::vector<double> ranges;
  for (; !Record().eof(); Record().moveNext()) ranges.push_back(Value("PRR").toDouble());
  EXPECT_EQ(ranges, (std::vector<double>{0, 1200, 2100}));
  DBase::CloseDatabase();

  DBase::OpenGraphTable("ACDPLD", "7");
  EXPECT_EQ(Value("4Pax"), Variant(2900.0));
  DBase::OpenGraphTable("ACDPPR", "12");  // a table without rows for the aircraft
  EXPECT_TRUE(Record().eof());
  EXPECT_TRUE(Reports().empty());

  DBase::OpenGraphTable("ACDPPR WHERE 1=1 --", "7");
  EXPECT_FALSE(Record().isOpen());
  EXPECT_EQ(Reports(), std::vector<std::string>{"[DBase:OpenGraphTable]<Err:-2147217865>[SQLite] "
                                                "no such table: ACDPPR WHERE 1=1 --"});
}

TEST_F(DBaseAccess, LookupReadsOneColumnByANumericKey) {
  BuildDatabases();
  struct Case {
    const char* column;
    const char* table;
    const char* key;
    const char* value;
    const char* expected;
    const char* report;  // "" for none
  };
  const Case cases[] = {
      {"AcMfgName", "AcMfg", "AcMfgNum", "1", "Maker A", ""},
      {"City", "ACMFG", "acmfgnum", "1.0", "Wichita", ""},
      {"WtMTOGW", "Aircraft", "AcNum", "7", "12500", ""},
      {"InProd", "Aircraft", "AcNum", "7", "True", ""},
      {"AcMfgName2", "ACMFG", "AcMfgNum", "2", "", ""},  // Null
      {"AcMfgName", "ACMFG", "AcMfgNum", "0", "", ""},   // no row: no report
      {"AcMfgName", "ACMFG", "AcMfgNum", "Maker", "", "<Err:-2147217900>"},
      {"AcMfgName", "ACMFG", "AcMfgNum", "", "", "<Err:-2147217900>"},
      {"Nothing", "ACMFG", "AcMfgNum", "1", "", "<Err:3265>"},
      {"Nothing", "ACMFG", "AcMfgNum", "0", "", "<Err:3265>"},  // also without a row
      {"AcMfgName", "ACMFG", "NoKey", "1", "", "<Err:-2147217904>"},
      {"AcMfgName", "NoTable", "AcMfgNum", "1", "", "<Err:-2147217865>"},
  };
  size_t reports = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(DBase::Lookup(c.column, c.table, c.key, c.value), c.expected)
        << c.column << " " << c.table << " " << c.key << " " << c.value;
    if (*c.report) {
      ASSERT_EQ(Reports().size(), ++reports) << c.column << " " << c.value;
      EXPECT_EQ(Reports().back().rfind(std::string("[DBase:Lookup]") + c.report, 0), 0u)
          << Reports().back();
    }
    EXPECT_EQ(Reports().size(), reports) << c.column << " " << c.value;
  }
}

TEST_F(DBaseAccess, LookupsLeaveTheModuleRecordAsItWas) {
  BuildDatabases();
  DBase::OpenDatabase("7");
  EXPECT_EQ(DBase::LookupSeats("7", 3, "PilotSeats"), "2");
  EXPECT_EQ(DBase::LookupSeats("7", 6, "passseats"), "10");
  EXPECT_EQ(DBase::LookupSeats("5", 3, "PassSeats"), "");  // no row: no report
  EXPECT_EQ(DBase::Lookup("AcMfgName", "ACMFG", "AcMfgNum", "1"), "Maker A");
  EXPECT_TRUE(Reports().empty());
  EXPECT_EQ(DBase::LookupSeats("7", 3, "Seats"), "");
  EXPECT_EQ(DBase::LookupSeats("7 OR 1=1", 3, "PassSeats"), "");
  ASSERT_EQ(Reports().size(), 2u);
  EXPECT_EQ(Reports()[0], "[DBase:LookupSeats]<Err:3265>" + vb::ErrorText(3265));
  EXPECT_EQ(Reports()[1].rfind("[DBase:LookupSeats]<Err:-2147217900>", 0), 0u);
  EXPECT_EQ(Value("AcName"), Variant("Seven"));
  DBase::CloseDatabase();
  EXPECT_EQ(Reports().size(), 2u);
}

}  // namespace
