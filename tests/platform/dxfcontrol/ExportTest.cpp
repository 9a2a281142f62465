#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "platform/dxf/DxfTestSupport.h"
#include "platform/dxf/Reader.h"
#include "platform/dxf/Wmf.h"
#include "platform/dxf/Writer.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/dxfcontrol/DxfControlTestSupport.h"
#include "platform/dxfcontrol/PainterSink.h"
#include "platform/runtime/Error.h"
#include "support/TestSupport.h"

namespace {

using dxftest::File;
using dxftest::Groups;

const std::string kTables =
    Groups({{0, "TABLE"}, {2, "LTYPE"}}) +
    Groups({{0, "LTYPE"},
            {2, "DASHED"},
            {3, "__ __"},
            {73, "2"},
            {40, "0.75"},
            {49, "0.5"},
            {49, "-0.25"}}) +
    Groups({{0, "ENDTAB"}}) + Groups({{0, "TABLE"}, {2, "LAYER"}}) +
    Groups({{0, "LAYER"}, {2, "0"}, {62, "7"}}) +
    Groups({{0, "LAYER"}, {2, "PLANE1"}, {62, "1"}, {70, "0"}, {6, "DASHED"}}) +
    Groups({{0, "LAYER"}, {2, "HIDE"}, {62, "-3"}, {70, "1"}}) + Groups({{0, "ENDTAB"}}) +
    Groups({{0, "TABLE"}, {2, "STYLE"}}) +
    Groups({{0, "STYLE"}, {2, "ARIALSTY"}, {3, "arial.ttf"}, {41, "1"}}) + Groups({{0, "ENDTAB"}});

const std::string kBlocks =
    Groups({{0, "BLOCK"}, {2, "SEAT"}, {10, "0.5"}, {20, "0"}}) +
    Groups({{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}}) +
    Groups({{0, "ARC"}, {10, "0"}, {20, "0"}, {40, "1"}, {50, "0"}, {51, "90"}}) +
    Groups({{0, "ENDBLK"}}) + Groups({{0, "BLOCK"}, {2, "*D1"}, {70, "1"}, {10, "0"}, {20, "0"}}) +
    Groups({{0, "LINE"}, {10, "-35"}, {20, "10"}, {11, "35"}, {21, "10"}}) +
    Groups({{0, "ENDBLK"}});

const std::string kEntities =
    Groups({{0, "LINE"},
            {8, "PLANE1"},
            {62, "3"},
            {10, "0.1"},
            {20, "-5"},
            {11, "100"},
            {21, "1e-7"}}) +
    Groups({{0, "LWPOLYLINE"},
            {8, "PLANE1"},
            {90, "3"},
            {70, "1"},
            {10, "0"},
            {20, "0"},
            {42, "0.5"},
            {10, "100"},
            {20, "0"},
            {10, "100"},
            {20, "20"}}) +
    Groups({{0, "CIRCLE"}, {10, "45"}, {20, "-30"}, {40, "3"}}) +
    Groups({{0, "TEXT"},
            {8, "DIM"},
            {10, "50"},
            {20, "-72"},
            {40, "4"},
            {72, "1"},
            {11, "50"},
            {21, "-72"},
            {7, "ARIALSTY"},
            {1, "8.3%%d \xC2\xB1"},
            {50, "15"}}) +
    Groups({{0, "SOLID"},
            {10, "-1"},
            {20, "0"},
            {11, "1"},
            {21, "0"},
            {12, "-1"},
            {22, "1"},
            {13, "1"},
            {23, "1"}}) +
    Groups({{0, "INSERT"}, {2, "SEAT"}, {10, "2"}, {20, "3"}, {41, "2"}, {42, "0.5"}, {50, "90"}}) +
    Groups({{0, "DIMENSION"}, {2, "*D1"}, {10, "35"}, {20, "10"}, {70, "32"}}) +
    Groups({{0, "ELLIPSE"},
            {10, "30"},
            {20, "0"},
            {11, "8"},
            {21, "0"},
            {40, "0.5"},
            {41, "0"},
            {42, "3.141592653589793"}}) +
    Groups({{0, "MTEXT"}, {10, "20"}, {20, "4"}, {40, "1"}, {71, "1"}, {1, "Galley\\PAft"}}) +
    Groups({{0, "LINE"}, {8, "HIDE"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}});

TEST(DxfExport, SaveDxfReloadsWithTheSameGeometry) {
  testsupport::TempDir dir;
  dxf::DrawingControl cad(dir.path());
  cad.LoadDrawingText(File(kEntities, kTables, kBlocks));
  cad.SaveDxf("out.dxf");
  std::string text = testsupport::ReadText(dir / "out.dxf");
  EXPECT_NE(text.find("AC1009"), std::string::npos);
  for (unsigned char c : text) ASSERT_LT(c, 0x80) << "R12 output is plain ASCII";
  EXPECT_EQ(text.find("LWPOLYLINE"), std::string::npos);
  EXPECT_EQ(text.find("MTEXT"), std::string::npos);
  EXPECT_EQ(text.find("ELLIPSE"), std::string::npos);

  dxf::Document back;
  dxf::ReadDxf(text, back);
  const dxf::Document& orig = cad.Drawing();
  ASSERT_EQ(back.Layers.Count(), orig.Layers.Count());
  for (long i = 1; i <= orig.Layers.Count(); ++i) {
    EXPECT_EQ(back.Layers.Item(i).Name(), orig.Layers.Item(i).Name());
    EXPECT_EQ(back.Layers.Item(i).Color, orig.Layers.Item(i).Color);
    EXPECT_EQ(back.Layers.Item(i).Frozen, orig.Layers.Item(i).Frozen);
    EXPECT_EQ(back.Layers.Item(i).Off, orig.Layers.Item(i).Off);
    EXPECT_EQ(back.Layers.Item(i).LineType, orig.Layers.Item(i).LineType);
  }
  ASSERT_NE(back.LineTypes.Find("DASHED"), nullptr);
  EXPECT_EQ(back.LineTypes.Find("DASHED")->Elements, orig.LineTypes.Find("DASHED")->Elements);
  EXPECT_EQ(back.TextStyles.Find("ARIALSTY")->FontFileName, "arial.ttf");
  EXPECT_DOUBLE_EQ(back.Blocks.Item("SEAT").BaseX, 0.5);
  EXPECT_EQ(back.Blocks.Item("SEAT").Entities.Count(), 2);
  EXPECT_EQ(back.Blocks.Item("*D1").Entities.Count(), 1);

  // The MTEXT became two TEXTs, so one more entity.
  ASSERT_EQ(back.Entities.Count(), orig.Entities.Count() + 1);
  auto same = [](const dxf::Entity& a, const dxf::Entity& b, const char* what) {
    EXPECT_EQ(a.LayerName, b.LayerName) << what;
    EXPECT_EQ(a.Color, b.Color) << what;
    EXPECT_DOUBLE_EQ(a.X0, b.X0) << what;
    EXPECT_DOUBLE_EQ(a.Y0, b.Y0) << what;
    EXPECT_DOUBLE_EQ(a.X1, b.X1) << what;
    EXPECT_DOUBLE_EQ(a.Y1, b.Y1) << what;
    EXPECT_DOUBLE_EQ(a.Extra().X2, b.Extra().X2) << what;
    EXPECT_DOUBLE_EQ(a.Extra().X3, b.Extra().X3) << what;
    EXPECT_DOUBLE_EQ(a.g40, b.g40) << what;
    EXPECT_DOUBLE_EQ(a.g41, b.g41) << what;
    EXPECT_DOUBLE_EQ(a.Extra().g42, b.Extra().g42) << what;
    EXPECT_DOUBLE_EQ(a.g50, b.g50) << what;
    EXPECT_EQ(a.Text, b.Text) << what;
    EXPECT_EQ(a.Extra().BlockName, b.Extra().BlockName) << what;
  };
  same(back.Entities.Item(1), orig.Entities.Item(1), "line");
  const dxf::Entity& poly = back.Entities.Item(2);
  EXPECT_EQ(poly.EntityType, "POLYLINE");
  EXPECT_EQ(poly.Flags & 1, 1);
  ASSERT_EQ(poly.Vertices.Count(), 3);
  EXPECT_DOUBLE_EQ(poly.Vertices.Item(1).Bulge, 0.5);
  EXPECT_DOUBLE_EQ(poly.Vertices.Item(3).Y0, 20);
  same(back.Entities.Item(3), orig.Entities.Item(3), "circle");
  same(back.Entities.Item(4), orig.Entities.Item(4), "text");
  EXPECT_EQ(back.Entities.Item(4).Text, "8.3\xC2\xB0 \xC2\xB1");
  EXPECT_EQ(back.Entities.Item(4).Extra().TextStyle, "ARIALSTY");
  EXPECT_DOUBLE_EQ(back.Entities.Item(4).Extra().g72, 1);
  same(back.Entities.Item(5), orig.Entities.Item(5), "solid");
  same(back.Entities.Item(6), orig.Entities.Item(6), "insert");
  same(back.Entities.Item(7), orig.Entities.Item(7), "dimension");
  const dxf::Entity& ell = back.Entities.Item(8);
  EXPECT_EQ(ell.EntityType, "POLYLINE");
  EXPECT_EQ(ell.Flags & 1, 0);  // a partial ellipse stays open
  EXPECT_NEAR(ell.Vertices.Item(1).X0, 38, 1e-9);
  EXPECT_NEAR(ell.Vertices.items().back().X0, 22, 1e-9);
  EXPECT_EQ(back.Entities.Item(9).Text, "Galley");
  EXPECT_EQ(back.Entities.Item(10).Text, "Aft");
  EXPECT_EQ(back.Entities.Item(11).LayerName, "HIDE");
}

TEST(DxfExport, WriteFailuresRaise) {
  testsupport::TempDir dir;
  dxf::DrawingControl cad(dir.path());
  const std::string bad = (dir / "missing-folder" / "x").string();
  for (auto save : {&dxf::DrawingControl::SaveDxf, &dxf::DrawingControl::SaveMetafile}) {
    long err = 0;
    try {
      (cad.*save)(bad);
    } catch (const vb::Error& e) {
      err = e.number;
    }
    EXPECT_EQ(err, vb::err::PathFileAccess);
  }
}

uint16_t W16(const std::string& b, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) |
                               (static_cast<unsigned char>(b[at + 1]) << 8));
}
uint32_t W32(const std::string& b, size_t at) {
  return W16(b, at) | (uint32_t{W16(b, at + 2)} << 16);
}
int16_t S16(const std::string& b, size_t at) { return static_cast<int16_t>(W16(b, at)); }

