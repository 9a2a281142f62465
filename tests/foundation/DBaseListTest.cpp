#include "foundation/DBaseFixture.h"

namespace Globals {
// How gtest shows an entry.
void PrintTo(const AircraftListEntry& e, std::ostream* out) {
  *out << "{" << e.Category << ", " << e.AcNum << ", " << e.AcName << ", " << e.AcMfgName << ", "
       << e.QTZData << "}";
}
}  // namespace Globals

namespace {

using dbasetest::DBaseFixture;
using Globals::AircraftListEntry;

class DBaseList : public DBaseFixture {
 protected:
  // Builds the databases and runs the start-up step that finds them and loads the list.
  void Load(const std::string& acExtra = "") {
    BuildDatabases(acExtra);
    DBase::InitDatabasePaths();
  }
  const std::vector<AircraftListEntry>& List() { return Globals::vars().AircraftList; }
};

TEST_F(DBaseList, LoadsJetsPistonsTurbopropsAndHelicoptersInTableOrder) {
  Load();
  const std::vector<AircraftListEntry> expected = {
      {},  // entry 0 stays blank
      {"Jets", "7", "Seven", "Maker B", -1},
      {"Jets", "5", "Five", "Maker A", -1},
      {"Jets", "13", "Seven", "Maker B", -1},
      {"Jets", "14", "", "Maker A", -1},         // no name: reported, left empty
      {"Pistons", "3", "Three", "", -1},         // stored first, listed after every jet
      {"TurboProps", "11", "Eleven", "Maker A", 0},  // counted, though not offered
      {"Helicopters", "12", "Twelve", "Maker A", -1},
  };  // aircraft 9 is "jets" in lower case: not listed
  EXPECT_EQ(List(), expected);
  EXPECT_EQ(Globals::vars().AircraftCount, 7);
  const std::string null = "<Err:94>Invalid use of Null";
  EXPECT_EQ(Reports(), (std::vector<std::string>{"[DBase:LoadAircraftDBInfo]" + null,
                                                 "[DBase:LoadAircraftDBInfo]" + null}));
  EXPECT_FALSE(DBase::vars().DBRecordset.isOpen());
  EXPECT_FALSE(DBase::vars().DBConnection.isOpen());
  EXPECT_EQ(Globals::AircraftFullName("3"), "Three");
  EXPECT_EQ(Globals::AircraftNumber("Maker B Seven"), "7");
}

// An aircraft table without a rowid (WITHOUT ROWID, stored by its key) is listed in its own
// order, by the aircraft number that keys it.
TEST_F(DBaseList, AnAircraftTableWithoutRowidIsListedInItsKeyOrder) {
  Load(
      "CREATE TABLE Keyed (AcNum INTEGER PRIMARY KEY, AcTypeName VARCHAR(12) COLLATE NOCASE, "
      "AcName VARCHAR(50) COLLATE NOCASE, AcMfgNum INTEGER, QTZData YESNO) WITHOUT ROWID;"
      "INSERT INTO Keyed SELECT AcNum, AcTypeName, AcName, AcMfgNum, QTZData FROM Aircraft;"
      "DROP TABLE Aircraft; ALTER TABLE Keyed RENAME TO Aircraft;");
  const std::vector<AircraftListEntry> expected = {
      {},
      {"Jets", "5", "Five", "Maker A", -1},
      {"Jets", "7", "Seven", "Maker B", -1},
      {"Jets", "13", "Seven", "Maker B", -1},
      {"Jets", "14", "", "Maker A", -1},
      {"Pistons", "3", "Three", "", -1},
      {"TurboProps", "11", "Eleven", "Maker A", 0},
      {"Helicopters", "12", "Twelve", "Maker A", -1},
  };
  EXPECT_EQ(List(), expected);
  EXPECT_EQ(Reports().size(), 2u);  // the aircraft without a name, as in any table
}

TEST_F(DBaseList, AMissingDatabaseLeavesTheListEmptyWithoutAReport) {
  DBase::InitDatabasePaths();
  EXPECT_EQ(Globals::vars().AircraftCount, 0);
  EXPECT_EQ(List().size(), 1u);
  EXPECT_TRUE(Reports().empty());
  EXPECT_FALSE(dbasetest::fs::exists(dir / "ac.mdb"));
}

TEST_F(DBaseList, AnEmptyAircraftTableReportsTheMovesOfEveryPass) {
  Load("DELETE FROM Aircraft;");
  EXPECT_EQ(Globals::vars().AircraftCount, 0);
  EXPECT_EQ(List().size(), 1u);
  const std::string noRow = "[DBase:LoadAircraftDBInfo]<Err:3021>" + vb::ErrorText(3021);
  EXPECT_EQ(Reports(), std::vector<std::string>(8, noRow));  // move last and first, 4 passes
}

TEST_F(DBaseList, ANullOfferFlagIsReportedAndLeftAtZero) {
  Load("UPDATE Aircraft SET QTZData = NULL WHERE AcNum = 12;");
  ASSERT_EQ(Globals::vars().AircraftCount, 7);
  EXPECT_EQ(List()[7].AcNum, "12");
  EXPECT_EQ(List()[7].QTZData, 0);
  EXPECT_EQ(Reports().size(), 3u);
}

TEST_F(DBaseList, TheListGrowsPastTwoThousand) {
  Load("WITH RECURSIVE n(k) AS (SELECT 100 UNION ALL SELECT k + 1 FROM n WHERE k < 2199) "
       "INSERT INTO Aircraft (AcNum, AcTypeName, AcName, AcMfgNum, QTZData) "
       "SELECT k, 'HELICOPTERS', 'H' || k, 1, -1 FROM n;");
  EXPECT_EQ(Globals::vars().AircraftCount, 2107);
  ASSERT_EQ(List().size(), 2108u);
  EXPECT_EQ(List()[2107].AcNum, "2199");
  EXPECT_EQ(Globals::AircraftCategory("2199"), "Helicopters");
}

}  // namespace
