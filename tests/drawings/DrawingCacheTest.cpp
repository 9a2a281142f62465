#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "DrawingsTestSupport.h"
#include "platform/runtime/Files.h"
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

}  // namespace
