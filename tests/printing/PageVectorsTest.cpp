#include <gtest/gtest.h>

#include <cmath>

#include "PrintingTestSupport.h"
#include "charts/Graph.h"
#include "platform/printer/RecordingPrinter.h"
#include "printing/PageRaster.h"
#include "printing/PageVectors.h"
#include "printing/frmPlotPreview.h"

namespace {

using Printing::PageLine;
using Printing::PageText;
using printingtest::PrintingTest;

constexpr gdi::Rgb kRed = 0x0000FF;
constexpr gdi::Rgb kBlue = 0xFF0000;

// Letter at 1200 dpi: 10200 x 13200 printable pixels.
constexpr double kXF = 0.9984 * 10200 / 8.5;  // 1198.08
constexpr double kYF = 0.9935 * 13200 / 11;   // 1192.2

Printing::LegendState BothPlanes() {
  Printing::LegendState st;
  st.Aircraft1 = "101";
  st.Aircraft2 = "102";
  st.PlaneColor1 = kRed;
  st.PlaneColor2 = kBlue;
  st.ShowPlane1 = st.ShowPlane2 = true;
  st.PlotScaleText1 = "Scale = 1:80";
  st.PlotScaleText2 = "Scale = 1:90";
  st.AcName = [](const std::string& n) { return n == "101" ? "Jet One" : "Jet Two"; };
  return st;
}

PageText Text(std::string text, double x, double y, double height = 0.1, int h = 0, int v = 0,
              double angle = 0) {
  PageText t;
  t.text = std::move(text);
  t.x = x;
  t.y = y;
  t.font = "Arial";
  t.height = height;
  t.hAlign = h;
  t.vAlign = v;
  t.angle = angle;
  return t;
}

std::vector<std::string> Only(const std::vector<std::string>& log, std::string_view prefix) {
  std::vector<std::string> out;
  for (const std::string& l : log)
    if (l.starts_with(prefix)) out.push_back(l);
  return out;
}

TEST(PageMapping, PrinterAndPreviewFactors) {
  const Printing::PageMapping p = Printing::MappingFor(10200, 13200, false);
  EXPECT_DOUBLE_EQ(p.xFactor, kXF);
  EXPECT_DOUBLE_EQ(p.yFactor, kYF);
  // The preview's factors do not follow its size.
  for (double w : {580.0, 1000.0, 10.0})
    EXPECT_EQ(Printing::MappingFor(w, w * 1.3, true), (Printing::PageMapping{80, 80}));
  // A text point and the line (0, 0)-(8.5, 11) with its shifts.
  const gdi::Point t = Printing::TextPoint(p, 1, 10);
  EXPECT_DOUBLE_EQ(t.x, kXF);
  EXPECT_DOUBLE_EQ(t.y, kYF);
  const gdi::Point a = Printing::LinePoint(p, 0, 0), b = Printing::LinePoint(p, 8.5, 11);
  EXPECT_NEAR(a.x, -0.017 * kXF, 1e-9);
  EXPECT_NEAR(a.y, 10.9998 * kYF, 1e-9);
  EXPECT_NEAR(b.x, 8.483 * kXF, 1e-9);
  EXPECT_NEAR(b.y, -0.0002 * kYF, 1e-9);
}

TEST(PageMapping, TextPlacementByJustificationAndAngle) {
  const double w = 40, h = 10;
  struct Case {
    int hCode, vCode;
    double angle;
    double x, y;  // expected top-left for the reference point (100, 200)
  };
  const Case cases[] = {
      {0, 0, 0, 100, 192.5},   // baseline: 0.75 of the cell above the point
      {1, 0, 0, 80, 192.5},    // centred
      {2, 0, 0, 60, 192.5},    // right
      {5, 0, 0, 100, 192.5},   // fit: left
      {0, 2, 0, 100, 195},     // middle
      {0, 1, 0, 100, 190},     // bottom: the cell stands on the point
      {0, 3, 0, 100, 190},     // top code (the reference is the baseline point)
      {4, 2, 0, 100, 195},     // middle of a "middle" text: offsets of the other codes
      // Rotated a quarter turn counter-clockwise: the cell's top-left lies below-left of the
      // reference along the turned axes.
      {0, 0, 90, 92.5, 200},   // baseline point: the cell 0.75 h to the left
      {0, 2, 90, 95, 200},     // middle: half a height to the left
      {1, 2, 90, 95, 220},     // centred: half the width below
      {2, 1, 90, 90, 240},     // right, bottom
      {0, 1, 180, 100, 210},   // upside down, standing on the point
  };
  for (const Case& c : cases) {
    const gdi::Point p = Printing::TextTopLeft({100, 200}, w, h, c.hCode, c.vCode, c.angle);
    EXPECT_NEAR(p.x, c.x, 1e-9) << c.hCode << "/" << c.vCode << " at " << c.angle;
    EXPECT_NEAR(p.y, c.y, 1e-9) << c.hCode << "/" << c.vCode << " at " << c.angle;
  }
}

TEST(PageMapping, LegendPlaceholdersNeedBothPlanesChosenAndShown) {
  struct Case {
    const char* name;
    std::string a1, a2;
    bool show1, show2;
    std::string legend1, legend2;
  };
  const Case cases[] = {
      {"both shown", "101", "102", true, true, "Jet One -  ", "Jet Two -  "},
      {"only Plane 1", "101", "", true, true, "", ""},
      {"only Plane 2", "", "102", true, true, "", ""},
      {"Plane 1 hidden", "101", "102", false, true, "", ""},
      {"Plane 2 hidden", "101", "102", true, false, "", ""},
  };
  for (const Case& c : cases) {
    Printing::LegendState st = BothPlanes();
    st.Aircraft1 = c.a1;
    st.Aircraft2 = c.a2;
    st.ShowPlane1 = c.show1;
    st.ShowPlane2 = c.show2;
    std::string l1 = "Legend1", l2 = "Legend2";
    const int k1 = Printing::ResolvePlaceholder(l1, st);
    const int k2 = Printing::ResolvePlaceholder(l2, st);
    EXPECT_EQ(l1, c.legend1) << c.name;
    EXPECT_EQ(l2, c.legend2) << c.name;
    EXPECT_EQ(k1, c.legend1.empty() ? 0 : 1) << c.name;
    EXPECT_EQ(k2, c.legend2.empty() ? 0 : 2) << c.name;
  }
  Printing::LegendState st = BothPlanes();
  for (auto [in, out] : {std::pair{"PlotScale1", "Scale = 1:80"}, {"PlotScale2", "Scale = 1:90"},
                         {"AcNames", "AcNames"}, {"legend1", "legend1"}, {"", ""}}) {
    std::string t = in;
    EXPECT_EQ(Printing::ResolvePlaceholder(t, st), 0);
    EXPECT_EQ(t, out);
  }
}

class VectorPrint : public PrintingTest {
 protected:
  printer::RecordingPrinter rec;
};

TEST_F(VectorPrint, TextsThenLinesOnThePrinterAtTheMappedPoints) {
  std::vector<PageText> texts{Text("Top Left", 1, 10)};
  texts[0].color = 0x00FF00;
  std::vector<PageLine> lines{{0, 0, 8.5f, 11, kBlue}, {1, 1, 2, 1, 0}};
  Printing::PrintEntities(rec, false, texts, lines, BothPlanes());
  const std::vector<std::string> log = rec.log();
  // The cell of a 0.1 in text at 1200 dpi is 180 px: the top-left 135 px above the point.
  const auto text = Only(log, "TEXT ");
  ASSERT_EQ(text.size(), 1u);
  EXPECT_EQ(text[0], "TEXT 1198 1057 \"Top Left\" #00ff00");
  const auto fonts = Only(log, "FONT Arial");
  ASSERT_FALSE(fonts.empty());
  EXPECT_TRUE(fonts[0].starts_with("FONT Arial 180 400 0 0 0 0")) << fonts[0];
  const auto drawn = Only(log, "LINE ");
  ASSERT_EQ(drawn.size(), 2u);
  // (-0.017 xF, 10.9998 yF)-(8.483 xF, -0.0002 yF), rounded to device pixels.
  EXPECT_EQ(drawn[0], "LINE -20 13114 10163 0");
  EXPECT_EQ(drawn[1], "LINE 1178 11922 2376 11922");
  // Each line with a pen of width 2 in its colour; the text comes first.
  const auto pens = Only(log, "PEN 2");
  EXPECT_EQ(pens, (std::vector<std::string>{"PEN 2 #0000ff", "PEN 2 #000000"}));
  const auto first = std::find(log.begin(), log.end(), text[0]);
  const auto firstLine = std::find(log.begin(), log.end(), drawn[0]);
  EXPECT_LT(first, firstLine);
}

TEST_F(VectorPrint, LegendTextIsFollowedByItsSwatchAndOutline) {
  std::vector<PageText> texts{Text("Legend1", 1, 10), Text("Legend2", 1, 9), Text("Plain", 1, 8)};
  Printing::PrintEntities(rec, false, texts, {}, BothPlanes());
  // Replaced in place; the plain text stays.
  EXPECT_EQ(texts[0].text, "Jet One -  ");
  EXPECT_EQ(texts[1].text, "Jet Two -  ");
  EXPECT_EQ(texts[2].text, "Plain");
  const std::vector<std::string> log = rec.log();
  // The recording measures 0.55 x 180 x 11 characters = 1089 px by 180 px.
  const double x1 = 1198 + 1089, y1 = 1057, x2 = x1 + 270, y2 = y1 + 180;
  const auto rects = Only(log, "RECT ");
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0], "RECT " + gdi::ShortNumber(x1) + " " + gdi::ShortNumber(y1) + " " +
                          gdi::ShortNumber(x2) + " " + gdi::ShortNumber(y2));
  EXPECT_NE(std::find(log.begin(), log.end(), "BRUSH #ff0000 solid"), log.end());  // Plane 1 red
  EXPECT_NE(std::find(log.begin(), log.end(), "BRUSH #0000ff solid"), log.end());  // Plane 2 blue
  // The outline: left, bottom, right, top, in a black pen of width 2.
  const auto drawn = Only(log, "LINE ");
  ASSERT_EQ(drawn.size(), 8u);
  auto L = [](double a, double b, double c, double d) {
    return "LINE " + gdi::ShortNumber(a) + " " + gdi::ShortNumber(b) + " " + gdi::ShortNumber(c) +
           " " + gdi::ShortNumber(d);
  };
  EXPECT_EQ(drawn[0], L(x1, y1, x1, y2));
  EXPECT_EQ(drawn[1], L(x1, y2, x2, y2));
  EXPECT_EQ(drawn[2], L(x2, y2, x2, y1));
  EXPECT_EQ(drawn[3], L(x2, y1, x1, y1));
  // With Plane 2 hidden both legends are empty texts and no swatch is drawn.
  rec.forget();
  Printing::LegendState st = BothPlanes();
  st.ShowPlane2 = false;
  std::vector<PageText> again{Text("Legend1", 1, 10), Text("Legend2", 1, 9)};
  Printing::PrintEntities(rec, false, again, {}, st);
  const std::vector<std::string> log2 = rec.log();
  EXPECT_TRUE(Only(log2, "RECT ").empty());
  EXPECT_TRUE(Only(log2, "LINE ").empty());
  EXPECT_EQ(again[0].text, "");
}

