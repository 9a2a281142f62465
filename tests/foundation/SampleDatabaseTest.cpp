// The sample aircraft database the program ships and starts on: it holds every table and
// column the program reads, each aircraft opens a full joined record, and its numbers hang
// together the way real aircraft data does.
#include <gtest/gtest.h>

#include <set>

#include "foundation/DBase.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/StateReset.h"
#include "platform/ui/FakeHooks.h"
#include "support/Fixtures.h"

namespace {

namespace fs = std::filesystem;

class SampleDatabase : public ::testing::Test {
 protected:
  testsupport::TempDir dir;
  ui::ScopedFakeHooks hooks;

  void SetUp() override {
    std::string sql;
    ASSERT_TRUE(vb::ReadWholeFile(TOLVANE_SAMPLE_AC_SQL, sql));
    testsupport::BuildDatabase(dir / "ac.mdb", sql);
    vb::ResetProgramState();
    General::vars().ErrorHandlingOn = 1;
    vb::SetProgramFolder(dir.path());
    vb::ChDir(dir.path());
    General::vars().IniFileName = (dir / "Tolvane.ini").string();
  }
  void TearDown() override {
    DBase::CloseDatabase();
    vb::ResetProgramState();
  }

  // Runs a query on the sample and returns its rows' values of `column`.
  std::vector<vb::Variant> Column(const std::string& sql, const std::string& column,
                                  const std::vector<vb::Variant>& params = {}) {
    adodb::Connection connection;
    connection.open(DBase::ConnectionString((dir / "ac.mdb").string()));
    adodb::Recordset rs;
    rs.open(sql, connection, params);
    std::vector<vb::Variant> values;
    for (; !rs.eof(); rs.moveNext()) values.push_back(rs.fields(column).value());
    return values;
  }
};

TEST_F(SampleDatabase, EveryAircraftIsListedAndOpensAFullRecord) {
  DBase::InitDatabasePaths();
  const auto& list = Globals::vars();
  ASSERT_GE(list.AircraftCount, 6);
  std::set<std::string> categories;
  for (int i = 1; i <= list.AircraftCount; ++i) {
    const Globals::AircraftListEntry& entry = list.AircraftList[i];
    categories.insert(entry.Category);
    EXPECT_FALSE(entry.AcName.empty()) << entry.AcNum;
    EXPECT_FALSE(entry.AcMfgName.empty()) << entry.AcNum;
    DBase::OpenDatabase(entry.AcNum);
    adodb::Recordset& rs = DBase::vars().DBRecordset;
    ASSERT_FALSE(rs.eof()) << entry.AcNum << " has no corporate record";
    for (const char* column : {"AcName", "AcMfgName", "EngMod", "EngMfgName", "WtMTOGW", "WtBow",
                               "WtUsableFuel", "PilotSeats", "PassSeats"}) {
      EXPECT_FALSE(rs.fields(column).value().isNull()) << entry.AcNum << " " << column;
    }
    EXPECT_LT(rs.fields("WtBow").value().toDouble(), rs.fields("WtMTOGW").value().toDouble())
        << entry.AcNum;
    DBase::CloseDatabase();
  }
  EXPECT_EQ(categories, (std::set<std::string>{"Jets", "Pistons", "TurboProps", "Helicopters"}));
  EXPECT_EQ(General::vars().ErrorCount, 0);
}

TEST_F(SampleDatabase, PayloadRangeLinesRunOutwards) {
  for (const vb::Variant& acNum : Column("SELECT DISTINCT AcNum FROM ACDPPR", "AcNum")) {
    std::vector<vb::Variant> groups =
        Column("SELECT DISTINCT GroupID FROM ACDPPR WHERE AcNum = ?1", "GroupID", {acNum});
    for (const vb::Variant& group : groups) {
      const std::string sql =
          "SELECT PRR, PRP FROM ACDPPR WHERE AcNum = ?1 AND GroupID = ?2 ORDER BY displayOrder";
      std::vector<vb::Variant> ranges = Column(sql, "PRR", {acNum, group});
      std::vector<vb::Variant> payloads = Column(sql, "PRP", {acNum, group});
      ASSERT_GE(ranges.size(), 2u) << acNum.toString();
      for (size_t i = 1; i < ranges.size(); ++i) {
        EXPECT_GT(ranges[i].toDouble(), ranges[i - 1].toDouble()) << acNum.toString();
        EXPECT_LE(payloads[i].toDouble(), payloads[i - 1].toDouble()) << acNum.toString();
      }
    }
  }
}

}  // namespace
