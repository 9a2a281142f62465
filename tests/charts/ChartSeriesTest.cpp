#include <tuple>

#include "ChartTestSupport.h"
#include "foundation/Globals.h"

namespace {

using charttest::ChartFixture;
using charttest::Op;
using gdi::RecordingCanvas;
using gdi::TargetKind;

class ChartSeries : public ChartFixture {
 protected:
  RecordingCanvas picture{TargetKind::Picture, 400, 300};
  Chart::Vars& v = Chart::vars();
  void Start(long barMode = 0, bool redraw = true) {
    Chart::NewChart(picture, barMode, 0, 0, 100, 100, redraw);
  }
};

TEST_F(ChartSeries, ASeriesWithoutPointsReadsZeroAndLeavesTheCacheCountAlone) {
  v.CurrentChartNumber = 4;
  Start();
  Chart::NewSeries(0x0000FF, 1, 2, "Plane 1", 3);
  EXPECT_EQ(v.ChartSeriesCount, 1);
  EXPECT_EQ(v.ChartPointCount[1], 0);
  for (int p : {0, 1}) {
    EXPECT_EQ(v.ChartPoints[1][p].X, 0);
    EXPECT_EQ(v.ChartPoints[1][p].Y, 0);
  }
  EXPECT_EQ(v.ChartSeriesCache.SeriesCount(4), 0);
  const Chart::CacheSeries* cs = v.ChartSeriesCache.Series(4, 1);
  ASSERT_NE(cs, nullptr);
  EXPECT_EQ(cs->Name, "Plane 1");
  EXPECT_EQ(cs->Color, 0x0000FFu);
  EXPECT_EQ(cs->LineStyle, 1);
  EXPECT_EQ(cs->Marker, 2);
  EXPECT_EQ(cs->FillStyle, 3);
  Chart::AddPoint(1, 2.5);
  EXPECT_EQ(v.ChartSeriesCache.SeriesCount(4), 1);
  EXPECT_EQ(v.ChartSeriesCache.PointCount(4, 1), 1);
  EXPECT_EQ(v.ChartSeriesCache.Point(4, 1, 1).Y, 2.5f);
}

TEST_F(ChartSeries, PointsStoreNoValueOfAnEarlierChart) {
  struct Case {
    long barMode;
    double x;
    std::optional<double> y;
    float storedX, storedY;
  };
  const Case cases[] = {
      {0, 5, std::nullopt, 5, 0},  // Null Y is 0
      {0, 5, 7.25, 5, 7.25f},
      {1, 42, 99.0, 0, 42},  // a bar's one value is its Y
      {1, 42, std::nullopt, 0, 42},
  };
  v.CurrentChartNumber = 1;
  for (const Case& k : cases) {
    // Fill the slots with an earlier chart's values first.
    Start();
    Chart::NewSeries(0, 0, 0, "", 0);
    Chart::AddPoint(111, 222.0);
    Chart::AddPoint(333, 444.0);
    Start(k.barMode);
    Chart::NewSeries(0, 0, 0, "", 0);
    Chart::AddPoint(0, 0.0);
    Chart::AddPoint(k.x, k.y);
    EXPECT_EQ(v.ChartPoints[1][2].X, k.storedX) << k.barMode << " " << k.x;
    EXPECT_EQ(v.ChartPoints[1][2].Y, k.storedY) << k.barMode << " " << k.x;
    EXPECT_EQ(v.ChartSeriesCache.Point(1, 1, 2).X, k.storedX);
    EXPECT_EQ(v.ChartSeriesCache.Point(1, 1, 2).Y, k.storedY);
  }
  EXPECT_EQ(errors(), 0);
}

TEST_F(ChartSeries, ChartNumbersAndKeys) {
  struct Case {
    Chart::ChartPicture picture;
    int fixedWing, helicopter;
  };
  using P = Chart::ChartPicture;
  const Case cases[] = {
      {P::BlockFuel, 1, 1},          {P::BlockTime, 2, 2}, {P::BalancedFieldLength, 3, 3},
      {P::TakeoffElevation, 14, 11}, {P::Landing, 9, 10},  {P::CruiseSpeed, 8, 8},
      {P::OperatingSpeed, 12, 12},   {P::Payload, 13, 13}, {P::CeilingCorp, 4, 4},
      {P::CeilingUtil, 6, 6},        {P::CeilingHV, 5, 5}, {P::CeilingVNE, 7, 7},
      {P::WATCorp, 15, 15},          {P::WATUtil, 16, 16}, {P::Other, 3, 3},
  };
  for (const Case& k : cases) {
    Globals::vars().AircraftClass = 1;
    EXPECT_EQ(Chart::ChartNumberFromPicture(k.picture), k.fixedWing);
    Globals::vars().AircraftClass = 2;
    EXPECT_EQ(Chart::ChartNumberFromPicture(k.picture), k.helicopter);
  }
  EXPECT_EQ(Chart::ChartKey(0), "BalancedFieldLength");
  EXPECT_EQ(Chart::ChartKey(17), "BalancedFieldLength");
  EXPECT_EQ(Chart::ChartKey(1), "BlockFuel");
  EXPECT_EQ(Chart::ChartKey(10), "Landing5000ft");
  EXPECT_EQ(Chart::ChartKey(16), "WATUtil");
}

TEST_F(ChartSeries, TheChartRectangleIsInPercentOfTheTargetWidth) {
  struct Case {
    double left, top, width, height;
    bool redraw;
    double chartTop, chartWidth, chartHeight;
    bool inset, cleared;
  };
  const Case cases[] = {
      {0, 50, 100, 50, true, 50, 100, 37.5, true, false},  // 400 px down, 300 px high
      {0, 0, 100, 100, true, 0, 100, 75, false, true},
      {0, 0, 100, 100, false, 0, 100, 75, false, false},  // drawn from the cache: no erase
      {10, 5, 50, 50, true, 5, 50, 37.5, true, false},
  };
  for (const Case& k : cases) {
    RecordingCanvas c(TargetKind::Picture, 800, 600);
    Chart::NewChart(c, 0, k.left, k.top, k.width, k.height, k.redraw);
    EXPECT_EQ(v.ChartLeft, k.left);
    EXPECT_EQ(v.ChartTop, k.chartTop);
    EXPECT_EQ(v.ChartWidth, k.chartWidth);
    EXPECT_DOUBLE_EQ(v.ChartHeight, k.chartHeight);
    EXPECT_EQ(v.ChartInset, k.inset);
    EXPECT_EQ(!c.only(Op::Clear).empty(), k.cleared) << k.top << " " << k.redraw;
  }
}

TEST_F(ChartSeries, TheDrawingControlAspectAppliesOnlyWhileItIsTheTarget) {
  RecordingCanvas control(TargetKind::DrawingControl, 10, 8);
  control.setAspect(1.25);
  Chart::NewChart(control, 0, 0, 0, 80, 100, true);
  EXPECT_DOUBLE_EQ(v.ChartWidth, 100);
  Chart::NewChart(picture, 0, 0, 0, 80, 100, true);
  EXPECT_DOUBLE_EQ(v.ChartWidth, 80);
}

TEST_F(ChartSeries, LimitsAreReportedAndNothingBeyondThemIsStored) {
  v.CurrentChartNumber = 2;
  Start();
  for (int s = 1; s <= 100; ++s) Chart::NewSeries(static_cast<gdi::Rgb>(s), 0, 0, "", 0);
  for (int p = 1; p <= 1001; ++p) Chart::AddPoint(p, p);
  EXPECT_EQ(errors(), 1);
  EXPECT_EQ(v.ChartPointCount[100], 1000);
  EXPECT_EQ(v.ChartSeriesCache.PointCount(2, 100), 1000);
  // A 101st series is refused whole: reported once, and neither it nor its points reach
  // series 100, in the working set or in the cache.
  Chart::NewSeries(0x00FF00, 2, 5, "one too many", 3);
  Chart::AddPoint(5000, 5000.0);
  Chart::AddPoint(6000, 6000.0);
  EXPECT_EQ(errors(), 2);
  EXPECT_EQ(v.ChartSeriesCount, 100);
  EXPECT_EQ(std::tie(v.SeriesColor[100], v.SeriesName[100], v.SeriesLineStyle[100],
                     v.SeriesMarker[100], v.SeriesFillStyle[100], v.ChartPointCount[100]),
            std::make_tuple(100u, std::string(), 0L, 0L, 0L, 1000L));
  EXPECT_EQ(v.ChartPoints[100][1000].X, 1000);
  const Chart::CacheSeries* cached = v.ChartSeriesCache.Series(2, 100);
  ASSERT_NE(cached, nullptr);
  EXPECT_EQ(std::tie(cached->Name, cached->Color, cached->LineStyle, cached->Marker,
                     cached->FillStyle, cached->PointCount),
            std::make_tuple(std::string(), 100u, 0L, 0L, 0L, 1000L));
  EXPECT_EQ(v.ChartSeriesCache.Point(2, 100, 1000).X, 1000);
  EXPECT_EQ(v.ChartSeriesCache.SeriesCount(2), 100);
  // A point before any series, and a chart number outside the cache.
  Start();
  Chart::AddPoint(1, 1.0);
  EXPECT_EQ(errors(), 3);
  v.CurrentChartNumber = 101;
  Chart::NewSeries(0, 0, 0, "x", 0);
  Chart::AddPoint(1, 1.0);
  EXPECT_EQ(v.ChartPointCount[1], 1);
  EXPECT_EQ(v.ChartSeriesCache.Series(101, 1), nullptr);
  EXPECT_EQ(errors(), 3);
}

TEST_F(ChartSeries, TheCacheIsSparseAndARebuildForgetsOldSeries) {
  // Sixteen charts of two planes with a thousand points each stay well under a megabyte.
  for (int chart = 1; chart <= 16; ++chart) {
    v.CurrentChartNumber = chart;
    Start();
    for (int s = 0; s < 2; ++s) {
      Chart::NewSeries(0, 0, 0, "Plane", 0);
      for (int p = 0; p < 1000; ++p) Chart::AddPoint(p, p * 2.0);
    }
  }
  EXPECT_LT(v.ChartSeriesCache.Bytes(), 1u << 20);
  EXPECT_EQ(v.ChartSeriesCache.SeriesCount(16), 2);
  // Read afresh with one plane only, the second series is no longer counted; drawn again from
  // the cache (no database), the counts stay.
  v.CurrentChartNumber = 5;
  Start();
  Chart::NewSeries(0, 0, 0, "Plane", 0);
  Chart::AddPoint(1, 1.0);
  EXPECT_EQ(v.ChartSeriesCache.SeriesCount(5), 1);
  EXPECT_EQ(v.ChartSeriesCache.PointCount(5, 1), 1);
  EXPECT_EQ(v.ChartSeriesCache.PointCount(5, 2), 0);
  Start(0, false);
  EXPECT_EQ(v.ChartSeriesCache.SeriesCount(5), 1);
  EXPECT_EQ(v.ChartSeriesCache.PointCount(5, 1), 1);
}

}  // namespace