TEST_F(VectorPrint, MoreLinesThanASixteenBitCounterAreAllPrinted) {
  std::vector<PageLine> lines(40000, PageLine{1, 1, 2, 2, 0});
  std::vector<PageText> none;
  Printing::PrintEntities(rec, false, none, lines, BothPlanes());
  EXPECT_EQ(Only(rec.log(), "LINE ").size(), 40000u);
}

TEST_F(VectorPrint, PlotPageLineDrawsBlackOnTheBoundTargetWithoutRefresh) {
  std::vector<PageText> none;
  Printing::PrintEntities(rec, false, none, {}, BothPlanes());
  rec.forget();
  Printing::PlotPageLine(false, 0, 0, 8.5, 11);
  const std::vector<std::string> log = rec.log();
  EXPECT_EQ(Only(log, "PEN "), (std::vector<std::string>{"PEN 2 #000000", "PEN 1 #000000"}));
  EXPECT_EQ(Only(log, "LINE "), (std::vector<std::string>{"LINE -20 13114 10163 0"}));
}

TEST_F(VectorPrint, PreviewDrawsAt68PixelsPerInchAndRefreshesAfterEachLine) {
  PreviewPages& pages = Printing::Preview();
  pages.startJob("Job");
  int changes = 0;
  pages.setOnChange([&] { ++changes; });
  std::vector<PageText> texts{Text("Legend1", 1, 10, 0.2)};
  std::vector<PageLine> lines{{1, 1, 7.5f, 1, 0}, {1, 2, 7.5f, 2, kRed}, {1, 3, 7.5f, 3, kBlue}};
  Printing::PrintEntities(pages, true, texts, lines, BothPlanes());
  EXPECT_GE(changes, 3);
  ASSERT_EQ(pages.pageCount(), 1);
  const QImage& page = pages.page(0);
  // The red line at y = 2 in: (11 - 2.0002) x 68 = 612 px down, from 1 in (67 px) across.
  EXPECT_EQ(gdi::FromQColor(QColor(page.pixel(300, 612))), kRed);
  EXPECT_EQ(gdi::FromQColor(QColor(page.pixel(300, 680))), 0u);
  // The legend swatch in Plane 1's colour, right of the text at 1 in, 1 in below the top.
  bool swatch = false;
  for (int x = 68; x < 400 && !swatch; ++x)
    for (int y = 60; y < 90 && !swatch; ++y)
      swatch = gdi::FromQColor(QColor(page.pixel(x, y))) == kRed;
  EXPECT_TRUE(swatch);
}

