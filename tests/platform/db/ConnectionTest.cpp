#include <gtest/gtest.h>

#include <fstream>

#include "platform/db/Ado.h"
#include "platform/db/Connection.h"
#include "platform/db/DbTest.h"
#include "platform/db/Recordset.h"
#include "support/Fixtures.h"

namespace {

namespace fs = std::filesystem;
using dbtest::ErrorOf;
using dbtest::NumberOf;
using testsupport::ConnectionStringFor;

class DbConnection : public ::testing::Test {
 protected:
  testsupport::TempDir dir;
  fs::path ac = dir / "ac.mdb";
  void SetUp() override { testsupport::BuildFromScript(ac, "ac_fixture.sql"); }
  void WriteFile(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
  }
};

TEST_F(DbConnection, OpensTheFixtureReadOnly) {
  adodb::Connection c;
  EXPECT_FALSE(c.isOpen());
  c.open(ConnectionStringFor(ac));
  EXPECT_TRUE(c.isOpen());
  EXPECT_EQ(c.path(), ac.string());
  const auto before = fs::last_write_time(ac);
  const auto size = fs::file_size(ac);
  adodb::Recordset rs;
  vb::Error e = ErrorOf([&] { rs.open("DELETE FROM Aircraft", c); });
  EXPECT_EQ(e.number, adodb::err::DriverFailed);
  EXPECT_NE(e.description.find("readonly"), std::string::npos) << e.description;
  EXPECT_EQ(NumberOf([&] { rs.open("CREATE TABLE x (a INTEGER)", c); }), adodb::err::DriverFailed);
  EXPECT_FALSE(rs.isOpen());
  EXPECT_EQ(fs::last_write_time(ac), before);
  EXPECT_EQ(fs::file_size(ac), size);
  EXPECT_EQ(NumberOf([&] { c.open(ConnectionStringFor(ac)); }), 3705);
  c.close();
  EXPECT_FALSE(c.isOpen());
  c.close();  // closing a closed connection is harmless
}

TEST_F(DbConnection, FilesThatCannotBeOpenedAreDriverErrorsAndNothingIsCreated) {
  fs::create_directory(dir / "folder.mdb");
  WriteFile(dir / "empty.mdb", "");
  WriteFile(dir / "text.mdb", "not a database at all, just text");
  WriteFile(dir / "jet3.mdb",
            std::string("\x00\x01\x00\x00Standard Jet DB\x00\x00\x00\x00\x00", 24));
  WriteFile(dir / "ace.accdb",
            std::string("\x00\x01\x00\x00Standard ACE DB\x00\x01\x00\x00\x00", 24));
  struct Case {
    const char* name;
    const char* text;
  };
  // An Access header goes to the Access reader, which finds these files cut short.
  const Case cases[] = {
      {"missing.mdb", "[SQLite] unable to open database file"},
      {"folder.mdb", "[SQLite] unable to open database file"},
      {"empty.mdb", "[SQLite] file is not a database"},
      {"text.mdb", "[SQLite] file is not a database"},
      {"jet3.mdb", "[Access] the database file is cut short"},
      {"ace.accdb", "[Access] the database file is cut short"},
  };
  for (const Case& c : cases) {
    adodb::Connection connection;
    vb::Error e = ErrorOf([&] { connection.open(ConnectionStringFor(dir / c.name)); });
    EXPECT_EQ(e.number, adodb::err::DriverFailed) << c.name;
    EXPECT_EQ(e.description, std::string(c.text) + ": " + (dir / c.name).string());
    EXPECT_EQ(e.description.find("73pahoru41"), std::string::npos);  // never the password
    EXPECT_FALSE(connection.isOpen());
  }
  EXPECT_FALSE(fs::exists(dir / "missing.mdb"));
  EXPECT_EQ(fs::file_size(dir / "empty.mdb"), 0u);
  adodb::Connection none;
  EXPECT_EQ(NumberOf([&] { none.open("DRIVER={Microsoft Access Driver (*.mdb)};Password=x"); }),
            adodb::err::DriverFailed);
}

TEST_F(DbConnection, NamesAreCheckedAgainstTheSchemaWithoutRegardToCase) {
  adodb::Connection c;
  EXPECT_EQ(NumberOf([&] { c.tableName("Aircraft"); }), 3709);
  c.open(ConnectionStringFor(ac));
  EXPECT_EQ(c.tableName("aircraftops"), "AircraftOPS");
  EXPECT_EQ(c.tableName(" AcMfg "), "ACMFG");
  EXPECT_EQ(c.tableName("graph notes"), "Graph Notes");
  EXPECT_EQ(c.columnName("ACDPLD", "4pax"), "4Pax");
  EXPECT_EQ(c.columnName("acmfg", "acmfgnum"), "AcMfgNum");
  vb::Error table = ErrorOf([&] { c.tableName("Aircraft; DROP TABLE Aircraft"); });
  EXPECT_EQ(table.number, adodb::err::NoSuchTable);
  EXPECT_EQ(table.description, "[SQLite] no such table: Aircraft; DROP TABLE Aircraft");
  vb::Error column = ErrorOf([&] { c.columnName("ACMFG", "AcMfgNum=1 OR 1"); });
  EXPECT_EQ(column.number, adodb::err::NoValueGiven);
  EXPECT_EQ(column.description, "[SQLite] no such column: AcMfgNum=1 OR 1");
  EXPECT_EQ(NumberOf([&] { c.columnName("Nowhere", "AcNum"); }), adodb::err::NoSuchTable);
}

TEST_F(DbConnection, ADroppedConnectionLeavesItsRecordsetReadable) {
  adodb::Recordset rs;
  {
    adodb::Connection c;
    c.open(ConnectionStringFor(ac));
    rs.open("SELECT AcName FROM Aircraft WHERE AcNum = ?1", c, {vb::Variant(int32_t{7})});
  }
  EXPECT_EQ(rs.fields("AcName").value(), vb::Variant("Seven"));
}

}  // namespace