TEST(DxfExport, MetafileRecordWalk) {
  dxfcontroltest::EnsureGuiApp();
  testsupport::TempDir dir;
  dxf::DrawingControl cad(dir.path());
  cad.SetSize(300, 200);
  // A far-off line (clamped to 16 bits), a frozen layer, texts, fills and arcs.
  cad.LoadDrawingText(
      File(kEntities + Groups({{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "1e9"}, {21, "1e9"}}),
           kTables, kBlocks));
  cad.ZoomToWindow(-80, -80, 120, 60);
  cad.SaveMetafile("view.wmf");
  std::string b = testsupport::ReadText(dir / "view.wmf");
  ASSERT_GT(b.size(), 22u + 18u);
  EXPECT_EQ(W32(b, 0), 0x9AC6CDD7u);
  uint16_t sum = 0;
  for (size_t i = 0; i < 20; i += 2) sum ^= W16(b, i);
  EXPECT_EQ(W16(b, 20), sum) << "checksum of the first ten words";
  int16_t right = S16(b, 10), bottom = S16(b, 12);
  EXPECT_EQ(S16(b, 6), 0);
  EXPECT_EQ(S16(b, 8), 0);
  EXPECT_LE(std::max(right, bottom), dxf::kWmfMaxExtent);
  EXPECT_NEAR(static_cast<double>(right) / bottom, 1.5, 0.01);  // the displayed window's aspect
  EXPECT_EQ(W16(b, 14), dxf::kWmfUnitsPerInch);
  const size_t h = 22;
  EXPECT_EQ(W16(b, h), 1);
  EXPECT_EQ(W16(b, h + 2), 9);
  EXPECT_EQ(W16(b, h + 4), 0x0300);
  uint32_t totalWords = W32(b, h + 6);
  uint16_t objects = W16(b, h + 10);
  uint32_t maxRecord = W32(b, h + 12);
  EXPECT_EQ(totalWords * 2, b.size() - h);
  size_t at = h + 18;
  bool sawEof = false, sawText = false, sawPolygon = false, sawMapMode = false;
  int polylines = 0, live = 0;
  while (at < b.size()) {
    uint32_t size = W32(b, at);
    uint16_t fn = W16(b, at + 4);
    ASSERT_GE(size, 3u);
    ASSERT_LE(at + size * 2, b.size());
    EXPECT_LE(size, maxRecord);
    if (fn == 0x0000) {
      sawEof = true;
      EXPECT_EQ(at + size * 2, b.size()) << "EOF is the last record";
    }
    if (fn == 0x0103) sawMapMode = W16(b, at + 6) == 8;
    if (fn == 0x0325 || fn == 0x0324) {
      uint16_t n = W16(b, at + 6);
      EXPECT_EQ(size, 3u + 1u + 2u * n);
      for (uint16_t k = 0; k < n; ++k) {
        int16_t x = S16(b, at + 8 + 4 * k), y = S16(b, at + 10 + 4 * k);
        EXPECT_GE(x, -32768 + 700);
        EXPECT_GE(y, -32768 + 700);
      }
      if (fn == 0x0325)
        ++polylines;
      else
        sawPolygon = true;
    }
    if (fn == 0x0A32) {
      uint16_t len = W16(b, at + 10);
      EXPECT_EQ(size, 3u + 4u + (len + 1u) / 2u);
      sawText = true;
    }
    if (fn == 0x02FA || fn == 0x02FB || fn == 0x02FC) ++live;
    if (fn == 0x01F0) --live;
    at += size * 2;
  }
  EXPECT_TRUE(sawEof);
  EXPECT_TRUE(sawMapMode);
  EXPECT_TRUE(sawText);
  EXPECT_TRUE(sawPolygon);
  EXPECT_GE(polylines, 6);
  EXPECT_EQ(live, 0) << "every object created is deleted";
  EXPECT_GE(objects, 3);
}

