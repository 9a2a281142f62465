// A drawing tab composed the way the main window's tab display does it, from the sample
// drawings through a drawing database and the cache: two aircraft overlaid in one on-screen
// view, each on its layers and in its colour, with its dimensions.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QImage>
#include <QPixmap>
#include <chrono>
#include <filesystem>
#include <set>

#include "DrawingsTestSupport.h"
#include "foundation/DBase.h"
#include "platform/dxfcontrol/DrawingWidget.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/StateReset.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
namespace LN = CadFunctions::LayerName;

// A drawing database holding the top views of the sample aircraft 101 and 102.
void BuildSampleTops(const fs::path& db) {
  testsupport::BuildDatabase(db,
                             "CREATE TABLE DXF (AcNum INTEGER PRIMARY KEY, Top LONGTEXT, "
                             "Front LONGTEXT, Side LONGTEXT);");
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(db.c_str(), &raw), SQLITE_OK);
  sqlite3_stmt* insert = nullptr;
  ASSERT_EQ(
      sqlite3_prepare_v2(raw, "INSERT INTO DXF (AcNum, Top) VALUES (?1, ?2)", -1, &insert, nullptr),
      SQLITE_OK);
  for (int acNum : {101, 102}) {
    std::string text;
    ASSERT_TRUE(vb::ReadWholeFile(
        fs::path(TOLVANE_SAMPLE_DRAWINGS) / (std::to_string(acNum) + "Top.dxf"), text));
    sqlite3_bind_int(insert, 1, acNum);
    sqlite3_bind_text(insert, 2, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    EXPECT_EQ(sqlite3_step(insert), SQLITE_DONE);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  sqlite3_close(raw);
}

class Compose : public ::testing::Test {
 protected:
  testsupport::TempDir dir;
  dxf::DrawingControl measuring, front, side, interior;
  std::unique_ptr<dxf::DrawingWidget> top;
  std::unique_ptr<CadFunctions::DxfCadServices> real;
  drawingstest::RecordingHooks hooks;
  drawingstest::RecordingTraps traps;
  CadFunctions::DrawingInputs inputs;
  CadFunctions::Vars& v = CadFunctions::vars();

  void SetUp() override {
    drawingstest::EnsureGuiApp();
    vb::ResetProgramState();
    vb::SetProgramFolder(dir.path());
    General::vars().IniFileName = (dir / "Tolvane.ini").string();
    BuildSampleTops(dir / "dxf.mdb");
    DBase::vars().DxfDBPath = (dir / "dxf.mdb").string();
    top = std::make_unique<dxf::DrawingWidget>();
    top->resize(900, 600);
    CadFunctions::DxfCadServices::Controls controls{};
    controls[0] = &measuring;
    controls[2] = top.get();
    controls[3] = &front;
    controls[4] = &side;
    controls[5] = &interior;
    real = std::make_unique<CadFunctions::DxfCadServices>(controls);
    CadFunctions::InstallServices(real.get());
    CadFunctions::InstallWindowHooks(&hooks);
    CadFunctions::SetDrawingInputsSource([this] { return inputs; });
    vb::SetTrapHandler(&traps);
    inputs.Aircraft1 = "101";
    inputs.Aircraft2 = "102";
    inputs.CurrentDrawingTab = 2;
    // The main window's first activation.
    v.ShowPlane1 = v.ShowPlane2 = v.ShowDims = true;
  }
  void TearDown() override { vb::ResetProgramState(); }

  // The composition of the top tab, step by step as the tab display calls them.
  CadFunctions::Extents compose() {
    CadFunctions::InitDwgs();
    CadFunctions::Extents both;
    for (int plane : {1, 2}) {
      const std::string file = CadFunctions::AircraftDxfFile(plane, "Top");
      if (!fs::exists(file)) continue;
      measuring.LoadDrawingFile(file);
      Widen(both, CadFunctions::MeasureExtents(0));
    }
    CadFunctions::MakeGrid(2);
    for (int plane : {1, 2}) {
      top->SetCurrentLayerName(plane == 1 ? LN::Plane1 : LN::Plane2);
      const std::string file = CadFunctions::AircraftDxfFile(plane, "Top");
      if (fs::exists(file)) top->MergeDrawingFile(file);
      CadFunctions::SetToCurrentLayer(2);
    }
    CadFunctions::UpdateCADDims(2);
    CadFunctions::ZoomAll(2);
    top->CompleteDrawing();
    hooks.SetTabDrawn(2, true);
    v.ShowPlane1 = !v.ShowPlane1;
    CadFunctions::TogglePlane1();
    v.ShowPlane2 = !v.ShowPlane2;
    CadFunctions::TogglePlane2();
    CadFunctions::UpdateDims();
    return both;
  }

  QImage picture() {
    top->show();
    QImage image = top->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return image;
  }
  // Pixels of one colour (within a small tolerance).
  static long count(const QImage& image, QRgb colour) {
    long n = 0;
    for (int y = 0; y < image.height(); ++y) {
      const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        n += std::abs(qRed(row[x]) - qRed(colour)) < 40 &&
             std::abs(qGreen(row[x]) - qGreen(colour)) < 40 &&
             std::abs(qBlue(row[x]) - qBlue(colour)) < 40;
      }
    }
    return n;
  }
};

