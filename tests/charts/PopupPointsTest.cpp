// The hover points the builders keep in the per-chart cache: emptied before a database read,
// copied back series by series, and the payload points at every fourth passenger.
#include "ChartTestSupport.h"
#include "charts/ChartBuilders.h"

namespace {

using charttest::ChartFixture;
using gdi::RecordingCanvas;
using gdi::TargetKind;

class PopupPoints : public ChartFixture {
 protected:
  Chart::Vars& v = Chart::vars();
  RecordingCanvas c{TargetKind::Picture, 400, 300};

  // A payload chart of one series through the given (x, y) points.
  void Payload(const std::vector<std::pair<double, double>>& points) {
    v.CurrentChartNumber = 13;
    Chart::NewChart(c, 0, 0, 0, 100, 100, true);
    Chart::NewSeries(0x0000FF, 0, 0, "", 0);
    for (auto [x, y] : points) Chart::AddPoint(x, y);
  }
  std::vector<std::pair<float, float>> Working(int s) const {
    std::vector<std::pair<float, float>> out;
    for (long p = 1; p <= v.ChartPointCount[s]; ++p)
      out.emplace_back(v.ChartPoints[s][p].X, v.ChartPoints[s][p].Y);
    return out;
  }
  std::vector<std::pair<float, float>> Cached(int chart, int s) const {
    std::vector<std::pair<float, float>> out;
    for (int p = 1; p <= v.ChartSeriesCache.PointCount(chart, s); ++p)
      out.emplace_back(v.ChartSeriesCache.Point(chart, s, p).X,
                       v.ChartSeriesCache.Point(chart, s, p).Y);
    return out;
  }
};

TEST_F(PopupPoints, FallingCurvesGetAPointAtEveryFourthPassenger) {
  using Points = std::vector<std::pair<float, float>>;
  struct Case {
    const char* what;
    Points in, out;
  };
  const Case cases[] = {
      {"22 to 2 between two points",
       {{0, 22}, {1200, 22}, {1800, 2}},
       {{0, 22}, {1200, 22}, {1260, 20}, {1380, 16}, {1500, 12}, {1620, 8}, {1740, 4}, {1800, 2}}},
      {"one point", {{0, 22}}, {{0, 22}}},
      {"a rising curve", {{0, 2}, {100, 22}}, {{0, 2}, {100, 22}}},
      {"a point on a level", {{0, 10}, {100, 8}, {200, 6}}, {{0, 10}, {100, 8}, {200, 6}}},
      {"two falls through 8",
       {{0, 12}, {1000, 6}, {1500, 10}, {2500, 4}},
       {{0, 12}, {2000.0f / 3, 8}, {1000, 6}, {1500, 10}, {1500 + 1000.0f / 3, 8}, {2500, 4}}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    std::vector<std::pair<double, double>> in(k.in.begin(), k.in.end());
    Payload(in);
    General::Popups_Every_4_Pass();
    const Points got = Working(1);
    ASSERT_EQ(got.size(), k.out.size());
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_FLOAT_EQ(got[i].first, k.out[i].first) << i;
      EXPECT_FLOAT_EQ(got[i].second, k.out[i].second) << i;
    }
    EXPECT_EQ(Cached(13, 1), got);  // the cache holds the same points
  }
  EXPECT_EQ(errors(), 0);
}

TEST_F(PopupPoints, AFullSeriesStopsGrowingAndIsReportedOnce) {
  std::vector<std::pair<double, double>> points;
  for (int i = 0; i < Chart::kMaxPoints; ++i) points.emplace_back(i, i % 2 ? 2 : 22);
  Payload(points);
  General::Popups_Every_4_Pass();
  EXPECT_EQ(v.ChartPointCount[1], Chart::kMaxPoints);
  EXPECT_EQ(errors(), 1);
}

TEST_F(PopupPoints, ClearingEmptiesTheCountsAndCopyingBringsASeriesBack) {
  Payload({{0, 5}, {10, 6}});
  Chart::NewSeries(0xFF0000, 1, 0, "Two", 0);
  Chart::AddPoint(1, 2.0);
  EXPECT_EQ(v.ChartSeriesCache.SeriesCount(13), 2);

  // From the cache: the series made again, then its points copied back.
  Chart::NewChart(c, 0, 0, 0, 100, 100, false);
  Chart::NewSeries(0x0000FF, 0, 0, "", 0);
  General::CopyPopupPointsToChart();
  Chart::NewSeries(0xFF0000, 1, 0, "Two", 0);
  General::CopyPopupPointsToChart();
  EXPECT_EQ(Working(1), (std::vector<std::pair<float, float>>{{0, 5}, {10, 6}}));
  EXPECT_EQ(Working(2), (std::vector<std::pair<float, float>>{{1, 2}}));

  General::ClearPopupPoints(13);
  EXPECT_EQ(v.ChartPointCount[1], 0);
  EXPECT_EQ(v.ChartPointCount[2], 0);
  EXPECT_EQ(v.ChartSeriesCache.PointCount(13, 1), 0);
  EXPECT_EQ(v.ChartSeriesCache.SeriesCount(13), 0);  // no stale slots for a later restore
  EXPECT_EQ(v.SeriesName[2], "Two");                 // attributes stay
}

TEST_F(PopupPoints, RestoringAChartBringsBackEverySeriesAttribute) {
  v.CurrentChartNumber = 7;
  Chart::NewChart(c, 0, 0, 0, 100, 100, true);
  Chart::NewSeries(0x00FF00, 2, 4, "Named", 3);
  Chart::AddPoint(1, 2.0);
  Chart::AddPoint(3, 4.0);
  Chart::NewChart(c, 0, 0, 0, 100, 100, false);
  General::RestoreChartSeries(7);
  EXPECT_EQ(v.ChartSeriesCount, 1);
  EXPECT_EQ(v.SeriesColor[1], 0x00FF00u);
  EXPECT_EQ(v.SeriesLineStyle[1], 2);
  EXPECT_EQ(v.SeriesMarker[1], 4);
  EXPECT_EQ(v.SeriesName[1], "Named");
  EXPECT_EQ(v.SeriesFillStyle[1], 3);
  EXPECT_EQ(Working(1), (std::vector<std::pair<float, float>>{{1, 2}, {3, 4}}));
  General::RestoreChartSeries(101);  // outside the store: reported, nothing restored
  EXPECT_EQ(errors(), 1);
}

}  // namespace