// The metafile's texts stand on the baselines the screen draws them on: by the measures of the
// screen's face, not by proportions of the metafile's own.
TEST(DxfExport, MetafileTextsStandWhereTheScreenShowsThem) {
  dxfcontroltest::EnsureGuiApp();
  testsupport::TempDir dir;
  dxf::DrawingControl cad(dir.path());
  cad.SetSize(300, 200);
  // Texts 4 high at x 50: by their bottom at y 20, by their middle at y 40.
  auto text = [](const char* y, const char* vjust) {
    return Groups({{0, "TEXT"}, {10, "50"}, {20, y}, {11, "50"}, {21, y}, {40, "4"},
                   {1, "Text"}, {73, vjust}});
  };
  cad.LoadDrawingText(File(text("20", "1") + text("40", "2")));
  cad.ZoomToWindow(0, 0, 150, 100);
  cad.SaveMetafile("texts.wmf");
  const std::string b = testsupport::ReadText(dir / "texts.wmf");
  std::vector<std::pair<int, int>> at;  // (x, y) of each text record
  for (size_t i = 22 + 18; i + 6 <= b.size() && W32(b, i) >= 3; i += W32(b, i) * 2) {
    if (W16(b, i + 4) == 0x0A32) at.emplace_back(S16(b, i + 8), S16(b, i + 6));
  }
  ASSERT_EQ(at.size(), 2u);
  const double k = dxf::kWmfMaxExtent / std::max(cad.ViewMaxX() - cad.ViewMinX(),
                                                 cad.ViewMaxY() - cad.ViewMinY());
  const dxf::FaceMeasures face = dxf::ScreenFonts().Measure(dxf::FontFaceForFile(""));
  EXPECT_NEAR(at[0].first, (50 - cad.ViewMinX()) * k, 1);
  EXPECT_NEAR(at[0].second, (cad.ViewMaxY() - 20 - 4 * face.descent / face.capHeight) * k, 1)
      << "the baseline of a text by its bottom lies the face's descent above its point";
  EXPECT_NEAR(at[1].second, (cad.ViewMaxY() - 40 + 2) * k, 1)
      << "the baseline of a text by its middle lies half its height below its point";
}

}  // namespace
