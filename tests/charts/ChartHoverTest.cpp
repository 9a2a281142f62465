// The hover over a chart picture without a window: the picture table, the search for the point
// under the mouse, the caption, the pop-up text and box, the assumption texts and their box.
#include <filesystem>
#include <string>
#include <vector>

#include "ChartTestSupport.h"
#include "charts/ChartHover.h"
#include "platform/runtime/Format.h"
#include "support/Fixtures.h"

namespace {

using Chart::ChartPicture;
using ChartHover::Hit;
using ChartHover::kAssumptionBox;
using charttest::ChartFixture;
using gdi::RecordingCanvas;
using gdi::TargetKind;

// A picture that records what the hover asks of it.
class FakePicture : public ChartHover::HoverHost {
 public:
  ChartPicture picture = ChartPicture::BlockFuel;
  double scaleWidth = 100;
  ChartHover::CaptionExtent caption{10, 3};
  std::vector<std::string> calls;

  ChartPicture Picture() const override { return picture; }
  double ScaleWidth() const override { return scaleWidth; }
  ChartHover::CaptionExtent Caption() override { return caption; }
  void ShowPopup(int s, int p) override {
    calls.push_back("show " + std::to_string(s) + " " + std::to_string(p));
  }
  void ErasePopup() override { calls.push_back("erase"); }
  std::vector<std::string> Take() { return std::exchange(calls, {}); }
};

class Hover : public ChartFixture {
 protected:
  Chart::Vars& v = Chart::vars();

  // A chart's cache of series of (x, y) points, mapped with x to the right and y up from 100:
  // a point (x, y) stands at (x, 100 - y) chart units.
  void Cache(int chart, const std::vector<std::vector<Chart::ChartPoint>>& series,
             double xFactor = 1) {
    v.ChartHoverGeometry[chart] = {0, 0, 0, xFactor, 0, 100, 0, 1};
    v.ChartSeriesCache.Empty(chart);
    for (size_t s = 0; s < series.size(); ++s) {
      Chart::CacheSeries& cached = v.ChartSeriesCache.Touch(chart, static_cast<int>(s + 1));
      cached.Color = s == 0 ? 0x0000FF : 0xFF0000;
      cached.PointCount = static_cast<long>(series[s].size());
      for (size_t p = 0; p < series[s].size(); ++p)
        v.ChartSeriesCache.SetPoint(chart, static_cast<int>(s + 1), static_cast<int>(p + 1),
                                    series[s][p]);
    }
    v.ChartSeriesCache.SetSeriesCount(chart, static_cast<long>(series.size()));
  }
};

TEST_F(Hover, TheFourteenPicturesWithTheirTabsChartsAndReportGroups) {
  struct Row {
    const char* name;
    int tab, fixedChart, heliChart;
    const char *fixedGroup, *heliGroup, *heliWatAGroup;
  };
  const Row rows[] = {
      {"chrtBlockFuel", 6, 1, 1, "Block Fuel Fixed Wing", "Block Fuel Heli", "Block Fuel Heli"},
      {"chrtBlockTime", 6, 2, 2, "Block Time Fixed Wing", "Block Time Heli", "Block Time Heli"},
      {"chrtBalancedFieldLength", 7, 3, 3, "Balanced Field Length", "", ""},
      {"chrtTakeoffElevation", 8, 14, 11, "Max Take Off Fixed Wing", "", ""},
      {"chrtLanding", 8, 9, 10, "Landing Fixed Wing", "", ""},
      {"chrtCruiseSpeed", 9, 8, 8, "Max Cruise Speed Fixed Wing", "", ""},
      {"chrtOperatingSpeed", 9, 12, 12, "Max Op Speed Fixed Wing", "", ""},
      {"chrtPayload", 10, 13, 13, "Payload Range FW", "Payload Range Heli", "Payload Range Heli"},
      {"chrtCeilingCorp", 11, 4, 4, "", "Service Ceiling Corp Heli", "Service Ceiling Corp Heli"},
      {"chrtCeilingUtil", 11, 6, 6, "", "Service Ceiling Util Heli", "Service Ceiling Util Heli"},
      {"chrtCeilingHV", 12, 5, 5, "", "Height Velocity Heli", "Height Velocity Heli"},
      {"chrtCeilingVNE", 12, 7, 7, "", "Vne Heli", "Vne Heli"},
      {"chrtWATCorp", 13, 15, 15, "", "WAT B Corp Heli", "WAT A Corp Heli"},
      {"chrtWATUtil", 13, 16, 16, "", "WAT B Util Heli", "WAT A Util Heli"},
  };
  ASSERT_EQ(ChartHover::Pictures().size(), std::size(rows));
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const ChartPicture picture = ChartHover::PictureFromName(r.name);
    ASSERT_NE(picture, ChartPicture::Other);
    EXPECT_EQ(ChartHover::Find(picture)->tab, r.tab);
    Globals::vars().AircraftClass = 1;
    EXPECT_EQ(Chart::ChartNumberFromPicture(picture), r.fixedChart);
    Globals::vars().AircraftClass = 2;
    EXPECT_EQ(Chart::ChartNumberFromPicture(picture), r.heliChart);
    EXPECT_EQ(ChartHover::ReportGroup(picture, 1, 1), r.fixedGroup);
    EXPECT_EQ(ChartHover::ReportGroup(picture, 0, 2), r.fixedGroup);
    EXPECT_EQ(ChartHover::ReportGroup(picture, 2, 2), r.heliGroup);
    EXPECT_EQ(ChartHover::ReportGroup(picture, 2, 1), r.heliWatAGroup);
  }
  EXPECT_EQ(ChartHover::PictureFromName("chrtpayload"), ChartPicture::Other);
  EXPECT_EQ(ChartHover::Find(ChartPicture::Other), nullptr);
  EXPECT_EQ(ChartHover::ReportGroup(ChartPicture::Other, 1, 2), "");
}

