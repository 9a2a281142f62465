#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "DrawingsTestSupport.h"
#include "foundation/DBase.h"
#include "platform/db/Ado.h"
#include "platform/runtime/Files.h"
#include "support/Fixtures.h"
#include "support/BrokenDisk.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

class DrawingCache : public drawingstest::Drawings {
 protected:
  testsupport::TempDir dir;
  void SetUp() override {
    Drawings::SetUp();
    vb::SetProgramFolder(dir.path());
  }
};

TEST_F(DrawingCache, NoAircraftChosenGivesEmptyTextAndTouchesNothing) {
  inputs.Aircraft1 = "1234";
  EXPECT_EQ(CadFunctions::AircraftDxfFile(2, "Top"), "");
  EXPECT_EQ(CadFunctions::AircraftDxfFile(0, "Top"), "");  // any plane but 1 is Plane 2
  EXPECT_FALSE(fs::exists(dir / "DXF"));
  EXPECT_TRUE(fake.calls.empty());
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(DrawingCache, OnlyDigitAircraftNumbersAndKnownViewsAreAccepted) {
  for (const char* number : {"12a4", "../../etc", " 1234", "-12", "12.5", "1234;DROP"}) {
    SCOPED_TRACE(number);
    traps.errors.clear();
    inputs.Aircraft1 = number;
    EXPECT_EQ(CadFunctions::AircraftDxfFile(1, "Top"), "");
    ASSERT_EQ(traps.errors.size(), 1u);
    EXPECT_EQ(traps.errors[0].number, vb::err::InvalidCall);
  }
  inputs.Aircraft1 = "1234";
  for (const char* view : {"", "Wing", "../Top", "Top.dxf"}) {
    SCOPED_TRACE(view);
    traps.errors.clear();
    EXPECT_EQ(CadFunctions::AircraftDxfFile(1, view), "");
    EXPECT_EQ(traps.errors.size(), 1u);
  }
  EXPECT_FALSE(fs::exists(dir / "DXF"));
  EXPECT_EQ(fake.count("ExtractViewDrawing"), 0);
}

TEST_F(DrawingCache, MissingFileIsFetchedOnceAndThenUsedAsItIs) {
  inputs.Aircraft1 = "1234";
  inputs.Aircraft2 = "77";
  fake.drawings[{"1234", "CabinSide"}] = "0\nSECTION";
  const fs::path expected = dir / "DXF" / "1234CabinSide.dxf";

  EXPECT_EQ(CadFunctions::AircraftDxfFile(1, "cabinside"), expected.string());
  EXPECT_TRUE(fs::is_directory(dir / "DXF"));
  EXPECT_EQ(testsupport::ReadText(expected), "0\nSECTION\r\n");
  EXPECT_EQ(fake.calls.back().args, "1234,CabinSide," + expected.string());

  // A changed database does not reach a cached file.
  fake.drawings[{"1234", "CabinSide"}] = "changed";
  EXPECT_EQ(CadFunctions::AircraftDxfFile(1, "CabinSide"), expected.string());
  EXPECT_EQ(testsupport::ReadText(expected), "0\nSECTION\r\n");
  EXPECT_EQ(fake.count("ExtractViewDrawing"), 1);

  // No drawing in the database: no file, and the next call asks again.
  const fs::path none = dir / "DXF" / "77Top.dxf";
  EXPECT_EQ(CadFunctions::AircraftDxfFile(2, "Top"), none.string());
  EXPECT_EQ(CadFunctions::AircraftDxfFile(2, "Top"), none.string());
  EXPECT_FALSE(fs::exists(none));
  EXPECT_EQ(fake.count("ExtractViewDrawing"), 3);
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(DrawingCache, AnExistingFolderInAnotherCaseIsUsed) {
  fs::create_directory(dir / "dxf");
  inputs.Aircraft1 = "5";
  EXPECT_EQ(CadFunctions::AircraftDxfFile(1, "Front"), (dir / "dxf" / "5Front.dxf").string());
  EXPECT_FALSE(fs::exists(dir / "DXF"));
}

TEST_F(DrawingCache, AFolderThatCannotBeMadeIsReported) {
  std::ofstream(dir / "DXF") << "a file where the folder should be";
  inputs.Aircraft1 = "5";
  fake.drawings[{"5", "Top"}] = "x";
  CadFunctions::AircraftDxfFile(1, "Top");
  ASSERT_GE(traps.errors.size(), 1u);
  EXPECT_EQ(traps.errors[0].number, vb::err::PathFileAccess);
}

// The cache over the drawing database itself: the real services and a SQLite DXF table.
class DrawingDatabase : public drawingstest::RealViews {
 protected:
  testsupport::TempDir dir;
  fs::path db;
  void SetUp() override {
    RealViews::SetUp();
    vb::SetProgramFolder(dir.path());
    db = dir / "dxf.mdb";
    testsupport::BuildFromScript(db, "dxf_fixture.sql");
    DBase::vars().DxfDBPath = db.string();
  }
  void TearDown() override {
    DBase::vars().DxfDBPath.clear();
    RealViews::TearDown();
  }
  void sql(const std::string& statement) {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(db.c_str(), &raw), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(raw, statement.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);
  }
  fs::path cached(const std::string& name) { return dir / "DXF" / name; }
  // The files of the cache folder (a temporary file left behind would show here).
  std::vector<std::string> folder() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir / "DXF")) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(DrawingDatabase, TheViewsTextIsWrittenWithOneLineEndAndThenKept) {
  inputs.Aircraft1 = "7";
  const std::string path = CadFunctions::AircraftDxfFile(1, "Top");
  EXPECT_EQ(path, cached("7Top.dxf").string());
  const std::string text = testsupport::ReadText(cached("7Top.dxf"));
  EXPECT_EQ(text.substr(0, 11), "  0\nSECTION");
  EXPECT_EQ(text.substr(text.size() - 7), "\nEOF\n\r\n");  // as stored, then CR LF

  // The database changes; the cached file does not.
  sql("UPDATE DXF SET Top = 'changed' WHERE AcNum = 7");
  CadFunctions::AircraftDxfFile(1, "Top");
  EXPECT_EQ(testsupport::ReadText(cached("7Top.dxf")), text);

  // The same aircraft as Plane 2 shares the file.
  inputs.Aircraft2 = "7";
  EXPECT_EQ(CadFunctions::AircraftDxfFile(2, "Top"), path);
  EXPECT_EQ(folder(), (std::vector<std::string>{"7Top.dxf"}));
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(DrawingDatabase, AnEmptyTextGivesALineEndANullOrMissingRowNoFile) {
  inputs.Aircraft1 = "1002";
  CadFunctions::AircraftDxfFile(1, "Front");
  EXPECT_EQ(testsupport::ReadText(cached("1002Front.dxf")), "\r\n");

  inputs.Aircraft1 = "1001";  // no front view (Null)
  inputs.Aircraft2 = "9999";  // no row
  EXPECT_EQ(CadFunctions::AircraftDxfFile(1, "Front"), cached("1001Front.dxf").string());
  EXPECT_EQ(CadFunctions::AircraftDxfFile(2, "Top"), cached("9999Top.dxf").string());
  EXPECT_EQ(folder(), (std::vector<std::string>{"1002Front.dxf"}));

  // Without a file every call asks the database again.
  sql("UPDATE DXF SET Front = 'front' WHERE AcNum = 1001");
  sql("INSERT INTO DXF (AcNum, Top) VALUES (9999, 'top')");
  CadFunctions::AircraftDxfFile(1, "Front");
  CadFunctions::AircraftDxfFile(2, "Top");
  EXPECT_EQ(testsupport::ReadText(cached("1001Front.dxf")), "front\r\n");
  EXPECT_EQ(testsupport::ReadText(cached("9999Top.dxf")), "top\r\n");
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(DrawingDatabase, ADatabaseThatCannotBeOpenedIsReportedAndWritesNothing) {
  DBase::vars().DxfDBPath = (dir / "missing.mdb").string();
  inputs.Aircraft1 = "7";
  EXPECT_EQ(CadFunctions::AircraftDxfFile(1, "Top"), cached("7Top.dxf").string());
  ASSERT_EQ(traps.errors.size(), 1u);
  EXPECT_TRUE(folder().empty());
  EXPECT_FALSE(fs::exists(dir / "missing.mdb"));  // never created
}

// An Access file as the drawing database (the Northwind sample, which has no table DXF): the
// error names the driver that reads it.
TEST_F(DrawingDatabase, AnAccessFileWithoutTheDrawingTableIsReportedByTheAccessDriver) {
  fs::copy_file(fs::path(TOLVANE_ACCESS_FIXTURES) / "nwind.mdb", dir / "nwind.mdb");
  DBase::vars().DxfDBPath = (dir / "nwind.mdb").string();
  inputs.Aircraft1 = "7";
  CadFunctions::AircraftDxfFile(1, "Top");
  ASSERT_EQ(traps.errors.size(), 1u);
  EXPECT_EQ(traps.errors[0].number, adodb::err::NoSuchTable);
  EXPECT_EQ(traps.errors[0].description, "[Access] no such table: DXF");
  EXPECT_TRUE(folder().empty());
}

TEST_F(DrawingDatabase, OnlyAColumnOfTheTableAndADigitNumberReachTheQuery) {
  const fs::path file = dir / "out.dxf";
  struct Case {
    const char *number, *view;
  };
  for (const Case& c : {Case{"7", "Wing"}, Case{"7", "Top; DROP TABLE DXF"},
                        Case{"7 OR 1=1", "Top"}, Case{"99999999999999", "Top"}}) {
    SCOPED_TRACE(std::string(c.number) + " " + c.view);
    EXPECT_NE(testsupport::ErrorOf([&] { real->ExtractViewDrawing(c.number, c.view, file); }), 0);
    EXPECT_FALSE(fs::exists(file));
  }
  real->ExtractViewDrawing("7", "top", file);  // the column in any letter case
  EXPECT_TRUE(fs::exists(file));
}

}  // namespace

namespace {

// The drawing cache on a full disk: the extraction is reported, no empty or half file is left
// in the cache to fail at the next start, and the drawing is extracted once there is room.
TEST_F(DrawingDatabase, AFullDiskUnderTheCacheIsReportedAndLeavesNoHalfDrawing) {
  inputs.Aircraft1 = "7";
  {
    testsupport::BrokenFolder broken(dir / "DXF", testsupport::BrokenFolder::Kind::Full, [] {});
    if (!broken.available()) GTEST_SKIP() << broken.why();
    std::cout << "broken by " << broken.way() << "\n";
    CadFunctions::AircraftDxfFile(1, "Top");
    ASSERT_EQ(traps.errors.size(), 1u);
    EXPECT_EQ(traps.errors[0].number, vb::err::PathFileAccess);
    EXPECT_NE(traps.errors[0].description.find("7Top.dxf"), std::string::npos);
    for (const std::string& name : folder()) EXPECT_EQ(name, "filler");
  }
  traps.errors.clear();
  CadFunctions::AircraftDxfFile(1, "Top");
  EXPECT_TRUE(traps.errors.empty());
  EXPECT_EQ(testsupport::ReadText(cached("7Top.dxf")).substr(0, 11), "  0\nSECTION");
}

}  // namespace
