// A cached view drawing that no longer reads (cut short by a full disk, a crash or a copy, or
// damaged) is extracted again from the drawing database and shown, instead of failing at every
// composition and every start.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "CompositionFakes.h"
#include "drawings/DxfCadServices.h"
#include "foundation/DBase.h"
#include "drawings/DrawingTabs.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/runtime/Files.h"
#include "support/Fixtures.h"

namespace {

namespace fs = std::filesystem;

// A drawing of one line from (0, 0) to (length, 0).
std::string LineDrawing(int length) {
  return "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n" + std::to_string(length) +
         "\n21\n0\n0\nENDSEC\n0\nEOF";
}

class CachedDrawing : public mwtest::CompositionTest {
 protected:
  dxf::DrawingControl measuring, topView, frontView, sideView, interiorView;
  std::unique_ptr<CadFunctions::DxfCadServices> real;
  MainForm::DxfCompositionControls dxfControls{*(real = MakeServices())};

  std::unique_ptr<CadFunctions::DxfCadServices> MakeServices() {
    return std::make_unique<CadFunctions::DxfCadServices>(CadFunctions::DxfCadServices::Controls{
        &measuring, nullptr, &topView, &frontView, &sideView, &interiorView});
  }

  void SetUp() override {
    CompositionTest::SetUp();
    testsupport::BuildDatabase(dir / "dxf.mdb",
                               "CREATE TABLE DXF (AcNum INTEGER PRIMARY KEY, Top LONGTEXT, "
                               "Front LONGTEXT, Side LONGTEXT);"
                               "INSERT INTO DXF (AcNum, Top) VALUES (101, '" +
                                   LineDrawing(40) + "'), (102, '" + LineDrawing(60) + "');");
    DBase::vars().DxfDBPath = (dir / "dxf.mdb").string();
    CadFunctions::InstallServices(real.get());
    CadFunctions::InitDwgs();
    Registry::RegSettings().Aircraft2.clear();
  }
  void TearDown() override {
    DBase::vars().DxfDBPath.clear();
    CompositionTest::TearDown();
  }
  // The top view composed alone from the cache, as a tab switch does.
  void ComposeTop() { MainForm::ComposeDrawingTab(2, dxfControls, options); }
  double PlaneExtentX() {
    double maxX = -1;
    for (const dxf::Entity& e : topView.EntityList()) {
      if (e.LayerName == "PLANE1" && e.EntityType == "LINE") maxX = std::max({maxX, e.X0, e.X1});
    }
    return maxX;
  }
};

TEST_F(CachedDrawing, ACachedDrawingCutShortIsExtractedAgainAndShown) {
  const fs::path cached = dir / "DXF" / "101Top.dxf";
  const std::string whole = LineDrawing(40);
  const std::string cuts[] = {whole.substr(0, whole.size() / 2), "0\nSECTION\n2\nENTITIES\n0\nLI",
                              "", std::string(64, '\0')};
  for (const std::string& cut : cuts) {
    SCOPED_TRACE(testing::PrintToString(cut));
    traps.errors.clear();
    { std::ofstream(cached, std::ios::binary) << cut; }
    ComposeTop();
    EXPECT_TRUE(traps.errors.empty()) << traps.errors.front().description;
    EXPECT_EQ(PlaneExtentX(), 40);
    // The cache holds the drawing again, so the next start reads it as it is.
    std::string text;
    ASSERT_TRUE(vb::ReadWholeFile(cached, text));
    EXPECT_EQ(text, whole + "\r\n");
  }
}

TEST_F(CachedDrawing, ADrawingThatDoesNotReadInTheDatabaseTooIsReported) {
  const std::string damaged = "0\nSECTION\n2\nENT";
  testsupport::BuildDatabase(dir / "dxf.mdb",
                             "CREATE TABLE DXF (AcNum INTEGER PRIMARY KEY, Top LONGTEXT, "
                             "Front LONGTEXT, Side LONGTEXT);"
                             "INSERT INTO DXF (AcNum, Top) VALUES (101, '" + damaged + "');");
  { std::ofstream(dir / "DXF" / "101Top.dxf") << "0\nSECTION\n"; }
  ComposeTop();
  // The measurement and the merge each met the reader's error of the fresh copy.
  ASSERT_FALSE(traps.errors.empty());
  for (const vb::Error& e : traps.errors)
    EXPECT_NE(e.description.find("Invalid DXF file"), std::string::npos) << e.description;
  EXPECT_EQ(PlaneExtentX(), -1);
  std::string text;
  ASSERT_TRUE(vb::ReadWholeFile(dir / "DXF" / "101Top.dxf", text));
  EXPECT_EQ(text, damaged + "\r\n");
}

}  // namespace