TEST_F(Hover, TheNearestPointStrictlyInsideTheThresholdWinsTiesToTheLowerSeriesThenPoint) {
  struct Case {
    const char* what;
    int chart;
    std::vector<std::vector<Chart::ChartPoint>> series;
    double xFactor, mx, my;
    Hit expected;
  };
  const Case cases[] = {
      {"equal distance: the lower series", 1, {{{10, 10}}, {{10, 10}}}, 1, 10.5, 90, {1, 1}},
      {"equal distance: the lower point", 1, {{{10, 10}, {11, 10}}}, 1, 10.5, 90, {1, 1}},
      {"a nearer point of a later series", 1, {{{10, 10}}, {{10.25f, 10}}}, 1, 10.5, 90, {2, 1}},
      {"exactly the threshold", 1, {{{10, 10}}}, 1, 11, 90, {}},
      {"just inside the threshold", 1, {{{10, 10}}}, 1, 10.99, 90, {1, 1}},
      {"diagonal: just outside", 1, {{{10, 10}}}, 1, 10.71, 90.71, {}},
      {"diagonal: just inside", 1, {{{10, 10}}}, 1, 10.7, 90.7, {1, 1}},
      {"no points", 1, {}, 1, 10, 90, {}},
      // Bar charts: threshold 3; a bar point (x 0) stands at the centre of its series' bar,
      // a label point at one of four slots by its percent x.
      {"bar of series 2", 9, {{{0, 20}}, {{0, 20}}}, 10, 17.9, 80, {2, 1}},
      {"bar: exactly 3 away", 9, {{{0, 20}}}, 10, 8, 80, {}},
      {"bar label point in the second slot", 10, {{{30, 20}}}, 10, 15, 81, {1, 1}},
      {"bar label point in the last slot", 11, {{{80, 20}}}, 10, 35, 80, {1, 1}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Cache(k.chart, k.series, k.xFactor);
    EXPECT_EQ(ChartHover::NearestPoint(k.chart, k.mx, k.my), k.expected);
  }
}

TEST_F(Hover, TheCaptionLiesInTheTopRightCornerOfThePicture) {
  // 200 pixels wide; the caption 10 by 4 chart units = 20 by 8 pixels.
  const ChartHover::CaptionExtent caption{10, 4};
  struct Case {
    double x, y;
    bool hit;
  };
  const Case cases[] = {
      {180, 1, true},    {179.9, 1, false}, {199, 1, true},  {199.5, 1, false},
      {190, 0.9, false}, {190, 7.99, true}, {190, 8, false}, {100, 4, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.x) + ", " + std::to_string(k.y));
    EXPECT_EQ(ChartHover::CaptionHit(k.x, k.y, 200, caption), k.hit);
  }
}