TEST_F(Compose, TwoAircraftLandOnTheirLayersInTheirColoursWithDimensions) {
  const auto started = std::chrono::steady_clock::now();
  const CadFunctions::Extents both = compose();
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  EXPECT_TRUE(traps.errors.empty());
  ASSERT_FALSE(both.empty);

  std::map<std::string, long> perLayer;
  for (const dxf::Entity& e : top->EntityList()) ++perLayer[e.LayerName];
  EXPECT_EQ(perLayer["GRID"], 800);
  EXPECT_GT(perLayer["PLANE1"], 10);
  EXPECT_GT(perLayer["PLANE2"], 10);
  EXPECT_GT(perLayer["DIM1"], 0);
  EXPECT_GT(perLayer["DIM2"], 0);
  std::set<std::string> layers;
  for (const auto& [name, n] : perLayer) layers.insert(name);
  EXPECT_EQ(layers, (std::set<std::string>{"GRID", "PLANE1", "PLANE2", "DIM1", "DIM2"}));

  const dxf::LayerList& l = top->Layers();
  EXPECT_EQ(l.Item(LN::Plane1).Color, 1);
  EXPECT_EQ(l.Item(LN::Plane2).Color, 5);
  EXPECT_EQ(l.Item(LN::Dim1).Color, 1);
  EXPECT_EQ(l.Item(LN::Dim2).Color, 5);
  EXPECT_TRUE(l.Item(LN::Grid).Frozen);
  for (std::string_view shown : {LN::Plane1, LN::Plane2, LN::Dim1, LN::Dim2}) {
    EXPECT_FALSE(l.Item(shown).Frozen) << shown;
  }
  // The flags were re-applied: the controls show them on.
  EXPECT_EQ(hooks.events.back(), "showtab");
  EXPECT_TRUE(v.ShowPlane1 && v.ShowPlane2);

  // The view shows both drawings whole (the measured extents of the two files).
  EXPECT_LE(top->ViewMinX(), both.minX);
  EXPECT_GE(top->ViewMaxX(), both.maxX);
  EXPECT_LE(top->ViewMinY(), both.minY);
  EXPECT_GE(top->ViewMaxY(), both.maxY);

  const QImage image = picture();
  const fs::path png = fs::path(TOLVANE_TEST_OUTPUT) / "compose_101_102_top.png";
  EXPECT_TRUE(image.save(QString::fromStdString(png.string())));
  const long red = count(image, qRgb(255, 0, 0)), blue = count(image, qRgb(0, 0, 255));
  EXPECT_GT(red, 800);
  EXPECT_GT(blue, 800);
  std::cout << "composed in " << ms << " ms; red " << red << ", blue " << blue << " pixels; "
            << png.string() << "\n";

  // Hiding Plane 2 takes its drawing and its dimensions off the screen.
  CadFunctions::TogglePlane2();
  const QImage hidden = picture();
  EXPECT_EQ(count(hidden, qRgb(0, 0, 255)), 0);
  EXPECT_GT(count(hidden, qRgb(255, 0, 0)), 800);
}

TEST_F(Compose, OverlaidPairHidesTheDimensionsAndTheGridShowsWhenAskedFor) {
  hooks.overlay[2] = true;
  compose();
  EXPECT_TRUE(top->Layers().Item(LN::Dim1).Frozen);
  EXPECT_TRUE(top->Layers().Item(LN::Dim2).Frozen);
  CadFunctions::ToggleGrid();
  EXPECT_FALSE(top->Layers().Item(LN::Grid).Frozen);
  const QImage image = picture();
  image.save(QString::fromStdString(
      (fs::path(TOLVANE_TEST_OUTPUT) / "compose_101_102_top_overlaid_grid.png").string()));
  // The grid's grey (ACI 253) covers the view.
  EXPECT_GT(count(image, qRgb(0xAD, 0xAD, 0xAD)), 1000);
}

}  // namespace