TEST(PageRaster, FactorTables) {
  const std::pair<double, double> by2000[] = {{2000, 1}, {2001, 2}, {4000, 2}, {4001, 4},
                                              {8000, 4}, {8001, 8}, {10200, 8}, {0, 1}};
  for (auto [w, f] : by2000) EXPECT_EQ(Printing::RasterFactor2000(w), f) << w;
  const std::pair<double, double> by2500[] = {{2500, 1},    {2501, 1.5},  {3750, 1.5},
                                              {3751, 2.25}, {5625, 2.25}, {5626, 3.375},
                                              {8437, 3.375}};
  for (auto [w, f] : by2500) EXPECT_EQ(Printing::RasterFactor2500(w), f) << w;
}

TEST(PageRaster, PictureSizeAndPaintedBox) {
  testsupport::QtApp();
  // Full-page Letter at 1200 dpi: 1275 x 1650; with 10 mm margins 1233 x 1608 (rounded up).
  QImage full = Printing::PlotPicture(10200, 13200, 8);
  EXPECT_EQ(full.size(), QSize(1275, 1650));
  EXPECT_EQ(QColor(full.pixel(3, 3)), QColor(Qt::white));
  EXPECT_EQ(Printing::PlotPicture(9727, 12727, 8).size(), QSize(1216, 1591));
  EXPECT_TRUE(Printing::PlotPicture(0, 100, 1).isNull());
  printer::RecordingPrinter rec;
  Printing::PaintPlotPicture(rec, full, 8);
  Printing::PaintPlotPicture(rec, QImage(), 8);
  EXPECT_EQ(rec.log(), (std::vector<std::string>{"BEGIN", "PICTURE 0 0 10200 13200 1275 1650"}));
}

}  // namespace