TEST_F(Hover, MovesShowReplaceAndRemoveThePopupAndTheAssumptionBox) {
  // Chart 1 on a picture 100 pixels wide: pixels are chart units. The caption covers X 90 to
  // 99, Y 1 to 3; a point of series 3 lies under it.
  Cache(1, {{{10, 10}}, {{20, 10}}, {{95, 98}}});
  FakePicture picture;
  struct Step {
    const char* what;
    double x, y;
    std::vector<std::string> calls;
  };
  const Step steps[] = {
      {"near a point", 10.2, 90, {"show 1 1"}},
      {"near the same point", 10.4, 90.1, {}},
      {"the same point number of another series", 20, 90, {"erase", "show 2 1"}},
      {"nothing near", 50, 50, {"erase"}},
      {"still nothing", 60, 50, {}},
      {"the caption", 91, 1.5, {"show 0 10000"}},
      {"the caption again", 92, 2.5, {}},
      {"a point on the caption", 95, 2.2, {"erase", "show 3 1"}},
      {"the caption beside it", 98.5, 1, {"erase", "show 0 10000"}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    General::ChartMouseMove(picture, s.x, s.y);
    EXPECT_EQ(picture.Take(), s.calls);
  }
  EXPECT_EQ(ChartHover::vars().PopupPoint[1], kAssumptionBox);
  EXPECT_EQ(ChartHover::vars().PopupSeries[1], 0);
  General::ChartMouseLeave(picture);
  EXPECT_EQ(picture.Take(), std::vector<std::string>{"erase"});
  EXPECT_EQ(ChartHover::vars().PopupPoint[1], 0);
  General::ChartMouseLeave(picture);
  EXPECT_TRUE(picture.Take().empty());
}

TEST_F(Hover, HelicopterTakeoffLandingPicturesHoverTheirBarCharts) {
  Globals::vars().AircraftClass = 2;
  // Bars of two series; the fixed-wing charts of tab 8 hold points where the bars are.
  for (int chart : {10, 11}) Cache(chart, {{{0, 20}}, {{0, 40}}}, 10);
  Cache(14, {{{5, 20}}});
  Cache(9, {{{0, 20}}});
  struct Case {
    ChartPicture picture;
    int chart;
  };
  for (const Case& k :
       {Case{ChartPicture::TakeoffElevation, 11}, Case{ChartPicture::Landing, 10}}) {
    SCOPED_TRACE(k.chart);
    FakePicture picture;
    picture.picture = k.picture;
    General::ChartMouseMove(picture, 15 + 2.5, 60);  // 2.5 from the bar of series 2
    EXPECT_EQ(picture.Take(), std::vector<std::string>{"show 2 1"});
    EXPECT_EQ(ChartHover::vars().PopupPoint[k.chart], 1);
    EXPECT_EQ(ChartHover::vars().PopupSeries[k.chart], 2);
    EXPECT_EQ(General::FormatPopupValue(k.chart, 2, 1), "40");
    General::ChartMouseLeave(picture);
    EXPECT_EQ(picture.Take(), std::vector<std::string>{"erase"});
  }
  EXPECT_EQ(ChartHover::vars().PopupPoint[9], 0);
  EXPECT_EQ(ChartHover::vars().PopupPoint[14], 0);
}

TEST_F(Hover, PopupTextsByChart) {
  struct Case {
    int chart;
    float x, y;
    const char* text;
  };
  const Case cases[] = {
      {1, 1234.5f, 2000, "1,235/2,000"}, {1, 0, 0, "0/0"},
      {1, 999999, 12.49f, "999,999/12"}, {8, -12.5f, 41000, "-13/41,000"},
      {2, 250, 1.125f, "250/1.13"},      {2, 250, 0, "250/0.00"},
      {2, 250, 2.675f, "250/2.68"},      {13, 1141.157f, 8, "1,141/8.00"},
      {13, 0, 20.5f, "0/20.50"},         {9, 0, 3250.5f, "3,251"},
      {10, 30, 1200, "1,200"},           {11, 0, 0, "0"},
  };
  // The texts keep "," grouping and "." whatever the user's locale.
  vb::CurrentNumberForms().decimal = ",";
  vb::CurrentNumberForms().group = ".";
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text);
    Cache(k.chart, {{{k.x, k.y}}});
    EXPECT_EQ(General::FormatPopupValue(k.chart, 1, 1), k.text);
  }
  EXPECT_EQ(vb::CurrentNumberForms().group, ".");
  vb::CurrentNumberForms() = {};
}

TEST_F(Hover, ThePopupBoxStandsAboveItsPointWithTheTextInTheSeriesColour) {
  // A 200 x 150 picture: device = chart units x 2. The point stands at (50, 40) chart units.
  RecordingCanvas picture(TargetKind::Picture, 200, 150);
  Cache(1, {{}, {{50, 60}}});
  General::DrawChartPopup(picture, 1, 2, 1);
  const auto rects = picture.only(RecordingCanvas::Op::Rect);
  const auto texts = picture.only(RecordingCanvas::Op::Text);
  ASSERT_EQ(rects.size(), 2u);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "50/60");
  EXPECT_EQ(texts[0].state.textColor, 0xFF0000u);
  EXPECT_EQ(rects[0].state.brush, gdi::Brush::Solid(gdi::RGB(255, 255, 192)));
  EXPECT_EQ(rects[1].state.brush, gdi::Brush::Hollow());
  EXPECT_EQ(rects[1].state.pen, gdi::Pen{});
  for (int i = 0; i < 2; ++i)
    for (int corner = 0; corner < 2; ++corner) {
      EXPECT_EQ(rects[i].points[corner].x, rects[0].points[corner].x);
      EXPECT_EQ(rects[i].points[corner].y, rects[0].points[corner].y);
    }
  // The text's extent in the legend font, in device pixels.
  picture.selectFont(texts[0].state.font);
  const gdi::Extent text = picture.textExtent("50/60");
  const double left = rects[0].points[0].x, top = rects[0].points[0].y;
  const double right = rects[0].points[1].x, bottom = rects[0].points[1].y;
  EXPECT_NEAR(right - left, 1.05 * text.width, 1);
  EXPECT_NEAR(bottom - top, 1.05 * text.height, 1);
  EXPECT_NEAR((left + right) / 2, 100, 1);
  EXPECT_NEAR(80 - bottom, 0.55 * 1.05 * text.height, 1);  // the gap above the point
  EXPECT_NEAR(texts[0].points[0].x, 100 - text.width / 2, 1);
  EXPECT_NEAR(texts[0].points[0].y, (top + bottom) / 2 - text.height / 2, 1);
}

TEST_F(Hover, AssumptionTextsComeByTheirBoundGroupAndAMissingGroupIsQuietlyEmpty) {
  testsupport::BuildDatabase(dir / "ac.mdb", R"(
    CREATE TABLE ProductExplainTerms (ET_ReportGroup VARCHAR(100) COLLATE NOCASE,
                                      ET_PlainTextToolTip LONGTEXT COLLATE NOCASE);
    INSERT INTO ProductExplainTerms VALUES ('Payload Range FW', 'Long range cruise.|ISA.'),
      ('O''Brien', 'quoted'), ('Null Text', NULL);)");
  DBase::vars().DBPath = (dir / "ac.mdb").string();
  struct Case {
    std::string group, text;
  };
  const Case cases[] = {
      {"Payload Range FW", "Long range cruise.|ISA."},
      {"payload range fw", "Long range cruise.|ISA."},
      {"O'Brien", "quoted"},
      {"x' OR '1'='1", ""},
      {"No Such Group", ""},
      {"Null Text", ""},
      {"", ""},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.group);
    EXPECT_EQ(ChartHover::AssumptionText(k.group), k.text);
  }
  EXPECT_EQ(errors(), 0);
  Globals::vars().AircraftClass = 1;
  EXPECT_EQ(General::ChartAssumptionFromControl(ChartPicture::Payload), "Long range cruise.|ISA.");
}

TEST_F(Hover, AnEmptyReportGroupAsksNoQuery) {
  // No database at all: a query would be reported.
  DBase::vars().DBPath = (dir / "missing.mdb").string();
  Globals::vars().AircraftClass = 1;
  EXPECT_EQ(General::ChartAssumptionFromControl(ChartPicture::CeilingCorp), "");
  Globals::vars().AircraftClass = 2;
  EXPECT_EQ(General::ChartAssumptionFromControl(ChartPicture::BalancedFieldLength), "");
  EXPECT_EQ(General::ChartAssumptionFromControl(ChartPicture::Other), "");
  EXPECT_EQ(errors(), 0);
  EXPECT_EQ(General::ChartAssumptionFromControl(ChartPicture::Payload), "");
  EXPECT_EQ(errors(), 1);
}

TEST_F(Hover, TheAssumptionBoxHoldsEveryLineOfItsText) {
  RecordingCanvas probe(TargetKind::Picture, 1, 1);
  const gdi::Extent one = ChartHover::AssumptionBoxSize(probe, "Assumptions");
  probe.selectFont(probe.only(RecordingCanvas::Op::Font).front().state.font);
  const gdi::Extent line = probe.textExtent("Assumptions");
  ASSERT_EQ(line.height, 14);  // the 8 point legend font
  EXPECT_EQ(one.width, std::ceil(1.05 * line.width));
  EXPECT_EQ(one.height, std::ceil(1.05 * line.height));
  // An empty text: one empty line, as wide as high.
  const gdi::Extent empty = ChartHover::AssumptionBoxSize(probe, "");
  EXPECT_EQ(empty.width, std::ceil(1.05 * line.height));
  EXPECT_EQ(empty.height, std::ceil(1.05 * line.height));

  // 120 lines: more than the 101 a line table would hold; every one is drawn and counted.
  std::string text = "Line 1";
  for (int i = 2; i <= 120; ++i) text += "|Line " + std::to_string(i);
  const gdi::Extent all = ChartHover::AssumptionBoxSize(probe, text);
  EXPECT_EQ(all.height, 1764);  // 1.05 x 120 lines of 14 pixels
  RecordingCanvas box(TargetKind::Picture, all.width, all.height);
  ChartHover::DrawAssumptionBox(box, text);
  const auto texts = box.only(RecordingCanvas::Op::Text);
  ASSERT_EQ(texts.size(), 120u);
  EXPECT_EQ(texts[0].text, "Line 1");
  EXPECT_EQ(texts[119].text, "Line 120");
  EXPECT_EQ(texts[0].state.textColor, 0u);
  EXPECT_NEAR(texts[119].points[0].y - texts[0].points[0].y, 119 * line.height, 1);
  EXPECT_FALSE(box.only(RecordingCanvas::Op::Clear).empty());
}

}  // namespace
